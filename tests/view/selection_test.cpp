// Choosing items with the Select tool: clicks, Shift-clicks, rubber bands.

#include "view/view_fixture.h"

#include "items/group_item.h"

namespace {

std::vector<DrawItem*> Members(CKorvaniView& view)
{
    std::vector<DrawItem*> members;
    if (view.SelectionIsGroup()) {
        members = view.SelectionGroup().Children();
    } else if (view.Selection()) {
        members.push_back(view.Selection());
    }
    return members;
}

} // namespace

class SelectionTest : public ViewTest
{
protected:
    void SetUp() override
    {
        MakeCanvas();
        a = AddRect(20, 20, 100, 100);
        b = AddRect(200, 20, 100, 50);
        c = AddRect(60, 60, 100, 40); // overlaps a, above it
    }

    DrawItem* a = nullptr;
    DrawItem* b = nullptr;
    DrawItem* c = nullptr;
};

TEST_F(SelectionTest, ClickSelectsTheTopmostItemAndEmptyCanvasNothing)
{
    driver.ClickAt({80, 80}); // inside a and c
    EXPECT_EQ(view.Selection(), c);
    EXPECT_EQ(view.HitTestItems({30, 30}), std::make_pair(a, std::int32_t(HitBody)));
    driver.ClickAt({30, 30});
    EXPECT_EQ(host.selectionNotices.back(), a);
    driver.ClickAt({400, 300});
    EXPECT_EQ(view.Selection(), nullptr);
    // The selection is tested before the items above it.
    driver.ClickAt({30, 30});
    EXPECT_EQ(view.HitTestItems({80, 80}).first, a);
    // Hidden or locked items cannot be hit.
    EXPECT_EQ(view.HitTestItems({250, 40}).first, b);
    doc.PushSetPropertyInt(b, ATTR_LOCKED, 1);
    view.DocumentChanged();
    EXPECT_EQ(view.HitTestItems({250, 40}).first, nullptr);
}

TEST_F(SelectionTest, ShiftClickAddsAndRemovesMembersAndAPlainPressOnEmptyCanvasDissolves)
{
    driver.ClickAt({30, 30});
    // Inside the selection's box a Shift press finds the selection itself: no change.
    driver.ClickAt({80, 80}, Qt::ShiftModifier);
    EXPECT_EQ(view.Selection(), a);

    driver.ClickAt({150, 80}, Qt::ShiftModifier);
    ASSERT_TRUE(view.SelectionIsGroup());
    EXPECT_EQ(Members(view), (std::vector<DrawItem*>{a, c}));
    // The group keeps the document's order, not the order of the clicks.
    driver.ClickAt({250, 40}, Qt::ShiftModifier);
    EXPECT_EQ(Members(view), (std::vector<DrawItem*>{a, b, c}));

    // A member's handle that lies outside the group's bounds picks the
    // member, and a Shift press on it takes it out of the selection.
    view.SelectNone();
    driver.ClickAt({30, 30});
    driver.ClickAt({250, 40}, Qt::ShiftModifier);
    ASSERT_EQ(Members(view), (std::vector<DrawItem*>{a, b}));
    // a's bottom-right handle: 4 units out from (120, 120), below b and outside the group box.
    EXPECT_EQ(view.SelectionGroup().HitTest({124, 124}), HitMiss);
    driver.ClickAt({124, 124}, Qt::ShiftModifier);
    EXPECT_EQ(Members(view), (std::vector<DrawItem*>{b}));

    // A Shift press on empty canvas keeps the selection; a plain one dissolves it.
    driver.ClickAt({30, 30}, Qt::ShiftModifier);
    driver.ClickAt({400, 300}, Qt::ShiftModifier);
    EXPECT_EQ(Members(view), (std::vector<DrawItem*>{a, b}));
    const RectF before = a->Bounds();

    // The press dissolves the group and starts a rubber band; nothing moves.
    driver.PressAt({400, 300});
    EXPECT_EQ(view.SelectionGroup().ChildCount(), 0);
    driver.ReleaseAt({400, 300});
    EXPECT_EQ(a->Bounds(), before);
}

TEST_F(SelectionTest, RubberBandTakesItemsStrictlyInside)
{
    // a is (20, 20)-(120, 120) exactly: a band starting on its left edge misses it.
    driver.DragAt({20, 10}, {170, 170});
    EXPECT_EQ(view.Selection(), c);

    // Several items give the group, in document order, whichever way the band is dragged.
    view.SelectNone();
    driver.DragAt({350, 190}, {10, 10});
    EXPECT_EQ(Members(view), (std::vector<DrawItem*>{a, b, c}));

    // While the band is dragged the view holds the mouse; afterwards it lets go.
    EXPECT_EQ(host.captures, host.releases);
}
