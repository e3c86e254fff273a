#include "items/ellipse_item.h"

EllipseItem::EllipseItem() : BoxShapeItem(ItemEllipse, "ellipse") {}

void EllipseItem::AddShape(QPainterPath& path, const QRectF& box) const
{
    path.addEllipse(box);
}

QRectF EllipseItem::InnerBox(const QRectF& box) const
{
    // The largest box inside an ellipse has its corners on it, at 1/sqrt(2)
    // of each half axis from the centre.
    constexpr double Inside = 0.7071;
    const QPointF c = box.center();
    const double dx = box.width() / 2 * Inside, dy = box.height() / 2 * Inside;
    return QRectF(c.x() - dx, c.y() - dy, 2 * dx, 2 * dy);
}

std::int32_t EllipseItem::HitTest(PointF point)
{
    if (IsHidden() || IsLocked() || Nodes().size() < 2)
        return HitMiss;
    const RectF bounds = Bounds(ModeCommit);
    if (BodyContains(point, bounds))
        return HitBody;
    return HitBoxHandles(bounds, point);
}

void EllipseItem::GetNodes(NodeList& list)
{
    if (Nodes().size() < 2)
        return;
    // The control distance of a quarter circle drawn as one cubic arc.
    constexpr float Kappa = 0.5522847498f;
    const float x0 = Nodes()[0].x, y0 = Nodes()[0].y, x1 = Nodes()[1].x, y1 = Nodes()[1].y;
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float rx = (x1 - x0) / 2, ry = (y1 - y0) / 2;
    const float kx = rx * Kappa, ky = ry * Kappa;
    // p0 .. p11; p12 is p0. With y down, right -> bottom -> left -> top is clockwise.
    const PointF p[12] = {
        {cx + rx, cy},      {cx + rx, cy + ky}, {cx + kx, cy + ry},
        {cx, cy + ry},      {cx - kx, cy + ry}, {cx - rx, cy + ky},
        {cx - rx, cy},      {cx - rx, cy - ky}, {cx - kx, cy - ry},
        {cx, cy - ry},      {cx + kx, cy - ry}, {cx + rx, cy - ky},
    };
    const std::size_t first = list.size();
    for (int k = 0; k < 4; ++k) {
        PathNode n;
        const PointF anchor = p[3 * k], right = p[3 * k + 1], left = p[(3 * k + 11) % 12];
        n.x = anchor.x, n.y = anchor.y;
        n.rx = right.x, n.ry = right.y;
        n.lx = left.x, n.ly = left.y;
        n.type = NodeCusp;
        if (k == 3)
            n.brk = 1, n.close = 1;
        list.push_back(n);
    }
    FinishOutlineNodes(list, first);
}
