// A real group edited through the view as one item: commands reach every
// member whichever one a tool made active, hidden and locked have one answer,
// and the group turns, scales and measures as its members do.

#include "view/view_fixture.h"

#include "items/group_item.h"

class GroupTest : public ViewTest
{
protected:
    void SetUp() override
    {
        MakeCanvas(1000, 600);
        a = AddRect(20, 20, 100, 100, 0xFFFF0000);
        b = AddRect(200, 20, 100, 50, 0xFFFF0000);
        driver.ClickAt({30, 30});
        driver.ClickAt({250, 40}, Qt::ShiftModifier);
        ASSERT_EQ(doc.PushGroup(TakeNextItemId(), view.Selection()), 0);
        view.SelectNone();
        view.DocumentChanged();
        driver.ClickAt({30, 30});
        group = static_cast<GroupItem*>(view.Selection());
        ASSERT_TRUE(group && group->TypeCode() == ItemGroup);
        start = UndoCount();
    }

    // The attribute as the group's own table and each member hold it.
    std::vector<std::string> Values(std::int32_t attr) const
    {
        std::vector<std::string> out;
        for (const DrawItem* item : {static_cast<DrawItem*>(group), a, b}) {
            const auto found = item->Attributes().find(attr);
            out.push_back(found == item->Attributes().end() ? "-" : found->second);
        }
        return out;
    }

    DrawItem* a = nullptr;
    DrawItem* b = nullptr;
    GroupItem* group = nullptr;
    std::size_t start = 0;
};

TEST_F(GroupTest, CommandsReachEveryMemberWhicheverIsActive)
{
    // Switching the fill gradient on makes the first member active.
    view.SetTool(ToolKind::GradientFill);
    ASSERT_EQ(group->ActiveChild(), a);
    const struct
    {
        std::int32_t command;
        std::int32_t attr;
    } rows[] = {{CommandToggleHidden, ATTR_HIDDEN}, {CommandToggleLocked, ATTR_LOCKED}, {CommandTextBold, ATTR_BOLD}};
    for (const auto& row : rows) {
        const std::vector<std::string> before = Values(row.attr);
        view.DoCommand(row.command);
        EXPECT_EQ(Values(row.attr), (std::vector<std::string>{"1", "1", "1"})) << row.attr;
        view.DoCommand(CommandUndo);
        EXPECT_EQ(Values(row.attr), before) << row.attr;
        EXPECT_EQ(group->ActiveChild(), a) << row.attr;
    }

    // Undoing the gradient gives back the group without an active child;
    // redo, under the gradient tool, makes the first member active again.
    view.DoCommand(CommandUndo);
    EXPECT_EQ(Values(ATTR_FILL_GRADIENT)[1], "-");
    EXPECT_EQ(group->ActiveChild(), nullptr);
    view.DoCommand(CommandRedo);
    EXPECT_EQ(group->ActiveChild(), a);
    // Leaving the tool leaves no active child behind, nor does a redo under another tool.
    view.SetTool(ToolKind::Select);
    EXPECT_EQ(group->ActiveChild(), nullptr);
    view.DoCommand(CommandUndo);
    view.DoCommand(CommandRedo);
    EXPECT_EQ(group->ActiveChild(), nullptr);
}

TEST_F(GroupTest, HiddenAndLockedHaveOneAnswerEverywhere)
{
    // How each state was reached, and what the view then does with the group.
    const struct
    {
        const char* name;
        std::int32_t command;    // on the selected group, or 0
        std::int32_t memberAttr; // set on member a alone, or 0
        bool drawn;               // member b's pixels
        bool reachable;           // click, band and drag
    } rows[] = {
        {"locked group", CommandToggleLocked, 0, true, false},
        {"one locked member", 0, ATTR_LOCKED, true, false},
        {"hidden group", CommandToggleHidden, 0, false, false},
        {"one hidden member", 0, ATTR_HIDDEN, true, true},
    };
    const QPoint inB = driver.Pixel({250, 40});
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.command)
            view.DoCommand(row.command);
        else
            doc.PushSetPropertyInt(a, row.memberAttr, 1);
        view.DocumentChanged();
        EXPECT_EQ(view.PaintClient().pixel(inB) == 0xFFFF0000u, row.drawn);

        driver.ClickAt({500, 500});
        driver.ClickAt({250, 40});
        EXPECT_EQ(view.Selection() == group, row.reachable);
        driver.ClickAt({500, 500});
        driver.DragAt({10, 10}, {310, 130});
        EXPECT_EQ(view.Selection() == group, row.reachable);
        driver.DragAt({250, 40}, {270, 60});
        EXPECT_EQ(b->Bounds().x == 220, row.reachable);
        UndoTo(start);
        driver.ClickAt({30, 30});
    }
}

TEST_F(GroupTest, TheGroupTurnsAboutTheCentreItMarks)
{
    // The group's centre lies in the gap between its members, on the canvas.
    const PointF centre{160, 70};
    view.SetTool(ToolKind::GradientFill);
    view.SetTool(ToolKind::Rotate);
    EXPECT_EQ(qGray(view.PaintClient().pixel(driver.Pixel(centre))), 0);
    EXPECT_EQ(view.CursorFor(centre), CursorRotateCentre);
    EXPECT_NE(view.CursorFor({70, 70}), CursorRotateCentre);
    // A quarter turn, from the right of the centre to below it.
    driver.DragAt({260, 70}, {160, 170});
    ExpectRect(group->Bounds(), {110, -70, 100, 280}, 0.3f);

    // A multi-selection moved by a key keeps its centre with it, and turns about it.
    UndoTo(start);
    view.SetTool(ToolKind::Select);
    ASSERT_EQ(doc.PushBreakGroup(group), 0);
    view.SelectNone();
    view.DocumentChanged();
    driver.ClickAt({30, 30});
    driver.ClickAt({250, 40}, Qt::ShiftModifier);
    ASSERT_TRUE(view.SelectionIsGroup());
    driver.Key(Qt::Key_Right, Qt::ControlModifier);
    view.SetTool(ToolKind::Rotate);
    driver.DragAt({270, 70}, {170, 170});
    // a's centre (80, 70) turns a quarter about (170, 70).
    ExpectRect(a->Bounds(), {120, -70, 100, 100}, 0.3f);
}

TEST_F(GroupTest, AScaleCarriesTheGroupsOwnLineWidth)
{
    ASSERT_EQ(doc.PushSetPropertyFloat(group, ATTR_LINE_WIDTH, 2), 0);
    view.DocumentChanged();
    // The right handle, 4 units out from the bounds (which the pen grows by 1).
    driver.DragAt({305, 70}, {445, 70});
    const std::vector<std::string> widths = Values(ATTR_LINE_WIDTH);
    EXPECT_NE(widths[0], "2.0000");
    EXPECT_EQ(widths, (std::vector<std::string>(3, widths[1])));
}

TEST_F(GroupTest, MembersWithoutGeometryDoNotStretchTheGroup)
{
    // A group of a box, an empty group, a line of one point and a box of none.
    ASSERT_TRUE(view.OpenDrawing(KORVANI_TEST_DATA_DIR "/group_without_geometry.xml"));
    ASSERT_EQ(doc.GetItemCount(), 1);
    DrawItem* read = doc.GetItem(0);
    ExpectRect(read->Bounds(), {100, 100, 40, 20}, 0.01f);
    EXPECT_EQ(read->RotationCentre(), (PointF{120, 110}));
    driver.ClickAt({10, 10});
    EXPECT_EQ(view.Selection(), nullptr);
    driver.ClickAt({120, 110});
    EXPECT_EQ(view.Selection(), read);
}
