#include "document/korvani_doc.h"

#include "items/rectangle_item.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

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

// Adds, deletes (remembering where the item was) or only touches an item,
// holding one reference on it as the real records do.
class ItemRecord : public UndoRecord
{
public:
    enum Kind { Adds, Deletes, Touches };
    ItemRecord(CKorvaniDoc& doc, DrawItem* item, Kind kind) : doc(doc), item(item), kind(kind), index(doc.IndexOf(item))
    {
        item->AddRef();
    }
    ~ItemRecord() override { item->Release(); }
    int Execute() override
    {
        if (kind != Touches)
            kind == Adds ? doc.AddItem(item) : doc.RemoveItem(item);
        return 0;
    }
    int Undo() override
    {
        if (kind != Touches)
            kind == Adds ? doc.RemoveItem(item) : doc.InsertItem(index, item);
        return 0;
    }

private:
    CKorvaniDoc& doc;
    DrawItem* item;
    Kind kind;
    int index;
};

std::unique_ptr<ItemRecord> Record(CKorvaniDoc& doc, DrawItem* item, ItemRecord::Kind kind = ItemRecord::Adds)
{
    return std::make_unique<ItemRecord>(doc, item, kind);
}

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

TEST(CKorvaniDoc, ResetEmptiesDrawingAndHistoryOnly)
{
    std::map<std::uint32_t, int> deletions;
    CKorvaniDoc doc;
    doc.SetCanvasColor(0x00336699);
    doc.AddGuide({1, 12.0f});

    auto* a = new CountedRect(deletions, 1);
    auto* b = new CountedRect(deletions, 2);
    doc.Push(Record(doc, a));
    doc.Push(Record(doc, b));
    doc.Undo();

    doc.Reset();
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(doc.GetItemCount(), 0);
    EXPECT_EQ(deletions, (std::map<std::uint32_t, int>{{1, 1}, {2, 1}}));
    EXPECT_EQ(doc.GetCanvasColor(), 0x00336699u);
    EXPECT_EQ(doc.GetGuideCount(), 1);
}

TEST(CKorvaniDoc, DestructionDeletesEveryItemExactlyOnce)
{
    std::map<std::uint32_t, int> deletions;
    {
        CKorvaniDoc doc;
        std::vector<CountedRect*> items;
        for (std::uint32_t id = 1; id <= 6; ++id)
            items.push_back(new CountedRect(deletions, id));
        for (int i = 0; i < 4; ++i)
            doc.Push(Record(doc, items[i]));
        doc.Push(Record(doc, items[1], ItemRecord::Deletes)); // held, not shown
        doc.Push(Record(doc, items[0], ItemRecord::Touches)); // two holders
        doc.Push(Record(doc, items[4]));
        doc.Push(Record(doc, items[5]));
        doc.Push(Record(doc, items[2], ItemRecord::Deletes));
        doc.Undo(); // items[2] shown again, held from both lists
        doc.Undo(); // items[5] held by the redo list only
        doc.Undo();
        doc.Redo(); // items[4] back on the undo list

        EXPECT_EQ(std::vector<DrawItem*>(doc.Items().begin(), doc.Items().end()),
                  (std::vector<DrawItem*>{items[0], items[2], items[3], items[4]}));
        EXPECT_TRUE(deletions.empty());
    }
    ASSERT_EQ(deletions.size(), 6u);
    for (const auto& [id, count] : deletions)
        EXPECT_EQ(count, 1) << "item " << id;
}
