// The Edit tool and the point commands, driven as a user does.

#include "view/view_fixture.h"

namespace {

class PointEditingTest : public ViewTest
{
protected:
    // An open curve through the anchors; each node's control points sit on its anchor.
    DrawItem* AddCurve(std::initializer_list<PointF> anchors, float lineWidth = 0)
    {
        return AddOutline(Polyline(anchors), lineWidth);
    }

    DrawItem* AddOutline(const NodeList& nodes, float lineWidth = 0)
    {
        return Add(ItemCurve, nodes, {{ATTR_LINE_COLOR, FormatColorAttr(ColorOpaqueBlack)},
                                      {ATTR_LINE_WIDTH, FormatFloatAttr(lineWidth)}});
    }
};

TEST_F(PointEditingTest, PressesPickItemsBottomFirstAndNodesOnTheSecondPress)
{
    MakeCanvas();
    DrawItem* below = AddCurve({{50, 50}, {150, 50}, {150, 150}});
    DrawItem* above = AddCurve({{150, 150}, {250, 150}, {250, 250}});
    view.SetTool(ToolKind::Edit);
    struct Step
    {
        PointF at;
        DrawItem* selection;
        NodeSelection nodes;
        std::int32_t code;
    };
    const Step steps[] = {
        // The shared node belongs to both: the bottom item wins, with its node.
        {{150, 150}, below, {2}, HitAnchor},
        // A node of another item only switches the selection...
        {{250, 150}, above, {}, HitMiss},
        // ...and a second press picks the node.
        {{250, 150}, above, {1}, HitAnchor},
        // Inside the bounds, away from the nodes: a band begins.
        {{200, 200}, above, {}, HitBody},
        // Beside every item: the selection stays and a band begins.
        {{400, 20}, above, {}, HitBody},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "press at " << step.at.x << ", " << step.at.y);
        driver.ClickAt(step.at);
        EXPECT_EQ(view.Selection(), step.selection);
        EXPECT_EQ(view.SelectedNodes(), step.nodes);
        EXPECT_EQ(view.EditHitCode(), step.code);
    }
    EXPECT_EQ(UndoCount(), 2u); // choosing changes nothing
}

TEST_F(PointEditingTest, BandsChooseNodesAndDeletePointNeedsExactlyOne)
{
    MakeCanvas();
    DrawItem* curve = AddCurve({{50, 50}, {150, 50}, {150, 150}});
    view.SetTool(ToolKind::Edit);
    driver.ClickAt({100, 100}); // the curve, by its body
    ASSERT_EQ(view.Selection(), curve);
    struct Band
    {
        PointF from, to;
        NodeSelection nodes;
        std::int32_t code;
    };
    const Band bands[] = {
        {{47, 47}, {51, 51}, {}, HitBody},       // 4 x 4 is too small to choose
        {{47, 47}, {52, 52}, {0}, HitAnchor},    // 5 x 5 chooses the node inside
        {{40, 40}, {160, 60}, {0, 1}, 1},        // several nodes
    };
    for (const Band& band : bands) {
        SCOPED_TRACE(testing::Message() << "band to " << band.to.x << ", " << band.to.y);
        driver.DragAt(band.from, band.to);
        EXPECT_EQ(view.SelectedNodes(), band.nodes);
        EXPECT_EQ(view.EditHitCode(), band.code);
    }

    // Two nodes chosen: delete point is disabled, and a shortcut does nothing.
    EXPECT_FALSE(view.PointCommandEnabled(CommandDeletePoint));
    const std::size_t steps = UndoCount();
    view.DoCommand(CommandDeletePoint);
    EXPECT_EQ(curve->Nodes().size(), 3u);
    EXPECT_EQ(UndoCount(), steps);

    // A click on one of the chosen nodes keeps both; another node alone, then the middle one.
    driver.ClickAt({150, 50});
    EXPECT_EQ(view.SelectedNodes(), (NodeSelection{0, 1}));
    driver.ClickAt({150, 150});
    driver.ClickAt({150, 50});
    ASSERT_TRUE(view.PointCommandEnabled(CommandDeletePoint));
    view.DoCommand(CommandDeletePoint);
    ASSERT_EQ(curve->Nodes().size(), 2u);
    ExpectNear(curve->Nodes()[1].Anchor(), {150, 150});
    EXPECT_TRUE(view.SelectedNodes().empty());
    EXPECT_EQ(view.EditHitCode(), HitMiss);
}

TEST_F(PointEditingTest, NodeTypeCommandsSetTheLeftControlPointByTheTypesRule)
{
    MakeCanvas();
    // The middle node's handles differ in length: 30 to the right, 10 to the upper left.
    NodeList nodes{PathNode::AtPoint(50, 100), PathNode::AtPoint(150, 100), PathNode::AtPoint(250, 100)};
    nodes[1].type = NodeCusp;
    nodes[1].rx = 180;
    nodes[1].lx = 144;
    nodes[1].ly = 92;
    nodes[2].brk = 1;
    DrawItem* curve = AddOutline(nodes);
    view.SetTool(ToolKind::Edit);
    struct Case
    {
        std::int32_t code;
        std::int32_t type;
        PointF left;
    };
    const Case cases[] = {
        {CommandPointSmooth, NodeSmooth, {140, 100}},    // in line, at its own length of 10
        {CommandPointSymmetric, NodeSymmetric, {120, 100}}, // mirrored
        {CommandPointCusp, NodeCusp, {144, 92}},         // left alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        driver.ClickAt({150, 100});
        ASSERT_EQ(view.SelectedNodes(), NodeSelection{1});
        ASSERT_TRUE(view.PointCommandEnabled(c.code));
        view.DoCommand(c.code);
        const PathNode& node = curve->Nodes()[1];
        EXPECT_EQ(node.type, c.type);
        ExpectNear(node.Left(), c.left);
        ExpectNear(node.Right(), {180, 100});
        view.DoCommand(CommandUndo);
        EXPECT_EQ(curve->Nodes()[1], nodes[1]);
    }
}

TEST_F(PointEditingTest, PointCommandsActOnTheChosenNodesAndConvertKeepsTheSelection)
{
    MakeCanvas();
    // A U open at the top; the segment into node 1 bows out to the left.
    NodeList nodes{PathNode::AtPoint(50, 50), PathNode::AtPoint(50, 150), PathNode::AtPoint(150, 150),
                   PathNode::AtPoint(150, 50)};
    nodes[1].lx = 20;
    nodes[1].ly = 120;
    nodes[3].brk = 1;
    DrawItem* curve = AddOutline(nodes);
    view.SetTool(ToolKind::Edit);
    struct Case
    {
        std::int32_t code;
        PointF choose, bandTo; // a click, or a band when bandTo is given
        std::size_t count;
        std::size_t probe;
        PointF probeLeft;
        std::int32_t closed; // the last node's close flag
    };
    const Case cases[] = {
        {CommandPointToLine, {50, 150}, {}, 4, 1, {50, 150}, 0},
        {CommandPointToCurve, {150, 150}, {}, 4, 2, {116.67f, 150}, 0},
        {CommandCloseCurve, {40, 40}, {160, 60}, 4, 1, {20, 120}, 1}, // the two ends, apart
        {CommandBreakCurve, {50, 150}, {}, 5, 1, {20, 120}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        if (c.bandTo.x > 0)
            driver.DragAt(c.choose, c.bandTo);
        else
            driver.ClickAt(c.choose);
        ASSERT_TRUE(view.PointCommandEnabled(c.code));
        view.DoCommand(c.code);
        ASSERT_EQ(curve->Nodes().size(), c.count);
        ExpectNear(curve->Nodes()[c.probe].Left(), c.probeLeft);
        EXPECT_EQ(curve->Nodes().back().close, c.closed);
        EXPECT_TRUE(view.SelectedNodes().empty() || c.code < CommandCloseCurve);
        view.DoCommand(CommandUndo);
        EXPECT_EQ(curve->Nodes(), nodes);
    }

    // A shape becomes a curve in its place, and stays chosen.
    DrawItem* rect = AddRect(300, 300, 50, 40);
    driver.ClickAt({320, 320});
    ASSERT_EQ(view.Selection(), rect);
    EXPECT_FALSE(view.PointCommandEnabled(CommandPointToLine));
    view.DoCommand(CommandPointToBezier);
    ASSERT_EQ(view.Selection(), doc.GetItem(1));
    EXPECT_EQ(view.Selection()->TypeCode(), ItemCurve);
    EXPECT_FALSE(view.PointCommandEnabled(CommandPointToBezier));
}

TEST_F(PointEditingTest, DoubleClickOnACurveInsertsACuspNode)
{
    MakeCanvas();
    DrawItem* curve = AddCurve({{50, 50}, {150, 50}}, 2);
    view.SetTool(ToolKind::Edit);
    driver.ClickAt({150, 50});
    ASSERT_EQ(view.SelectedNodes(), NodeSelection{1});
    const std::size_t steps = UndoCount();

    // Beside the outline nothing lands and no undo step is left.
    driver.DoubleClickAt({100, 80});
    EXPECT_EQ(curve->Nodes().size(), 2u);
    EXPECT_EQ(UndoCount(), steps);

    driver.DoubleClickAt({100, 51});
    ASSERT_EQ(curve->Nodes().size(), 3u);
    EXPECT_EQ(curve->Nodes()[1], PathNode::AtPoint(100, 51, NodeCusp));
    EXPECT_EQ(UndoCount(), steps + 1);
}

TEST_F(PointEditingTest, DragsMoveTheChosenNodesOnceAndInterruptionsPutThemBack)
{
    MakeCanvas();
    NodeList nodes{PathNode::AtPoint(50, 50), PathNode::AtPoint(150, 50), PathNode::AtPoint(150, 150)};
    nodes[0].type = NodeSymmetric;
    nodes[0].rx = 80; // the right control point of node 0 at (80, 50)
    nodes[2].brk = 1;
    DrawItem* curve = AddOutline(nodes);
    view.SetTool(ToolKind::Edit);
    driver.ClickAt({100, 100});
    ASSERT_EQ(view.Selection(), curve);

    struct Drag
    {
        const char* what;
        PointF choose; // a click on a node, or a band's corners
        PointF bandTo;
        PointF from, to;
        NodeList after;
    };
    NodeList anchorMoved = nodes;
    anchorMoved[0].x = anchorMoved[0].lx = 160;
    anchorMoved[0].rx = 190;
    anchorMoved[0].y = anchorMoved[0].ly = anchorMoved[0].ry = 60;
    NodeList controlMoved = nodes;
    controlMoved[0].ry = 70;
    controlMoved[0].ly = 30; // symmetric: the left one is mirrored through the anchor
    controlMoved[0].lx = 20;
    NodeList bothMoved = nodes;
    for (int i : {0, 1}) {
        PathNode& n = bothMoved[std::size_t(i)];
        n.x += 10, n.lx += 10, n.rx += 10, n.y += 20, n.ly += 20, n.ry += 20;
    }
    const Drag drags[] = {
        // The drag spans node 1 without choosing it.
        {"anchor", {50, 50}, {}, {50, 50}, {160, 60}, anchorMoved},
        {"right control point", {50, 50}, {}, {80, 50}, {80, 70}, controlMoved},
        // A press on one of several chosen nodes drags them all.
        {"two banded anchors", {40, 40}, {160, 60}, {150, 50}, {160, 70}, bothMoved},
    };
    for (const Drag& drag : drags) {
        SCOPED_TRACE(drag.what);
        if (drag.bandTo.x > 0)
            driver.DragAt(drag.choose, drag.bandTo);
        else
            driver.ClickAt(drag.choose);
        const std::size_t steps = UndoCount();

        // Interrupted by an arrow key: the nodes go back, then the key moves the curve.
        driver.PressAt(drag.from);
        driver.MoveAt(drag.to);
        EXPECT_NE(curve->Nodes(), nodes);
        driver.Key(Qt::Key_Left);
        EXPECT_FALSE(view.HasCapture());
        EXPECT_EQ(UndoCount(), steps + 1);
        view.DoCommand(CommandUndo);
        EXPECT_EQ(curve->Nodes(), nodes);

        if (drag.bandTo.x > 0)
            driver.DragAt(drag.choose, drag.bandTo);
        else
            driver.ClickAt(drag.choose);
        driver.DragAt(drag.from, drag.to);
        EXPECT_EQ(curve->Nodes(), drag.after);
        EXPECT_EQ(UndoCount(), steps + 1);
        view.DoCommand(CommandUndo);
        EXPECT_EQ(curve->Nodes(), nodes);
    }
}

} // namespace
