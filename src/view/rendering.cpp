// Painting the client area: background, canvas, items, tool marks, the item
// under construction, rulers and guides.

#include "view/korvani_view.h"

#include "document/korvani_doc.h"
#include "export/display_list.h"
#include "export/occlusion_grid.h"
#include "items/group_item.h"
#include "view/mark_painting.h"
#include "view/tools/tool_handler.h"
#include "view/view_host.h"

#include <QFontMetrics>
#include <QMargins>
#include <QPainter>
#include <QPen>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>
#include <utility>

namespace {

// Below this many items in view one thread is quicker than several.
constexpr int ParallelItemThreshold = 200;
// Nor for an area below this many pixels, such as the strip a pan uncovers:
// every band strokes and flattens each item that crosses it, and a thin strip
// is crossed by nearly every item in it.
constexpr qint64 ParallelMinimumArea = 256 * 256;
// Items between the live ones are drawn live too; beyond this many the layers are drawn anew.
constexpr int MaximumLiveBystanders = 64;
// From this many items drawn a new zoom first shows the old layers scaled
// (a few hundred items in view take longer than a frame to draw).
constexpr int ScaledZoomItems = 250;
// Moves the pixels of image by shift; what comes into view keeps old pixels
// until it is painted.
void ScrollPixels(QImage& image, QPoint shift)
{
    const int width = image.width() - std::abs(shift.x());
    const int rows = image.height() - std::abs(shift.y());
    if (width <= 0 || rows <= 0)
        return;
    const int depth = image.depth() / 8;
    const int fromX = std::max(0, -shift.x()), toX = std::max(0, shift.x());
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const auto moveRow = [&](int to) {
        std::memmove(bits + to * stride + toX * depth, bits + (to - shift.y()) * stride + fromX * depth,
                     std::size_t(width) * std::size_t(depth));
    };
    // Rows in the order that reads each one before it is overwritten.
    if (shift.y() > 0) {
        for (int y = image.height() - 1; y >= shift.y(); --y)
            moveRow(y);
    } else {
        for (int y = 0; y < rows; ++y)
            moveRow(y);
    }
}

void ClearPixels(QImage& image, const QRect& area)
{
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(area, Qt::transparent);
}

// One pixel in canvas units.
qreal Pixel()
{
    return ZoomFactor > 0 ? 1.0 / ZoomFactor : 1.0;
}

// Every canvas point of the pixels, and the pixel that anti-aliasing may touch around them.
RectF CanvasRectOf(const QRect& pixels, const QTransform& canvasToPixels)
{
    const RectF r = FromQRectF(canvasToPixels.inverted().mapRect(QRectF(pixels)));
    return InflateRect(r, float(2 * Pixel()));
}

qint64 Area(const QRect& r)
{
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

qint64 Area(const QRegion& region)
{
    qint64 area = 0;
    for (const QRect& r : region)
        area += Area(r);
    return area;
}

// The device pixels under client pixels; exact for whole ratios.
QRect DeviceRect(const QRect& client, qreal ratio)
{
    if (ratio == 1)
        return client;
    return QRectF(client.x() * ratio, client.y() * ratio, client.width() * ratio, client.height() * ratio)
        .toAlignedRect();
}

QSize DeviceSize(QSize client, qreal ratio)
{
    return DeviceRect(QRect(QPoint(), client), ratio).size();
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
    // On a high-density screen the buffer holds every device pixel, so the
    // drawing is rendered sharp rather than scaled up.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    const QSize pixels = DeviceSize(clientSize, ratio);
    if (backBuffer.size() != pixels || backBuffer.devicePixelRatio() != ratio) {
        backBuffer = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        backBuffer.setDevicePixelRatio(ratio);
    }
    if (backBuffer.isNull())
        return;
    Paint(backBuffer, clip);
    for (const QRect& area : clip & QRect(QPoint(), clientSize))
        painter.drawImage(QRectF(area), backBuffer, QRectF(DeviceRect(area, ratio)));
}

void CKorvaniView::Paint(QImage& target, const QRegion& requested)
{
    if (target.format() != QImage::Format_ARGB32_Premultiplied && target.format() != QImage::Format_ARGB32)
        target = target.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // A hover asks for the two ruler strips only: their corner's bounding
    // rectangle would be the whole client.
    // The target's painter works in client pixels; the layers are copied
    // device pixel for device pixel.
    const qreal ratio = target.devicePixelRatio();
    const QRegion region = requested & QRect(QPoint(), target.deviceIndependentSize().toSize());
    if (region.isEmpty())
        return;
    const QRect clip = region.boundingRect();
    const QRect deviceClip = DeviceRect(clip, ratio);
    ruler.zoom = ZoomFactor;

    // The items that may change from one paint to the next are drawn live;
    // everything below and above them comes from layers kept between paints.
    const std::pair<int, int> live = LiveItemRange();
    UpdateLayers(target.size(), ratio, live);

    QPainter painter(&target);
    painter.setClipRegion(region);
    // A kept layer as the client shows it: copied pixel for pixel, or, at a
    // new zoom on a large drawing, the old layer scaled until the true
    // render of the new zoom is ready.
    const auto showLayer = [&](const QImage& layer) {
        if (layersScaled) {
            painter.setTransform(LayerToClient());
            for (const QRect& drawn : layerDrawn)
                painter.drawImage(drawn.topLeft(), layer, drawn);
        } else {
            painter.resetTransform();
            painter.scale(1 / ratio, 1 / ratio);
            painter.drawImage(deviceClip.topLeft(), layer, deviceClip.translated(layerWindow.topLeft()));
        }
    };
    if (layersScaled) {
        painter.fillRect(clip, QColor::fromRgba(canvas.width > 0 ? WindowBackground : ShadowColor));
        showLayer(belowLayer);
    } else {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        showLayer(belowLayer);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
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
            showLayer(aboveLayer);
            painter.setTransform(CanvasTransform());
        }
    }
    ActiveHandler().PaintMarks(painter);
    ActiveHandler().PaintPreview(painter);
    if (canvas.width > 0)
        ruler.Draw(painter, CanvasOrigin(), clientSize);
    PaintGuides(painter);
    if (layersAwaitItems)
        PaintDrawingNote(painter);
    // With a host that draws ahead, the worker's true render asks for the repaint.
    if (layersScaled && !drawAheadHost)
        host.RequestRepaint();
}

QTransform CKorvaniView::LayerTransform() const
{
    const qreal scale = ZoomFactor * layerKey.pixelRatio;
    return QTransform(scale, 0, 0, scale, layerOrigin.x(), layerOrigin.y());
}

QTransform CKorvaniView::LayerToClient() const
{
    // client = (layer pixel - layer origin) * zoom / (layer zoom * ratio) + origin
    const QPointF origin = CanvasOrigin();
    const qreal scale = layerKey.zoom > 0 ? ZoomFactor / (layerKey.zoom * layerKey.pixelRatio) : 1.0;
    return QTransform::fromTranslate(-layerOrigin.x(), -layerOrigin.y()) * QTransform::fromScale(scale, scale) *
           QTransform::fromTranslate(origin.x(), origin.y());
}

RectF CKorvaniView::CanvasRectOf(const QRect& pixels) const
{
    return ::CanvasRectOf(pixels, CanvasTransform());
}

std::pair<int, int> CKorvaniView::LiveItemRange()
{
    MeasuredItems();
    // Drawn live: the items edited in place since the layers were drawn, and
    // during a drag that works on the selection, the selection, which
    // previews or has nodes moved directly.
    const bool dragsSelection = captured && selection && ActiveHandler().DragsSelection();
    const auto collect = [&] {
        liveUnits = pinnedUnits;
        if (dragsSelection)
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

void CKorvaniView::UpdateLayers(QSize size, qreal ratio, std::pair<int, int> live)
{
    const int count = int(boundsCache.Entries().size());
    const bool anyLive = live.first <= live.second;
    const bool anyAbove = anyLive && live.second + 1 < count;
    // Named by what they show: items added on top and drawn live leave the layers as they are.
    const LayerKey key{drawingGeneration, ZoomFactor, size, ratio, canvas.width, canvas.height, canvas.color,
                       anyLive ? live.first : count, anyAbove ? live.second + 1 : -1};
    const QPointF origin = CanvasOrigin() * ratio;
    drawAheadHost = host.RequestDrawAhead();
    wantedKey = key;
    wantedOrigin = origin + QPointF(LayerMargin, LayerMargin);
    // Back at the zoom the layers were drawn for before the new one was done.
    if (layersValid && layersScaled && key == layerKey && !layersAwaitItems)
        layersScaled = false;
    if (layersValid && !layersScaled) {
        // The layer pixel that the client's top left pixel shows.
        const QPointF corner = layerOrigin - origin;
        const QPoint whole(int(std::lround(std::clamp(corner.x(), -1e9, 1e9))),
                           int(std::lround(std::clamp(corner.y(), -1e9, 1e9))));
        // A pan by whole pixels moves every item by whole pixels: the kept
        // pixels stay right where they land.
        if (key == layerKey && corner.x() == whole.x() && corner.y() == whole.y() && ShiftLayers(whole, live))
            return;
        LayerKey zoomed = key;
        zoomed.zoom = layerKey.zoom;
        if (zoomed == layerKey && key.zoom != layerKey.zoom && itemsInLayers >= ScaledZoomItems) {
            layersScaled = true;
            return;
        }
    }
    if (layersValid && layersScaled && drawAheadHost) {
        // The preview stays until the worker has drawn the new zoom.
        LayerKey zoomed = key;
        zoomed.zoom = layerKey.zoom;
        if (zoomed == layerKey)
            return;
    }
    layersScaled = false;
    ++layerEpoch;
    layerKey = key;
    layerOrigin = origin + QPointF(LayerMargin, LayerMargin);
    layersValid = true;

    SizeLayers(size, anyAbove);
    // The margins wait for the first pan: a changed drawing costs no more than the client.
    layerWindow = QRect(QPoint(LayerMargin, LayerMargin), size);
    layerDrawn = layerWindow;
    layersAwaitItems = std::exchange(drawingOpened, false) && drawAheadHost && LeaveItemsToWorker();
    if (!layersAwaitItems)
        itemsInLayers = RenderLayers(layerWindow, live);
}

bool CKorvaniView::LeaveItemsToWorker()
{
    // Below this many items to draw, the first paint draws them at once.
    constexpr std::size_t ManyItems = 1000;
    const int count = int(boundsCache.Entries().size());
    std::vector<int> shown;
    ItemsToDraw(LayerTransform(), layerWindow, 0, count, shown);
    if (shown.size() < ManyItems)
        return false;
    // As for a new zoom: the worker draws the layers that are wanted, and
    // the client shows these meanwhile.
    PaintLayerBackground(belowLayer, layerWindow, LayerTransform(), canvas);
    if (!aboveLayer.isNull())
        ClearPixels(aboveLayer, layerWindow);
    layersScaled = true;
    itemsInLayers = 0;
    return true;
}

void CKorvaniView::PaintDrawingNote(QPainter& painter) const
{
    painter.save();
    painter.resetTransform();
    const QString text = QStringLiteral("Drawing %L1 items\u2026").arg(boundsCache.Entries().size());
    const QFontMetrics metrics(painter.font());
    const QSize box = metrics.size(0, text).grownBy(QMargins(12, 6, 12, 6));
    const QRect note(QPoint((clientSize.width() - box.width()) / 2, Ruler::Thickness + 16), box);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 40, 210));
    painter.drawRoundedRect(note, 6, 6);
    painter.setPen(Qt::white);
    painter.drawText(note, Qt::AlignCenter, text);
    painter.restore();
}

void CKorvaniView::SizeLayers(QSize size, bool withAbove)
{
    const QSize layerSize = size.grownBy(QMargins(LayerMargin, LayerMargin, LayerMargin, LayerMargin));
    if (belowLayer.size() != layerSize)
        belowLayer = QImage(layerSize, QImage::Format_ARGB32_Premultiplied);
    if (!withAbove)
        aboveLayer = QImage();
    else if (aboveLayer.size() != layerSize)
        aboveLayer = QImage(layerSize, QImage::Format_ARGB32_Premultiplied);
}

int CKorvaniView::RenderLayers(const QRect& area, std::pair<int, int> live)
{
    const int count = int(boundsCache.Entries().size());
    const bool anyLive = live.first <= live.second;
    PaintLayerBackground(belowLayer, area, LayerTransform(), canvas);
    int drawn = PaintItems(belowLayer, area, 0, anyLive ? live.first : count);
    if (!aboveLayer.isNull()) {
        ClearPixels(aboveLayer, area);
        drawn += PaintItems(aboveLayer, area, live.second + 1, count);
    }
    return drawn;
}

void CKorvaniView::PaintLayerBackground(QImage& image, const QRect& area, const QTransform& toDevice,
                                        const Canvas& canvas)
{
    QPainter painter(&image);
    painter.setClipRect(area);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (canvas.width <= 0) {
        // No canvas yet: the whole client is the shadow's grey.
        painter.fillRect(area, QColor::fromRgba(ShadowColor));
        return;
    }
    painter.fillRect(area, QColor::fromRgba(WindowBackground));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setTransform(toDevice);
    const QRectF sheet(0, 0, canvas.width, canvas.height);
    painter.fillRect(sheet.translated(4, 4), QColor::fromRgba(ShadowColor));
    painter.fillRect(sheet, QColor::fromRgba(canvas.color));
    painter.setPen(QPen(QColor::fromRgba(ColorOpaqueBlack), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(sheet);
}

void CKorvaniView::ScrollLayers(QPoint shift)
{
    ScrollPixels(belowLayer, shift);
    if (!aboveLayer.isNull())
        ScrollPixels(aboveLayer, shift);
    layerOrigin += shift;
    layerDrawn = layerDrawn.translated(shift) & belowLayer.rect();
    layerWindow.translate(shift);
}

bool CKorvaniView::ShiftLayers(QPoint corner, std::pair<int, int> live)
{
    QRect window(corner, layerWindow.size());
    if (window == layerWindow)
        return true;
    // Less than half the client kept: the strips would cost more than a fresh
    // render, unless the worker draws them (the client shows the bare canvas meanwhile).
    if (!drawAheadHost && 2 * Area(layerDrawn & window) < Area(window))
        return false;
    const QPoint step = window.topLeft() - layerWindow.topLeft();
    panDirection = QPoint((step.x() > 0) - (step.x() < 0), (step.y() > 0) - (step.y() < 0));
    const QRect all = belowLayer.rect();
    if (!all.contains(window)) {
        // Past the margin: move the kept pixels so that the client is in the middle again.
        const QPoint shift = QPoint(LayerMargin, LayerMargin) - corner;
        ScrollLayers(shift);
        window.translate(shift);
    }
    const QRegion uncovered = QRegion(window) - layerDrawn;
    if (!uncovered.isEmpty()) {
        // The margins are drawn between events where the host does that;
        // otherwise out to the layers' edge on every side the client crossed,
        // so that strips are drawn seldom and wide instead of thin on every
        // step (a thin strip costs nearly as much: every item crossing it is
        // stroked whole).
        QRect grown = window;
        if (!drawAheadHost) {
            const QRect drawn = layerDrawn.boundingRect();
            grown |= drawn;
            if (window.left() < drawn.left())
                grown.setLeft(all.left());
            if (window.right() > drawn.right())
                grown.setRight(all.right());
            if (window.top() < drawn.top())
                grown.setTop(all.top());
            if (window.bottom() > drawn.bottom())
                grown.setBottom(all.bottom());
        }
        if (drawAheadHost) {
            // Shown at once as the bare canvas; the worker draws the items
            // in first thing, as a piece that reaches into the margin.
            for (const QRect& strip : uncovered) {
                PaintLayerBackground(belowLayer, strip, LayerTransform(), canvas);
                if (!aboveLayer.isNull())
                    ClearPixels(aboveLayer, strip);
            }
        } else {
            for (const QRect& strip : QRegion(grown) - layerDrawn)
                RenderLayers(strip, live);
            layerDrawn += grown;
        }
    }
    layerWindow = window;
    return true;
}

int CKorvaniView::PaintItems(QImage& image, const QRect& clip, int first, int end)
{
    if (first >= end || clip.isEmpty())
        return 0;

    // The items in view are recorded once, here, and the recording is played
    // in bands on every core: an item keeps its pen, brush and working path
    // between draws, so it cannot draw from two threads itself. The export
    // paints the same way, so the screen shows the pixels a PNG gets.
    DisplayList recording(image.width(), image.height());
    std::vector<int> shown;
    ItemsToDraw(LayerTransform(), clip, first, end, shown);
    RecordItems(recording, LayerTransform(), shown, 0, shown.size());
    recording.PlayInBands(image, PaintThreads(int(shown.size()), clip), clip);
    return int(shown.size());
}

void CKorvaniView::ItemsToDraw(const QTransform& toDevice, const QRect& clip, int first, int end,
                               std::vector<int>& shown) const
{
    shown.clear();
    const std::vector<ItemBoundsCache::Entry>& entries = boundsCache.Entries();
    end = std::min(end, int(entries.size()));
    const RectF visible = ::CanvasRectOf(clip, toDevice);
    CoveredItemFilter filter(toDevice, clip, skipCoveredItems);
    for (int i = end - 1; i >= first; --i) {
        const ItemBoundsCache::Entry& e = entries[std::size_t(i)];
        if (ItemBoundsCache::Meets(e.paintBounds, visible) && filter.Shows(*e.item, e.paintBounds))
            shown.push_back(i);
    }
    std::reverse(shown.begin(), shown.end());
}

int CKorvaniView::RecordItems(DisplayList& list, const QTransform& toDevice, const std::vector<int>& shown,
                              std::size_t from, std::size_t to)
{
    const std::vector<ItemBoundsCache::Entry>& entries = boundsCache.Entries();
    QPainter recorder(&list);
    recorder.setRenderHint(QPainter::Antialiasing, true);
    recorder.setTransform(toDevice);
    to = std::min(to, shown.size());
    for (std::size_t k = from; k < to; ++k)
        entries[std::size_t(shown[k])].item->Draw(recorder);
    return int(to > from ? to - from : 0);
}

int CKorvaniView::PaintThreads(int items, const QRect& area) const
{
    const bool parallel = parallelPaint && items >= ParallelItemThreshold && Area(area) >= ParallelMinimumArea;
    return parallel ? int(std::max(1u, std::thread::hardware_concurrency())) : 1;
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
