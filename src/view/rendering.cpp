// Painting the client area: background, canvas, items, tool marks, the item
// under construction, rulers and guides.

#include "view/korvani_view.h"

#include "document/korvani_doc.h"
#include "export/display_list.h"
#include "items/group_item.h"
#include "view/mark_painting.h"
#include "view/tools/tool_handler.h"

#include <QPainter>
#include <QPen>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <thread>

namespace {

// Below this many items in view one thread is quicker than several.
constexpr int ParallelItemThreshold = 200;
constexpr int ParallelMinimumPixels = 128;
// Items between the live ones are drawn live too; beyond this many the layers are drawn anew.
constexpr int MaximumLiveBystanders = 64;

// One pixel in canvas units.
qreal Pixel()
{
    return ZoomFactor > 0 ? 1.0 / ZoomFactor : 1.0;
}

} // namespace

QTransform CKorvaniView::CanvasTransform() const
{
    // client = canvas * zoom + pan + margin
    const QPointF origin = CanvasOrigin();
    return QTransform(ZoomFactor, 0, 0, ZoomFactor, origin.x(), origin.y());
}

QImage CKorvaniView::PaintClient()
{
    QImage image(clientSize, QImage::Format_ARGB32_Premultiplied);
    Paint(image, image.rect());
    return image;
}

void CKorvaniView::Paint(QPainter& painter, const QRegion& clip)
{
    if (backBuffer.size() != clientSize)
        backBuffer = QImage(clientSize, QImage::Format_ARGB32_Premultiplied);
    if (backBuffer.isNull())
        return;
    Paint(backBuffer, clip);
    for (const QRect& area : clip & backBuffer.rect())
        painter.drawImage(area.topLeft(), backBuffer, area);
}

void CKorvaniView::Paint(QImage& target, const QRegion& requested)
{
    if (target.format() != QImage::Format_ARGB32_Premultiplied && target.format() != QImage::Format_ARGB32)
        target = target.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // A hover asks for the two ruler strips only: their corner's bounding
    // rectangle would be the whole client.
    const QRegion region = requested & target.rect();
    if (region.isEmpty())
        return;
    const QRect clip = region.boundingRect();
    ruler.zoom = ZoomFactor;

    // The items that may change from one paint to the next are drawn live;
    // everything below and above them comes from layers kept between paints.
    const std::pair<int, int> live = LiveItemRange();
    UpdateLayers(target.size(), live);

    QPainter painter(&target);
    painter.setClipRegion(region);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(clip.topLeft(), belowLayer, clip);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setTransform(CanvasTransform());
    if (live.first <= live.second) {
        const std::vector<ItemBoundsCache::Entry>& entries = boundsCache.Entries();
        const RectF visible = CanvasRectOf(clip);
        for (int i = live.first; i <= live.second; ++i) {
            const ItemBoundsCache::Entry& e = entries[std::size_t(i)];
            // The selection may preview beyond its committed bounds: never skipped.
            if (std::binary_search(liveUnits.begin(), liveUnits.end(), e.item) ||
                ItemBoundsCache::Meets(e.paintBounds, visible))
                e.item->Draw(painter);
        }
        if (!aboveLayer.isNull()) {
            painter.resetTransform();
            painter.drawImage(clip.topLeft(), aboveLayer, clip);
            painter.setTransform(CanvasTransform());
        }
    }
    ActiveHandler().PaintMarks(painter);
    ActiveHandler().PaintPreview(painter);
    if (canvas.width > 0)
        ruler.Draw(painter, CanvasOrigin(), clientSize);
    PaintGuides(painter);
}

RectF CKorvaniView::CanvasRectOf(const QRect& pixels) const
{
    // Every canvas point of the pixels, and the pixel that anti-aliasing may touch around them.
    const RectF r = FromQRectF(CanvasTransform().inverted().mapRect(QRectF(pixels)));
    return InflateRect(r, float(2 * Pixel()));
}

std::pair<int, int> CKorvaniView::LiveItemRange()
{
    boundsCache.Update(doc.Items());
    // Drawn live: the items edited in place since the layers were drawn, and
    // during a drag the selection, which previews or has nodes moved directly.
    const auto collect = [&] {
        liveUnits = pinnedUnits;
        if (captured && selection)
            SelectionUnits(liveUnits);
        std::sort(liveUnits.begin(), liveUnits.end());
        liveUnits.erase(std::unique(liveUnits.begin(), liveUnits.end()), liveUnits.end());
        const std::vector<ItemBoundsCache::Entry>& entries = boundsCache.Entries();
        int first = -1, last = -1;
        for (int i = 0; i < int(entries.size()); ++i) {
            if (std::binary_search(liveUnits.begin(), liveUnits.end(), entries[std::size_t(i)].item)) {
                if (first < 0)
                    first = i;
                last = i;
            }
        }
        return first < 0 ? std::pair(0, -1) : std::pair(first, last);
    };
    std::pair<int, int> range = collect();
    // Edits far apart in the stack would leave most items live: start afresh.
    if (!pinnedUnits.empty() && range.second - range.first + 1 > int(liveUnits.size()) + MaximumLiveBystanders) {
        pinnedUnits.clear();
        ++drawingGeneration;
        range = collect();
    }
    return range;
}

void CKorvaniView::InvalidateLayers()
{
    layersValid = false;
}

void CKorvaniView::UpdateLayers(QSize size, std::pair<int, int> live)
{
    const LayerKey key{drawingGeneration, CanvasTransform(), size, canvas.width, canvas.height, canvas.color,
                       live.first, live.second};
    if (layersValid && key == layerKey)
        return;
    layerKey = key;
    layersValid = true;

    const int count = int(boundsCache.Entries().size());
    const bool anyLive = live.first <= live.second;
    const QRect all(QPoint(0, 0), size);

    if (belowLayer.size() != size)
        belowLayer = QImage(size, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&belowLayer);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        if (canvas.width <= 0) {
            // No canvas yet: the whole client is the shadow's grey.
            painter.fillRect(all, QColor::fromRgba(ShadowColor));
        } else {
            painter.fillRect(all, QColor::fromRgba(WindowBackground));
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setTransform(CanvasTransform());
            const QRectF sheet(0, 0, canvas.width, canvas.height);
            painter.fillRect(sheet.translated(4, 4), QColor::fromRgba(ShadowColor));
            painter.fillRect(sheet, QColor::fromRgba(canvas.color));
            painter.setPen(QPen(QColor::fromRgba(ColorOpaqueBlack), 1.0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(sheet);
        }
    }
    PaintItems(belowLayer, all, 0, anyLive ? live.first : count);

    if (anyLive && live.second + 1 < count) {
        if (aboveLayer.size() != size)
            aboveLayer = QImage(size, QImage::Format_ARGB32_Premultiplied);
        aboveLayer.fill(Qt::transparent);
        PaintItems(aboveLayer, all, live.second + 1, count);
    } else {
        aboveLayer = QImage();
    }
}

void CKorvaniView::PaintItems(QImage& image, const QRect& clip, int first, int end)
{
    const std::vector<ItemBoundsCache::Entry>& entries = boundsCache.Entries();
    if (first >= end || clip.isEmpty())
        return;

    // The items in view are recorded once, here, and the recording is played
    // in bands on every core: an item keeps its pen, brush and working path
    // between draws, so it cannot draw from two threads itself. The export
    // paints the same way, so the screen shows the pixels a PNG gets.
    const RectF visible = CanvasRectOf(clip);
    DisplayList recording(image.width(), image.height());
    int inView = 0;
    {
        QPainter recorder(&recording);
        recorder.setRenderHint(QPainter::Antialiasing, true);
        recorder.setTransform(CanvasTransform());
        for (int i = first; i < end; ++i) {
            const ItemBoundsCache::Entry& e = entries[std::size_t(i)];
            if (!ItemBoundsCache::Meets(e.paintBounds, visible))
                continue;
            e.item->Draw(recorder);
            ++inView;
        }
    }
    const bool parallel = parallelPaint && inView >= ParallelItemThreshold &&
                          std::max(clip.width(), clip.height()) >= ParallelMinimumPixels;
    recording.PlayInBands(image, parallel ? int(std::max(1u, std::thread::hardware_concurrency())) : 1, clip);
}

// --- tool marks ---

void CKorvaniView::PaintRubberBand(QPainter& painter)
{
    // Only while a drag draws it; a released band leaves no mark.
    if (!captured)
        return;
    MarkScope scope(painter);
    painter.setPen(CosmeticPen(MarkBlue));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(SpannedQRect(downPoint, lastPoint));
}

void CKorvaniView::PaintSelectionHandles(QPainter& painter)
{
    // A selection just deleted or undone away is no longer in the drawing.
    if (selection && (SelectionIsGroup() || doc.IndexOf(selection) >= 0)) {
        MarkScope scope(painter);
        selection->DrawSelectionHandles(painter);
    }
}
