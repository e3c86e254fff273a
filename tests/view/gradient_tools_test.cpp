// The two gradient tools and the stop colour command, driven as a user does.

#include "view/view_fixture.h"

namespace {

using GradientToolsTest = ViewTest;

TEST_F(GradientToolsTest, DoubleClicksToggleAStopOfThePaintedColour)
{
    MakeCanvas();
    DrawItem* rect = AddRect(100, 100, 200, 100, 0xFF0A141E);
    driver.ClickAt({150, 120});
    view.SetTool(ToolKind::GradientLine); // the outline gradient runs from (100, 150) to (300, 150)
    const std::size_t steps = UndoCount();

    // Two units below the gradient line the screen shows the rectangle's fill.
    driver.DoubleClickAt({200, 152});
    const GradientRamp& ramp = rect->LineRamp();
    ASSERT_EQ(ramp.colors.size(), 3u);
    EXPECT_EQ(ramp.colors[2], 0xFF0A141Eu);
    EXPECT_NEAR(ramp.positions[2], 0.5, 0.001);
    EXPECT_EQ(host.gradientBar.back().position, 50);
    EXPECT_EQ(UndoCount(), steps + 1);

    // The new stop is the current one: the colour dialog opens on its colour.
    ASSERT_TRUE(view.GradientStopColorEnabled());
    host.QueueColor(0xFF112233);
    view.DoCommand(CommandGradientStopColor);
    EXPECT_EQ(host.colorRequests, std::vector<ArgbColor>{0xFF0A141E});
    EXPECT_EQ(ramp.colors[2], 0xFF112233u);

    // Again on the stop: it is removed, and there is no current stop to colour.
    driver.DoubleClickAt({200, 152});
    EXPECT_EQ(ramp.colors.size(), 2u);
    view.DoCommand(CommandGradientStopColor);
    EXPECT_EQ(host.colorRequests.size(), 1u);
    EXPECT_EQ(UndoCount(), steps + 3);
}

TEST_F(GradientToolsTest, HandleDragsCommitOnce)
{
    MakeCanvas();
    DrawItem* rect = AddRect(100, 100, 200, 100);
    driver.ClickAt({150, 120});
    view.SetTool(ToolKind::GradientFill); // the fill gradient runs from (100, 150) to (300, 150)
    driver.DoubleClickAt({150, 150});   // a stop at 0.25
    ASSERT_EQ(rect->FillRamp().positions.size(), 3u);
    const GradientRamp ramp = rect->FillRamp();
    const PointF end = rect->GetPointAttr(ATTR_FILL_GRADIENT_END);

    struct Drag
    {
        const char* what;
        PointF from, to;
        PointF end;
        float stop;
        int barPosition;
    };
    const Drag drags[] = {
        {"end", {300, 150}, {300, 190}, {300, 190}, 0.25f, 100},
        {"stop", {150, 150}, {190, 150}, {300, 150}, 0.45f, 45},
    };
    for (const Drag& drag : drags) {
        SCOPED_TRACE(drag.what);
        const std::size_t steps = UndoCount();
        driver.DragAt(drag.from, drag.to);
        ExpectNear(rect->GetPointAttr(ATTR_FILL_GRADIENT_END), drag.end);
        EXPECT_NEAR(rect->FillRamp().positions[2], drag.stop, 0.001);
        EXPECT_EQ(host.gradientBar.back().position, drag.barPosition);
        EXPECT_EQ(UndoCount(), steps + 1);
        view.DoCommand(CommandUndo);
        EXPECT_EQ(rect->FillRamp(), ramp);
        EXPECT_EQ(rect->GetPointAttr(ATTR_FILL_GRADIENT_END), end);
    }

    // A locked item's handles stay put, and leave no empty undo step.
    view.DoCommand(CommandToggleLocked);
    const std::size_t steps = UndoCount();
    driver.DragAt({300, 150}, {300, 190});
    EXPECT_EQ(UndoCount(), steps);
}

} // namespace
