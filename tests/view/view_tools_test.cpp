#include "view/view_host.h"
#include "view_fixture.h"

namespace {

using ViewToolsTest = ViewTest;

TEST_F(ViewToolsTest, ZoomStepsAboutThePointerABandFitsTheCanvasAndTheHandKeepsItsPoint)
{
    MakeCanvas(500, 400);
    view.SetTool(ToolKind::ZoomIn);
    driver.ClickAt({100, 50});
    EXPECT_FLOAT_EQ(view.Zoom(), 1.5f);
    // The clicked canvas point stays under the pointer.
    const QPointF at = view.ClientPoint({100, 50});
    EXPECT_NEAR(at.x(), 140, 0.5);
    EXPECT_NEAR(at.y(), 90, 0.5);

    // A band 50 wide and 20 high on a 500 x 400 canvas asks for 10: clamped to 8.
    view.SetZoomPercent(100);
    view.SetPanOffset({0, 0});
    driver.DragAt({10, 10}, {60, 30});
    EXPECT_FLOAT_EQ(view.Zoom(), 8.0f);
    // The band's starting corner lands on the canvas margin.
    const QPointF corner = view.ClientPoint({10, 10});
    EXPECT_NEAR(corner.x(), view.CanvasMargin().x, 0.5);
    EXPECT_NEAR(corner.y(), view.CanvasMargin().y, 0.5);

    // Zoom Out stops at the smallest zoom.
    view.SetZoomPercent(25);
    view.SetTool(ToolKind::ZoomOut);
    driver.ClickAt({0, 0});
    driver.ClickAt({0, 0});
    EXPECT_FLOAT_EQ(view.Zoom(), 0.1f);

    // The hand keeps the grabbed point under the pointer.
    MakeCanvas();
    view.SetZoomPercent(200);
    view.SetTool(ToolKind::Hand);
    const QPoint from = driver.Pixel({50, 50});
    const QPoint to = from + QPoint(30, -16);
    driver.Drag(from, to, 3);
    const PointF under = view.CanvasPoint(to);
    EXPECT_NEAR(under.x, 50, 1);
    EXPECT_NEAR(under.y, 50, 1);
    EXPECT_EQ(UndoCount(), 0u); // panning is no change of the drawing
}

} // namespace
