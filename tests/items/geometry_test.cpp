#include "items/geometry.h"

#include <QTransform>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct ZoomGuard
{
    explicit ZoomGuard(float zoom) { ZoomFactor = zoom; }
    ~ZoomGuard() { ZoomFactor = 1.0f; }
};

TEST(MatrixTest, CompositionsAreAppendedAndAgreeWithQTransform)
{
    Matrix m;
    m.Translate(10, 0);
    m.Scale(2, 3); // the translation is scaled too: first translate, then scale
    EXPECT_EQ(m.Map({1, 1}), (PointF{22, 3}));

    Matrix r;
    r.Rotate(90); // clockwise on screen: +x turns to +y
    EXPECT_NEAR(r.Map({1, 0}).x, 0, 1e-6);
    EXPECT_NEAR(r.Map({1, 0}).y, 1, 1e-6);

    r.Translate(5, -7);
    r.Scale(1.5f, 0.5f);
    const QPointF viaQt = r.ToQTransform().map(QPointF(3, 4));
    EXPECT_NEAR(viaQt.x(), r.Map({3, 4}).x, 1e-4);
    EXPECT_NEAR(viaQt.y(), r.Map({3, 4}).y, 1e-4);

    // Nodes map all three of their points and keep their flags.
    NodeList list{PathNode{1, 2, 3, 4, 5, 6, NodeCusp, 1, 1}};
    Matrix(1, 0, 0, 1, 10, 20).MapNodes(list);
    EXPECT_EQ(list[0], (PathNode{11, 22, 13, 24, 15, 26, NodeCusp, 1, 1}));
}

TEST(GeometryHelpersTest, RectContainsCountsAllEdges)
{
    const RectF r{10, 10, 20, 20};
    EXPECT_TRUE(RectContains(r, 30, 30));
    EXPECT_TRUE(RectContains(r, 10, 10));
    EXPECT_FALSE(RectContains(r, 30.01f, 20));
    EXPECT_FALSE(RectContainsHalfOpen(r, 30, 20));
}

TEST(GeometryHelpersTest, HandleSquareKeepsScreenSize)
{
    ZoomGuard zoom(2);
    RectF r;
    HandleSquare(4, {10, 10}, r, 1);
    EXPECT_EQ(r, (RectF{9, 9, 2, 2}));
    HandleSquare(4, {10, 10}, r, 0);
    EXPECT_EQ(r, (RectF{8, 8, 4, 4}));
}

TEST(GeometryHelpersTest, BoxHandlePointsOrderAndCodes)
{
    std::vector<PointF> points;
    BoxHandlePoints({0, 0, 10, 20}, points);
    ASSERT_EQ(points.size(), 8u);
    EXPECT_EQ(points[0], (PointF{0, 0}));
    EXPECT_EQ(points[1], (PointF{5, 0}));
    EXPECT_EQ(points[3], (PointF{10, 10}));
    EXPECT_EQ(points[4], (PointF{10, 20}));
    EXPECT_EQ(points[7], (PointF{0, 10}));

    // Item handles sit on the bounds grown by 4 and are 4 units wide.
    const RectF bounds{100, 100, 50, 50};
    EXPECT_EQ(HitBoxHandles(bounds, {96, 96}), HitTopLeft);
    EXPECT_EQ(HitBoxHandles(bounds, {154, 154}), HitBottomRight);
    EXPECT_EQ(HitBoxHandles(bounds, {125, 96}), HitTopMiddle);
    EXPECT_EQ(HitBoxHandles(bounds, {156, 125}), HitMiss); // right edge of the square is outside
    EXPECT_EQ(HitBoxHandles(bounds, {125, 125}), HitMiss);
}

TEST(GeometryHelpersTest, PointNearSegmentUsesTheCarrierLine)
{
    EXPECT_TRUE(PointNearSegment({0, 3.99f}, {0, 0}, {0, 0}));
    EXPECT_FALSE(PointNearSegment({0, 4}, {0, 0}, {0, 0}));
    // Far beyond the end, but 3.99 off the infinite line: still near.
    EXPECT_TRUE(PointNearSegment({1000, 3.99f}, {0, 0}, {10, 0}));
    EXPECT_FALSE(PointNearSegment({5, 4.01f}, {0, 0}, {10, 0}));
}

TEST(GeometryHelpersTest, AngleAtVertex)
{
    EXPECT_FLOAT_EQ(AngleAtVertex({0, 0}, {1, 0}, {2, 0}), 360);
    EXPECT_FLOAT_EQ(AngleAtVertex({0, 0}, {1, 0}, {-1, 0}), 180);
    // From the right of the centre to below it: a quarter turn clockwise.
    EXPECT_NEAR(AngleAtVertex({0, 0}, {10, 0}, {0, 10}), 90, 0.01);
    EXPECT_NEAR(AngleAtVertex({0, 0}, {10, 0}, {0, -10}), 270, 0.01);
    // A ray of no length gives no rotation rather than NaN.
    EXPECT_FLOAT_EQ(AngleAtVertex({0, 0}, {0, 0}, {0, 10}), 360);
    EXPECT_FLOAT_EQ(AngleAtVertex({5, 5}, {9, 9}, {5, 5}), 360);
}

TEST(GeometryHelpersTest, MirrorControlPoint)
{
    PointF other{0, 0};
    MirrorControlPoint({10, 10}, {14, 13}, 0, other);
    EXPECT_EQ(other, (PointF{6, 7}));

    other = {10, 20}; // distance 10 below the anchor
    MirrorControlPoint({10, 10}, {13, 6}, 1, other);
    EXPECT_NEAR(other.x, 4, 1e-5);
    EXPECT_NEAR(other.y, 18, 1e-5);

    other = {1, 2};
    MirrorControlPoint({10, 10}, {13, 6}, 2, other);
    EXPECT_EQ(other, (PointF{1, 2}));
    // Moved onto the anchor: no direction, the other point stays put.
    MirrorControlPoint({10, 10}, {10, 10}, 1, other);
    EXPECT_EQ(other, (PointF{1, 2}));
}

TEST(GeometryHelpersTest, DragScaleFactors)
{
    float sx = 0, sy = 0;
    DragScaleFactors({0, 0}, {10, 10}, {10.5f, 10.5f}, sx, sy);
    EXPECT_EQ(sx, 1);
    EXPECT_EQ(sy, 1);
    DragScaleFactors({0, 0}, {0, 10}, {5, 20}, sx, sy);
    EXPECT_FLOAT_EQ(sx, 0.1f);
    EXPECT_FLOAT_EQ(sy, 2);
    DragScaleFactors({0, 0}, {1000, 1000}, {4, -4}, sx, sy);
    EXPECT_FLOAT_EQ(sx, 0.01f);
    EXPECT_FLOAT_EQ(sy, -0.01f);
    DragScaleFactors({0, 0}, {10, 10}, {0, 20}, sx, sy);
    EXPECT_EQ(sx, 0);
}

TEST(GeometryHelpersTest, ScaleForHandle)
{
    const RectF bounds{100, 100, 100, 50};
    // Top-middle handle dragged up by 50 (plus the 4-unit handle offset):
    // the height doubles about the bottom edge.
    HandleScale s = ScaleForHandle(HitTopMiddle, bounds, {150, 46}, false);
    EXPECT_EQ(s.fixed, (PointF{150, 150}));
    EXPECT_FLOAT_EQ(s.sx, 1);
    EXPECT_FLOAT_EQ(s.sy, 2);

    // With shift the box scales about its centre.
    s = ScaleForHandle(HitBottomRight, bounds, {254, 179}, true);
    EXPECT_EQ(s.fixed, (PointF{150, 125}));
    EXPECT_FLOAT_EQ(s.sx, 2);
    EXPECT_FLOAT_EQ(s.sy, 2);

    // The middle handles scale one axis only.
    s = ScaleForHandle(HitRightMiddle, bounds, {304, 300}, false);
    EXPECT_FLOAT_EQ(s.sx, 2);
    EXPECT_FLOAT_EQ(s.sy, 1);
}

} // namespace
