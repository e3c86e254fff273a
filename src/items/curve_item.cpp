#include "items/curve_item.h"

#include <QPainter>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <set>

namespace {

// A control point counts as lying on its anchor inside the anchor's 4 x 4 square.
bool OnAnchor(PointF control, PointF anchor)
{
    return RectContainsHalfOpen(HandleSquare(4, anchor, 0), control.x, control.y);
}

bool InSquare(float side, PointF centre, PointF point)
{
    return RectContainsHalfOpen(HandleSquare(side, centre, 0), point.x, point.y);
}

void SetLeft(PathNode& n, PointF p)
{
    n.lx = p.x;
    n.ly = p.y;
}

void SetRight(PathNode& n, PointF p)
{
    n.rx = p.x;
    n.ry = p.y;
}

// Reversal runs the subpath the other way: the control points trade roles.
void ReverseNodes(NodeList& list)
{
    std::reverse(list.begin(), list.end());
    for (PathNode& n : list) {
        std::swap(n.lx, n.rx);
        std::swap(n.ly, n.ry);
    }
}

// Qt flattens curves to half a unit; flattening at twice the size and
// scaling back gives the quarter-unit flatness.
constexpr double FlattenUpscale = 2.0;

QList<QPolygonF> FlattenToPolygons(const QPainterPath& path)
{
    QList<QPolygonF> polygons = path.toSubpathPolygons(QTransform::fromScale(FlattenUpscale, FlattenUpscale));
    for (QPolygonF& polygon : polygons) {
        for (QPointF& p : polygon)
            p /= FlattenUpscale;
    }
    return polygons;
}

// One screen pixel in canvas units, whatever the zoom.
qreal ScreenPixel()
{
    return ZoomFactor > 0 ? 1.0 / ZoomFactor : 1.0;
}

} // namespace

// The box FlattenPath(path).boundingRect() gives, without building the flat
// path: a flattened outline is lines only, so its box is that of its points.
QRectF FlattenedBounds(const QPainterPath& path)
{
    const QList<QPolygonF> polygons = FlattenToPolygons(path);
    if (polygons.isEmpty())
        return {};
    const QPointF first = polygons.front().front();
    qreal minX = first.x(), maxX = first.x(), minY = first.y(), maxY = first.y();
    for (const QPolygonF& polygon : polygons) {
        for (const QPointF& p : polygon) {
            minX = std::min(minX, p.x());
            maxX = std::max(maxX, p.x());
            minY = std::min(minY, p.y());
            maxY = std::max(maxY, p.y());
        }
    }
    return {minX, minY, maxX - minX, maxY - minY};
}

QPainterPath FlattenPath(const QPainterPath& path)
{
    QPainterPath flat;
    flat.setFillRule(path.fillRule());
    for (const QPolygonF& polygon : FlattenToPolygons(path))
        flat.addPolygon(polygon);
    return flat;
}

void MoveSelectedNodes(NodeList& nodes, const NodeSelection& selection, float dx, float dy)
{
    // A selection that names a node twice still moves it once.
    const std::set<std::int32_t> unique(selection.begin(), selection.end());
    NodeList moved = nodes;
    for (std::int32_t index : unique) {
        if (index < 0 || std::size_t(index) >= moved.size())
            continue;
        PathNode& n = moved[index];
        n.lx += dx, n.ly += dy;
        n.x += dx, n.y += dy;
        n.rx += dx, n.ry += dy;
    }
    // A move that would leave a node beyond the float range is refused whole.
    if (FiniteNodes(moved))
        nodes = std::move(moved);
}

std::int32_t SelectAnchorsInRect(const NodeList& nodes, const RectF& rect, NodeSelection& selection)
{
    int found = 0;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (RectContains(rect, nodes[i].x, nodes[i].y)) {
            selection.push_back(std::int32_t(i));
            ++found;
        }
    }
    return found == 0 ? HitMiss : found == 1 ? 0 : 1;
}

void DrawAnchorHandles(QPainter& graphics, const NodeList& nodes, const NodeSelection& selection)
{
    const QColor black = QColor::fromRgba(ColorOpaqueBlack);
    graphics.save();
    graphics.setPen(QPen(black, ScreenPixel()));
    graphics.setBrush(Qt::NoBrush);
    for (const PathNode& n : nodes)
        graphics.drawRect(ToQRectF(HandleSquare(4, n.Anchor(), 1)));
    for (std::int32_t index : selection) {
        if (index >= 0 && std::size_t(index) < nodes.size())
            graphics.fillRect(ToQRectF(HandleSquare(4, nodes[index].Anchor(), 1)), black);
    }
    graphics.restore();
}

CurveItem::CurveItem() : DrawItem(ItemCurve, "curve") {}

CurveItem::CurveItem(std::uint32_t itemId) : CurveItem()
{
    SetId(itemId);
}

bool CurveItem::FindSubpath(std::int32_t index, Subpath& out) const
{
    if (!ValidIndex(index))
        return false;
    std::int32_t first = 0;
    for (std::int32_t i = 0; std::size_t(i) < Nodes().size(); ++i) {
        if (Nodes()[i].brk == 0)
            continue;
        if (index <= i) {
            out = {first, i, Nodes()[i].close != 0};
            return true;
        }
        first = i + 1;
    }
    return false;
}

bool CurveItem::IsOpenEnd(std::int32_t index) const
{
    Subpath sp;
    return FindSubpath(index, sp) && !sp.closed && (index == sp.first || index == sp.last);
}

bool CurveItem::SegmentStart(std::int32_t index, std::int32_t& start) const
{
    Subpath sp;
    if (!FindSubpath(index, sp))
        return false;
    if (index != sp.first) {
        start = index - 1;
        return true;
    }
    if (!sp.closed || sp.last == sp.first)
        return false; // the first node of an open subpath has no arriving segment
    start = sp.last;
    return true;
}

void CurveItem::Transform(const Matrix& m, int mode)
{
    TransformBaking(m, mode);
}

bool CurveItem::SetNodes(const NodeList& list)
{
    if (list.size() < 2 || !FiniteNodes(list))
        return false;
    // Replaces rather than appends, so that undo can restore an outline through it.
    EditNodes() = list;
    UpdateCenter();
    return true;
}

void CurveItem::GetNodes(NodeList& list)
{
    list = Nodes();
}

void CurveItem::SetNode(std::int32_t index, const PathNode& node)
{
    if (Nodes().empty() || !Editable() || !FiniteNode(node))
        return;
    NodeList& outline = EditNodes();
    outline[ValidIndex(index) ? index : outline.size() - 1] = node;
    UpdateCenter();
}

void CurveItem::GetNode(std::int32_t index, PathNode& node)
{
    if (Nodes().empty())
        return;
    node = Nodes()[ValidIndex(index) ? index : Nodes().size() - 1];
}

void CurveItem::InsertNodeAt(const PathNode& node)
{
    if (!Editable() || !FiniteNode(node))
        return;
    NodeList& outline = EditNodes();
    const PointF at = node.Anchor();
    std::int32_t first = 0;
    for (std::int32_t last = 0; std::size_t(last) < outline.size(); ++last) {
        if (outline[last].brk == 0)
            continue;
        const bool closed = outline[last].close != 0;
        const std::int32_t end = closed ? last + 1 : last; // closing segment included
        for (std::int32_t s = first; s < end; ++s) {
            const std::int32_t e = s < last ? s + 1 : first;
            QPainterPath segment;
            segment.moveTo(ToQPointF(outline[s].Anchor()));
            segment.cubicTo(ToQPointF(outline[s].Right()), ToQPointF(outline[e].Left()), ToQPointF(outline[e].Anchor()));
            const QList<QPolygonF> pieces = FlattenToPolygons(segment);
            if (pieces.isEmpty())
                continue;
            const QPolygonF& line = pieces.front();
            // Grown by the segment tolerance: a straight axis-parallel segment
            // has bounds of no height, which no click would ever hit.
            const RectF box = InflateRect(FromQRectF(line.boundingRect()), 4);
            if (!RectContains(box, at.x, at.y))
                continue;
            bool near = false;
            for (qsizetype i = 0; i + 1 < line.size() && !near; ++i)
                near = PointNearSegment(at, FromQPointF(line[i]), FromQPointF(line[i + 1]));
            if (!near)
                continue;
            PathNode inserted = node;
            inserted.brk = 0;
            inserted.close = 0;
            if (s == last) {
                // On the closing segment the new node becomes the subpath's last.
                inserted.brk = 1;
                inserted.close = 1;
                outline[s].brk = 0;
                outline[s].close = 0;
            }
            outline.insert(outline.begin() + s + 1, inserted);
            return;
        }
        first = last + 1;
    }
}

void CurveItem::DeleteNode(std::int32_t index)
{
    if (!Editable() || !ValidIndex(index))
        return;
    NodeList& outline = EditNodes();
    outline.erase(outline.begin() + index);
}

bool CurveItem::IsNodeClosedOrInner(std::int32_t index)
{
    if (!ValidIndex(index))
        return false;
    return !IsOpenEnd(index);
}

bool CurveItem::CanJoinEnds(const NodeSelection& selection)
{
    if (!Editable() || selection.size() != 2 || selection[0] == selection[1])
        return false;
    return IsOpenEnd(selection[0]) && IsOpenEnd(selection[1]);
}

void CurveItem::BreakAtNode(std::int32_t index)
{
    Subpath sp;
    if (!Editable() || !FindSubpath(index, sp))
        return;
    NodeList& outline = EditNodes();
    if (!sp.closed) {
        // Breaking an open subpath at one of its ends would only leave a lone node behind.
        if (index == sp.first || index == sp.last)
            return;
        outline.insert(outline.begin() + index, outline[index]);
        outline[index].brk = 1;
        outline[index].close = 0;
        return;
    }
    NodeList part(outline.begin() + sp.first, outline.begin() + sp.last + 1);
    for (PathNode& n : part)
        n.brk = n.close = 0;
    const std::size_t k = std::size_t(index - sp.first);
    NodeList rotated;
    rotated.reserve(part.size() + 1);
    rotated.insert(rotated.end(), part.begin() + k, part.end());
    rotated.insert(rotated.end(), part.begin(), part.begin() + k);
    rotated.push_back(part[k]);
    rotated.back().brk = 1;
    outline.erase(outline.begin() + sp.first, outline.begin() + sp.last + 1);
    outline.insert(outline.begin() + sp.first, rotated.begin(), rotated.end());
}

void CurveItem::JoinEnds(const NodeSelection& selection)
{
    if (!CanJoinEnds(selection))
        return;
    const std::int32_t a = selection[0], b = selection[1];
    Subpath pa, pb;
    FindSubpath(a, pa);
    FindSubpath(b, pb);
    NodeList& outline = EditNodes();

    if (pa.first == pb.first) {
        // Both ends of one subpath: close it.
        const std::int32_t first = pa.first, last = pa.last;
        if (last - first >= 2 && OnAnchor(outline[last].Anchor(), outline[first].Anchor())) {
            // The ends coincide: the last node gives way to the first, which
            // takes over its arriving control point so the closing segment keeps its shape.
            SetLeft(outline[first], outline[last].Left());
            outline.erase(outline.begin() + last);
            outline[last - 1].brk = 1;
            outline[last - 1].close = 1;
        } else {
            // Ends apart: closing adds the segment between them and loses no node.
            outline[last].close = 1;
        }
        return;
    }

    // Two subpaths: put the selected ends next to each other with as few reversals as possible.
    NodeList p(outline.begin() + pa.first, outline.begin() + pa.last + 1);
    NodeList q(outline.begin() + pb.first, outline.begin() + pb.last + 1);
    const bool aAtStart = a == pa.first && pa.first != pa.last;
    const bool aAtEnd = a == pa.last && pa.first != pa.last;
    const bool bAtStart = b == pb.first && pb.first != pb.last;
    const bool bAtEnd = b == pb.last && pb.first != pb.last;
    NodeList merged;
    merged.reserve(p.size() + q.size());
    if (int(aAtStart) + int(bAtEnd) <= int(bAtStart) + int(aAtEnd)) {
        if (aAtStart)
            ReverseNodes(p);
        if (bAtEnd)
            ReverseNodes(q);
        merged = p;
        merged.insert(merged.end(), q.begin(), q.end());
    } else {
        if (bAtStart)
            ReverseNodes(q);
        if (aAtEnd)
            ReverseNodes(p);
        merged = q;
        merged.insert(merged.end(), p.begin(), p.end());
    }
    for (PathNode& n : merged)
        n.brk = n.close = 0;
    merged.back().brk = 1;

    // The merged subpath takes the place of the earlier one.
    const Subpath& early = pa.first < pb.first ? pa : pb;
    const Subpath& late = pa.first < pb.first ? pb : pa;
    outline.erase(outline.begin() + late.first, outline.begin() + late.last + 1);
    outline.erase(outline.begin() + early.first, outline.begin() + early.last + 1);
    outline.insert(outline.begin() + early.first, merged.begin(), merged.end());
}

void CurveItem::ConvertSegmentToCurve(std::int32_t index)
{
    std::int32_t start;
    if (!Editable() || !SegmentStart(index, start))
        return;
    NodeList& outline = EditNodes();
    PathNode& p = outline[start];
    PathNode& q = outline[index];
    if (!OnAnchor(p.Right(), p.Anchor()) || !OnAnchor(q.Left(), q.Anchor()))
        return; // already curved
    const float ex = (q.x - p.x) / 3, ey = (q.y - p.y) / 3;
    SetRight(p, {p.x + ex, p.y + ey});
    SetLeft(q, {q.x - ex, q.y - ey});
    p.type = q.type = NodeCusp;
}

void CurveItem::ConvertSegmentToLine(std::int32_t index)
{
    std::int32_t start;
    if (!Editable() || !SegmentStart(index, start))
        return;
    NodeList& outline = EditNodes();
    PathNode& p = outline[start];
    PathNode& q = outline[index];
    if (OnAnchor(p.Right(), p.Anchor()) && OnAnchor(q.Left(), q.Anchor()))
        return; // already straight
    SetRight(p, p.Anchor());
    SetLeft(q, q.Anchor());
    p.type = q.type = NodeCusp;
}

bool CurveItem::ConvertInto(DrawItem&)
{
    return false;
}

void CurveItem::MoveNodes(int mode, const NodeSelection& selection, float dx, float dy)
{
    if (!Editable())
        return;
    if (mode == 0 || mode == 1)
        MoveSelectedNodes(EditNodes(), selection, dx, dy);
    else if (mode == HitLeftControl)
        DragControlPoint(true, selection, dx, dy);
    else if (mode == HitRightControl)
        DragControlPoint(false, selection, dx, dy);
}

void CurveItem::DragControlPoint(bool left, const NodeSelection& selection, float dx, float dy)
{
    if (selection.empty() || !ValidIndex(selection.front()))
        return;
    PathNode& n = EditNodes()[selection.front()];
    const PointF dragged = left ? n.Left() : n.Right();
    const PointF target{dragged.x + dx, dragged.y + dy};
    if (InSquare(4, target, n.Anchor()))
        return; // a control point cannot be dropped onto its own anchor
    PointF other = left ? n.Right() : n.Left();
    MirrorControlPoint(n.Anchor(), target, n.type, other);
    if (!std::isfinite(target.x) || !std::isfinite(target.y) || !std::isfinite(other.x) || !std::isfinite(other.y))
        return;
    if (left) {
        SetLeft(n, target);
        SetRight(n, other);
    } else {
        SetRight(n, target);
        SetLeft(n, other);
    }
}

void CurveItem::GetBounds(RectF& rect, int mode)
{
    // Bounds keep no outline: a drawing just read holds none until it is drawn.
    QPainterPath outline;
    AddCurveOutline(outline, mode == ModePreview ? previewNodes : Nodes());
    rect = BoundsWithPen(FlattenedBounds(outline));
}

void CurveItem::Draw(QPainter& graphics)
{
    DrawBuiltOutline(graphics, true, [this](QPainterPath& path, int mode) {
        AddCurveOutline(path, mode == ModePreview ? previewNodes : Nodes());
    });
}

void CurveItem::DrawHotNode(QPainter& graphics, PointF point)
{
    if (!Editable())
        return;
    const QColor white = QColor::fromRgba(ColorOpaqueWhite);
    const QColor black = QColor::fromRgba(ColorOpaqueBlack);
    for (const PathNode& n : Nodes()) {
        for (const PointF p : {n.Anchor(), n.Left(), n.Right()}) {
            if (!InSquare(4, p, point))
                continue;
            graphics.fillRect(ToQRectF(HandleSquare(10, p, 1)), white);
            graphics.fillRect(ToQRectF(HandleSquare(8, p, 1)), black);
        }
    }
}

void CurveItem::DrawNodeHandles(QPainter& graphics, const NodeSelection& selection)
{
    if (!Editable())
        return;
    DrawAnchorHandles(graphics, Nodes(), selection);
    if (selection.size() != 1 || !ValidIndex(selection.front()))
        return;
    const PathNode& n = Nodes()[selection.front()];
    const qreal hairline = ScreenPixel();
    graphics.save();
    graphics.setPen(QPen(QColor::fromRgba(ColorPreviewBlue), hairline, Qt::DashLine));
    graphics.drawLine(ToQPointF(n.Anchor()), ToQPointF(n.Left()));
    graphics.drawLine(ToQPointF(n.Anchor()), ToQPointF(n.Right()));
    graphics.setPen(QPen(QColor::fromRgba(ColorOpaqueBlack), hairline));
    graphics.setBrush(QColor::fromRgba(ColorOpaqueWhite));
    for (const PointF p : {n.Left(), n.Right()})
        graphics.drawRect(ToQRectF(HandleSquare(6, p, 1)));
    graphics.restore();
}

std::int32_t CurveItem::HitTest(PointF point)
{
    if (!Editable())
        return HitMiss;
    const RectF bounds = Bounds(ModeCommit);
    const std::int32_t handle = HitBoxHandles(bounds, point);
    if (handle != HitMiss)
        return handle;
    return RectContainsHalfOpen(bounds, point.x, point.y) ? HitBody : HitMiss;
}

std::int32_t CurveItem::HitNode(PointF point, NodeSelection& selection)
{
    if (!Editable())
        return HitMiss;
    for (std::size_t i = 0; i < Nodes().size(); ++i) {
        const PathNode& n = Nodes()[i];
        std::int32_t code = HitMiss;
        if (InSquare(4, n.Anchor(), point))
            code = HitAnchor;
        else if (InSquare(4, n.Left(), point))
            code = HitLeftControl;
        else if (InSquare(4, n.Right(), point))
            code = HitRightControl;
        if (code != HitMiss) {
            selection.push_back(std::int32_t(i));
            return code;
        }
    }
    const RectF bounds = Bounds(ModeCommit);
    return RectContainsHalfOpen(bounds, point.x, point.y) ? HitBody : HitMiss;
}

std::int32_t CurveItem::SelectNodesInRect(const RectF& rect, NodeSelection& selection)
{
    if (!Editable())
        return HitMiss;
    return SelectAnchorsInRect(Nodes(), rect, selection);
}
