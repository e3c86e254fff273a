#include "items/attribute_format.h"
#include "items/curve_item.h"
#include "support/geometry_expect.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

// The closed outline of a box, as a converted rectangle gives it.
NodeList BoxOutline(float x0, float y0, float x1, float y1)
{
    return Polyline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, true);
}

NodeList Concat(NodeList a, const NodeList& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::unique_ptr<CurveItem> MakeCurve(const NodeList& list)
{
    auto curve = std::make_unique<CurveItem>();
    EXPECT_TRUE(curve->SetNodes(list));
    return curve;
}

int BreakCount(const NodeList& list)
{
    int count = 0;
    for (const PathNode& n : list)
        count += n.brk != 0;
    return count;
}

} // namespace

TEST(CurveItemTest, SetNodesReplacesAndCentresAndSingleNodesAreGuarded)
{
    CurveItem curve;
    EXPECT_FALSE(curve.SetNodes({PathNode::AtPoint(1, 1)}));
    EXPECT_TRUE(curve.Nodes().empty());

    ASSERT_TRUE(curve.SetNodes(BoxOutline(0, 0, 40, 20)));
    EXPECT_EQ(curve.GetPointAttr(ATTR_CENTER), (PointF{20, 10}));

    DrawItem& target = curve;
    CurveItem other;
    EXPECT_FALSE(target.ConvertInto(other));

    // Single node access is guarded.
    CurveItem empty;
    empty.SetNode(3, PathNode::AtPoint(1, 1));
    empty.DeleteNode(0);
    EXPECT_TRUE(empty.Nodes().empty());

    // Outside the list: the last node.
    auto three = MakeCurve(Polyline({{0, 0}, {10, 0}, {20, 0}}));
    PathNode n;
    three->GetNode(99, n);
    EXPECT_EQ(n.Anchor(), (PointF{20, 0}));
    PathNode moved = PathNode::AtPoint(20, 40);
    moved.brk = 1;
    three->SetNode(7, moved);
    EXPECT_EQ(three->Nodes()[2], moved);

    // Deleting the last node of a subpath joins it to the following one.
    auto two = MakeCurve(Concat(Polyline({{0, 0}, {10, 0}}), Polyline({{0, 20}, {10, 20}})));
    two->DeleteNode(1);
    EXPECT_EQ(BreakCount(two->Nodes()), 1);
}

TEST(CurveItemTest, BreaksClosedAndOpenSubpaths)
{
    auto box = MakeCurve(BoxOutline(0, 0, 40, 20));
    EXPECT_TRUE(box->IsNodeClosedOrInner(0));
    box->BreakAtNode(2);
    EXPECT_EQ(box->Nodes(), Polyline({{40, 20}, {0, 20}, {0, 0}, {40, 0}, {40, 20}}));
    EXPECT_FALSE(box->IsNodeClosedOrInner(0));

    auto line = MakeCurve(Polyline({{0, 0}, {10, 0}, {20, 0}, {30, 0}}));
    line->BreakAtNode(1);
    EXPECT_EQ(line->Nodes(), Concat(Polyline({{0, 0}, {10, 0}}), Polyline({{10, 0}, {20, 0}, {30, 0}})));

    // An end of an open subpath has nothing to break.
    line->BreakAtNode(0);
    line->BreakAtNode(4);
    EXPECT_EQ(line->Nodes().size(), 5u);
}

TEST(CurveItemTest, JoinsEndsOfOneSubpathOrOfTwoReversingWhereNeeded)
{
    // Ends that coincide: the last node goes, its arriving control point survives on the first.
    NodeList loop = Polyline({{0, 0}, {30, 0}, {30, 30}, {1, 1}});
    loop[3].lx = 5;
    loop[3].ly = 20;
    auto curve = MakeCurve(loop);
    EXPECT_TRUE(curve->CanJoinEnds({0, 3}));
    EXPECT_FALSE(curve->CanJoinEnds({0, 2}));
    curve->JoinEnds({0, 3});
    ASSERT_EQ(curve->Nodes().size(), 3u);
    EXPECT_EQ(curve->Nodes()[2].close, 1);
    EXPECT_EQ(curve->Nodes()[0].Left(), (PointF{5, 20}));

    // Ends apart: closing keeps every node, in either selection order.
    auto open = MakeCurve(Polyline({{0, 0}, {30, 0}, {30, 30}}));
    open->JoinEnds({2, 0});
    ASSERT_EQ(open->Nodes().size(), 3u);
    EXPECT_EQ(open->Nodes()[2].close, 1);

    // Two subpaths join into one; distinct control points show a reversal swapping left and right.
    auto make = [](float y) {
        NodeList list = Polyline({{0, y}, {10, y}, {20, y}});
        for (PathNode& n : list) {
            n.ly = y - 1;
            n.ry = y + 1;
        }
        return list;
    };
    const NodeList a = make(0), b = make(50), tail = Polyline({{0, 90}, {5, 95}});

    // A reversed run swaps each node's left and right control points.
    auto reversed = [](NodeList list) {
        std::reverse(list.begin(), list.end());
        for (PathNode& n : list) {
            std::swap(n.lx, n.rx);
            std::swap(n.ly, n.ry);
            n.brk = 0;
        }
        return list;
    };
    auto joined = [](NodeList first, const NodeList& second) {
        first.back().brk = 0;
        return Concat(first, second);
    };
    const struct
    {
        NodeSelection ends;
        NodeList expected;
    } cases[] = {
        {{0, 3}, Concat(joined(reversed(a), b), tail)}, // first nodes of both: the first runs backwards
        {{2, 5}, Concat(joined(a, reversed(b)), tail)}, // last nodes of both: the second is reversed
        {{0, 5}, Concat(joined(b, a), tail)},           // first of one, last of the other: no reversal
    };
    for (const auto& c : cases) {
        auto two = MakeCurve(Concat(Concat(a, b), tail));
        ASSERT_TRUE(two->CanJoinEnds(c.ends));
        two->JoinEnds(c.ends);
        NodeList expected = c.expected;
        expected[5].brk = 1;
        EXPECT_EQ(two->Nodes(), expected) << c.ends[0] << "-" << c.ends[1];
    }
}

TEST(CurveItemTest, ConvertsSegmentsBothWays)
{
    auto curve = MakeCurve(Polyline({{0, 0}, {30, 0}, {30, 60}}));
    const NodeList straight = curve->Nodes();

    curve->ConvertSegmentToCurve(0); // first node of an open subpath: no segment
    curve->ConvertSegmentToLine(2);  // already straight
    EXPECT_EQ(curve->Nodes(), straight);

    curve->ConvertSegmentToCurve(2);
    const NodeList& n = curve->Nodes();
    EXPECT_EQ(n[1].Right(), (PointF{30, 20}));
    EXPECT_EQ(n[2].Left(), (PointF{30, 40}));

    curve->ConvertSegmentToLine(2);
    EXPECT_EQ(curve->Nodes(), straight);

    // The first node of a closed subpath addresses the closing segment.
    NodeList box = BoxOutline(0, 0, 30, 30);
    for (PathNode& node : box)
        node.type = NodeSymmetric;
    auto closed = MakeCurve(box);
    closed->ConvertSegmentToCurve(0);
    EXPECT_EQ(closed->Nodes()[3].Right(), (PointF{0, 20}));
    EXPECT_EQ(closed->Nodes()[3].type, NodeCusp);
}

TEST(CurveItemTest, InsertsNodesIntoTheSegmentUnderThePoint)
{
    // A horizontal straight segment has bounds of no height; a click just off it still counts.
    auto line = MakeCurve(Polyline({{0, 0}, {30, 0}, {30, 30}}));
    line->InsertNodeAt(PathNode::AtPoint(10, 30)); // far from every segment
    EXPECT_EQ(line->Nodes().size(), 3u);
    line->InsertNodeAt(PathNode::AtPoint(10, 1));
    ASSERT_EQ(line->Nodes().size(), 4u);
    EXPECT_EQ(line->Nodes()[1].Anchor(), (PointF{10, 1}));

    // An arch: its middle is found, a point on its chord is not.
    NodeList arch = Polyline({{0, 0}, {30, 0}});
    arch[0].rx = 10, arch[0].ry = -30;
    arch[1].lx = 20, arch[1].ly = -30;
    auto curve = MakeCurve(arch);
    curve->InsertNodeAt(PathNode::AtPoint(15, 0));
    EXPECT_EQ(curve->Nodes().size(), 2u);
    curve->InsertNodeAt(PathNode::AtPoint(15, -21));
    ASSERT_EQ(curve->Nodes().size(), 3u);
    EXPECT_EQ(curve->Nodes()[1].Anchor(), (PointF{15, -21}));

    // On a closing segment the new node becomes the subpath's last.
    auto box = MakeCurve(BoxOutline(0, 0, 30, 30));
    box->InsertNodeAt(PathNode::AtPoint(1, 15));
    const NodeList& n = box->Nodes();
    ASSERT_EQ(n.size(), 5u);
    EXPECT_EQ(n[4].Anchor(), (PointF{1, 15}));
    EXPECT_EQ(n[4].close, 1);
    EXPECT_EQ(BreakCount(n), 1);
}

TEST(CurveItemTest, DragsControlPointsByNodeType)
{
    // Handles of unequal length (left 20, right 10) show whose length is kept.
    auto withType = [](std::int32_t type) {
        NodeList list = Polyline({{0, 0}, {50, 50}, {100, 0}});
        PathNode& n = list[1];
        n.type = type;
        n.lx = 30, n.ly = 50;
        n.rx = 60, n.ry = 50;
        return MakeCurve(list);
    };

    auto symmetric = withType(NodeSymmetric);
    symmetric->MoveNodes(HitRightControl, {1}, 10, 5);
    EXPECT_EQ(symmetric->Nodes()[1].Right(), (PointF{70, 55}));
    EXPECT_EQ(symmetric->Nodes()[1].Left(), (PointF{30, 45}));

    // Smooth: the other handle turns opposite the dragged one and keeps its own length.
    auto smooth = withType(NodeSmooth);
    smooth->MoveNodes(HitRightControl, {1}, 0, 20); // right now points 10 right, 20 down
    const PathNode& s = smooth->Nodes()[1];
    EXPECT_EQ(s.Right(), (PointF{60, 70}));
    EXPECT_NEAR(s.lx, 50 - 20 / std::sqrt(5.0f), 1e-3);
    EXPECT_NEAR(s.ly, 50 - 40 / std::sqrt(5.0f), 1e-3);
    smooth->MoveNodes(HitLeftControl, {1}, 0, -10); // and the same from the left
    EXPECT_NEAR(std::hypot(smooth->Nodes()[1].rx - 50, smooth->Nodes()[1].ry - 50), std::sqrt(500.0f), 1e-3);

    auto cusp = withType(NodeCusp);
    cusp->MoveNodes(HitRightControl, {1}, 10, 5);
    EXPECT_EQ(cusp->Nodes()[1].Right(), (PointF{70, 55}));
    EXPECT_EQ(cusp->Nodes()[1].Left(), (PointF{30, 50}));

    // Dropping a control point within 2 units of its anchor is refused.
    auto refused = withType(NodeSymmetric);
    const NodeList before = refused->Nodes();
    refused->MoveNodes(HitRightControl, {1}, -8, 1);   // to (52, 51)
    refused->MoveNodes(HitLeftControl, {1}, 21.5f, 0); // to (51.5, 50)
    EXPECT_EQ(refused->Nodes(), before);
    refused->MoveNodes(HitRightControl, {1}, -7.5f, 0); // to (52.5, 50): clear of the anchor
    EXPECT_EQ(refused->Nodes()[1].Right(), (PointF{52.5f, 50}));

    // Plain moves take anchor and both control points, once per node.
    auto moved = withType(NodeCusp);
    moved->MoveNodes(0, {1, 1, 9}, 3, 4);
    EXPECT_EQ(moved->Nodes()[1].Anchor(), (PointF{53, 54}));
    EXPECT_EQ(moved->Nodes()[1].Left(), (PointF{33, 54}));
}

TEST(CurveItemTest, HitTestsNodesControlsAndBody)
{
    NodeList list = Polyline({{10, 10}, {50, 10}, {50, 50}});
    list[1].lx = 40, list[1].ly = 20;
    list[1].rx = 60, list[1].ry = 20;
    auto curve = MakeCurve(list);

    NodeSelection selection;
    EXPECT_EQ(curve->HitNode({51, 11}, selection), HitAnchor);
    EXPECT_EQ(curve->HitNode({40, 21}, selection), HitLeftControl);
    EXPECT_EQ(curve->HitNode({61, 20}, selection), HitRightControl);
    selection.clear();
    EXPECT_EQ(curve->HitNode({20, 40}, selection), HitBody); // inside the box, off the outline
    EXPECT_TRUE(selection.empty());

    EXPECT_EQ(curve->SelectNodesInRect({0, 0, 10, 10}, selection), 0); // edges count
    EXPECT_EQ(curve->SelectNodesInRect({0, 0, 60, 60}, selection), 1);
    EXPECT_EQ(selection, (NodeSelection{0, 0, 1, 2}));
}

TEST(CurveItemTest, OutlineFollowsBreaksAndCloses)
{
    // Only the second node has a break: the third belongs to no subpath.
    NodeList list = Polyline({{0, 0}, {10, 0}});
    list.push_back(PathNode::AtPoint(100, 100));
    auto curve = MakeCurve(list);
    curve->SetFloatAttr(ATTR_LINE_WIDTH, 2);
    RectF bounds;
    curve->GetBounds(bounds, ModeCommit);
    EXPECT_EQ(bounds, (RectF{-1, -1, 12, 2}));

    // A closed subpath of two nodes goes there and back: a lens.
    NodeList lens = Polyline({{0, 0}, {30, 0}});
    lens[0].rx = 10, lens[0].ry = -10;
    lens[0].lx = 10, lens[0].ly = 10;
    lens[1].lx = 20, lens[1].ly = -10;
    lens[1].rx = 20, lens[1].ry = 10;
    lens[1].close = 1;
    auto closed = MakeCurve(lens);
    closed->GetBounds(bounds, ModeCommit);
    EXPECT_NEAR(bounds.Bottom(), 7.5, 0.3);

    // Odd-even filling: a box inside a box is a hole.
    auto holed = MakeCurve(Concat(BoxOutline(10, 10, 90, 90), BoxOutline(40, 40, 60, 60)));
    holed->SetColorAttr(ATTR_FILL_COLOR, ColorOpaqueBlack);
    QImage image(120, 120, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        holed->Draw(painter);
    }
    EXPECT_LT(qGray(image.pixel(25, 50)), 128);
    EXPECT_EQ(image.pixel(50, 50), QColor(Qt::white).rgba());
}

TEST(CurveItemTest, FlatteningKeepsToTheCurve)
{
    QPainterPath arc;
    arc.moveTo(0, 0);
    arc.cubicTo(0, -100, 100, -100, 100, 0);
    const QPainterPath flat = FlattenPath(arc);
    ASSERT_GT(flat.elementCount(), 8);
    for (int i = 0; i < flat.elementCount(); ++i)
        EXPECT_TRUE(flat.elementAt(i).isMoveTo() || flat.elementAt(i).isLineTo());
    // Every vertex lies on the curve, so the top sits within the flatness of the true top.
    EXPECT_NEAR(flat.boundingRect().top(), arc.boundingRect().top(), 0.25);

    // Bounds are measured from the flattened points without the flat path:
    // the same box exactly, lone points and empty outlines included.
    QPainterPath lone = arc;
    lone.moveTo(-50.3, 7.1);
    lone.moveTo(30.7, 12.9);
    lone.cubicTo(31, -200.5, 77.25, 13, 80.125, 12.9);
    lone.moveTo(500, 500);
    for (const QPainterPath& outline : {arc, lone, arc.translated(1000.37, -0.001), QPainterPath()}) {
        const QRectF box = FlattenPath(outline).boundingRect();
        const QRectF measured = FlattenedBounds(outline);
        const qreal expected[] = {box.x(), box.y(), box.width(), box.height()};
        const qreal got[] = {measured.x(), measured.y(), measured.width(), measured.height()};
        EXPECT_EQ(std::memcmp(expected, got, sizeof got), 0) << outline.elementCount();
    }
}
