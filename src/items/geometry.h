#pragma once

// Value types of canvas space (32-bit float units, y down) and the small
// stateless helpers that handles, hit tests and drags share.

#include <cstdint>
#include <vector>

class QPointF;
class QRectF;
class QTransform;

// The editing view's zoom; marks drawn in screen pixels divide by it.
// One value for the whole process, 1.0 at start.
extern float ZoomFactor;

struct PointF
{
    float x = 0;
    float y = 0;

    friend bool operator==(const PointF&, const PointF&) = default;
};

struct RectF
{
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;

    float Right() const { return x + width; }
    float Bottom() const { return y + height; }
    PointF Center() const { return {x + width * 0.5f, y + height * 0.5f}; }
    friend bool operator==(const RectF&, const RectF&) = default;
};

using ArgbColor = std::uint32_t;

constexpr ArgbColor ColorOpaqueBlack = 0xFF000000;
constexpr ArgbColor ColorOpaqueWhite = 0xFFFFFFFF;
constexpr ArgbColor ColorPreviewBlue = 0xFF0000FF;
constexpr ArgbColor ColorAbsent = 0x00FFFFFF; // a colour attribute the item does not have

constexpr int ColorAlpha(ArgbColor c) { return int((c >> 24) & 0xFF); }
constexpr int ColorRed(ArgbColor c) { return int((c >> 16) & 0xFF); }
constexpr int ColorGreen(ArgbColor c) { return int((c >> 8) & 0xFF); }
constexpr int ColorBlue(ArgbColor c) { return int(c & 0xFF); }
constexpr ArgbColor MakeArgb(int a, int r, int g, int b)
{
    return (ArgbColor(a & 0xFF) << 24) | (ArgbColor(r & 0xFF) << 16) | (ArgbColor(g & 0xFF) << 8) | ArgbColor(b & 0xFF);
}

// Node types: how dragging one control point moves the opposite one.
enum NodeType : std::int32_t { NodeSymmetric = 0, NodeSmooth = 1, NodeCusp = 2 };

// One node of an outline. `brk` is set on the last node of a subpath, and
// `close` (read only there) says whether that subpath is closed.
struct PathNode
{
    float lx = 0, ly = 0; // control point of the segment arriving here
    float x = 0, y = 0;   // anchor
    float rx = 0, ry = 0; // control point of the segment leaving here
    std::int32_t type = NodeSymmetric;
    std::int32_t brk = 0;
    std::int32_t close = 0;

    PointF Anchor() const { return {x, y}; }
    PointF Left() const { return {lx, ly}; }
    PointF Right() const { return {rx, ry}; }
    // A node whose three points all sit on one place.
    static PathNode AtPoint(float px, float py, std::int32_t nodeType = NodeCusp);
    friend bool operator==(const PathNode&, const PathNode&) = default;
};

using NodeList = std::vector<PathNode>;

// Every coordinate of the node (or of each node) is a finite number: no kind
// keeps an outline that could not be drawn or written.
bool FiniteNode(const PathNode& node);
bool FiniteNodes(const NodeList& nodes);

// A 2x3 affine matrix; (x, y) maps to (m11 x + m21 y + dx, m12 x + m22 y + dy).
// Every composition is appended: A.Multiply(B) means "first A, then B".
class Matrix
{
public:
    Matrix() = default;
    Matrix(float m11, float m12, float m21, float m22, float dx, float dy);

    void SetElements(float m11, float m12, float m21, float m22, float dx, float dy);
    void GetElements(float out[6]) const
    {
        for (int i = 0; i < 6; ++i)
            out[i] = m[i];
    }
    float M11() const { return m[0]; }
    float M12() const { return m[1]; }
    float M21() const { return m[2]; }
    float M22() const { return m[3]; }
    float Dx() const { return m[4]; }
    float Dy() const { return m[5]; }

    bool IsIdentity() const;
    void Reset();
    void Multiply(const Matrix& then);
    void Translate(float dx, float dy);
    void Rotate(float degrees);
    void Scale(float sx, float sy);

    PointF Map(PointF p) const;
    void MapPoints(PointF* points, int count) const;
    // Anchor and both control points of every node.
    void MapNodes(NodeList& nodes) const;

    QTransform ToQTransform() const;
    friend bool operator==(const Matrix&, const Matrix&) = default;

private:
    float m[6] = {1, 0, 0, 1, 0, 0};
};

// Hit codes of items and of the selection.
enum HitCode : std::int32_t {
    HitAnchor = 0,
    HitMiss = 2,
    HitBody = 3,
    HitTopMiddle = 4,
    HitTopRight = 5,
    HitRightMiddle = 6,
    HitBottomRight = 7,
    HitBottomMiddle = 8,
    HitBottomLeft = 9,
    HitLeftMiddle = 10,
    HitTopLeft = 11,
    HitRightControl = 12,
    HitLeftControl = 13,
};

// The hit code of box handle i in BoxHandlePoints order.
constexpr std::int32_t BoxHandleCodes[8] = {HitTopLeft, HitTopMiddle, HitTopRight, HitRightMiddle,
                                            HitBottomRight, HitBottomMiddle, HitBottomLeft, HitLeftMiddle};

// All four edges count as inside.
bool RectContains(const RectF& rect, float x, float y);
// Left and top edges inside, right and bottom outside: the rule of handle squares.
bool RectContainsHalfOpen(const RectF& rect, float x, float y);
RectF InflateRect(const RectF& rect, float by);
RectF UnionRect(const RectF& a, const RectF& b);

// Square of side `size` centred on `centre`; with screenConstant 1 the side
// is size / ZoomFactor so that it keeps its size on screen.
void HandleSquare(float size, PointF centre, RectF& out, int screenConstant);
RectF HandleSquare(float size, PointF centre, int screenConstant);
// Appends the eight handle points: top-left, top-middle, top-right,
// right-middle, bottom-right, bottom-middle, bottom-left, left-middle.
void BoxHandlePoints(const RectF& rect, std::vector<PointF>& out);
// The handle code (4..11) of the item box handle under the point, or HitMiss:
// 4-unit squares around the handle points of the bounds grown by 4.
std::int32_t HitBoxHandles(const RectF& bounds, PointF point);
// Closer than 4 units to the infinite line through a and b (to a when a == b).
bool PointNearSegment(PointF p, PointF a, PointF b);
// Angle in degrees from ray v->p1 to ray v->p2, in (0, 360].
float AngleAtVertex(PointF v, PointF p1, PointF p2);
// Mode 0 mirrors, mode 1 keeps `other`'s distance, other modes leave it.
void MirrorControlPoint(PointF anchor, PointF moved, int mode, PointF& other);
void DragScaleFactors(PointF anchor, PointF from, PointF to, float& sx, float& sy);

struct HandleScale
{
    PointF fixed;
    float sx = 1;
    float sy = 1;
};
HandleScale ScaleForHandle(std::int32_t code, const RectF& bounds, PointF pointer, bool shift);

// Conversions to the graphics layer.
QPointF ToQPointF(PointF p);
PointF FromQPointF(const QPointF& p);
QRectF ToQRectF(const RectF& r);
RectF FromQRectF(const QRectF& r);
