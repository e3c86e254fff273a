#include "render_on_white.h"

#include "items/doodle_item.h"
#include "support/geometry_expect.h"

#include <QImage>
#include <gtest/gtest.h>

TEST(DoodleItemTest, ThinsTheMouseTrackAndRefusesTinyStrokes)
{
    // A slow drag, one point per unit: a point every 2 units survives, and the end.
    NodeList track;
    for (int i = 0; i < 100; ++i)
        track.push_back(PathNode::AtPoint(float(i), 7));
    DoodleItem doodle;
    ASSERT_TRUE(doodle.SetNodes(track));
    const NodeList& kept = doodle.Nodes();
    ASSERT_EQ(kept.size(), 50u);
    for (std::size_t i = 0; i + 1 < kept.size(); ++i)
        EXPECT_EQ(kept[i].x, float(2 * i)) << i;
    EXPECT_EQ(kept.back().x, 99); // 98 gives way: the end of the stroke always stays

    // Points that stay apart are all kept; a crowded one is dropped.
    NodeList sparse = Polyline({{0, 0}, {2, 0}, {2, 2}, {3, 3}, {10, 10}});
    DoodleItem::ThinTrack(sparse);
    EXPECT_EQ(sparse, Polyline({{0, 0}, {2, 0}, {2, 2}, {10, 10}}));

    NodeList out;
    doodle.GetNodes(out);
    EXPECT_EQ(out.back().brk, 1);

    // Tiny strokes are refused: one point, or points scattered inside a 3 x 3
    // area whatever the pen, which also empties the item; 4 units on one axis are enough.
    DoodleItem tiny;
    EXPECT_FALSE(tiny.SetNodes(Polyline({{5, 5}})));
    tiny.SetFloatAttr(ATTR_LINE_WIDTH, 10);
    EXPECT_FALSE(tiny.SetNodes(Polyline({{10, 10}, {13, 10}, {13, 13}, {10, 13}, {11.5f, 11.5f}})));
    EXPECT_TRUE(tiny.Nodes().empty());
    EXPECT_TRUE(tiny.SetNodes(Polyline({{10, 10}, {14, 10}})));
}

TEST(DoodleItemTest, SplineIsASmoothCurveThroughTheTrack)
{
    // A U turn: the spline swings out past the corners; tension 0 is the polyline itself.
    DoodleItem doodle;
    ASSERT_TRUE(doodle.SetNodes(Polyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}})));
    EXPECT_GT(doodle.Bounds(ModeCommit).Right(), 11);
    QPainterPath straight;
    DoodleItem::AddSplineOutline(straight, doodle.Nodes(), 0);
    EXPECT_NEAR(straight.boundingRect().right(), 10, 1e-6);
}

TEST(DoodleItemTest, AStrokeIsDrawnHitAndMovedWithoutFillOrControls)
{
    DoodleItem doodle;
    ASSERT_TRUE(doodle.SetNodes(Polyline({{10, 10}, {50, 80}, {90, 10}})));
    doodle.SetColorAttr(ATTR_LINE_COLOR, ColorOpaqueBlack);
    doodle.SetColorAttr(ATTR_FILL_COLOR, 0xFFFF0000);
    doodle.SetFloatAttr(ATTR_LINE_WIDTH, 3);
    const QImage image = Render(doodle);
    EXPECT_LT(qGray(image.pixel(50, 79)), 100); // the spline passes through its anchors
    EXPECT_EQ(image.pixel(50, 40), 0xFFFFFFFFu); // inside the V: never filled

    EXPECT_EQ(doodle.HitTest({30, 45}), HitBody);  // on the first leg
    EXPECT_EQ(doodle.HitTest({50, 30}), HitMiss);  // inside the box, away from the stroke
    EXPECT_EQ(doodle.HitTest({90, 150}), HitMiss); // on the leg's line, outside the box

    NodeSelection selection;
    EXPECT_EQ(doodle.HitNode({51, 79}, selection), HitAnchor);
    EXPECT_EQ(selection, NodeSelection{1});
    EXPECT_EQ(doodle.HitNode({70, 45}, selection), HitBody);
    EXPECT_EQ(doodle.SelectNodesInRect({0, 0, 100, 20}, selection), 1);
    EXPECT_EQ(selection, (NodeSelection{1, 0, 2}));

    doodle.MoveNodes(0, {1, 7}, 5, -5);
    EXPECT_EQ(doodle.Nodes()[1].Anchor(), (PointF{55, 75}));
    doodle.MoveNodes(HitRightControl, {1}, 5, -5); // no control points to drag
    EXPECT_EQ(doodle.Nodes()[1].Anchor(), (PointF{55, 75}));
}
