// Lines, rectangles and ellipses: creation rules, outlines as curve nodes,
// bounds, hit tests and node moves.

#include "items/ellipse_item.h"
#include "items/line_item.h"
#include "items/rectangle_item.h"
#include "support/geometry_expect.h"

#include <gtest/gtest.h>

#include <cmath>

// A line needs four units on one axis, a box four both ways; boxes normalise their corners.
TEST(ShapeCreation, ShapesNeedFourUnits)
{
    LineItem line;
    RectangleItem rect;
    EllipseItem ellipse;
    EXPECT_FALSE(line.SetNodes(TwoPoints(10, 10, 13, 13)));
    EXPECT_TRUE(line.Nodes().empty());
    EXPECT_TRUE(line.SetNodes(TwoPoints(10, 10, 14, 10)));
    EXPECT_FALSE(line.SetNodes({PathNode::AtPoint(0, 0), PathNode::AtPoint(10, 0), PathNode::AtPoint(20, 0)}));
    EXPECT_FALSE(rect.SetNodes(TwoPoints(0, 0, 30, 3)));
    EXPECT_FALSE(ellipse.SetNodes(TwoPoints(0, 0, 3, 30)));
    EXPECT_TRUE(ellipse.SetNodes(TwoPoints(0, 0, 4, 4)));
    ASSERT_TRUE(rect.SetNodes(TwoPoints(50, 40, 10, 10)));
    ASSERT_EQ(rect.Nodes().size(), 2u);
    EXPECT_EQ(rect.Nodes()[0], PathNode::AtPoint(10, 10, NodeCusp));
}

TEST(ShapeOutline, GetNodesGivesCurveNodes)
{
    LineItem line;
    ASSERT_TRUE(line.SetNodes(TwoPoints(0, 0, 50, 20)));
    NodeList list{PathNode::AtPoint(1, 1), PathNode::AtPoint(2, 2), PathNode::AtPoint(3, 3)};
    line.GetNodes(list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].brk, 1);

    // A rotated rectangle gives its four corners at the rotated places.
    RectangleItem rect;
    ASSERT_TRUE(rect.SetNodes(TwoPoints(0, 0, 100, 40)));
    rect.RotateAbout(90, ModeCommit);
    NodeList corners;
    rect.GetNodes(corners);
    ASSERT_EQ(corners.size(), 4u);
    const PointF expected[4] = {{70, -30}, {70, 70}, {30, 70}, {30, -30}};
    for (std::size_t i = 0; i < 4; ++i) {
        ExpectNear(corners[i].Anchor(), expected[i], 0.02f);
        ExpectNear(corners[i].Right(), expected[i], 0.02f);
    }
    EXPECT_EQ(corners[3].close, 1);
    EXPECT_EQ(rect.Nodes()[0].Anchor(), (PointF{0, 0})); // the item keeps its own space

    // The ellipse: four arcs from angle 0, clockwise on screen.
    EllipseItem ellipse;
    ASSERT_TRUE(ellipse.SetNodes(TwoPoints(0, 0, 200, 100)));
    ellipse.Translate(10, 0, ModeCommit);
    NodeList arcs;
    ellipse.GetNodes(arcs);
    ASSERT_EQ(arcs.size(), 4u);
    ExpectNear(arcs[0].Anchor(), {210, 50});
    ExpectNear(arcs[1].Anchor(), {110, 100});
    // Controls run along the tangent: down from the rightmost point.
    EXPECT_GT(arcs[0].Right().y, 60);
    EXPECT_NEAR(arcs[0].Right().x, 210, 0.01);
    EXPECT_EQ(arcs[3].close, 1);
}

TEST(ShapeBounds, IncludeHalfTheLineWidth)
{
    RectangleItem rect;
    ASSERT_TRUE(rect.SetNodes(TwoPoints(10, 10, 50, 40)));
    rect.SetFloatAttr(ATTR_LINE_WIDTH, 4);
    ExpectRectNear(rect.Bounds(), {8, 8, 44, 34});
    rect.RotateAbout(45, ModeCommit);
    const float diagonal = 70 / std::sqrt(2.0f) + 4;
    ExpectRectNear(rect.Bounds(), {30 - diagonal / 2, 25 - diagonal / 2, diagonal, diagonal}, 0.05f);

    EllipseItem ellipse;
    ASSERT_TRUE(ellipse.SetNodes(TwoPoints(0, 0, 100, 50)));
    ellipse.SetFloatAttr(ATTR_LINE_WIDTH, 1);
    ExpectRectNear(ellipse.Bounds(), {-0.5f, -0.5f, 101, 51}, 0.02f);
}

TEST(ShapeHitTest, BodyByTheShapesOwnOutlineThenHandles)
{
    RectangleItem rect, diamond;
    EllipseItem ellipse;
    LineItem line;
    ASSERT_TRUE(rect.SetNodes(TwoPoints(100, 100, 200, 150)));
    ASSERT_TRUE(diamond.SetNodes(TwoPoints(0, 0, 100, 100)));
    diamond.RotateAbout(45, ModeCommit);
    ASSERT_TRUE(ellipse.SetNodes(TwoPoints(0, 0, 100, 60)));
    ASSERT_TRUE(line.SetNodes(TwoPoints(0, 0, 100, 100)));
    const struct
    {
        DrawItem* item;
        PointF at;
        std::int32_t hit;
    } cases[] = {
        {&rect, {96, 96}, HitTopLeft},       {&rect, {150, 96}, HitTopMiddle},   {&rect, {150, 125}, HitBody},
        {&diamond, {-10, -10}, HitMiss},     // a corner of its upright bounds
        {&diamond, {50, -15}, HitBody},      // near the top vertex, inside
        {&ellipse, {5, 5}, HitMiss},         // in the box, outside the ellipse
        {&ellipse, {104, 30}, HitRightMiddle}, {&line, {50, 52}, HitBody},       {&line, {50, 60}, HitMiss},
        {&line, {104, 104}, HitBottomRight},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.item->HitTest(c.at), c.hit) << c.item->TypeCode() << " at " << c.at.x << ", " << c.at.y;

    // Only a line has nodes to pick.
    NodeSelection selection;
    EXPECT_EQ(rect.HitNode({150, 125}, selection), HitBody);
    EXPECT_EQ(rect.SelectNodesInRect({0, 0, 500, 500}, selection), HitMiss);
    EXPECT_EQ(line.HitNode({2, 3}, selection), HitAnchor);
    EXPECT_EQ(line.HitNode({97, 101}, selection), HitAnchor);
    EXPECT_EQ(selection, (NodeSelection{0, 1}));
    NodeSelection inRect;
    EXPECT_EQ(line.SelectNodesInRect({-1, -1, 10, 10}, inRect), 0);
    EXPECT_EQ(line.SelectNodesInRect({-1, -1, 200, 200}, inRect), 1);
    EXPECT_EQ(inRect, (NodeSelection{0, 0, 1}));
}

TEST(ShapeNodes, LineMovesSelectedNodesBoxesDoNot)
{
    LineItem line;
    NodeList ends = TwoPoints(0, 0, 100, 0);
    ends[1].lx = 90, ends[1].rx = 110;
    ASSERT_TRUE(line.SetNodes(ends));
    line.MoveNodes(0, {1, 7, -1}, 10, 5);
    EXPECT_EQ(line.Nodes()[0], ends[0]);
    EXPECT_EQ(line.Nodes()[1].Left(), (PointF{100, 5}));

    const NodeList moved = line.Nodes();
    line.MoveNodes(13, {1}, 10, 5); // control point drags belong to curves
    EXPECT_EQ(line.Nodes(), moved);

    RectangleItem rect;
    ASSERT_TRUE(rect.SetNodes(TwoPoints(0, 0, 40, 40)));
    const NodeList corners = rect.Nodes();
    rect.MoveNodes(0, {0, 1}, 10, 10);
    EXPECT_EQ(rect.Nodes(), corners);
}
