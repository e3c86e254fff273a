#include "items/geometry.h"

#include <QPointF>
#include <QRectF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>

float ZoomFactor = 1.0f;

PathNode PathNode::AtPoint(float px, float py, std::int32_t nodeType)
{
    PathNode n;
    n.lx = n.x = n.rx = px;
    n.ly = n.y = n.ry = py;
    n.type = nodeType;
    return n;
}

Matrix::Matrix(float m11, float m12, float m21, float m22, float dx, float dy) : m{m11, m12, m21, m22, dx, dy} {}

void Matrix::SetElements(float m11, float m12, float m21, float m22, float dx, float dy)
{
    *this = Matrix(m11, m12, m21, m22, dx, dy);
}

bool Matrix::IsIdentity() const
{
    return *this == Matrix();
}

void Matrix::Reset()
{
    *this = Matrix();
}

void Matrix::Multiply(const Matrix& b)
{
    const float* a = m;
    Matrix r(a[0] * b.m[0] + a[1] * b.m[2], a[0] * b.m[1] + a[1] * b.m[3],
             a[2] * b.m[0] + a[3] * b.m[2], a[2] * b.m[1] + a[3] * b.m[3],
             a[4] * b.m[0] + a[5] * b.m[2] + b.m[4], a[4] * b.m[1] + a[5] * b.m[3] + b.m[5]);
    *this = r;
}

void Matrix::Translate(float dx, float dy)
{
    Multiply(Matrix(1, 0, 0, 1, dx, dy));
}

void Matrix::Rotate(float degrees)
{
    // Positive angles turn clockwise on screen, y being down.
    const double r = double(degrees) * std::numbers::pi / 180.0;
    const float c = float(std::cos(r));
    const float s = float(std::sin(r));
    Multiply(Matrix(c, s, -s, c, 0, 0));
}

void Matrix::Scale(float sx, float sy)
{
    Multiply(Matrix(sx, 0, 0, sy, 0, 0));
}

PointF Matrix::Map(PointF p) const
{
    return {m[0] * p.x + m[2] * p.y + m[4], m[1] * p.x + m[3] * p.y + m[5]};
}

void Matrix::MapPoints(PointF* points, int count) const
{
    for (int i = 0; i < count; ++i)
        points[i] = Map(points[i]);
}

bool FiniteNode(const PathNode& n)
{
    return std::isfinite(n.lx) && std::isfinite(n.ly) && std::isfinite(n.x) && std::isfinite(n.y) &&
           std::isfinite(n.rx) && std::isfinite(n.ry);
}

bool FiniteNodes(const NodeList& nodes)
{
    return std::all_of(nodes.begin(), nodes.end(), FiniteNode);
}

void Matrix::MapNodes(NodeList& nodes) const
{
    for (PathNode& n : nodes) {
        const PointF l = Map(n.Left()), a = Map(n.Anchor()), r = Map(n.Right());
        n.lx = l.x, n.ly = l.y, n.x = a.x, n.y = a.y, n.rx = r.x, n.ry = r.y;
    }
}

QTransform Matrix::ToQTransform() const
{
    return QTransform(m[0], m[1], m[2], m[3], m[4], m[5]);
}

bool RectContains(const RectF& r, float x, float y)
{
    return r.x <= x && x <= r.x + r.width && r.y <= y && y <= r.y + r.height;
}

bool RectContainsHalfOpen(const RectF& r, float x, float y)
{
    return r.x <= x && x < r.x + r.width && r.y <= y && y < r.y + r.height;
}

RectF InflateRect(const RectF& r, float by)
{
    return {r.x - by, r.y - by, r.width + 2 * by, r.height + 2 * by};
}

RectF UnionRect(const RectF& a, const RectF& b)
{
    const float left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    const float right = std::max(a.Right(), b.Right()), bottom = std::max(a.Bottom(), b.Bottom());
    return {left, top, right - left, bottom - top};
}

void HandleSquare(float size, PointF centre, RectF& out, int screenConstant)
{
    const float side = screenConstant == 1 ? size / ZoomFactor : size;
    out = {centre.x - side / 2, centre.y - side / 2, side, side};
}

RectF HandleSquare(float size, PointF centre, int screenConstant)
{
    RectF r;
    HandleSquare(size, centre, r, screenConstant);
    return r;
}

void BoxHandlePoints(const RectF& r, std::vector<PointF>& out)
{
    const float w = r.width, h = r.height;
    out.push_back({r.x, r.y});
    out.push_back({r.x + w / 2, r.y});
    out.push_back({r.x + w, r.y});
    out.push_back({r.x + w, r.y + h / 2});
    out.push_back({r.x + w, r.y + h});
    out.push_back({r.x + w / 2, r.y + h});
    out.push_back({r.x, r.y + h});
    out.push_back({r.x, r.y + h / 2});
}

std::int32_t HitBoxHandles(const RectF& bounds, PointF point)
{
    std::vector<PointF> handles;
    handles.reserve(8);
    BoxHandlePoints(InflateRect(bounds, 4), handles);
    for (int i = 0; i < 8; ++i) {
        if (RectContainsHalfOpen(HandleSquare(4, handles[i], 0), point.x, point.y))
            return BoxHandleCodes[i];
    }
    return HitMiss;
}

bool PointNearSegment(PointF p, PointF a, PointF b)
{
    const double ex = double(b.x) - a.x, ey = double(b.y) - a.y;
    const double length = std::hypot(ex, ey);
    double distance;
    if (length == 0) {
        distance = std::hypot(double(p.x) - a.x, double(p.y) - a.y);
    } else {
        const double cross = (double(a.y) - b.y) * p.x + ex * p.y + double(b.y) * a.x - double(a.y) * b.x;
        distance = std::fabs(cross) / length;
    }
    return distance < 4;
}

float AngleAtVertex(PointF v, PointF p1, PointF p2)
{
    constexpr double Pi = 3.14159;
    const double ax = double(p1.x) - v.x, ay = double(p1.y) - v.y;
    const double bx = double(p2.x) - v.x, by = double(p2.y) - v.y;
    const double lengths = std::hypot(ax, ay) * std::hypot(bx, by);
    if (lengths == 0)
        return 360; // a ray of no length has no direction: no rotation
    const double k = (ax * bx + ay * by) / lengths;
    if (k <= -1)
        return 180;
    const double a = std::acos(std::min(k, 1.0)) * 180.0 / Pi;
    const double cross = by * ax - bx * ay;
    return float(cross <= 0 ? 360 - a : a);
}

void MirrorControlPoint(PointF anchor, PointF moved, int mode, PointF& other)
{
    if (mode == 0) {
        other = {2 * anchor.x - moved.x, 2 * anchor.y - moved.y};
    } else if (mode == 1) {
        const float mx = moved.x - anchor.x, my = moved.y - anchor.y;
        const float length = std::hypot(mx, my);
        if (length == 0)
            return; // no direction to keep in line with
        const float d = std::hypot(other.x - anchor.x, other.y - anchor.y);
        other = {anchor.x - d * mx / length, anchor.y - d * my / length};
    }
}

namespace {

float ClampScaleFactor(float f)
{
    if (f > 0 && f < 0.01f)
        return 0.01f;
    if (f < 0 && f > -0.01f)
        return -0.01f;
    return f;
}

float AxisFactor(float anchor, float from, float to)
{
    if (from == anchor)
        return 0.1f;
    return ClampScaleFactor((to - anchor) / (from - anchor));
}

} // namespace

void DragScaleFactors(PointF anchor, PointF from, PointF to, float& sx, float& sy)
{
    if (std::fabs(to.x - from.x) < 1 && std::fabs(to.y - from.y) < 1) {
        sx = sy = 1;
        return;
    }
    sx = AxisFactor(anchor.x, from.x, to.x);
    sy = AxisFactor(anchor.y, from.y, to.y);
}

HandleScale ScaleForHandle(std::int32_t code, const RectF& bounds, PointF pointer, bool shift)
{
    HandleScale result;
    const int index = int(std::find(std::begin(BoxHandleCodes), std::end(BoxHandleCodes), code) - std::begin(BoxHandleCodes));
    if (index >= 8)
        return result; // not a box handle: no scaling
    std::vector<PointF> points;
    points.reserve(8);
    BoxHandlePoints(bounds, points);
    const PointF origin = points[index];

    const bool left = code == HitTopLeft || code == HitLeftMiddle || code == HitBottomLeft;
    const bool right = code == HitTopRight || code == HitRightMiddle || code == HitBottomRight;
    const bool top = code == HitTopLeft || code == HitTopMiddle || code == HitTopRight;
    const bool bottom = code == HitBottomLeft || code == HitBottomMiddle || code == HitBottomRight;
    PointF pulled = pointer;
    if (left)
        pulled.x += 4;
    if (right)
        pulled.x -= 4;
    if (top)
        pulled.y += 4;
    if (bottom)
        pulled.y -= 4;

    result.fixed = shift ? PointF{(bounds.x + bounds.Right()) / 2, (bounds.y + bounds.Bottom()) / 2} : points[(index + 4) % 8];
    DragScaleFactors(result.fixed, origin, pulled, result.sx, result.sy);
    if (code == HitTopMiddle || code == HitBottomMiddle)
        result.sx = 1;
    if (code == HitLeftMiddle || code == HitRightMiddle)
        result.sy = 1;
    return result;
}

QPointF ToQPointF(PointF p)
{
    return QPointF(p.x, p.y);
}

PointF FromQPointF(const QPointF& p)
{
    return {float(p.x()), float(p.y())};
}

QRectF ToQRectF(const RectF& r)
{
    return QRectF(r.x, r.y, r.width, r.height);
}

RectF FromQRectF(const QRectF& r)
{
    return {float(r.x()), float(r.y()), float(r.width()), float(r.height())};
}
