// Node edits of curve outlines: what each record does. That undo and redo
// give back each state exactly is the randomized model's to prove.

#include "record_fixture.h"

namespace {

using OutlineRecords = RecordTest;

// A closed square outline of four cusp nodes, 40 units wide.
NodeList Square()
{
    return PolygonNodes({{0, 0}, {40, 0}, {40, 40}, {0, 40}});
}

TEST_F(OutlineRecords, BreakJoinSwapMoveConvertAndControlPointDrag)
{
    DrawItem* curve = AddCurve(Square());
    ASSERT_EQ(doc.PushOutlineOp(curve, 2), 0);
    ASSERT_EQ(curve->Nodes().size(), 5u);
    EXPECT_EQ(curve->Nodes().back().close, 0);

    // Join the two ends of the now open outline again.
    ASSERT_EQ(doc.PushOutlineOp(curve, NodeSelection{0, 4}), 0);
    EXPECT_EQ(curve->Nodes().size(), 4u);
    EXPECT_EQ(curve->Nodes().back().close, 1);

    const PathNode node = PathNode::AtPoint(55, -5, NodeSmooth);
    ASSERT_EQ(doc.PushNodeSwap(curve, 1, node), 0);
    EXPECT_EQ(curve->Nodes()[1], node);

    // Moves, conversions and control point drags, on a fresh square.
    NodeList nodes = Square();
    nodes[1].type = NodeSymmetric;
    curve = AddCurve(nodes);
    ASSERT_EQ(doc.PushMoveNode(curve, 0, NodeSelection{0, 3}, 2.5f, -1), 0);
    EXPECT_EQ(curve->Nodes()[3].Anchor(), (PointF{2.5f, 39}));
    EXPECT_LT(doc.PushMoveNode(curve, 0, NodeSelection{1}, NAN, 0), 0);

    // Dragging the right control point of a symmetric node mirrors the left one.
    ASSERT_EQ(doc.PushMoveNode(curve, HitRightControl, NodeSelection{1}, 10, 7), 0);
    EXPECT_EQ(curve->Nodes()[1].Left(), (PointF{30, -7}));

    ASSERT_EQ(doc.PushNodeConvert(curve, NodeSelection{3}, SegmentConversion::ToCurve), 0);
    EXPECT_NEAR(curve->Nodes()[2].rx, 40 - 37.5f / 3, 1e-4);
    ASSERT_EQ(doc.PushNodeConvert(curve, NodeSelection{1}, SegmentConversion::ToLine), 0);
    EXPECT_EQ(curve->Nodes()[1].Left(), curve->Nodes()[1].Anchor());
}

TEST_F(OutlineRecords, InsertNodeAnswersTheNewIndex)
{
    DrawItem* curve = AddCurve(Square());
    const std::string before = State();
    ASSERT_EQ(doc.PushInsertNode(curve, -1, PathNode::AtPoint(40, 20)), 2);
    EXPECT_EQ(curve->Nodes()[2].Anchor(), (PointF{40, 20}));
    doc.Undo();

    // On the closing segment the new node becomes the last one and takes the flags.
    ASSERT_EQ(doc.PushInsertNode(curve, -1, PathNode::AtPoint(0, 20)), 4);
    EXPECT_EQ(curve->Nodes()[4].close, 1);

    // Far from every segment: refused, and the redo list is kept.
    doc.Undo();
    EXPECT_LT(doc.PushInsertNode(curve, -1, PathNode::AtPoint(20, 20)), 0);
    EXPECT_TRUE(doc.CanRedo());
    EXPECT_EQ(State(), before);
}

TEST_F(OutlineRecords, DeleteNodeUndoPutsTheNodeBackWhereItWas)
{
    // Node 2 lies on the straight run from node 1 to node 3, where an
    // insertion by position alone could not tell which segment it came from.
    DrawItem* curve = AddCurve(PolygonNodes({{0, 0}, {20, 0}, {40, 0}, {40, 40}, {0, 40}}));
    const NodeList before = curve->Nodes();
    ASSERT_EQ(doc.PushDeleteNode(curve, 2), 0);
    EXPECT_EQ(curve->Nodes().size(), 4u);
    doc.Undo();
    EXPECT_EQ(curve->Nodes(), before);
}

} // namespace
