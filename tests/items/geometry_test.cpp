#include "items/geometry.h"

#include <QTransform>

#include <gtest/gtest.h>

// The helpers behind handles, drags and turns are checked where the items and
// the view use them; here only what those paths do not reach.

namespace {

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

TEST(GeometryHelpersTest, RectContainsCountsAllEdgesAndNearnessUsesTheCarrierLine)
{
    const RectF r{10, 10, 20, 20};
    EXPECT_TRUE(RectContains(r, 30, 30));
    EXPECT_TRUE(RectContains(r, 10, 10));
    EXPECT_FALSE(RectContains(r, 30.01f, 20));
    EXPECT_FALSE(RectContainsHalfOpen(r, 30, 20));

    EXPECT_TRUE(PointNearSegment({0, 3.99f}, {0, 0}, {0, 0}));
    EXPECT_FALSE(PointNearSegment({0, 4}, {0, 0}, {0, 0}));
    // Far beyond the end, but 3.99 off the infinite line: still near.
    EXPECT_TRUE(PointNearSegment({1000, 3.99f}, {0, 0}, {10, 0}));
    EXPECT_FALSE(PointNearSegment({5, 4.01f}, {0, 0}, {10, 0}));
}

} // namespace
