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
    AddSegment(segment, mode == ModePreview ? previewNodes : Nodes());
    rect = PathBoundsWithPen(segment);
}

void LineItem::Draw(QPainter& graphics)
{
    if (IsHidden() || Nodes().size() < 2)
        return;
    PreparePen();
    graphics.setPen(pen);
    graphics.drawLine(QPointF(Nodes()[0].x, Nodes()[0].y), QPointF(Nodes()[1].x, Nodes()[1].y));
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
    for (const PathNode& n : Nodes()) {
        const RectF square = HandleSquare(8, n.Anchor(), 1);
        if (RectContainsHalfOpen(square, point.x, point.y))
            graphics.fillRect(ToQRectF(square), brush);
    }
}

void LineItem::DrawNodeHandles(QPainter& graphics, const NodeSelection& selection)
{
    if (IsHidden() || IsLocked())
        return;
    DrawAnchorHandles(graphics, Nodes(), selection);
}

bool LineItem::OnLine(PointF point)
{
    if (Nodes().size() < 2)
        return false;
    return RectContains(Bounds(ModeCommit), point.x, point.y) && PointNearSegment(point, Nodes()[0].Anchor(), Nodes()[1].Anchor());
}

std::int32_t LineItem::HitTest(PointF point)
{
    if (IsHidden() || IsLocked() || Nodes().size() < 2)
        return HitMiss;
    if (OnLine(point))
        return HitBody;
    return HitBoxHandles(Bounds(ModeCommit), point);
}

std::int32_t LineItem::HitNode(PointF point, NodeSelection& selection)
{
    if (IsHidden() || IsLocked())
        return HitMiss;
    for (std::size_t i = 0; i < Nodes().size(); ++i) {
        if (RectContainsHalfOpen(HandleSquare(8, Nodes()[i].Anchor(), 0), point.x, point.y)) {
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
    return SelectAnchorsInRect(Nodes(), rect, selection);
}

bool LineItem::SetNodes(const NodeList& list)
{
    if (list.size() != 2 || !FiniteNodes(list))
        return false;
    // A line needs at least 4 units on one axis.
    if (std::fabs(list[1].x - list[0].x) < 4 && std::fabs(list[1].y - list[0].y) < 4)
        return false;
    EditNodes() = list;
    UpdateCenter();
    return true;
}

void LineItem::GetNodes(NodeList& list)
{
    list = Nodes();
    if (!list.empty())
        list.back().brk = 1;
}

void LineItem::MoveNodes(int mode, const NodeSelection& selection, float dx, float dy)
{
    if ((mode != 0 && mode != 1) || IsHidden() || IsLocked() || !std::isfinite(dx) || !std::isfinite(dy))
        return;
    MoveSelectedNodes(EditNodes(), selection, dx, dy);
}
