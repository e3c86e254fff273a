#include "items/image_item.h"

#include "platform/picture_cache.h"

#include <QPainter>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

RectF CornerBounds(const std::array<PointF, 4>& corners)
{
    float left = corners[0].x, right = left, top = corners[0].y, bottom = top;
    for (const PointF& p : corners) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return {left, top, right - left, bottom - top};
}

bool IsFiniteNode(const PathNode& n)
{
    return std::isfinite(n.lx) && std::isfinite(n.ly) && std::isfinite(n.x) && std::isfinite(n.y) &&
           std::isfinite(n.rx) && std::isfinite(n.ry);
}

// The working file of the item; empty when it has none.
const std::string& NoPath()
{
    static const std::string empty;
    return empty;
}

// A click leaves a box this small; the picture then comes at its own size.
constexpr float ClickBoxSize = 4;

} // namespace

ImageItem::ImageItem() : DrawItem(ItemImage, "image") {}

// --- no gradients on a picture ---

void ImageItem::HitFillStop(PointF, std::int32_t&) {}
void ImageItem::HitLineStop(PointF, std::int32_t&) {}
void ImageItem::EnsureLineGradient() {}
void ImageItem::EnsureFillGradient() {}
std::int32_t ImageItem::ToggleLineStopAt(PointF, ArgbColor) { return 0; }
std::int32_t ImageItem::ToggleFillStopAt(PointF, ArgbColor) { return 0; }
void ImageItem::DragLineGradientHandle(std::int32_t, float, float) {}
void ImageItem::DragFillGradientHandle(std::int32_t, float, float) {}
bool ImageItem::ConvertInto(DrawItem&) { return false; }

// --- no node editing ---

void ImageItem::DrawHotNode(QPainter&, PointF) {}
void ImageItem::DrawNodeHandles(QPainter&, const NodeSelection&) {}
std::int32_t ImageItem::SelectNodesInRect(const RectF&, NodeSelection&) { return HitMiss; }
void ImageItem::GetNodes(NodeList&) {}
void ImageItem::MoveNodes(int, const NodeSelection&, float, float) {}

bool ImageItem::BoxCorners(const NodeList& list, const Matrix& m, std::array<PointF, 4>& corners)
{
    if (list.size() != 2)
        return false;
    const PathNode& a = list[0];
    const PathNode& b = list[1];
    corners = {PointF{a.x, a.y}, PointF{b.x, a.y}, PointF{b.x, b.y}, PointF{a.x, b.y}};
    m.MapPoints(corners.data(), int(corners.size()));
    return true;
}

const std::string& ImageItem::WorkingFile() const
{
    const std::string* path = FindAttr(ATTR_CONTENT);
    return path ? *path : NoPath();
}

void ImageItem::Transform(const Matrix& m, int mode)
{
    // The box gathers the matrix and the centre travels along; a picture has
    // no gradient points to carry.
    TransformAccumulating(m, mode, false);
}

void ImageItem::GetBounds(RectF& rect, int mode)
{
    const bool preview = mode == ModePreview && !previewNodes.empty();
    std::array<PointF, 4> corners;
    if (!BoxCorners(preview ? previewNodes : Nodes(), preview ? previewMatrix : GetMatrix(), corners)) {
        rect = RectF{};
        return;
    }
    rect = CornerBounds(corners);
}

bool ImageItem::SetNodes(const NodeList& list)
{
    if (list.size() != 2 || !IsFiniteNode(list[0]) || !IsFiniteNode(list[1]))
        return false;
    EditNodes() = list;
    const RectF box = Bounds(ModeCommit);
    if (box.width < ClickBoxSize || box.height < ClickBoxSize) {
        if (const auto picture = CachedPicture(WorkingFile())) {
            const QSizeF size = picture->NaturalSize();
            NodeList& corners = EditNodes();
            const PathNode& origin = corners[0];
            corners[1] = PathNode::AtPoint(origin.x + float(size.width()), origin.y + float(size.height()), corners[1].type);
        }
    }
    UpdateCenter();
    return true;
}

void ImageItem::Draw(QPainter& graphics)
{
    if (IsHidden())
        return;
    std::array<PointF, 4> corners;
    const auto picture = BoxCorners(Nodes(), GetMatrix(), corners) ? CachedPicture(WorkingFile()) : nullptr;
    const QSizeF size = picture ? picture->NaturalSize() : QSizeF();
    if (picture && !size.isEmpty()) {
        // The picture's own rectangle onto the parallelogram of the top-left,
        // top-right and bottom-left corners; a reversed box mirrors it.
        const qreal w = size.width(), h = size.height();
        const QTransform toBox((corners[1].x - corners[0].x) / w, (corners[1].y - corners[0].y) / w,
                               (corners[3].x - corners[0].x) / h, (corners[3].y - corners[0].y) / h, corners[0].x,
                               corners[0].y);
        if (toBox.isInvertible()) {
            graphics.save();
            graphics.setTransform(toBox, true);
            graphics.setRenderHint(QPainter::SmoothPixmapTransform, true);
            picture->Draw(graphics, QRectF(0, 0, w, h));
            graphics.restore();
        }
    }
    if (!previewNodes.empty() && BoxCorners(previewNodes, previewMatrix, corners)) {
        workPath.clear();
        workPath.moveTo(ToQPointF(corners[0]));
        for (int i = 1; i < 4; ++i)
            workPath.lineTo(ToQPointF(corners[i]));
        workPath.closeSubpath();
        DrawPreviewPath(graphics, workPath);
    }
}

std::int32_t ImageItem::HitTest(PointF point)
{
    if (IsHidden() || IsLocked())
        return HitMiss;
    return HitBoxOrBody(Bounds(ModeCommit), point);
}

std::int32_t ImageItem::HitNode(PointF point, NodeSelection&)
{
    if (IsHidden() || IsLocked())
        return HitMiss;
    return RectContainsHalfOpen(Bounds(ModeCommit), point.x, point.y) ? HitBody : HitMiss;
}
