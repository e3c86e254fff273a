#include "items/doodle_item.h"

#include "items/curve_item.h"

#include <QPainter>

#include <algorithm>

namespace {

bool InSquare(float side, PointF centre, PointF point)
{
    return RectContainsHalfOpen(HandleSquare(side, centre, 0), point.x, point.y);
}

} // namespace

DoodleItem::DoodleItem() : DrawItem(ItemDoodle, "doodle") {}

DoodleItem::DoodleItem(std::uint32_t itemId) : DoodleItem()
{
    SetId(itemId);
}

// Cardinal spline as Bezier runs: the segment p[i] -> p[i+1] has the control
// points p[i] + t (p[i+1] - p[i-1]) / 3 and p[i+1] - t (p[i+2] - p[i]) / 3,
// with the end points standing in for their missing neighbours. The tangent
// at p[i] is t (p[i+1] - p[i-1]), so tension 0.5 gives the Catmull-Rom curve,
// the customary smooth curve through the points; tension 0 gives straight lines.
void DoodleItem::AddSplineOutline(QPainterPath& path, const NodeList& list, float tension)
{
    const std::size_t n = list.size();
    if (n == 0)
        return;
    path.reserve(path.elementCount() + 1 + 3 * int(n - 1));
    path.moveTo(list[0].x, list[0].y);
    const double k = double(tension) / 3.0;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const PathNode& before = list[i == 0 ? 0 : i - 1];
        const PathNode& from = list[i];
        const PathNode& to = list[i + 1];
        const PathNode& after = list[std::min(i + 2, n - 1)];
        const QPointF c1(from.x + k * (double(to.x) - before.x), from.y + k * (double(to.y) - before.y));
        const QPointF c2(to.x - k * (double(after.x) - from.x), to.y - k * (double(after.y) - from.y));
        path.cubicTo(c1, c2, QPointF(to.x, to.y));
    }
}

void DoodleItem::ThinTrack(NodeList& list)
{
    // Each point is compared with the last one kept, so a slow steady drag keeps
    // a point every 2 units instead of collapsing into its final point.
    std::size_t i = 0;
    while (i + 1 < list.size()) {
        if (!InSquare(4, list[i].Anchor(), list[i + 1].Anchor())) {
            ++i;
            continue;
        }
        if (i + 2 == list.size())
            list.erase(list.begin() + std::ptrdiff_t(i)); // the end of the stroke always stays
        else
            list.erase(list.begin() + std::ptrdiff_t(i + 1));
    }
}

void DoodleItem::Transform(const Matrix& m, int mode)
{
    TransformBaking(m, mode);
}

bool DoodleItem::SetNodes(const NodeList& list)
{
    if (list.size() < 2 || !FiniteNodes(list))
        return false;
    NodeList& track = EditNodes();
    track = list;
    ThinTrack(track);
    // Judged by the stroke's own extent, like the other shapes, whatever the pen.
    QPainterPath outline;
    AddSplineOutline(outline, track);
    const QRectF extent = outline.boundingRect();
    if (extent.width() < 4 && extent.height() < 4) {
        track.clear();
        return false;
    }
    UpdateCenter();
    return true;
}

void DoodleItem::GetNodes(NodeList& list)
{
    list = Nodes();
    if (!list.empty())
        list.back().brk = 1;
}

void DoodleItem::GetBounds(RectF& rect, int mode)
{
    // Bounds keep no outline: a drawing just read holds none until it is drawn.
    QPainterPath outline;
    AddSplineOutline(outline, mode == ModePreview ? previewNodes : Nodes());
    rect = PathBoundsWithPen(outline);
}

void DoodleItem::Draw(QPainter& graphics)
{
    DrawBuiltOutline(graphics, false, [this](QPainterPath& path, int mode) {
        AddSplineOutline(path, mode == ModePreview ? previewNodes : Nodes());
    });
}

void DoodleItem::DrawHotNode(QPainter& graphics, PointF point)
{
    if (!Editable())
        return;
    const QColor black = QColor::fromRgba(ColorOpaqueBlack);
    for (const PathNode& n : Nodes()) {
        if (InSquare(8, n.Anchor(), point))
            graphics.fillRect(ToQRectF(HandleSquare(8, n.Anchor(), 1)), black);
    }
}

void DoodleItem::DrawNodeHandles(QPainter& graphics, const NodeSelection& selection)
{
    if (!Editable())
        return;
    DrawAnchorHandles(graphics, Nodes(), selection);
}

bool DoodleItem::NearStroke(PointF point)
{
    const RectF bounds = Bounds(ModeCommit);
    if (!RectContainsHalfOpen(bounds, point.x, point.y))
        return false;
    for (std::size_t i = 0; i + 1 < Nodes().size(); ++i) {
        if (PointNearSegment(point, Nodes()[i].Anchor(), Nodes()[i + 1].Anchor()))
            return true;
    }
    return false;
}

std::int32_t DoodleItem::HitTest(PointF point)
{
    if (!Editable())
        return HitMiss;
    const RectF bounds = Bounds(ModeCommit);
    const std::int32_t handle = HitBoxHandles(bounds, point);
    if (handle != HitMiss)
        return handle;
    return NearStroke(point) ? HitBody : HitMiss;
}

std::int32_t DoodleItem::HitNode(PointF point, NodeSelection& selection)
{
    if (!Editable())
        return HitMiss;
    for (std::size_t i = 0; i < Nodes().size(); ++i) {
        if (InSquare(4, Nodes()[i].Anchor(), point)) {
            selection.push_back(std::int32_t(i));
            return HitAnchor;
        }
    }
    return NearStroke(point) ? HitBody : HitMiss;
}

std::int32_t DoodleItem::SelectNodesInRect(const RectF& rect, NodeSelection& selection)
{
    if (!Editable())
        return HitMiss;
    return SelectAnchorsInRect(Nodes(), rect, selection);
}

void DoodleItem::MoveNodes(int mode, const NodeSelection& selection, float dx, float dy)
{
    if (!Editable() || (mode != 0 && mode != 1))
        return;
    MoveSelectedNodes(EditNodes(), selection, dx, dy);
}
