// Guide lines: pulled from the rulers, dragged with any tool, dropped off the
// canvas to remove them; and the cursors the pointer shows.

#include "view/view_fixture.h"

#include <QImage>
#include <QRegion>

class GuidesTest : public ViewTest
{
protected:
    void SetUp() override { MakeCanvas(500, 400); } // canvas origin at client (40, 40)
};

TEST_F(GuidesTest, RulersPullOutGuidesThatFollowThePointerInCanvasUnitsAtAnyZoom)
{
    // The press on the ruler makes the guide and drags it at once.
    driver.Press({300, 10});
    EXPECT_EQ(Guides(), (std::vector<GuideLine>{{0, -30}}));
    EXPECT_TRUE(host.captured);
    driver.Move({300, 100});
    driver.Move({300, 140});
    driver.Release({300, 140});
    EXPECT_EQ(Guides(), (std::vector<GuideLine>{{0, 100}}));
    // Guides are no undo step and no item.
    EXPECT_EQ(UndoCount(), 0u);

    // Released above the canvas, a new guide is gone again.
    driver.Press({200, 5});
    driver.Release({200, 5});
    EXPECT_EQ(doc.GetGuideCount(), 1);

    // The left ruler gives vertical guides.
    driver.Press({10, 300});
    driver.Move({90, 300});
    driver.Release({90, 300});
    EXPECT_EQ(Guides(), (std::vector<GuideLine>{{0, 100}, {1, 50}}));

    // At zoom 2, panned, guides follow the pointer in whole canvas units.
    while (doc.GetGuideCount() > 0)
        doc.RemoveGuide(0);
    view.SetZoomPercent(200);
    view.SetPanOffset({30, -20}); // the canvas origin at client (70, 20)
    // Pulled from the top ruler and dropped at client y 140: canvas (140 - 20) / 2.
    driver.Press({300, 10});
    driver.Move({300, 140});
    driver.Release({300, 140});
    EXPECT_EQ(Guides(), (std::vector<GuideLine>{{0, 60}}));

    // An existing guide is grabbed where it shows and follows in whole units.
    doc.AddGuide({1, 100});
    driver.DragAt({100, 50}, {150, 50});
    EXPECT_EQ(Guides(), (std::vector<GuideLine>{{0, 60}, {1, 150}}));
    const QImage image = view.PaintClient();
    const QPoint at = driver.Pixel({150, 50});
    EXPECT_EQ(image.pixel(at.x(), 300), 0xFF0000FFu);

    // Half a unit left of the canvas edge truncates to 0: still on the canvas.
    driver.Drag(driver.Pixel({150, 50}), {69, 300});
    EXPECT_EQ(Guides(), (std::vector<GuideLine>{{0, 60}, {1, 0}}));
    driver.Drag({70, 300}, {67, 300}); // -1.5: off the canvas, removed
    EXPECT_EQ(Guides(), (std::vector<GuideLine>{{0, 60}}));
}

TEST_F(GuidesTest, GuidesAreDraggedWithAnyToolTheOlderWinsAndOffTheCanvasTheyGo)
{
    doc.AddGuide({0, 100});
    doc.AddGuide({0, 101});
    DrawItem* item = AddRect(80, 80, 100, 100);
    view.SetTool(ToolKind::Rotate);
    driver.PressAt({120, 102});
    EXPECT_EQ(view.DraggedGuide(), 0);
    driver.MoveAt({120, 150});
    driver.ReleaseAt({120, 150});
    EXPECT_EQ(Guides(), (std::vector<GuideLine>{{0, 148}, {0, 101}}));
    ExpectRect(item->Bounds(), {80, 80, 100, 100}); // the press went to the guide, not the tool

    // With the Select tool the guide also comes first, before the item under it.
    view.SetTool(ToolKind::Select);
    driver.DragAt({130, 101}, {130, 120});
    EXPECT_EQ(Guides(), (std::vector<GuideLine>{{0, 148}, {0, 120}}));
    EXPECT_EQ(view.Selection(), nullptr);

    // Dropped off the canvas a guide goes; exactly on its edge it stays.
    doc.AddGuide({1, 100});
    doc.AddGuide({1, 300});
    driver.DragAt({100, 50}, {500, 50});
    EXPECT_EQ(Guides(), (std::vector<GuideLine>{{0, 148}, {0, 120}, {1, 500}, {1, 300}}));
    driver.DragAt({500, 50}, {501, 50});
    EXPECT_EQ(Guides(), (std::vector<GuideLine>{{0, 148}, {0, 120}, {1, 300}}));
    // Left of the canvas goes too; the drop point decides, whatever the tool.
    view.SetTool(ToolKind::Hand);
    driver.DragAt({300, 50}, {-1, 50});
    EXPECT_EQ(doc.GetGuideCount(), 2);
}

TEST_F(GuidesTest, CursorsFollowGuidesFirstThenTheTool)
{
    doc.AddGuide({0, 100});
    doc.AddGuide({1, 200});
    DrawItem* item = AddRect(300, 150, 100, 100);
    EXPECT_EQ(view.CursorFor({50, 102}), CursorSizeNorthSouth);
    EXPECT_EQ(view.CursorFor({50, 300}), CursorArrow);

    driver.ClickAt({350, 200});
    ASSERT_EQ(view.Selection(), item);
    EXPECT_EQ(view.CursorFor({350, 200}), CursorMove);
    EXPECT_EQ(view.CursorFor({296, 146}), CursorSizeNorthWestSouthEast);
    view.SetTool(ToolKind::Rotate);
    EXPECT_EQ(view.CursorFor({352, 203}), CursorRotateCentre);

    // An uncaptured move sets the cursor and refreshes the ruler strips only;
    // painted, those requests touch no pixel outside the strips.
    const int repaints = host.repaints;
    host.partialRepaints.clear();
    const QPoint pointer = driver.Pixel({50, 102});
    driver.Move(pointer);
    EXPECT_EQ(host.Cursor(), CursorSizeNorthSouth);
    EXPECT_EQ(host.repaints, repaints);
    const QSize client = view.ClientSize();
    const QRect top(0, 0, client.width(), Ruler::Thickness), left(0, 0, Ruler::Thickness, client.height());
    ASSERT_EQ(host.partialRepaints, (std::vector<QRect>{top, left}));
    const QImage full = view.PaintClient();
    QImage strips(client, QImage::Format_ARGB32_Premultiplied);
    strips.fill(0xFF123456);
    view.Paint(strips, QRegion(top) + left);
    EXPECT_EQ(strips.pixel(pointer.x(), 5), full.pixel(pointer.x(), 5));
    EXPECT_EQ(strips.pixel(20, pointer.y()), 0xFF123456u);
}

