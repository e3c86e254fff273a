// Drawing the kept layers between events: the margins a pan is about to
// uncover, and the true render of a new zoom. A piece is recorded here, on
// the thread the items belong to (recording is cheap), and played on a worker
// thread into images of its own, which join the layers when done if the
// layers still show what the piece was drawn for.

#include "view/korvani_view.h"

#include "document/korvani_doc.h"
#include "export/display_list.h"
#include "view/tools/tool_handler.h"
#include "view/view_host.h"

#include <QElapsedTimer>
#include <QPainter>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <limits>
#include <memory>

struct CKorvaniView::AheadJob
{
    struct Pieces
    {
        QImage below;
        QImage above; // null without a layer above
    };

    LayerKey key;
    std::uint64_t epoch = 0;
    QPointF origin; // layer pixel of the canvas origin the piece was drawn for
    QRect area;     // the layer pixels of the piece
    // The first piece of new layers (a new zoom), not one more of the kept ones.
    bool fresh = false;
    QTransform toPiece; // canvas units to the piece's pixels
    // The items are recorded a few at a time; the worker starts when all are.
    std::shared_ptr<DisplayList> below;
    std::shared_ptr<DisplayList> above; // null without a layer above
    std::vector<int> belowItems;        // list indices of the items each shows
    std::vector<int> aboveItems;
    std::size_t next = 0;               // the next of belowItems, then aboveItems, to record
    int items = 0;
    std::future<Pieces> result;         // valid once the worker started
    // Set when the layers moved on: the worker stops early.
    std::shared_ptr<std::atomic<bool>> stop = std::make_shared<std::atomic<bool>>(false);
};

namespace {

void CopyPixels(QImage& to, QPoint at, const QImage& from, const QRect& source)
{
    QPainter painter(&to);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(at, from, source);
}

// Pixels between a rectangle and the window, along both axes.
int Gap(const QRect& r, const QRect& window)
{
    const int dx = std::max({0, window.left() - r.right(), r.left() - window.right()});
    const int dy = std::max({0, window.top() - r.bottom(), r.top() - window.bottom()});
    return dx + dy;
}

} // namespace

bool CKorvaniView::DrawAhead()
{
    if (aheadJob && !aheadJob->result.valid()) {
        // Still being recorded: the items may be gone once the drawing changed.
        if (AheadJobObsolete(*aheadJob))
            aheadJob.reset();
        else
            RecordAheadJob(*aheadJob);
        return true;
    }
    if (aheadJob) {
        if (AheadJobObsolete(*aheadJob))
            aheadJob->stop->store(true);
        if (aheadJob->result.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            return true;
        const std::shared_ptr<AheadJob> job = std::move(aheadJob);
        MergeAheadJob(*job);
    }
    if (!StartAheadJob())
        return false;
    RecordAheadJob(*aheadJob);
    return true;
}

void CKorvaniView::StopDrawingAhead()
{
    if (aheadJob)
        aheadJob->stop->store(true);
    aheadJob.reset(); // waits for the worker, if it runs
}

bool CKorvaniView::AheadJobObsolete(const AheadJob& job) const
{
    if (job.epoch != layerEpoch || !layersValid || doc.ChangeCount() != seenChange ||
        job.key.generation != drawingGeneration)
        return true;
    if (job.fresh)
        return !layersScaled || !(job.key == wantedKey);
    // The kept pixels may have moved by whole pixels since the piece was recorded.
    const QPointF moved = layerOrigin - job.origin;
    return layersScaled || !(job.key == layerKey) || moved != QPointF(moved.toPoint());
}

bool CKorvaniView::StartAheadJob()
{
    // Only for the drawing and view the last paint showed: after any change
    // the items may be gone, and the next paint asks again.
    if (!drawAheadHost || !layersValid || doc.ChangeCount() != seenChange ||
        wantedKey.generation != drawingGeneration || wantedKey.zoom != ZoomFactor ||
        wantedKey.canvasWidth != canvas.width || wantedKey.canvasHeight != canvas.height ||
        wantedKey.canvasColor != canvas.color)
        return false;
    // A drag may change the selection's items before the paint that draws them live.
    if (captured && selection && ActiveHandler().DragsSelection())
        return false;

    LayerKey key = layerKey;
    QPointF origin = layerOrigin;
    QRect piece;
    if (layersScaled) {
        key = wantedKey;
        origin = wantedOrigin;
        piece = QRect(QPoint(LayerMargin, LayerMargin), key.size);
    } else {
        const QRect all = belowLayer.rect();
        // Near the layers' edge: move the kept pixels so that the client is
        // in the middle again, and the margin ahead can be drawn.
        const int near = LayerMargin / 2;
        if (!all.contains(layerWindow.adjusted(-near, -near, near, near)))
            ScrollLayers(QPoint(LayerMargin, LayerMargin) - layerWindow.topLeft());
        // The margins on the side the client moves to first, then the rest.
        QRect ahead = layerWindow;
        if (panDirection.x() < 0)
            ahead.setLeft(all.left());
        if (panDirection.x() > 0)
            ahead.setRight(all.right());
        if (panDirection.y() < 0)
            ahead.setTop(all.top());
        if (panDirection.y() > 0)
            ahead.setBottom(all.bottom());
        QRegion todo = QRegion(ahead) - layerDrawn;
        if (todo.isEmpty())
            todo = QRegion(all) - layerDrawn;
        if (todo.isEmpty())
            return false;
        // What the client shows bare first, then the piece nearest the
        // client; of those alike, the one furthest its way.
        const QPoint centre = layerWindow.center();
        long best = std::numeric_limits<long>::max();
        for (const QRect& r : todo) {
            const QPoint along = r.center() - centre;
            const long score = (r.intersects(layerWindow) ? 0 : 1L << 40) + 100000L * Gap(r, layerWindow) -
                               (long(along.x()) * panDirection.x() + long(along.y()) * panDirection.y());
            if (score < best) {
                best = score;
                piece = r;
            }
        }
    }

    auto job = std::make_shared<AheadJob>();
    job->key = key;
    job->epoch = layerEpoch;
    job->origin = origin;
    job->area = piece;
    job->fresh = layersScaled;
    const qreal scale = key.zoom * key.pixelRatio;
    // Canvas units to the pixels of the piece.
    job->toPiece = QTransform(scale, 0, 0, scale, origin.x() - piece.x(), origin.y() - piece.y());
    job->below = std::make_shared<DisplayList>(piece.width(), piece.height());
    const QRect pieceRect(QPoint(), piece.size());
    const int count = int(boundsCache.Entries().size());
    ItemsToDraw(job->toPiece, pieceRect, 0, std::min(key.belowEnd, count), job->belowItems);
    if (key.aboveBegin >= 0) {
        job->above = std::make_shared<DisplayList>(piece.width(), piece.height());
        ItemsToDraw(job->toPiece, pieceRect, std::min(key.aboveBegin, count), count, job->aboveItems);
    }
    aheadJob = std::move(job);
    return true;
}

void CKorvaniView::RecordAheadJob(AheadJob& job)
{
    // A few milliseconds at a time: a whole client of a large drawing takes
    // longer to record than one frame.
    constexpr std::size_t Chunk = 200;
    constexpr qint64 BudgetNanoseconds = 6'000'000;
    QElapsedTimer timer;
    timer.start();
    const std::size_t belowCount = job.belowItems.size();
    const std::size_t all = belowCount + job.aboveItems.size();
    while (job.next < all && timer.nsecsElapsed() < BudgetNanoseconds) {
        const bool below = job.next < belowCount;
        const std::vector<int>& items = below ? job.belowItems : job.aboveItems;
        const std::size_t offset = below ? 0 : belowCount;
        const std::size_t end = std::min(job.next - offset + Chunk, items.size());
        job.items += RecordItems(below ? *job.below : *job.above, job.toPiece, items, job.next - offset, end);
        job.next = offset + end;
    }
    if (job.next < all)
        return;

    const QRect pieceRect(QPoint(), job.area.size());
    const int threads = PaintThreads(job.items, pieceRect);
    job.result = std::async(std::launch::async, [below = job.below, above = job.above, toPiece = job.toPiece,
                                                 pieceRect, sheet = canvas, threads, stop = job.stop] {
        AheadJob::Pieces pieces;
        pieces.below = QImage(pieceRect.size(), QImage::Format_ARGB32_Premultiplied);
        PaintLayerBackground(pieces.below, pieceRect, toPiece, sheet);
        below->PlayInBands(pieces.below, threads, QRect(), stop.get());
        if (above) {
            pieces.above = QImage(pieceRect.size(), QImage::Format_ARGB32_Premultiplied);
            pieces.above.fill(Qt::transparent);
            above->PlayInBands(pieces.above, threads, QRect(), stop.get());
        }
        return pieces;
    });
}

void CKorvaniView::MergeAheadJob(AheadJob& job)
{
    const AheadJob::Pieces pieces = job.result.get();
    // A stopped piece is part drawn.
    if (job.stop->load() || AheadJobObsolete(job))
        return;
    const QRect pieceRect(QPoint(), job.area.size());
    if (job.fresh) {
        // The new zoom is drawn: it replaces the preview.
        SizeLayers(job.key.size, !pieces.above.isNull());
        CopyPixels(belowLayer, job.area.topLeft(), pieces.below, pieceRect);
        if (!pieces.above.isNull())
            CopyPixels(aboveLayer, job.area.topLeft(), pieces.above, pieceRect);
        layerKey = job.key;
        layerOrigin = job.origin;
        layerWindow = job.area;
        layerDrawn = job.area;
        layersScaled = false;
        layersAwaitItems = false;
        itemsInLayers = job.items;
        panDirection = QPoint();
        ++layerEpoch;
        host.RequestRepaint();
        return;
    }
    const QRect target = job.area.translated((layerOrigin - job.origin).toPoint());
    const QRegion uncovered = QRegion(target & belowLayer.rect()) - layerDrawn;
    for (const QRect& r : uncovered) {
        const QRect source = r.translated(-target.topLeft());
        CopyPixels(belowLayer, r.topLeft(), pieces.below, source);
        if (!aboveLayer.isNull() && !pieces.above.isNull())
            CopyPixels(aboveLayer, r.topLeft(), pieces.above, source);
    }
    layerDrawn += uncovered;
    // Where the client showed the bare canvas.
    if (uncovered.intersects(layerWindow))
        host.RequestRepaint();
}
