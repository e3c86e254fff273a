#include "document/korvani_doc.h"

#include "items/rectangle_item.h"
#include "support/push_item.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// A rectangle that tells, by id, how often it was deleted.
class CountedRect : public RectangleItem
{
public:
    CountedRect(std::map<std::uint32_t, int>& deletions, std::uint32_t itemId) : deletions(deletions)
    {
        SetId(itemId);
    }
    ~CountedRect() override { ++deletions[Id()]; }

private:
    std::map<std::uint32_t, int>& deletions;
};

} // namespace

TEST(ItemList, KeepsZOrderAndHoldsEachItemOnce)
{
    std::map<std::uint32_t, int> deletions;
    CountedRect a(deletions, 1), b(deletions, 2), c(deletions, 3), twin(deletions, 2);
    ItemList list;

    list.AddItem(&a);
    list.AddItem(&b);
    list.AddItem(&a); // already there
    list.AddItem(nullptr);
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.IndexOf(&c), -1);

    list.InsertItem(-1, &c); // ignored
    EXPECT_EQ(list.GetItemCount(), 2);
    list.InsertItem(0, &c); // new bottom
    list.InsertItem(1, &b); // already listed: no second entry
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.IndexOf(&b), 2);
    list.InsertItem(99, &twin); // past the end appends, leaving no gap
    EXPECT_EQ(list.GetItem(3), &twin);

    // The first match from the bottom wins.
    EXPECT_EQ(list.FindItemById(2), &b);

    list.RemoveItem(&a);
    list.RemoveItem(&a); // absent: nothing
    EXPECT_EQ(list.GetItemCount(), 3);
    list.RemoveItem(&b);
    EXPECT_EQ(list.FindItemById(2), &twin);

    // The list never touches reference counts or deletes its items.
    EXPECT_EQ(a.RefCount(), 0);
    list.RemoveAll();
    EXPECT_TRUE(deletions.empty());
}

TEST(CKorvaniDoc, GuidesKeepTheirOrder)
{
    CKorvaniDoc doc;
    doc.AddGuide({0, 10.5f});
    doc.AddGuide({1, 20.0f});
    doc.AddGuide({0, 30.25f});
    GuideLine guide;
    doc.SetGuide(1, {1, 22.0f});
    doc.RemoveGuide(0); // later guides move down
    ASSERT_EQ(doc.GetGuideCount(), 2);
    doc.GetGuide(0, guide);
    EXPECT_EQ(guide, (GuideLine{1, 22.0f}));

    // Indices outside the list change nothing.
    const GuideLine untouched{7, 7.0f};
    guide = untouched;
    EXPECT_FALSE(doc.GetGuide(2, guide));
    EXPECT_EQ(guide, untouched);
    doc.RemoveGuide(2);
    EXPECT_EQ(doc.GetGuideCount(), 2);
}

// That every item is deleted exactly once, whichever list holds it when the
// document goes, is the randomized undo model's to prove under the sanitizers.
TEST(CKorvaniDoc, ResetEmptiesDrawingAndHistoryOnly)
{
    CKorvaniDoc doc;
    doc.SetCanvasColor(0x00336699);
    doc.AddGuide({1, 12.0f});
    ASSERT_NE(PushItem(doc, ItemRectangle, BoxNodes(0, 0, 10, 10), {}), nullptr);
    ASSERT_NE(PushItem(doc, ItemRectangle, BoxNodes(20, 0, 10, 10), {}), nullptr);
    doc.Undo();

    doc.Reset();
    EXPECT_FALSE(doc.CanUndo() || doc.CanRedo());
    EXPECT_EQ(doc.GetItemCount(), 0);
    EXPECT_EQ(doc.GetCanvasColor(), 0x00336699u);
    EXPECT_EQ(doc.GetGuideCount(), 1);
}
