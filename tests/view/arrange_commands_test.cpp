// Group, combine and their reversals, the colour commands, the value setters
// of the bars, and the enabled and checked state of the commands.

#include "view/view_fixture.h"

#include "document/item_ref.h"
#include "items/group_item.h"
#include "view/value_wrapping.h"

#include <functional>
#include <limits>

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();

class ArrangeTest : public ViewTest
{
protected:
    void SetUp() override
    {
        MakeCanvas();
        a = AddRect(10, 10, 100, 50);
        b = AddRect(200, 10, 40, 40);
        c = AddRect(300, 10, 40, 40);
        start = UndoCount();
    }

    void SelectAAndB()
    {
        view.SelectNone();
        view.AddToSelection(a);
        view.AddToSelection(b);
    }

    std::vector<DrawItem*> Listed() const { return {doc.Items().begin(), doc.Items().end()}; }

    DrawItem* a = nullptr;
    DrawItem* b = nullptr;
    DrawItem* c = nullptr;
    std::size_t start = 0;
};

} // namespace

TEST_F(ArrangeTest, StructuralCommandsSelectWhatTheyMakeAndUndoInOneStep)
{
    constexpr std::int32_t None = 0, Many = -1; // no selection; the selection group
    const struct
    {
        const char* name;
        std::int32_t prepare; // a command on a and b first, or 0
        bool addC;            // then c joins the selection
        std::int32_t command;
        int items;             // in the drawing afterwards
        int steps;             // undo steps it made
        std::int32_t selected; // the selection's type code, None or Many
    } rows[] = {
        {"group", 0, false, CommandGroup, 2, 1, ItemGroup},
        {"ungroup", CommandGroup, false, CommandBreakGroup, 3, 1, None},
        {"group a group and an item", CommandGroup, true, CommandGroup, 1, 1, ItemGroup},
        {"group a real group alone", CommandGroup, false, CommandGroup, 2, 0, ItemGroup},
        {"combine", 0, false, CommandCombine, 2, 1, ItemCurve},
        {"break apart", CommandCombine, false, CommandBreakCombine, 3, 1, None},
        {"combine with a group", CommandGroup, true, CommandCombine, 2, 0, Many},
        {"duplicate two", 0, false, CommandDuplicate, 5, 1, Many},
        {"break apart a rectangle", 0, false, CommandBreakCombine, 3, 0, Many},
    };
    const std::vector<DrawItem*> original = Listed();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SelectAAndB();
        if (row.prepare)
            view.DoCommand(row.prepare);
        if (row.addC)
            view.AddToSelection(c);
        const std::size_t before = UndoCount();
        view.DoCommand(row.command);
        EXPECT_EQ(doc.GetItemCount(), row.items);
        EXPECT_EQ(UndoCount(), before + row.steps);
        DrawItem* selection = view.Selection();
        if (row.selected == None) {
            EXPECT_EQ(selection, nullptr);
        } else if (row.selected == Many) {
            EXPECT_TRUE(view.SelectionIsGroup());
            EXPECT_EQ(view.SelectionGroup().ChildCount(), 2);
        } else {
            ASSERT_NE(selection, nullptr);
            EXPECT_EQ(selection->TypeCode(), row.selected);
            EXPECT_FALSE(view.SelectionIsGroup());
            EXPECT_EQ(view.SelectionGroup().ChildCount(), 0);
            EXPECT_GE(doc.IndexOf(selection), 0) << "the new item is in the drawing";
        }
        UndoTo(start);
        EXPECT_EQ(Listed(), original);
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ArrangeTest, GroupingPastTheDepthADrawingHoldsSaysWhy)
{
    // a inside as many groups as a drawing may nest.
    DrawItem* deep = a;
    for (int level = 0; level < MaxGroupDepth; ++level) {
        const std::uint32_t id = TakeNextItemId();
        ASSERT_EQ(doc.PushGroup(id, deep), 0) << level;
        deep = doc.FindItemById(id);
    }
    view.DocumentChanged();
    view.AddToSelection(deep);
    view.AddToSelection(c);
    const std::size_t steps = UndoCount();
    view.DoCommand(CommandGroup);
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{
                  "These items are nested as deeply as a drawing allows; they cannot be grouped again."}));
    EXPECT_EQ(UndoCount(), steps);
    EXPECT_TRUE(view.SelectionIsGroup()) << "the selection stays";
    EXPECT_EQ(doc.GetItemCount(), 3);
}

TEST_F(ArrangeTest, ColourCommandsColourTheSelectionOrTheDefaults)
{
    // With a selection: the dialog opens on its colour, one undo step paints it.
    for (const bool line : {true, false}) {
        SCOPED_TRACE(line ? "line" : "fill");
        view.SelectNone();
        view.AddToSelection(a);
        const std::int32_t attr = line ? ATTR_LINE_COLOR : ATTR_FILL_COLOR;
        const ArgbColor before = a->GetColorAttr(attr);
        host.QueueColor(0xFF112233);
        view.DoCommand(line ? CommandChangeLineColor : CommandChangeFillColor);
        EXPECT_EQ(host.colorRequests.back(), before);
        EXPECT_EQ(a->GetColorAttr(attr), 0xFF112233u);
        view.DoCommand(CommandUndo);
        EXPECT_EQ(a->GetColorAttr(attr), before);
    }
    // Without one: the shape default changes only when "Graphic" is ticked,
    // which the next dialog shows as its starting colour.
    view.SelectNone();
    host.colorRequests.clear();
    const std::size_t steps = UndoCount();
    host.QueueUniformFill(UniformFillAnswer{true, false});
    host.QueueColor(0xFF00FF00);
    view.DoCommand(CommandChangeFillColor);
    host.QueueUniformFill(UniformFillAnswer{false, true});
    host.QueueColor(0xFF0000FF);
    view.DoCommand(CommandChangeFillColor);
    host.QueueUniformFill(std::nullopt); // cancelled: no colour dialog
    view.DoCommand(CommandChangeFillColor);
    host.QueueUniformFill(UniformFillAnswer{true, true});
    host.QueueColor(std::nullopt);
    view.DoCommand(CommandChangeFillColor);
    EXPECT_EQ(host.colorRequests, (std::vector<ArgbColor>{ColorOpaqueWhite, 0xFF00FF00, 0xFF00FF00}));
    EXPECT_EQ(UndoCount(), steps);
}

TEST_F(ArrangeTest, GeometrySettersKeepItemsFiniteAndSkipNoOps)
{
    // A vertical line has no width to scale.
    DrawItem* line = AddBox(ItemLine, 400, 100, 0, 80, ColorOpaqueWhite, 0, ColorOpaqueBlack);
    start = UndoCount();
    const struct
    {
        const char* name;
        DrawItem* item;
        std::function<void()> set;
        RectF bounds; // afterwards
        bool step;    // one undo step, else none
    } rows[] = {
        {"x", a, [&] { view.SetItemX(30); }, {30, 10, 100, 50}, true},
        {"y", a, [&] { view.SetItemY(-5); }, {10, -5, 100, 50}, true},
        {"width", a, [&] { view.SetItemWidth(200); }, {10, 10, 200, 50}, true},
        {"negative width is 1", a, [&] { view.SetItemWidth(-5); }, {10, 10, 1, 50}, true},
        {"zero height is 1", a, [&] { view.SetItemHeight(0); }, {10, 10, 100, 1}, true},
        {"rotation", a, [&] { view.SetItemRotation(90); }, {35, -15, 50, 100}, true},
        {"same x", a, [&] { view.SetItemX(10); }, {10, 10, 100, 50}, false},
        {"NaN width", a, [&] { view.SetItemWidth(NaN); }, {10, 10, 100, 50}, false},
        {"infinite x", a, [&] { view.SetItemX(Inf); }, {10, 10, 100, 50}, false},
        {"overflowing height", a, [&] { view.SetItemHeight(3e38f); }, {10, 10, 100, 50}, false},
        {"NaN rotation", a, [&] { view.SetItemRotation(NaN); }, {10, 10, 100, 50}, false},
        {"width of a line without width", line, [&] { view.SetItemWidth(10); }, {400, 100, 0, 80}, false},
        {"height of that line", line, [&] { view.SetItemHeight(40); }, {400, 100, 0, 40}, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        view.SelectNone();
        view.AddToSelection(row.item);
        const RectF before = row.item->Bounds();
        row.set();
        ExpectRect(row.item->Bounds(), row.bounds, 0.3f);
        EXPECT_EQ(UndoCount(), start + (row.step ? 1 : 0));
        UndoTo(start);
        ExpectRect(row.item->Bounds(), before, 0.01f);
    }
    // Without a selection nothing changes.
    view.SelectNone();
    view.SetItemX(50);
    view.SetItemWidth(50);
    EXPECT_EQ(UndoCount(), start);
}

TEST_F(ArrangeTest, AttributeSettersReachTheSelectionAndRefuseNonsense)
{
    DrawItem* text = AddText(50, 200, "Hi");
    start = UndoCount();
    const struct
    {
        const char* name;
        DrawItem* item;
        std::function<void()> set;
        std::int32_t attr;
        const char* value; // nullptr: unchanged, and no undo step
    } rows[] = {
        {"line width", a, [&] { view.SetLineWidth(3); }, ATTR_LINE_WIDTH, "3.0000"},
        {"negative line width", a, [&] { view.SetLineWidth(-1); }, ATTR_LINE_WIDTH, nullptr},
        {"NaN line width", a, [&] { view.SetLineWidth(NaN); }, ATTR_LINE_WIDTH, nullptr},
        {"dash", a, [&] { view.SetDashStyle(2); }, ATTR_DASH_STYLE, "2"},
        {"no such dash", a, [&] { view.SetDashStyle(5); }, ATTR_DASH_STYLE, nullptr},
        {"font size of text", text, [&] { view.SetFontSize(24); }, ATTR_FONT_SIZE, "24"},
        {"font size of a rectangle", a, [&] { view.SetFontSize(24); }, ATTR_FONT_SIZE, nullptr},
        {"zero font size", text, [&] { view.SetFontSize(0); }, ATTR_FONT_SIZE, nullptr},
        {"font name", text, [&] { view.SetFontName("Liberation Serif"); }, ATTR_FONT_NAME, "Liberation Serif"},
        {"wrap outside the gradient tools", a, [&] { view.SetGradientWrap(1); }, ATTR_FILL_WRAP, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        view.SelectNone();
        view.AddToSelection(row.item);
        const AttributeTable before = row.item->Attributes();
        row.set();
        if (row.value) {
            EXPECT_EQ(row.item->Attributes().at(row.attr), row.value);
            EXPECT_EQ(UndoCount(), start + 1);
        } else {
            EXPECT_EQ(row.item->Attributes(), before);
            EXPECT_EQ(UndoCount(), start);
        }
        UndoTo(start);
        EXPECT_EQ(row.item->Attributes(), before);
    }

    view.SelectNone();
    view.AddToSelection(b);
    view.RenameSelection("Roof");
    EXPECT_EQ(b->ClassName(), "Roof");
    view.DoCommand(CommandUndo);
    EXPECT_NE(b->ClassName(), "Roof");
}

TEST(ValueWrappingTest, GradientBarNumbersWrapIntoTheirRanges)
{
    const struct
    {
        float typed, percent, angle;
    } rows[] = {
        {150, 51, 150}, {0, 99, 0}, {99, 99, 99}, {-98, 1, 262}, {0.5f, 99.5f, 0.5f},
        {370, 73, 10},  {360, 63, 360}, {720, 27, 360}, {-30, 69, 330}, {-360, 36, 0},
    };
    for (const auto& row : rows) {
        EXPECT_FLOAT_EQ(WrapStopPercent(row.typed), row.percent) << row.typed;
        EXPECT_FLOAT_EQ(WrapGradientAngle(row.typed), row.angle) << row.typed;
    }
    // Far out values land in range without stepping all the way.
    for (const float huge : {1e30f, -1e30f, 3e38f}) {
        const float percent = WrapStopPercent(huge), angle = WrapGradientAngle(huge);
        EXPECT_TRUE(percent >= 1 && percent < 100) << huge << " " << percent;
        EXPECT_TRUE(angle >= 0 && angle <= 360) << huge << " " << angle;
    }
}

TEST_F(ArrangeTest, GradientSettersActUnderTheGradientTools)
{
    view.AddToSelection(a);
    // Outside the gradient tools the bar's values change nothing.
    view.SetGradientAngle(45);
    EXPECT_EQ(UndoCount(), start);

    view.SetTool(ToolKind::GradientFill);
    const std::size_t steps = UndoCount();
    view.SetGradientAngle(370);
    float angle = -1;
    a->GetFillGradientAngle(angle);
    EXPECT_NEAR(angle, 10, 0.01f);
    EXPECT_EQ(UndoCount(), steps + 1);
    ASSERT_FALSE(host.gradientBar.empty());
    EXPECT_NEAR(host.gradientBar.back().angle, 10, 1) << "the bar shows the angle as it was stored";
    // The current stop is the start of the gradient line, which stays where it is.
    view.SetStopPosition(50);
    view.SetGradientAngle(NaN);
    EXPECT_EQ(UndoCount(), steps + 1);
}

TEST_F(ArrangeTest, CommandStateFollowsTheSelection)
{
    // Per column: + enabled, - disabled, * enabled and checked.
    const int ids[] = {ID_DUPLICATE, ID_GROUP,      ID_BREAK_GROUP,       ID_COMBINE,     ID_BREAK_COMBINE,
                       ID_UNDO,      ID_SAVE_FILE,  ID_CHANGE_FILL_COLOR, ID_TOOL_SELECT, ID_TEXT_BOLD};
    const struct
    {
        const char* name;
        std::function<void()> reach;
        const char* state;
    } rows[] = {
        {"nothing selected", [] {}, "-----+++*+"},
        {"one item", [&] { view.AddToSelection(a); }, "+----+++*+"},
        {"two items", [&] { SelectAAndB(); }, "++-+-+++*+"},
        {"a real group", [&] { SelectAAndB(); view.DoCommand(CommandGroup); }, "+-+--+++*+"},
        {"a curve", [&] { SelectAAndB(); view.DoCommand(CommandCombine); }, "+---++++*+"},
        // The items panel still reaches a locked item: its commands stay on.
        {"a locked item", [&] { view.AddToSelection(a); view.DoCommand(CommandToggleLocked); }, "+----+++*+"},
        {"another tool", [&] { view.SetTool(ToolKind::Line); }, "-----+++++"},
        // Last: the bold default outlives the undo.
        {"bold text", [&] { view.AddToSelection(a); view.DoCommand(CommandTextBold); }, "+----+++**"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        row.reach();
        std::string state;
        for (const int id : ids) {
            const CommandUpdate update = view.CommandState(id);
            state += update.checked ? (update.enabled ? '*' : '!') : (update.enabled ? '+' : '-');
        }
        EXPECT_EQ(state, row.state);
        UndoTo(start);
        view.SelectNone();
        view.SetTool(ToolKind::Select);
    }

    // Without a canvas every command that needs one is off.
    TestHost otherHost;
    CKorvaniDoc otherDoc;
    CKorvaniView bare(otherDoc, otherHost);
    EXPECT_EQ(bare.CommandState(ID_TOOL_SELECT), (CommandUpdate{false, true}));
    EXPECT_EQ(bare.CommandState(ID_CHANGE_LINE_COLOR), CommandUpdate{});
    EXPECT_EQ(bare.CommandState(ID_TEXT_UNDERLINE), (CommandUpdate{true, false}));
}
