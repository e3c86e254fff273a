// Records that change which items the drawing holds and in what order.

#include "record_fixture.h"

#include "document/drawing_file.h"
#include "document/structure_records.h"
#include "items/item_factory.h"
#include "items/rectangle_item.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <map>
#include <memory>

namespace {

using StructureRecords = RecordTest;

RectF BoundsOf(DrawItem* item)
{
    return item->Bounds(ModeCommit);
}

TEST_F(StructureRecords, AddItemAddsOnTopAndRefusesWhatCannotBeDrawn)
{
    DrawItem* a = AddRect(10, 10, 40, 30);
    const std::string before = State();
    DrawItem* b = AddEllipse(20, 20, 50, 50);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(Order(), (std::vector<DrawItem*>{a, b}));
    EXPECT_EQ(b->Attributes().at(ATTR_FILL_COLOR), "255-204-136-000");
    const std::string after = State();
    ExpectUndoRedo(before, after);

    // Undo, then a refused add: the redo list survives it.
    doc.Undo();
    EXPECT_EQ(Add(ItemRectangle, {PathNode::AtPoint(0, 0), PathNode::AtPoint(2, 2)}, {}), nullptr);
    EXPECT_EQ(Add(109, {PathNode::AtPoint(0, 0), PathNode::AtPoint(20, 20)}, {}), nullptr);
    EXPECT_EQ(Add(ItemGroup, {}, {}), nullptr);
    EXPECT_TRUE(doc.CanRedo());
    EXPECT_EQ(doc.GetUndoStack().UndoCount(), 1u);
    EXPECT_EQ(State(), before);
}

TEST_F(StructureRecords, LoadAddsTheFileItemsOnTopAndImportCollectsThemInAGroup)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("drawing.xml").toStdString();
    AddRect(10, 10, 30, 20);
    AddCurve(PolygonNodes({{0, 0}, {30, 5}, {10, 40}}));
    DrawItem* a = AddEllipse(50, 50, 20, 20);
    DrawItem* b = AddLine(80, 80, 120, 90);
    ASSERT_EQ(doc.PushGroup(TakeNextItemId(), Select({a, b})), 0);
    ASSERT_TRUE(WriteDrawingFile(path, doc, CanvasValues{300, 200, ColorOpaqueWhite}).ok);
    Select({});
    doc.Reset();

    DrawItem* existing = AddRect(0, 0, 5, 5);
    std::string before = State();
    ASSERT_EQ(doc.PushLoadItems({0, 0}, {0, 0}, path, 0), 0);
    ASSERT_EQ(doc.GetItemCount(), 4);
    EXPECT_EQ(doc.GetItem(0), existing);
    EXPECT_EQ(doc.GetItem(1)->TypeCode(), ItemRectangle);
    EXPECT_EQ(doc.GetItem(2)->TypeCode(), ItemCurve);
    DrawItem* group = doc.GetItem(3);
    ASSERT_EQ(group->TypeCode(), ItemGroup);
    ASSERT_EQ(group->ChildCount(), 2);
    // The record holds the loaded items and, for the group, its children.
    EXPECT_EQ(group->RefCount(), 1);
    EXPECT_EQ(group->ChildAt(1)->RefCount(), 1);
    EXPECT_EQ(doc.GetCanvasWidth(), 300);
    ExpectUndoRedo(before, State());

    before = State();
    ASSERT_EQ(doc.PushLoadItems({100, 100}, {300, 250}, path, 1), 0);
    ASSERT_EQ(doc.GetItemCount(), 5);
    DrawItem* imported = doc.GetItem(4);
    ASSERT_EQ(imported->TypeCode(), ItemGroup);
    EXPECT_EQ(imported->ChildCount(), 3);
    ExpectUndoRedo(before, State());

    // A file that cannot be opened is refused and keeps the redo list.
    doc.Undo();
    std::string error;
    EXPECT_LT(doc.PushLoadItems({0, 0}, {0, 0}, dir.filePath("missing.xml").toStdString(), 0, &error), 0);
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(doc.CanRedo());

    // One that does not parse loads nothing, undoably.
    QFile broken(dir.filePath("broken.xml"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<plimsa type=\"canvas\"><item");
    broken.close();
    before = State();
    EXPECT_EQ(doc.PushLoadItems({0, 0}, {0, 0}, broken.fileName().toStdString(), 0), 0);
    EXPECT_EQ(State(), before);
    ExpectUndoRedo(before, before);
}

TEST_F(StructureRecords, DeleteUndoPutsEveryItemBackAtItsOwnIndexWhateverTheSelectionOrder)
{
    DrawItem* a = AddRect(0, 0, 10, 10);
    DrawItem* b = AddRect(10, 0, 10, 10);
    DrawItem* c = AddRect(20, 0, 10, 10);
    DrawItem* d = AddRect(30, 0, 10, 10);
    const std::string before = State();
    ASSERT_EQ(doc.PushDeleteItems(Select({c, a})), 0);
    EXPECT_EQ(Order(), (std::vector<DrawItem*>{b, d}));
    // The record keeps the deleted items alive.
    EXPECT_EQ(a->RefCount(), 2);
    ExpectUndoRedo(before, State());
    doc.Undo();
    EXPECT_EQ(Order(), (std::vector<DrawItem*>{a, b, c, d}));

    EXPECT_LT(doc.PushDeleteItems(Select({})), 0);
    EXPECT_LT(doc.PushDeleteItems(nullptr), 0);
}

TEST_F(StructureRecords, DuplicatePutsEachCopyRightAboveItsOriginal)
{
    DrawItem* a = AddRect(0, 0, 10, 10);
    DrawItem* b = AddRect(20, 0, 10, 10);
    DrawItem* c = AddEllipse(40, 0, 10, 10);
    const std::string before = State();
    // Adjacent items, listed top first.
    ASSERT_EQ(doc.PushDuplicateItems(Select({c, b})), 0);
    ASSERT_EQ(doc.GetItemCount(), 5);
    const std::vector<DrawItem*> order = Order();
    EXPECT_EQ(order[0], a);
    EXPECT_EQ(order[1], b);
    EXPECT_EQ(order[3], c);
    DrawItem* copyB = order[2];
    DrawItem* copyC = order[4];
    EXPECT_EQ(copyB->TypeCode(), ItemRectangle);
    EXPECT_EQ(copyC->TypeCode(), ItemEllipse);
    EXPECT_NE(copyB->Id(), b->Id());
    EXPECT_NE(copyC->Id(), copyB->Id());
    const RectF ob = BoundsOf(b), cb = BoundsOf(copyB);
    EXPECT_FLOAT_EQ(cb.x, ob.x + 8);
    EXPECT_FLOAT_EQ(cb.y, ob.y + 8);
    EXPECT_FLOAT_EQ(cb.width, ob.width);
    EXPECT_FLOAT_EQ(BoundsOf(copyC).x, BoundsOf(c).x + 8);
    ExpectUndoRedo(before, State());
}

TEST_F(StructureRecords, DuplicatedGroupOwnsItsCopiedChildren)
{
    DrawItem* a = AddRect(0, 0, 10, 10);
    DrawItem* b = AddLine(0, 20, 30, 40);
    ASSERT_EQ(doc.PushGroup(TakeNextItemId(), Select({a, b})), 0);
    DrawItem* group = doc.GetItem(0);
    ASSERT_EQ(doc.PushDuplicateItems(group), 0);
    DrawItem* copy = doc.GetItem(1);
    ASSERT_EQ(copy->TypeCode(), ItemGroup);
    ASSERT_EQ(copy->ChildCount(), 2);
    EXPECT_NE(copy->ChildAt(0), a);
    EXPECT_EQ(copy->ChildAt(0)->RefCount(), 1);
    EXPECT_FLOAT_EQ(BoundsOf(copy->ChildAt(1)).x, BoundsOf(b).x + 8);
    // Discarding the duplicate deletes the copies (the leak checker watches).
    doc.Undo();
    AddRect(50, 50, 10, 10);
    EXPECT_FALSE(doc.CanRedo());
}

TEST_F(StructureRecords, GroupTakesThePlaceOfItsLowestMember)
{
    std::vector<DrawItem*> items;
    for (int i = 0; i < 9; ++i)
        items.push_back(AddRect(float(i) * 12, 0, 10, 10));
    const std::string before = State();
    const std::uint32_t id = TakeNextItemId();
    ASSERT_EQ(doc.PushGroup(id, Select({items[2], items[5], items[7]})), 0);
    ASSERT_EQ(doc.GetItemCount(), 7);
    DrawItem* group = doc.GetItem(2);
    EXPECT_EQ(group->Id(), id);
    EXPECT_EQ(group->TypeCode(), ItemGroup);
    ASSERT_EQ(group->ChildCount(), 3);
    EXPECT_EQ(group->ChildAt(1), items[5]);
    EXPECT_EQ(doc.GetItem(3), items[3]);
    // Members take no extra reference; the group is the record's.
    EXPECT_EQ(items[5]->RefCount(), 1);
    EXPECT_EQ(group->RefCount(), 1);
    ExpectUndoRedo(before, State());

    // Members listed out of z-order still go back to their own places.
    doc.Undo();
    ASSERT_EQ(doc.PushGroup(TakeNextItemId(), Select({items[7], items[2], items[5]})), 0);
    EXPECT_EQ(doc.GetItem(2)->ChildAt(0), items[7]);
    doc.Undo();
    EXPECT_EQ(State(), before);

    EXPECT_LT(doc.PushGroup(TakeNextItemId(), Select({})), 0);
}

TEST_F(StructureRecords, GroupFarUpALargeDrawingTakesItsLowestMembersPlace)
{
    ItemRefs held;
    for (int i = 0; i < 100003; ++i) {
        held.emplace_back(CreateItem(ItemLine, TakeNextItemId()));
        doc.AddItem(held.back().get());
    }
    ASSERT_EQ(doc.PushGroup(TakeNextItemId(), Select({doc.GetItem(100001), doc.GetItem(100002)})), 0);
    EXPECT_EQ(doc.GetItem(100001)->TypeCode(), ItemGroup);
}

// A member outside the drawing may be held by nothing but a redo record that
// the push itself would delete: the group or curve would keep a freed item.
TEST_F(StructureRecords, GroupAndCombineRefuseMembersOutsideTheDrawing)
{
    DrawItem* a = AddRect(0, 0, 10, 10);
    DrawItem* b = AddRect(20, 0, 10, 10);
    doc.Undo();
    const std::string before = State();
    EXPECT_LT(doc.PushGroup(TakeNextItemId(), Select({a, b})), 0);
    EXPECT_LT(doc.PushCombine(TakeNextItemId(), Select({a, b})), 0);
    Select({});
    EXPECT_EQ(State(), before);
    ASSERT_EQ(doc.Redo(), 0); // the redo list was kept, and b with it
    EXPECT_EQ(doc.GetItem(1), b);
}

// Grouping stops at the depth a drawing file can hold, so the deepest drawing
// it makes saves, opens, imports, draws, copies and undoes.
TEST_F(StructureRecords, GroupsNestOnlyAsDeepAsADrawingFileCanHold)
{
    AddRect(0, 0, 10, 10);
    AddEllipse(20, 0, 10, 10);
    int groups = 0;
    while (groups < 300 && doc.PushGroup(TakeNextItemId(), doc.GetItem(0)) == 0)
        ++groups;
    EXPECT_EQ(groups, MaxGroupDepth);
    QTemporaryDir dir;
    const std::string path = dir.filePath("deep.xml").toStdString();
    ASSERT_TRUE(WriteDrawingFile(path, doc, CanvasValues{100, 100, ColorOpaqueWhite}).ok);
    // An import would collect the two items into one group more: it leaves them apart.
    for (int mode : {0, 1}) {
        CKorvaniDoc copy;
        ASSERT_EQ(copy.PushLoadItems({0, 0}, {0, 0}, path, mode), 0) << mode;
        ASSERT_EQ(copy.GetItemCount(), 2);
        EXPECT_EQ(GroupDepth({copy.GetItem(0)}), MaxGroupDepth);
        QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        copy.GetItem(0)->Draw(painter);
        painter.end();
        if (mode == 0) {
            EXPECT_EQ(image.pixel(5, 5), 0xFF336699);
        }
        ASSERT_EQ(copy.PushDuplicateItems(copy.GetItem(0)), 0);
        EXPECT_EQ(GroupDepth({copy.GetItem(1)}), MaxGroupDepth);
        copy.Undo();
        copy.Undo();
        EXPECT_EQ(copy.GetItemCount(), 0);
    }
    while (doc.CanUndo())
        doc.Undo();
    EXPECT_EQ(doc.GetItemCount(), 0);
}

TEST_F(StructureRecords, BreakGroupPutsTheChildrenInItsPlaceAndUndoBringsTheSameGroupBack)
{
    DrawItem* bottom = AddRect(0, 0, 10, 10);
    DrawItem* a = AddRect(20, 0, 10, 10);
    DrawItem* b = AddEllipse(40, 0, 10, 10);
    DrawItem* c = AddLine(60, 0, 80, 20);
    DrawItem* top = AddRect(90, 0, 10, 10);
    ASSERT_EQ(doc.PushGroup(TakeNextItemId(), Select({a, b, c})), 0);
    DrawItem* group = doc.GetItem(1);
    const std::string before = State();
    ASSERT_EQ(doc.PushBreakGroup(group), 0);
    EXPECT_EQ(Order(), (std::vector<DrawItem*>{bottom, a, b, c, top}));
    EXPECT_EQ(a->RefCount(), 2);
    ExpectUndoRedo(before, State());
    doc.Undo();
    EXPECT_EQ(doc.GetItem(1), group);

    EXPECT_LT(doc.PushBreakGroup(a), 0);                  // not a group
    EXPECT_LT(doc.PushBreakGroup(Select({group})), 0);    // the selection group itself
}

TEST_F(StructureRecords, CombineJoinsTheOutlinesUnderTheFirstMembersLook)
{
    DrawItem* bottom = AddRect(0, 0, 5, 5);
    DrawItem* a = AddRect(10, 10, 20, 20, 0xFF112233);
    DrawItem* mid = AddRect(100, 100, 5, 5);
    DrawItem* b = AddCurve(PolygonNodes({{50, 50}, {70, 50}, {60, 70}}));
    ASSERT_EQ(doc.PushFillGradientOn(a), 0);
    const std::string before = State();
    const std::uint32_t id = TakeNextItemId();
    ASSERT_EQ(doc.PushCombine(id, Select({a, b})), 0);
    EXPECT_EQ(Order().size(), 3u);
    DrawItem* curve = doc.GetItem(1);
    EXPECT_EQ(doc.GetItem(0), bottom);
    EXPECT_EQ(doc.GetItem(2), mid);
    EXPECT_EQ(curve->Id(), id);
    EXPECT_EQ(curve->TypeCode(), ItemCurve);
    ASSERT_EQ(curve->Nodes().size(), 7u);
    EXPECT_EQ(curve->Nodes()[3].brk, 1);
    EXPECT_EQ(curve->Nodes()[6].close, 1);
    EXPECT_EQ(curve->Attributes().at(ATTR_FILL_COLOR), "255-017-034-051");
    EXPECT_EQ(curve->FillRamp(), a->FillRamp());
    // Its rotation centre is its own, not the first member's.
    const RectF bounds = BoundsOf(curve);
    EXPECT_EQ(curve->GetPointAttr(ATTR_CENTER), (PointF{bounds.Center()}));
    ExpectUndoRedo(before, State());

    // A group has no outline of its own: combining it alone would make nothing.
    ASSERT_EQ(doc.PushGroup(TakeNextItemId(), Select({mid})), 0);
    EXPECT_LT(doc.PushCombine(TakeNextItemId(), Select({doc.GetItem(2)})), 0);
}

TEST_F(StructureRecords, BreakApartMakesOneCurvePerSubpath)
{
    DrawItem* below = AddRect(0, 0, 5, 5);
    NodeList outline = PolygonNodes({{0, 0}, {20, 0}, {20, 20}});
    const NodeList open = PolygonNodes({{40, 0}, {60, 10}}, false);
    const NodeList third = PolygonNodes({{80, 0}, {100, 0}, {100, 20}, {80, 20}});
    outline.insert(outline.end(), open.begin(), open.end());
    outline.insert(outline.end(), third.begin(), third.end());
    DrawItem* item = AddCurve(outline);
    DrawItem* above = AddRect(200, 0, 5, 5);
    ASSERT_EQ(doc.PushLineGradientOn(item), 0);
    const std::string before = State();
    ASSERT_EQ(doc.PushBreakApart(item), 0);
    ASSERT_EQ(doc.GetItemCount(), 5);
    EXPECT_EQ(doc.GetItem(0), below);
    EXPECT_EQ(doc.GetItem(4), above);
    // Each insertion lands below the ones before it.
    EXPECT_EQ(doc.GetItem(3)->Nodes(), NodeList(outline.begin(), outline.begin() + 3));
    EXPECT_EQ(doc.GetItem(2)->Nodes(), open);
    EXPECT_EQ(doc.GetItem(1)->Nodes(), third);
    for (int i = 1; i <= 3; ++i) {
        DrawItem* piece = doc.GetItem(i);
        EXPECT_EQ(piece->TypeCode(), ItemCurve);
        EXPECT_EQ(piece->GetIntAttr(ATTR_LINE_GRADIENT), 1);
        EXPECT_EQ(piece->LineRamp(), item->LineRamp());
        EXPECT_EQ(piece->GetPointAttr(ATTR_CENTER), BoundsOf(piece).Center());
    }
    ExpectUndoRedo(before, State());
    doc.Undo();
    EXPECT_EQ(doc.GetItem(1), item);
}

TEST_F(StructureRecords, ConvertToCurveReplacesTheShapeInPlace)
{
    AddEllipse(0, 0, 5, 5);
    DrawItem* rect = AddRect(10, 20, 30, 40);
    AddEllipse(50, 0, 5, 5);
    ASSERT_EQ(doc.PushMove(rect, 5, 5), 0);
    const std::string before = State();
    ASSERT_EQ(doc.PushConvertToCurve(rect), 0);
    DrawItem* curve = doc.GetItem(1);
    EXPECT_EQ(curve->TypeCode(), ItemCurve);
    EXPECT_EQ(curve->Id(), rect->Id());
    ASSERT_EQ(curve->Nodes().size(), 4u);
    EXPECT_EQ(curve->Nodes()[0].Anchor(), (PointF{15, 25}));
    EXPECT_EQ(curve->Nodes()[2].Anchor(), (PointF{45, 65}));
    EXPECT_EQ(curve->GetColorAttr(ATTR_FILL_COLOR), rect->GetColorAttr(ATTR_FILL_COLOR));
    ExpectUndoRedo(before, State());

    // Kinds that refuse the conversion are not replaced by an empty curve.
    EXPECT_LT(doc.PushConvertToCurve(curve), 0);
    ASSERT_EQ(doc.PushGroup(TakeNextItemId(), Select({doc.GetItem(0)})), 0);
    EXPECT_LT(doc.PushConvertToCurve(doc.GetItem(0)), 0);
}

TEST_F(StructureRecords, ZOrderMovesBlocksAndUndoRestoresTheOrder)
{
    DrawItem* a = AddRect(0, 0, 5, 5);
    DrawItem* b = AddRect(0, 0, 6, 6);
    DrawItem* c = AddRect(0, 0, 7, 7);
    DrawItem* d = AddRect(0, 0, 8, 8);
    DrawItem* e = AddRect(0, 0, 9, 9);
    const std::vector<DrawItem*> start{a, b, c, d, e};
    const std::string before = State();
    struct Case
    {
        std::vector<DrawItem*> targets;
        int mode;
        std::vector<DrawItem*> expected;
    };
    const Case cases[] = {
        {{b, c}, 3, {a, d, b, c, e}},
        {{b, c}, 2, {b, c, a, d, e}},
        {{b, c}, 1, {a, d, e, b, c}},
        {{b, c}, 4, {b, c, a, d, e}},
        {{b, d}, 1, {a, c, e, b, d}},
        {{b, d}, 4, {b, d, a, c, e}},
        {{d, e}, 3, start}, // the two topmost stay
        {{a, b}, 2, start}, // the two bottom-most stay
        {{c}, 3, {a, b, d, c, e}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << k.mode);
        ASSERT_EQ(doc.PushZOrder(Select(k.targets), k.mode), 0);
        EXPECT_EQ(Order(), k.expected);
        ExpectUndoRedo(before, State());
        doc.Undo();
        EXPECT_EQ(Order(), start);
    }
    EXPECT_LT(doc.PushZOrder(Select({a}), 5), 0);
}

// --- ownership ---

// A rectangle that counts its deletions by id.
class CountedRect : public RectangleItem
{
public:
    CountedRect(std::map<std::uint32_t, int>& deletions, std::uint32_t itemId, float x) : deletions(deletions)
    {
        SetId(itemId);
        SetNodes({PathNode::AtPoint(x, 0), PathNode::AtPoint(x + 10, 10)});
    }
    ~CountedRect() override { ++deletions[Id()]; }

private:
    std::map<std::uint32_t, int>& deletions;
};

class Ownership : public RecordTest
{
protected:
    // Loads counted rectangles 1..n, as the file reader hands them over.
    void Load(int n)
    {
        ItemRefs loaded;
        for (int i = 1; i <= n; ++i) {
            DrawItem* item = new CountedRect(deletions, std::uint32_t(i), float(i) * 20);
            item->AddRef(); // the reader's reference
            loaded.push_back(ItemRef::Adopt(item));
        }
        ASSERT_EQ(doc.Push(std::make_unique<LoadItemsRecord>(doc, std::move(loaded))), 0);
    }
    int Deleted(std::uint32_t id) { return deletions[id]; }

    Ownership() { deletions.clear(); }
    // Outlives the document, whose destruction may still delete counted items.
    inline static std::map<std::uint32_t, int> deletions;
};

TEST_F(Ownership, DiscardedRedoRecordsDeleteExactlyTheItemsNoLongerReferenced)
{
    Load(4);
    DrawItem* one = doc.GetItem(0);
    EXPECT_EQ(one->RefCount(), 1);
    ASSERT_EQ(doc.PushGroup(1000, Select({doc.GetItem(0), doc.GetItem(2)})), 0);
    ASSERT_EQ(doc.PushDeleteItems(doc.GetItem(0)), 0); // the group
    ASSERT_EQ(doc.PushMove(Select({doc.GetItem(0), doc.GetItem(1)}), 3, 4), 0);
    Select({});
    doc.Undo();
    doc.Undo();
    doc.Undo();
    doc.Undo(); // the load too: every item is out of the drawing, only the redo list holds them
    EXPECT_EQ(doc.GetItemCount(), 0);
    EXPECT_EQ(Deleted(1) + Deleted(2) + Deleted(3) + Deleted(4), 0);
    AddRect(0, 0, 10, 10); // discards the four records
    for (std::uint32_t id = 1; id <= 4; ++id)
        EXPECT_EQ(Deleted(id), 1) << id;
}

TEST_F(Ownership, ResetAndDestructionDeleteEachItemOnce)
{
    Load(3);
    ASSERT_EQ(doc.PushDeleteItems(doc.GetItem(1)), 0);
    ASSERT_EQ(doc.PushCombine(500, Select({doc.GetItem(0), doc.GetItem(1)})), 0);
    doc.Undo();
    Select({});
    doc.Reset();
    EXPECT_EQ(doc.GetItemCount(), 0);
    EXPECT_FALSE(doc.CanUndo() || doc.CanRedo());
    for (std::uint32_t id = 1; id <= 3; ++id)
        EXPECT_EQ(Deleted(id), 1) << id;

    // Loaded groups hold no references on their children: the load record does.
    auto group = std::make_unique<GroupItem>(600);
    DrawItem* child = new CountedRect(deletions, 7, 0);
    group->AddChild(child);
    group->AddRef();
    ItemRefs loaded;
    loaded.push_back(ItemRef::Adopt(group.release()));
    ASSERT_EQ(doc.Push(std::make_unique<LoadItemsRecord>(doc, std::move(loaded))), 0);
    EXPECT_EQ(child->RefCount(), 1);
    ASSERT_EQ(doc.PushBreakGroup(doc.GetItem(0)), 0);
    doc.Undo();
    EXPECT_EQ(Deleted(7), 0);
    doc.Reset();
    EXPECT_EQ(Deleted(7), 1);
}

} // namespace
