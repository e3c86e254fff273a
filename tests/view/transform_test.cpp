// Moving, scaling and rotating the selection: previews while dragging, one
// undo step on release, nothing below the thresholds.

#include "view/view_fixture.h"

#include "items/group_item.h"

#include <cmath>

class TransformTest : public ViewTest
{
protected:
    void SetUp() override
    {
        MakeCanvas(1200, 800);
        item = AddRect(100, 100, 100, 50);
        driver.ClickAt({150, 125});
        ASSERT_EQ(view.Selection(), item);
    }

    bool Previewing() const { return !item->PreviewNodes().empty(); }

    DrawItem* item = nullptr;
};

TEST_F(TransformTest, DragsCommitBeyondOneUnitAboutTheirOwnPivotAndShiftRedoesThePreview)
{
    // While dragging, the item previews, even one unit on a handle; its
    // committed place stays, and the preview does not outlive the drag.
    driver.PressAt({204, 125}); // the right handle sits 4 units right of the bounds
    ASSERT_EQ(view.SelectHitCode(), HitRightMiddle);
    driver.MoveAt({205, 125});
    driver.MoveAt({205, 125});
    EXPECT_TRUE(Previewing());
    ExpectRect(item->Bounds(), {100, 100, 100, 50});
    driver.ReleaseAt({205, 125});
    EXPECT_FALSE(Previewing());
    EXPECT_EQ(UndoCount(), 1u);

    const RectF start{100, 100, 100, 50};
    const struct
    {
        const char* what;
        ToolKind tool;
        PointF from, to;
        Qt::KeyboardModifiers modifiers;
        bool step;
        RectF bounds;
    } drags[] = {
        {"move by one unit", ToolKind::Select, {150, 125}, {151, 125}, {}, false, start},
        {"move", ToolKind::Select, {150, 125}, {170, 135}, {}, true, {120, 110, 100, 50}},
        {"top handle, about the bottom edge", ToolKind::Select, {150, 96}, {150, 46}, {}, true, {100, 50, 100, 100}},
        {"right handle with Shift, about the centre", ToolKind::Select, {204, 125}, {214, 125}, Qt::ShiftModifier,
         true, {90, 100, 120, 50}},
        {"quarter turn about the centre", ToolKind::Rotate, {200, 125}, {150, 175}, {}, true, {125, 75, 50, 100}},
        {"full turn, still one step", ToolKind::Rotate, {200, 125}, {230, 125}, {}, true, start},
    };
    for (const auto& drag : drags) {
        SCOPED_TRACE(drag.what);
        view.SetTool(drag.tool);
        const std::size_t steps = UndoCount();
        driver.DragAt(drag.from, drag.to, 4, drag.modifiers);
        EXPECT_EQ(UndoCount(), steps + (drag.step ? 1 : 0));
        ExpectRect(item->Bounds(), drag.bounds, 0.3f);
        if (drag.step)
            view.DoCommand(CommandUndo);
    }

    // Shift pressed mid-drag redoes the preview about the centre.
    view.SetTool(ToolKind::Select);
    driver.PressAt({204, 125});
    driver.MoveAt({214, 125});
    driver.MoveAt({214, 125});
    const RectF aboutLeft = item->Bounds(ModePreview);
    driver.KeyDown(Qt::Key_Shift);
    const RectF aboutCentre = item->Bounds(ModePreview);
    EXPECT_NEAR(aboutLeft.x, 100, 0.2f);
    EXPECT_NEAR(aboutCentre.x, 90, 0.2f);
    driver.KeyUp(Qt::Key_Shift);
    EXPECT_NEAR(item->Bounds(ModePreview).x, 100, 0.2f);
    driver.ReleaseAt({214, 125});
}

TEST_F(TransformTest, FlippingThroughZeroStopsAtOneHundredth)
{
    // The right handle dragged 1 unit past the left edge: a factor of -1/100
    // of the width would be less, so it stops at -0.01.
    view.DoCommand(CommandDelete);
    DrawItem* wide = AddRect(100, 100, 1000, 50);
    driver.ClickAt({600, 125});
    ASSERT_EQ(view.Selection(), wide);
    driver.DragAt({1104, 125}, {103, 125}); // the pulled point lands on x = 99
    ExpectRect(wide->Bounds(), {90, 100, 10, 50}, 0.25f);

    // Exactly onto the fixed edge the factor would be 0: refused, nothing changes.
    view.DoCommand(CommandUndo);
    driver.ClickAt({600, 125});
    const std::size_t steps = UndoCount();
    driver.DragAt({1104, 125}, {104, 125});
    EXPECT_EQ(UndoCount(), steps);
    ExpectRect(wide->Bounds(), {100, 100, 1000, 50});
    EXPECT_TRUE(wide->PreviewNodes().empty());
}

TEST_F(TransformTest, CentreDragMovesTheRotationCentreAsOneStep)
{
    view.SetTool(ToolKind::Rotate);
    const PointF centre = item->GetPointAttr(ATTR_CENTER);
    ASSERT_EQ(centre, (PointF{150, 125}));
    const std::size_t steps = UndoCount();
    driver.DragAt({152, 127}, {300, 300});
    EXPECT_EQ(UndoCount(), steps + 1);
    EXPECT_EQ(item->GetPointAttr(ATTR_CENTER), (PointF{300, 300}));
    // Dropped near the middle of the bounds it snaps there: the release
    // keeps the point the mark showed, not the pointer's.
    driver.PressAt({300, 300});
    driver.MoveAt({240, 200});
    driver.MoveAt({151, 126});
    EXPECT_EQ(item->GetPointAttr(ATTR_CENTER), centre);
    driver.ReleaseAt({151, 126});
    EXPECT_EQ(item->GetPointAttr(ATTR_CENTER), centre);
    EXPECT_EQ(UndoCount(), steps + 2);
    view.DoCommand(CommandUndo);
    view.DoCommand(CommandUndo);

    // Moved back to its start, nothing is recorded and nothing stays changed.
    driver.ClickAt({150, 125});
    driver.PressAt({150, 125});
    driver.MoveAt({250, 250});
    driver.MoveAt({150, 125});
    driver.ReleaseAt({150, 125});
    EXPECT_EQ(UndoCount(), steps);
    EXPECT_EQ(item->GetPointAttr(ATTR_CENTER), centre);
}

TEST_F(TransformTest, TextIsEditedByDoubleClick)
{
    DrawItem* text = AddText(400, 300, "Hello");
    // A whole canvas unit inside the text.
    const PointF inside{std::trunc(text->Bounds().Center().x), std::trunc(text->Bounds().Center().y)};
    driver.ClickAt(inside);
    ASSERT_EQ(view.Selection(), text);
    host.cursorScreenPosition = QPoint(640, 480);
    host.QueueText("Goodbye");
    driver.DoubleClickAt(inside);
    ASSERT_EQ(host.textRequests.size(), 1u);
    EXPECT_EQ(host.textRequests[0].text, "Hello");
    EXPECT_EQ(host.textRequests[0].screenPosition, QPoint(640, 480));
    EXPECT_EQ(text->GetTextAttr(ATTR_CONTENT), "Goodbye");

    // Cancel changes nothing; a double click on another kind opens nothing.
    const std::size_t steps = UndoCount();
    host.QueueText(std::nullopt);
    driver.ClickAt(inside);
    driver.DoubleClickAt(inside);
    EXPECT_EQ(UndoCount(), steps);
    driver.DoubleClickAt({150, 125});
    EXPECT_EQ(host.textRequests.size(), 2u);
}

TEST_F(TransformTest, AnythingArrivingMidDragCancelsItFirst)
{
    doc.AddGuide({0, 300});
    struct DragKind
    {
        const char* name;
        ToolKind tool;
        PointF press, move1, move2;
    };
    // The selection previews, the centre, the guide and a gradient end are changed directly.
    const DragKind drags[] = {
        {"gradient end", ToolKind::GradientFill, {200, 125}, {220, 140}, {230, 150}},
        {"move", ToolKind::Select, {150, 125}, {180, 140}, {190, 150}},
        {"scale", ToolKind::Select, {204, 125}, {230, 125}, {240, 130}},
        {"rotate", ToolKind::Rotate, {200, 125}, {150, 175}, {140, 175}},
        {"centre", ToolKind::Rotate, {150, 125}, {250, 250}, {300, 300}},
        {"guide", ToolKind::Select, {400, 300}, {400, 350}, {400, 360}},
        // The item under construction is dropped.
        {"line", ToolKind::Line, {300, 200}, {350, 250}, {360, 260}},
        {"doodle", ToolKind::Doodle, {300, 200}, {350, 250}, {360, 260}},
    };
    enum class Interruption { Arrow, ToolKey, Zoom, LostCapture };
    const std::vector<GuideLine> guides{{0, 300}};
    const RectF bounds{100, 100, 100, 50};
    const PointF centre{150, 125};
    for (const DragKind& drag : drags) {
        for (const Interruption interruption :
             {Interruption::Arrow, Interruption::ToolKey, Interruption::Zoom, Interruption::LostCapture}) {
            SCOPED_TRACE(std::string(drag.name) + " interrupted by #" + std::to_string(int(interruption)));
            view.SetTool(drag.tool);
            const std::size_t steps = UndoCount();
            driver.PressAt(drag.press);
            driver.MoveAt(drag.move1);
            driver.MoveAt(drag.move2);
            ASSERT_TRUE(view.HasCapture());
            switch (interruption) {
            case Interruption::Arrow: driver.Key(Qt::Key_Left); break;
            case Interruption::ToolKey: driver.Key(Qt::Key_H); break;
            case Interruption::Zoom: view.SetZoomPercent(150); break;
            case Interruption::LostCapture:
                host.captured = false;
                view.OnCaptureLost();
                break;
            }
            EXPECT_FALSE(view.HasCapture());
            EXPECT_FALSE(host.captured);
            // The release of the cancelled drag does nothing.
            driver.Release(QPoint(600, 500));
            EXPECT_FALSE(Previewing());
            EXPECT_EQ(Guides(), guides);
            // Only the arrow's own move is done, onto the drawing as it was before the drag.
            const float dx = interruption == Interruption::Arrow ? -1.0f : 0.0f;
            EXPECT_EQ(UndoCount(), steps + (dx != 0 ? 1 : 0));
            ExpectRect(item->Bounds(), {bounds.x + dx, bounds.y, bounds.width, bounds.height}, 0.01f);
            EXPECT_EQ(item->GetPointAttr(ATTR_CENTER), (PointF{centre.x + dx, centre.y}));
            EXPECT_EQ(item->GetPointAttr(ATTR_FILL_GRADIENT_END), (PointF{200 + dx, 125}));
            if (dx != 0) {
                view.DoCommand(CommandUndo);
                ExpectRect(item->Bounds(), bounds, 0.01f);
                EXPECT_EQ(item->GetPointAttr(ATTR_CENTER), centre);
            }
            view.SetZoomPercent(100);
            ASSERT_EQ(view.Selection(), item);
        }
    }
}
