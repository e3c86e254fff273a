// Records that change which items the drawing holds and in what order.

#include "record_fixture.h"

#include "document/drawing_file.h"
#include "document/structure_records.h"
#include "items/item_factory.h"
#include "support/file_bytes.h"

#include <QTemporaryDir>

namespace {

using StructureRecords = RecordTest;

TEST_F(StructureRecords, AddItemAddsOnTopAndRefusesWhatCannotBeDrawn)
{
    DrawItem* a = AddRect(10, 10, 40, 30);
    DrawItem* b = AddEllipse(20, 20, 50, 50);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(Order(), (std::vector<DrawItem*>{a, b}));
    EXPECT_EQ(b->Attributes().at(ATTR_FILL_COLOR), "255-204-136-000");

    // Undo, then a refused add: the redo list survives it.
    doc.Undo();
    EXPECT_EQ(Add(ItemRectangle, {PathNode::AtPoint(0, 0), PathNode::AtPoint(2, 2)}, {}), nullptr);
    EXPECT_TRUE(doc.CanRedo());
}

TEST_F(StructureRecords, LoadAddsTheFileItemsOnTopAndImportCollectsThemInAGroup)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = KORVANI_TEST_DATA_DIR "/drawing_canvas.xml"; // seven items, the sixth a group
    DrawItem* existing = AddRect(0, 0, 5, 5);
    ASSERT_EQ(doc.PushLoadItems({0, 0}, {0, 0}, path, 0), 0);
    ASSERT_EQ(doc.GetItemCount(), 8);
    EXPECT_EQ(doc.GetItem(0), existing);
    // The record holds the loaded items and, for the group, its children.
    EXPECT_EQ(doc.GetItem(6)->ChildAt(1)->RefCount(), 1);
    ASSERT_EQ(doc.PushLoadItems({100, 100}, {300, 250}, path, 1), 0);
    ASSERT_EQ(doc.GetItemCount(), 9);
    EXPECT_EQ(doc.GetItem(8)->ChildCount(), 7);

    // A file that cannot be opened is refused and keeps the redo list.
    doc.Undo();
    std::string error;
    EXPECT_LT(doc.PushLoadItems({0, 0}, {0, 0}, dir.filePath("missing.xml").toStdString(), 0, &error), 0);
    EXPECT_TRUE(doc.CanRedo());

    // One that does not parse loads nothing, undoably.
    const std::string broken = dir.filePath("broken.xml").toStdString();
    WriteFileBytes(broken, "<plimsa type=\"canvas\"><item");
    const std::string before = State();
    EXPECT_EQ(doc.PushLoadItems({0, 0}, {0, 0}, broken, 0), 0);
    EXPECT_EQ(State(), before);
}

TEST_F(StructureRecords, DeleteUndoPutsEveryItemBackAtItsOwnIndexWhateverTheSelectionOrder)
{
    DrawItem* a = AddRect(0, 0, 10, 10);
    DrawItem* b = AddRect(10, 0, 10, 10);
    DrawItem* c = AddRect(20, 0, 10, 10);
    DrawItem* d = AddRect(30, 0, 10, 10);
    ASSERT_EQ(doc.PushDeleteItems(Select({c, a})), 0);
    EXPECT_EQ(Order(), (std::vector<DrawItem*>{b, d}));
    // The record keeps the deleted items alive.
    EXPECT_EQ(a->RefCount(), 2);
    doc.Undo();
    EXPECT_EQ(Order(), (std::vector<DrawItem*>{a, b, c, d}));
}

TEST_F(StructureRecords, DuplicatePutsEachCopyRightAboveItsOriginal)
{
    AddRect(0, 0, 10, 10);
    DrawItem* b = AddRect(20, 0, 10, 10);
    DrawItem* c = AddEllipse(40, 0, 10, 10);
    // Adjacent items, listed top first.
    ASSERT_EQ(doc.PushDuplicateItems(Select({c, b})), 0);
    ASSERT_EQ(doc.GetItemCount(), 5);
    const std::vector<DrawItem*> order = Order();
    EXPECT_EQ(order[3], c);
    DrawItem* copyB = order[2];
    EXPECT_EQ(copyB->TypeCode(), ItemRectangle);
    EXPECT_NE(copyB->Id(), b->Id());
    EXPECT_FLOAT_EQ(copyB->Bounds().y, b->Bounds().y + 8);
    EXPECT_EQ(order[4]->TypeCode(), ItemEllipse);
}

TEST_F(StructureRecords, GroupTakesThePlaceOfItsLowestMember)
{
    std::vector<DrawItem*> items;
    for (int i = 0; i < 9; ++i)
        items.push_back(AddRect(float(i) * 12, 0, 10, 10));
    const std::uint32_t id = TakeNextItemId();
    ASSERT_EQ(doc.PushGroup(id, Select({items[2], items[5], items[7]})), 0);
    ASSERT_EQ(doc.GetItemCount(), 7);
    DrawItem* group = doc.GetItem(2);
    EXPECT_EQ(group->Id(), id);
    ASSERT_EQ(group->ChildCount(), 3);
    EXPECT_EQ(group->ChildAt(1), items[5]);
    EXPECT_EQ(doc.GetItem(3), items[3]);
    // Members take no extra reference; the group is the record's.
    EXPECT_EQ(items[5]->RefCount(), 1);
    EXPECT_EQ(group->RefCount(), 1);

    // Members listed out of z-order keep that order; the group still takes the lowest place.
    doc.Undo();
    ASSERT_EQ(doc.PushGroup(TakeNextItemId(), Select({items[7], items[2], items[5]})), 0);
    EXPECT_EQ(doc.GetItem(2)->ChildAt(0), items[7]);
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
    ASSERT_EQ(doc.PushBreakGroup(group), 0);
    EXPECT_EQ(Order(), (std::vector<DrawItem*>{bottom, a, b, c, top}));
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
    const std::uint32_t id = TakeNextItemId();
    ASSERT_EQ(doc.PushCombine(id, Select({a, b})), 0);
    EXPECT_EQ(Order(), (std::vector<DrawItem*>{bottom, doc.GetItem(1), mid}));
    DrawItem* curve = doc.GetItem(1);
    EXPECT_EQ(curve->Id(), id);
    ASSERT_EQ(curve->Nodes().size(), 7u);
    EXPECT_EQ(curve->Nodes()[3].brk, 1);
    EXPECT_EQ(curve->FillRamp(), a->FillRamp());
    // Its rotation centre is its own, not the first member's.
    EXPECT_EQ(curve->GetPointAttr(ATTR_CENTER), curve->Bounds().Center());

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
    ASSERT_EQ(doc.PushBreakApart(item), 0);
    ASSERT_EQ(doc.GetItemCount(), 5);
    EXPECT_EQ(doc.GetItem(4), above);
    // Each insertion lands below the ones before it.
    EXPECT_EQ(doc.GetItem(3)->Nodes(), NodeList(outline.begin(), outline.begin() + 3));
    EXPECT_EQ(doc.GetItem(2)->Nodes(), open);
    EXPECT_EQ(doc.GetItem(1)->Nodes(), third);
    EXPECT_EQ(doc.GetItem(2)->LineRamp(), item->LineRamp());
    EXPECT_EQ(doc.GetItem(2)->GetPointAttr(ATTR_CENTER), doc.GetItem(2)->Bounds().Center());
    EXPECT_EQ(doc.GetItem(0), below);
}

TEST_F(StructureRecords, ConvertToCurveReplacesTheShapeInPlace)
{
    AddEllipse(0, 0, 5, 5);
    DrawItem* rect = AddRect(10, 20, 30, 40);
    AddEllipse(50, 0, 5, 5);
    ASSERT_EQ(doc.PushMove(rect, 5, 5), 0);
    ASSERT_EQ(doc.PushConvertToCurve(rect), 0);
    DrawItem* curve = doc.GetItem(1);
    EXPECT_EQ(curve->Id(), rect->Id());
    ASSERT_EQ(curve->Nodes().size(), 4u);
    EXPECT_EQ(curve->Nodes()[2].Anchor(), (PointF{45, 65}));

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
    struct Case
    {
        std::vector<DrawItem*> targets;
        int mode;
        std::vector<DrawItem*> expected;
    };
    const Case cases[] = {
        {{b, c}, 3, {a, d, b, c, e}},
        {{b, c}, 2, {b, c, a, d, e}},
        {{b, d}, 1, {a, c, e, b, d}},
        {{b, d}, 4, {b, d, a, c, e}},
        {{d, e}, 3, start}, // the two topmost stay
        {{a, b}, 2, start}, // the two bottom-most stay
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << k.mode);
        ASSERT_EQ(doc.PushZOrder(Select(k.targets), k.mode), 0);
        EXPECT_EQ(Order(), k.expected);
        doc.Undo();
        EXPECT_EQ(Order(), start);
    }
    EXPECT_LT(doc.PushZOrder(Select({a}), 5), 0);
}

} // namespace
