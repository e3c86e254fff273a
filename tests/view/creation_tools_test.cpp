#include "items/group_item.h"
#include "view/view_host.h"
#include "view_fixture.h"

#include <functional>
#include <limits>

namespace {

using CreationToolsTest = ViewTest;

// Whether a black pixel lies within a pixel of (x, y).
bool BlackNear(const QImage& image, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (image.pixel(x + dx, y + dy) == 0xFF000000)
                return true;
        }
    }
    return false;
}

TEST_F(CreationToolsTest, DragsMakeOneItemOrNoneBelowFourUnits)
{
    const float inf = std::numeric_limits<float>::infinity();
    enum Before { Nothing, InfinitePan, InterruptedDrag };
    const struct
    {
        const char* what;
        ToolKind tool;
        PointF from, to;
        bool shift;
        bool made;
        PointF end; // the second anchor of what was made
        Before before = Nothing;
    } cases[] = {
        {"shift keeps a line level", ToolKind::Line, {50, 50}, {60, 53}, true, true, {60, 50}},
        {"shift keeps a line at 45 degrees", ToolKind::Line, {50, 50}, {70, 68}, true, true, {70, 70}},
        {"shift keeps a line at -45 degrees", ToolKind::Line, {50, 50}, {70, 31}, true, true, {70, 30}},
        {"shift keeps a steep line upright", ToolKind::Line, {50, 50}, {52, 80}, true, true, {50, 80}},
        {"a line below 4 both ways", ToolKind::Line, {50, 50}, {53, 53}, false, false, {}},
        {"a flat line is long enough", ToolKind::Line, {50, 50}, {60, 50}, false, true, {60, 50}},
        {"a rectangle 2 high", ToolKind::Rectangle, {10, 10}, {110, 12}, false, false, {}},
        {"shift makes a square", ToolKind::Rectangle, {10, 10}, {50, 30}, true, true, {50, 50}},
        {"an ellipse 3 wide", ToolKind::Ellipse, {10, 10}, {13, 60}, false, false, {}},
        {"an ellipse", ToolKind::Ellipse, {10, 10}, {60, 40}, false, true, {60, 40}},
        {"a doodle through its track", ToolKind::Doodle, {10, 10}, {50, 30}, false, true, {50, 30}},
        {"a doodle click", ToolKind::Doodle, {10, 10}, {11, 11}, false, false, {}},
        {"a line after one cut short", ToolKind::Line, {10, 10}, {60, 30}, false, true, {60, 30}, InterruptedDrag},
        {"a doodle after one cut short", ToolKind::Doodle, {10, 10}, {60, 30}, false, true, {60, 30}, InterruptedDrag},
        {"no line off every number", ToolKind::Line, {10, 10}, {60, 30}, false, false, {}, InfinitePan},
        {"no doodle off every number", ToolKind::Doodle, {10, 10}, {60, 30}, false, false, {}, InfinitePan},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeCanvas();
        view.SetPanOffset({0, 0});
        view.SetTool(c.tool);
        const Qt::KeyboardModifiers modifiers = c.shift ? Qt::ShiftModifier : Qt::NoModifier;
        const QPoint from = driver.Pixel(c.from), to = driver.Pixel(c.to);
        if (c.before == InfinitePan)
            view.SetPanOffset({-inf, inf});
        if (c.before == InterruptedDrag) {
            driver.PressAt({300, 300});
            driver.MoveAt({350, 320});
            view.SetTool(c.tool);
        }
        driver.Drag(from, to, 4, modifiers);
        EXPECT_FALSE(view.HasCapture());
        ASSERT_EQ(doc.GetItemCount(), c.made ? 1 : 0);
        EXPECT_EQ(UndoCount(), c.made ? 1u : 0u);
        if (!c.made)
            continue;
        DrawItem* item = doc.GetItem(doc.GetItemCount() - 1);
        EXPECT_EQ(item->TypeCode(), ToolValue(c.tool));
        EXPECT_EQ(view.Selection(), item);
        const NodeList& nodes = item->Nodes();
        ASSERT_GE(nodes.size(), 2u);
        ExpectNear(nodes.front().Anchor(), c.from, 0);
        ExpectNear(nodes.back().Anchor(), c.end, 0);
        // Only closed shapes take a fill.
        const bool filled = c.tool == ToolKind::Rectangle || c.tool == ToolKind::Ellipse;
        EXPECT_EQ(item->Attributes().count(ATTR_FILL_COLOR), filled ? 1u : 0u);
        EXPECT_EQ(item->GetTextAttr(ATTR_LINE_COLOR), FormatColorAttr(ColorOpaqueBlack));
    }
}

TEST_F(CreationToolsTest, TheShapeUnderConstructionIsDrawnUntilItsRelease)
{
    MakeCanvas(); // canvas origin at client (40, 40)
    view.SetTool(ToolKind::Rectangle);
    driver.PressAt({100, 100});
    driver.MoveAt({200, 150});
    EXPECT_TRUE(BlackNear(view.PaintClient(), 190, 140)); // the top edge
    // Shrunk below four units and let go: discarded, and the outline is gone.
    driver.MoveAt({102, 101});
    driver.ReleaseAt({102, 101});
    EXPECT_EQ(doc.GetItemCount(), 0);
    EXPECT_FALSE(BlackNear(view.PaintClient(), 141, 140));
}

TEST_F(CreationToolsTest, BezierClosesOnItsStartWithTheNodesPlaced)
{
    MakeCanvas();
    view.SetTool(ToolKind::Bezier);
    driver.ClickAt({10, 10});
    // The second node's control points are dragged out to (70, 20), mirrored on the
    // left; a move applies the point of the move before it.
    driver.PressAt({60, 10});
    driver.MoveAt({70, 20});
    driver.MoveAt({70, 20});
    driver.ReleaseAt({70, 20});
    driver.ClickAt({60, 60});
    EXPECT_EQ(doc.GetItemCount(), 0); // still under construction
    // Within 4 units of the start point: closed, and no node added.
    driver.PressAt({12, 13});
    EXPECT_FALSE(view.HasCapture());
    driver.ReleaseAt({12, 13});

    ASSERT_EQ(doc.GetItemCount(), 1);
    EXPECT_EQ(UndoCount(), 1u);
    DrawItem* curve = doc.GetItem(doc.GetItemCount() - 1);
    EXPECT_EQ(curve->TypeCode(), ItemCurve);
    const NodeList& nodes = curve->Nodes();
    ASSERT_EQ(nodes.size(), 3u);
    ExpectNear(nodes[1].Right(), {70, 20}, 0);
    ExpectNear(nodes[1].Left(), {50, 0}, 0);
    EXPECT_EQ(nodes[2].close, 1);
    EXPECT_EQ(nodes[2].brk, 1);
    EXPECT_EQ(curve->GetTextAttr(ATTR_FILL_COLOR), FormatColorAttr(ColorOpaqueWhite));

    // The next press starts a new curve.
    driver.ClickAt({200, 200});
    driver.ClickAt({250, 200});
    view.SetTool(ToolKind::Select);
    EXPECT_EQ(doc.GetItemCount(), 2);
}

TEST_F(CreationToolsTest, AnOpenCurveIsCommittedBeforeAToolChangeOrACommand)
{
    const struct
    {
        const char* what;
        std::function<void(CKorvaniView&)> next;
    } cases[] = {
        {"the Bezier button again", [](CKorvaniView& v) { v.SetTool(ToolKind::Bezier); }},
        {"another tool", [](CKorvaniView& v) { v.SetTool(ToolKind::Select); }},
        {"a command", [](CKorvaniView& v) { v.DoCommand(CommandMoveTopmost); }},
        {"a command mid-drag", [](CKorvaniView& v) {
             v.OnLeftButtonDown(QPoint(200, 120));
             v.DoCommand(CommandMoveTopmost);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeCanvas();
        view.SetTool(ToolKind::Bezier);
        driver.ClickAt({10, 10});
        driver.ClickAt({100, 10});
        c.next(view);
        ASSERT_EQ(doc.GetItemCount(), 1);
        DrawItem* curve = doc.GetItem(doc.GetItemCount() - 1);
        EXPECT_EQ(view.Selection(), curve);
        // Finished open: no fill, no close flag, and a node pressed mid-drag counts as placed.
        EXPECT_EQ(curve->Attributes().count(ATTR_FILL_COLOR), 0u);
        EXPECT_EQ(curve->Nodes().back().close, 0);
        EXPECT_GE(curve->Nodes().size(), 2u);
    }

    // A single node is no curve.
    MakeCanvas();
    view.SetTool(ToolKind::Bezier);
    driver.ClickAt({10, 10});
    view.SetTool(ToolKind::Select);
    EXPECT_EQ(doc.GetItemCount(), 0);
}

TEST_F(CreationToolsTest, TextComesFromTheTextDialogAtThePressedPoint)
{
    MakeCanvas();
    view.SetTool(ToolKind::Text);
    host.QueueText(std::nullopt); // cancelled: nothing
    driver.ClickAt({30, 40});
    EXPECT_EQ(doc.GetItemCount(), 0);

    host.QueueText("Hello");
    driver.PressAt({30, 40});
    EXPECT_FALSE(view.HasCapture());
    ASSERT_EQ(doc.GetItemCount(), 1);
    EXPECT_EQ(UndoCount(), 1u);
    DrawItem* text = doc.GetItem(doc.GetItemCount() - 1);
    EXPECT_EQ(text->TypeCode(), ItemText);
    EXPECT_EQ(text->GetTextAttr(ATTR_CONTENT), "Hello");
    EXPECT_EQ(text->GetTextAttr(ATTR_FONT_NAME), "Arial");
    EXPECT_EQ(text->GetIntAttr(ATTR_FONT_SIZE), 18);
    ExpectNear(text->Nodes().front().Anchor(), {30, 40}, 0);
    // The dialog opens at the pressed pixel on the screen.
    ASSERT_EQ(host.textRequests.size(), 2u);
    EXPECT_EQ(host.textRequests.back().screenPosition, driver.Pixel({30, 40}) + host.clientOrigin);
}

TEST_F(CreationToolsTest, PlacementsFillTheDraggedBoxAndReturnToTheToolBefore)
{
    MakeCanvas();
    view.SetTool(ToolKind::Rotate);
    const std::string picture = KORVANI_TEST_DATA_DIR "/red_blue.gif";
    view.BeginImagePlacement(picture, "gif");
    EXPECT_EQ(view.ActiveTool(), ToolValue(ToolKind::PlaceImage));
    driver.DragAt({20, 30}, {120, 80});
    ASSERT_EQ(doc.GetItemCount(), 1);
    DrawItem* image = doc.GetItem(doc.GetItemCount() - 1);
    EXPECT_EQ(image->TypeCode(), ItemImage);
    EXPECT_EQ(image->GetTextAttr(ATTR_CONTENT), picture);
    EXPECT_EQ(image->GetTextAttr(ATTR_IMAGE_TYPE), "gif");
    ExpectRect(image->Bounds(ModeCommit), {20, 30, 100, 50}, 0);
    EXPECT_EQ(view.ActiveTool(), ToolValue(ToolKind::Rotate));

    // Two boxes of a drawing come in as one group, scaled into the band; guides go.
    doc.AddGuide({0, 300});
    view.BeginFilePlacement(KORVANI_TEST_DATA_DIR "/two_boxes.xml");
    driver.DragAt({200, 200}, {300, 300});
    ASSERT_EQ(doc.GetItemCount(), 2);
    EXPECT_EQ(UndoCount(), 2u);
    EXPECT_EQ(doc.GetItem(doc.GetItemCount() - 1)->TypeCode(), ItemGroup);
    EXPECT_EQ(view.Selection(), nullptr);
    EXPECT_EQ(doc.GetGuideCount(), 0);
    EXPECT_EQ(view.ActiveTool(), ToolValue(ToolKind::Rotate));
    // Unscaled they would reach 360; the band's corner sits on the grown bounds' handle.
    EXPECT_NEAR(doc.GetItem(doc.GetItemCount() - 1)->Bounds(ModeCommit).Right(), 300, 5);

    // A working copy gone missing is said, not placed in silence.
    view.BeginFilePlacement("/nonexistent/korvani/gone.xml");
    driver.DragAt({10, 10}, {50, 50});
    EXPECT_EQ(doc.GetItemCount(), 2);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text.rfind("Cannot open /nonexistent/korvani/gone.xml", 0), 0u);
}

} // namespace
