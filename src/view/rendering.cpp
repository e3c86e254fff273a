// Painting the client area: background, canvas, items, tool marks, the item
// under construction, rulers and guides.

#include "view/korvani_view.h"

#include "document/korvani_doc.h"
#include "items/doodle_item.h"
#include "items/group_item.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <thread>

namespace {

// Below this many items in view one band is quicker than two threads.
constexpr int ParallelItemThreshold = 200;
constexpr int ParallelMinimumRows = 64;

// Items that more than one band draws are drawn by one band at a time: an
// item keeps its pen, brush and working path between draws.
std::array<std::mutex, 64> itemLocks;

std::mutex& LockFor(const DrawItem* item)
{
    return itemLocks[(reinterpret_cast<std::uintptr_t>(item) >> 4) % itemLocks.size()];
}

// One pixel in canvas units.
qreal Pixel()
{
    return ZoomFactor > 0 ? 1.0 / ZoomFactor : 1.0;
}

QRectF SpannedRect(PointF a, PointF b)
{
    return QRectF(std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y));
}

QPen CosmeticPen(ArgbColor color, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(QColor::fromRgba(color), 1, style);
    pen.setCosmetic(true);
    return pen;
}

// Marks are crisp one-pixel lines: no smoothing while they draw.
class MarkScope
{
public:
    explicit MarkScope(QPainter& painter) : painter(painter)
    {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    ~MarkScope() { painter.restore(); }
    MarkScope(const MarkScope&) = delete;
    MarkScope& operator=(const MarkScope&) = delete;

private:
    QPainter& painter;
};

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

void CKorvaniView::Paint(QPainter& painter, const QRect& clip)
{
    if (backBuffer.size() != clientSize)
        backBuffer = QImage(clientSize, QImage::Format_ARGB32_Premultiplied);
    if (backBuffer.isNull())
        return;
    Paint(backBuffer, clip);
    const QRect area = clip & backBuffer.rect();
    painter.drawImage(area.topLeft(), backBuffer, area);
}

void CKorvaniView::Paint(QImage& target, const QRect& requested)
{
    if (target.format() != QImage::Format_ARGB32_Premultiplied && target.format() != QImage::Format_ARGB32)
        target = target.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect clip = requested & target.rect();
    if (clip.isEmpty())
        return;
    ruler.zoom = ZoomFactor;

    {
        QPainter painter(&target);
        painter.setClipRect(clip);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (canvas.width <= 0) {
            // No canvas yet: the whole client is the shadow's grey.
            painter.fillRect(clip, QColor::fromRgba(ShadowColor));
        } else {
            painter.fillRect(clip, QColor::fromRgba(WindowBackground));
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

    PaintItems(target, clip);

    QPainter painter(&target);
    painter.setClipRect(clip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setTransform(CanvasTransform());
    PaintToolMarks(painter);
    PaintConstructionPreview(painter);
    if (canvas.width > 0)
        ruler.Draw(painter, CanvasOrigin(), clientSize);
    PaintGuides(painter);
}

void CKorvaniView::PaintItems(QImage& image, const QRect& clip)
{
    boundsCache.Update(doc.Items());
    const std::vector<ItemBoundsCache::Entry>& entries = boundsCache.Entries();
    if (entries.empty())
        return;

    const QTransform toCanvas = CanvasTransform().inverted();
    // A canvas rectangle that holds every pixel of a client rectangle, with
    // the pixel that anti-aliasing may touch around it.
    const auto canvasRect = [&](const QRect& pixels) {
        const RectF r = FromQRectF(toCanvas.mapRect(QRectF(pixels)));
        return InflateRect(r, float(2 * Pixel()));
    };

    // The selection may show a transform preview beyond its committed
    // bounds: it is never skipped.
    std::vector<DrawItem*> previewing;
    SelectionUnits(previewing);
    std::sort(previewing.begin(), previewing.end());
    const auto mayPreview = [&](const DrawItem* item) {
        return !previewing.empty() && std::binary_search(previewing.begin(), previewing.end(), item);
    };

    const RectF visible = canvasRect(clip);
    int inView = 0;
    for (const ItemBoundsCache::Entry& e : entries) {
        if (ItemBoundsCache::Meets(e.paintBounds, visible))
            ++inView;
    }
    const bool parallel = parallelPaint && inView >= ParallelItemThreshold && clip.height() >= ParallelMinimumRows &&
                          std::thread::hardware_concurrency() >= 2;

    const QRect topBand = parallel ? QRect(clip.left(), clip.top(), clip.width(), clip.height() / 2) : clip;
    const QRect bottomBand = parallel ? QRect(clip.left(), topBand.bottom() + 1, clip.width(),
                                              clip.height() - topBand.height())
                                      : QRect();
    const RectF topRect = canvasRect(topBand);
    const RectF bottomRect = parallel ? canvasRect(bottomBand) : RectF{};

    // Each band paints through its own image header over the same pixels;
    // the bands' rows do not overlap, so no pixel is written twice.
    uchar* const pixels = image.bits();
    const auto paintBand = [&](const QRect& band, const RectF& bandRect) {
        QImage view(pixels, image.width(), image.height(), image.bytesPerLine(), image.format());
        QPainter painter(&view);
        painter.setClipRect(band);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setTransform(CanvasTransform());
        for (const ItemBoundsCache::Entry& e : entries) {
            const bool always = mayPreview(e.item);
            if (!always && !ItemBoundsCache::Meets(e.paintBounds, bandRect))
                continue;
            const bool shared = parallel && (always || (ItemBoundsCache::Meets(e.paintBounds, topRect) &&
                                                        ItemBoundsCache::Meets(e.paintBounds, bottomRect)));
            if (shared) {
                std::lock_guard lock(LockFor(e.item));
                e.item->Draw(painter);
            } else {
                e.item->Draw(painter);
            }
        }
    };

    if (!parallel) {
        paintBand(clip, visible);
        return;
    }
    std::thread lower(paintBand, std::cref(bottomBand), std::cref(bottomRect));
    paintBand(topBand, topRect);
    lower.join();
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
    painter.drawRect(SpannedRect(downPoint, lastPoint));
}

void CKorvaniView::PaintBezierHandles(QPainter& painter)
{
    if (creationNodes.empty())
        return;
    MarkScope scope(painter);
    const std::size_t first = creationNodes.size() >= 2 ? creationNodes.size() - 2 : 0;
    for (std::size_t i = first; i < creationNodes.size(); ++i) {
        const PathNode& n = creationNodes[i];
        painter.setPen(CosmeticPen(MarkBlue, Qt::DashLine));
        painter.drawLine(QPointF(n.lx, n.ly), QPointF(n.x, n.y));
        painter.drawLine(QPointF(n.x, n.y), QPointF(n.rx, n.ry));
        painter.setPen(CosmeticPen(ColorOpaqueBlack));
        painter.setBrush(Qt::NoBrush);
        for (const PointF p : {n.Anchor(), n.Left(), n.Right()})
            painter.drawRect(ToQRectF(HandleSquare(4, p, 1)));
    }
}

void CKorvaniView::PaintToolMarks(QPainter& painter)
{
    const std::int32_t tool = activeTool;
    const bool editLike = tool == ToolValue(ToolKind::Edit) || tool == ToolValue(ToolKind::GradientFill) ||
                          tool == ToolValue(ToolKind::GradientLine);
    if (!editLike && selection && (SelectionIsGroup() || doc.IndexOf(selection) >= 0)) {
        MarkScope scope(painter);
        selection->DrawSelectionHandles(painter);
    }

    if (tool == ToolValue(ToolKind::Edit) && selection) {
        if (editHitCode == HitBody)
            PaintRubberBand(painter);
        MarkScope scope(painter);
        if (editHitCode == 0 || editHitCode == 1 || editHitCode == HitBody || editHitCode == HitRightControl ||
            editHitCode == HitLeftControl)
            selection->DrawNodeHandles(painter, selectedNodes);
        selection->DrawHotNode(painter, hoverPoint);
    } else if (tool == ToolValue(ToolKind::Select)) {
        if (!selection && draggedGuide == -1)
            PaintRubberBand(painter);
    } else if (tool == ToolValue(ToolKind::PlaceImage) || tool == ToolValue(ToolKind::PlaceFile) ||
               tool == ToolValue(ToolKind::ZoomIn)) {
        PaintRubberBand(painter);
    } else if (tool == ToolValue(ToolKind::Bezier)) {
        if (creationCount > 0 && draggedGuide == -1)
            PaintBezierHandles(painter);
    } else if (tool == ToolValue(ToolKind::Rotate) && selection) {
        MarkScope scope(painter);
        const PointF centre = selection->GetPointAttr(ATTR_CENTER);
        const QColor black = QColor::fromRgba(ColorOpaqueBlack);
        QPen pen(black, 1);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(black);
        painter.drawEllipse(ToQRectF(HandleSquare(8, centre, 1)));
    } else if (tool == ToolValue(ToolKind::GradientLine) && selection) {
        MarkScope scope(painter);
        selection->DrawLineGradientHandles(painter, gradientStop);
    } else if (tool == ToolValue(ToolKind::GradientFill) && selection) {
        MarkScope scope(painter);
        selection->DrawFillGradientHandles(painter, gradientStop);
    }
}

void CKorvaniView::PaintConstructionPreview(QPainter& painter)
{
    if (creationNodes.empty())
        return;
    // The nodes placed so far and one more where the pointer is.
    NodeList nodes = creationNodes;
    nodes.push_back(PathNode::AtPoint(lastPoint.x, lastPoint.y, NodeCusp));

    MarkScope scope(painter);
    painter.setPen(QPen(QColor::fromRgba(ColorOpaqueBlack), 1.0));
    painter.setBrush(Qt::NoBrush);
    const std::int32_t tool = activeTool;
    if (tool == ToolValue(ToolKind::Line)) {
        painter.drawLine(QPointF(nodes[0].x, nodes[0].y), QPointF(nodes[1].x, nodes[1].y));
    } else if (tool == ToolValue(ToolKind::Rectangle)) {
        painter.drawRect(SpannedRect(nodes[0].Anchor(), nodes[1].Anchor()));
    } else if (tool == ToolValue(ToolKind::Ellipse)) {
        painter.drawEllipse(SpannedRect(nodes[0].Anchor(), nodes[1].Anchor()));
    } else if (tool == ToolValue(ToolKind::Bezier)) {
        QPainterPath path;
        path.moveTo(nodes[0].x, nodes[0].y);
        for (std::size_t i = 1; i < nodes.size(); ++i) {
            const PathNode& a = nodes[i - 1];
            const PathNode& b = nodes[i];
            path.cubicTo(a.rx, a.ry, b.lx, b.ly, b.x, b.y);
        }
        painter.drawPath(path);
    } else if (tool == ToolValue(ToolKind::Doodle)) {
        QPainterPath path;
        DoodleItem::AddSplineOutline(path, nodes);
        painter.drawPath(path);
    }
}
