// Coordinate mapping, zoom, margins, scrolling, tools and the view's life cycle.

#include "view/graphics_runtime_guard.h"
#include "view/view_fixture.h"

#include <QGuiApplication>

using MappingTest = ViewTest;

TEST_F(MappingTest, ClientPixelsMapToWholeCanvasUnitsTruncatedTowardZero)
{
    MakeCanvas(); // margins (40, 40)
    const struct
    {
        float zoom;
        PointF pan;
        QPoint pixel;
        PointF canvas;
    } cases[] = {
        {1, {0, 0}, {45, 47}, {5, 7}},
        {1, {0, 0}, {30, 30}, {-10, -10}},
        {2, {0, 0}, {41, 41}, {0, 0}},   // half units on both sides of the origin
        {2, {0, 0}, {39, 38}, {0, -1}},  // go toward zero, not down
        {2, {0, 0}, {37, 43}, {-1, 1}},  // -1.5 and 1.5
        {1.5f, {0, 0}, {36, 35}, {-2, -3}}, // -2.67 and -3.33
        {2, {10, -6}, {60, 40}, {5, 3}},
        {2, {10, -6}, {47, 31}, {-1, -1}}, // -1.5 and -1.5 while panned
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "zoom " << c.zoom << " pixel " << c.pixel.x() << "," << c.pixel.y());
        view.SetZoomPercent(c.zoom * 100);
        view.SetPanOffset(c.pan);
        EXPECT_EQ(view.CanvasPoint(c.pixel), c.canvas);
    }
    // The mapping and its inverse agree.
    EXPECT_EQ(view.ClientPoint({5, 3}), QPointF(60, 40));
}

TEST_F(MappingTest, ZoomStepsGoToTheNeighbouringEntry)
{
    const struct
    {
        float from;
        int direction; // 2 in, 0 out; nothing else is one
        float to;
    } steps[] = {
        {0.1f, 2, 0.25f}, {0.25f, 2, 0.5f}, {0.5f, 2, 1}, {1, 2, 1.5f}, {7.5f, 2, 8}, {1.5f, 0, 1}, {0.25f, 0, 0.1f},
        // Between entries a step goes to the neighbour; outside the table nothing changes.
        {0.7f, 2, 1}, {0.7f, 0, 0.5f}, {8, 2, 8}, {0.05f, 0, 0.05f}, {12, 0, 12}, {1, 1, 1},
    };
    for (const auto& step : steps) {
        ZoomFactor = step.from;
        view.StepZoom(step.direction);
        EXPECT_FLOAT_EQ(ZoomFactor, step.to) << step.from << " " << step.direction;
    }
}

TEST_F(MappingTest, MarginsCentreTheCanvasAndZoomPercentIsClampedAboutAFixedPoint)
{
    view.OnResize(300, 300);
    ASSERT_TRUE(view.NewCanvas(500, 200, ColorOpaqueWhite));
    EXPECT_EQ(view.CanvasMargin(), (PointF{40, 50}));
    view.OnResize(501, 281);
    EXPECT_EQ(view.CanvasMargin(), (PointF{40, 40}));

    // Scrolling moves the canvas; the scroll range is the canvas plus 60 at any zoom.
    view.OnHorizontalScroll(100);
    EXPECT_FLOAT_EQ(view.CanvasMargin().x, -60);
    EXPECT_EQ(host.scrollSizes, QSize(560, 260));

    // Without a canvas a resize leaves the margins alone.
    CKorvaniDoc otherDoc;
    CKorvaniView other(otherDoc, host);
    other.OnResize(900, 900);
    EXPECT_EQ(other.CanvasMargin(), (PointF{0, 0}));

    // The zoom percent is clamped; an unusable one changes nothing.
    view.SetZoomPercent(1000);
    EXPECT_FLOAT_EQ(view.Zoom(), 8.0f);
    view.SetZoomPercent(150);
    view.SetZoomPercent(std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ(view.Zoom(), 1.5f);

    // Zooming about a canvas point leaves that point under the same pixel,
    // and the frame hears of the new factor.
    MakeCanvas();
    view.SetZoomPercent(100);
    const QPointF before = view.ClientPoint({120, 80});
    view.ZoomAbout(2.5f, {120, 80});
    EXPECT_EQ(view.ClientPoint({120, 80}), before);
    EXPECT_FLOAT_EQ(host.zoomNotices.back(), 2.5f);
}

TEST_F(MappingTest, NewCanvasStartsAnEmptyOpaqueDrawingAndUnknownToolsAreRefused)
{
    view.OnResize(600, 500);
    EXPECT_FALSE(view.NewCanvas(100, -5, ColorOpaqueWhite));

    ASSERT_TRUE(view.NewCanvas(400, 300, 0x00102030));
    AddRect(10, 10, 50, 50);
    view.SetTool(ToolKind::Rotate);
    ASSERT_TRUE(view.NewCanvas(200, 100, 0x00405060));
    EXPECT_EQ(view.GetCanvas().color, 0xFF405060u);
    EXPECT_EQ(doc.GetItemCount(), 0);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(view.ActiveTool(), ToolValue(ToolKind::Select));

    // An unknown tool is refused.
    view.SetTool(ToolKind::Rotate);
    host.messages.clear();
    view.SetTool(110);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(view.ActiveTool(), ToolValue(ToolKind::Rotate));
    // The frame is still told, and the tool state is still reset.
    EXPECT_EQ(host.toolNotices.back(), ToolValue(ToolKind::Rotate));
    view.SetTool(InertToolValue);
    EXPECT_EQ(view.ActiveTool(), InertToolValue);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST(GraphicsRuntimeGuardTest, StartsOnceAndStopsAfterTheLastHolder)
{
    bool running = false;
    int starts = 0, stops = 0;
    GraphicsRuntimeGuard guard({[&] { return running; }, [&] { running = true, ++starts; },
                                [&] { running = false, ++stops; }});
    guard.Acquire();
    guard.Acquire();
    guard.Release();
    EXPECT_EQ(stops, 0);
    guard.Release();
    EXPECT_EQ(stops, 1);
    // An unbalanced release changes nothing; the next holder starts it again.
    guard.Release();
    guard.Acquire();
    EXPECT_EQ(starts, 2);
    guard.Release();

    // A runtime it did not start it leaves alone.
    GraphicsRuntimeGuard foreign({[] { return true; }, [&] { ++starts; }, [&] { ++stops; }});
    foreign.Acquire();
    foreign.Release();
    EXPECT_EQ(starts + stops, 4);
}

TEST(GraphicsRuntimeGuardTest, TheViewsHoldTheSharedGuardAroundTheTestsOwnApplication)
{
    QCoreApplication* const application = QGuiApplication::instance();
    GraphicsRuntimeGuard& shared = GraphicsRuntimeGuard::Instance();
    const int holders = shared.Holders();
    {
        TestHost host;
        CKorvaniDoc doc1, doc2;
        CKorvaniView first(doc1, host);
        CKorvaniView second(doc2, host);
        EXPECT_EQ(shared.Holders(), holders + 2);
        EXPECT_FALSE(shared.Started());
    }
    EXPECT_EQ(shared.Holders(), holders);
    EXPECT_EQ(QGuiApplication::instance(), application);
}

TEST_F(MappingTest, GradientToolsSwitchTheSelectionsGradientOn)
{
    MakeCanvas();
    DrawItem* item = AddRect(10, 10, 100, 50);
    // Without a selection the tool changes and nothing else.
    view.SetTool(ToolKind::GradientFill);
    EXPECT_EQ(UndoCount(), 1u);

    view.SetTool(ToolKind::Select);
    driver.ClickAt({50, 30});
    view.SetTool(ToolKind::GradientFill);
    EXPECT_EQ(item->GetIntAttr(ATTR_LINE_GRADIENT), 0);
    EXPECT_EQ(UndoCount(), 2u);
    EXPECT_EQ(host.gradientBar.size(), 1u);
    view.SetTool(ToolKind::GradientLine);
    EXPECT_EQ(item->GetIntAttr(ATTR_LINE_GRADIENT), 1);
}
