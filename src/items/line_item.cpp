#include "items/line_item.h"

#include "items/curve_item.h" // node helpers shared with the curve and the doodle

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

void AddSegment(QPainterPath& path, const NodeList& list)
{
    if (list.size() < 2)
        return;
    path.moveTo(list[0].x, list[0].y);
    path.lineTo(list[1].x, list[1].y);
}

} // namespace

LineItem::LineItem() : DrawItem(ItemLine, "line") {}

void LineItem::Transform(const Matrix& m, int mode)
{
    TransformBaking(m, mode);
}

void LineItem::GetBounds(RectF& rect, int mode)
{
    QPainterPath segment;
    AddSegment(segment, mode == ModePreview ? previewNodes : nodes);
    rect = PathBoundsWithPen(segment);
}

void LineItem::Draw(QPainter& graphics)
{
    if (IsHidden() || nodes.size() < 2)
        return;
    PreparePen();
    graphics.setPen(pen);
    graphics.drawLine(QPointF(nodes[0].x, nodes[0].y), QPointF(nodes[1].x, nodes[1].y));
    if (previewNodes.size() >= 2) {
        QPainterPath preview;
        AddSegment(preview, previewNodes);
        DrawPreviewPath(graphics, preview);
    }
}

void LineItem::DrawHotNode(QPainter& graphics, PointF point)
{
    if (IsHidden() || IsLocked())
        return;
    workColor = ColorOpaqueBlack;
    brush.setColor(QColor::fromRgba(workColor));
    for (const PathNode& n : nodes) {
        const RectF square = HandleSquare(8, n.Anchor(), 1);
        if (RectContainsHalfOpen(square, point.x, point.y))
            graphics.fillRect(ToQRectF(square), brush);
    }
}

void LineItem::DrawNodeHandles(QPainter& graphics, const NodeSelection& selection)
{
    if (IsHidden() || IsLocked())
        return;
    DrawAnchorHandles(graphics, nodes, selection);
}

bool LineItem::OnLine(PointF point)
{
    if (nodes.size() < 2)
        return false;
    return RectContains(Bounds(ModeCommit), point.x, point.y) && PointNearSegment(point, nodes[0].Anchor(), nodes[1].Anchor());
}

std::int32_t LineItem::HitTest(PointF point)
{
    if (IsHidden() || IsLocked() || nodes.size() < 2)
        return HitMiss;
    if (OnLine(point))
        return HitBody;
    return HitBoxHandles(Bounds(ModeCommit), point);
}

std::int32_t LineItem::HitNode(PointF point, NodeSelection& selection)
{
    if (IsHidden() || IsLocked())
        return HitMiss;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (RectContainsHalfOpen(HandleSquare(8, nodes[i].Anchor(), 0), point.x, point.y)) {
            selection.push_back(std::int32_t(i));
            return HitAnchor;
        }
    }
    return OnLine(point) ? HitBody : HitMiss;
}

std::int32_t LineItem::SelectNodesInRect(const RectF& rect, NodeSelection& selection)
{
    if (IsHidden() || IsLocked())
        return HitMiss;
    return SelectAnchorsInRect(nodes, rect, selection);
}

bool LineItem::SetNodes(const NodeList& list)
{
    if (list.size() != 2 || !FiniteNodes(list))
        return false;
    // A line needs at least 4 units on one axis.
    if (std::fabs(list[1].x - list[0].x) < 4 && std::fabs(list[1].y - list[0].y) < 4)
        return false;
    nodes = list;
    UpdateCenter();
    return true;
}

void LineItem::GetNodes(NodeList& list)
{
    list = nodes;
    if (!list.empty())
        list.back().brk = 1;
}

void LineItem::MoveNodes(int mode, const NodeSelection& selection, float dx, float dy)
{
    if ((mode != 0 && mode != 1) || IsHidden() || IsLocked() || !std::isfinite(dx) || !std::isfinite(dy))
        return;
    MoveSelectedNodes(nodes, selection, dx, dy);
}
