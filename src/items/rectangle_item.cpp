#include "items/rectangle_item.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

// --- the shared box ---

void BoxShapeItem::Transform(const Matrix& m, int mode)
{
    TransformAccumulating(m, mode);
}

void BoxShapeItem::BuildOutline(QPainterPath& path, int mode) const
{
    path.clear();
    path.setFillRule(Qt::OddEvenFill);
    const NodeList& corners = mode == ModePreview ? previewNodes : Nodes();
    if (corners.size() < 2)
        return;
    AddShape(path, QRectF(QPointF(corners[0].x, corners[0].y), QPointF(corners[1].x, corners[1].y)));
    const Matrix& m = mode == ModePreview ? previewMatrix : GetMatrix();
    if (!m.IsIdentity())
        path = m.ToQTransform().map(path);
}

void BoxShapeItem::GetBounds(RectF& rect, int mode)
{
    // Bounds keep no outline: a drawing just read holds none until it is drawn.
    QPainterPath outline;
    BuildOutline(outline, mode);
    rect = PathBoundsWithPen(outline);
}

void BoxShapeItem::Draw(QPainter& graphics)
{
    DrawBuiltOutline(graphics, true, [this](QPainterPath& path, int mode) { BuildOutline(path, mode); });
}

bool BoxShapeItem::OpaqueBox(QRectF& box)
{
    const NodeList& corners = Nodes();
    const Matrix& m = GetMatrix();
    // A turned or slanted box is no box on screen.
    if (IsHidden() || corners.size() < 2 || m.M12() != 0 || m.M21() != 0 || !FillIsOpaque())
        return false;
    const QRectF own = QRectF(QPointF(corners[0].x, corners[0].y), QPointF(corners[1].x, corners[1].y)).normalized();
    box = m.ToQTransform().mapRect(InnerBox(own));
    return true;
}

void BoxShapeItem::DrawHotNode(QPainter&, PointF) {}

void BoxShapeItem::DrawNodeHandles(QPainter& graphics, const NodeSelection&)
{
    if (IsHidden() || IsLocked())
        return;
    std::vector<PointF> points;
    points.reserve(8);
    BoxHandlePoints(Bounds(ModeCommit), points);
    workColor = ColorOpaqueBlack;
    graphics.setPen(QPen(QColor::fromRgba(workColor), ZoomFactor > 0 ? 1.0 / ZoomFactor : 1.0));
    graphics.setBrush(Qt::NoBrush);
    for (std::size_t i = 0; i < points.size(); i += 2)
        graphics.drawRect(ToQRectF(HandleSquare(4, points[i], 1)));
}

bool BoxShapeItem::BodyContains(PointF point, const RectF& bounds)
{
    if (!RectContains(bounds, point.x, point.y))
        return false;
    BuildOutline(workPath, ModeCommit);
    return workPath.contains(ToQPointF(point));
}

std::int32_t BoxShapeItem::HitNode(PointF point, NodeSelection&)
{
    if (IsHidden() || IsLocked())
        return HitMiss;
    return BodyContains(point, Bounds(ModeCommit)) ? HitBody : HitMiss;
}

std::int32_t BoxShapeItem::SelectNodesInRect(const RectF&, NodeSelection&)
{
    return HitMiss;
}

bool BoxShapeItem::SetNodes(const NodeList& list)
{
    if (list.size() != 2 || !FiniteNodes(list))
        return false;
    const float x = std::min(list[0].x, list[1].x), y = std::min(list[0].y, list[1].y);
    const float width = std::fabs(list[1].x - list[0].x), height = std::fabs(list[1].y - list[0].y);
    // Both sides need at least 4 units; the negated test also refuses NaN.
    if (!(width >= 4 && height >= 4) || !std::isfinite(width) || !std::isfinite(height))
        return false;
    EditNodes() = {PathNode::AtPoint(x, y, NodeCusp), PathNode::AtPoint(x + width, y + height, NodeCusp)};
    UpdateCenter();
    return true;
}

void BoxShapeItem::MoveNodes(int, const NodeSelection&, float, float) {}

void BoxShapeItem::FinishOutlineNodes(NodeList& list, std::size_t first) const
{
    // Only the nodes added here: a list that gathers several outlines keeps the others as they are.
    for (std::size_t i = first; i < list.size(); ++i) {
        NodeList one{list[i]};
        GetMatrix().MapNodes(one);
        list[i] = one[0];
    }
    if (!list.empty())
        list.back().brk = 1;
}

// --- rectangle ---

RectangleItem::RectangleItem() : BoxShapeItem(ItemRectangle, "rectangle") {}

void RectangleItem::AddShape(QPainterPath& path, const QRectF& box) const
{
    path.addRect(box);
}

std::int32_t RectangleItem::HitTest(PointF point)
{
    if (IsHidden() || IsLocked() || Nodes().size() < 2)
        return HitMiss;
    const RectF bounds = Bounds(ModeCommit);
    const std::int32_t handle = HitBoxHandles(bounds, point);
    if (handle != HitMiss)
        return handle;
    return BodyContains(point, bounds) ? HitBody : HitMiss;
}

void RectangleItem::GetNodes(NodeList& list)
{
    if (Nodes().size() < 2)
        return;
    const std::size_t first = list.size();
    const float x0 = Nodes()[0].x, y0 = Nodes()[0].y, x1 = Nodes()[1].x, y1 = Nodes()[1].y;
    list.push_back(PathNode::AtPoint(x0, y0, NodeCusp));
    list.push_back(PathNode::AtPoint(x1, y0, NodeCusp));
    list.push_back(PathNode::AtPoint(x1, y1, NodeCusp));
    PathNode last = PathNode::AtPoint(x0, y1, NodeCusp);
    last.brk = 1;
    last.close = 1;
    list.push_back(last);
    FinishOutlineNodes(list, first);
}
