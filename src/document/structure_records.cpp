#include "document/structure_records.h"

#include "document/korvani_doc.h"
#include "items/group_item.h"
#include "items/item_factory.h"

#include <algorithm>
#include <climits>
#include <unordered_set>

namespace {

std::vector<PlacedItem> Place(const CKorvaniDoc& doc, const std::vector<DrawItem*>& items)
{
    const std::vector<int> indices = doc.Items().IndicesOf(items);
    std::vector<PlacedItem> placed;
    placed.reserve(items.size());
    for (std::size_t k = 0; k < items.size(); ++k)
        placed.push_back({items[k], indices[k]});
    return placed;
}

// Puts items back at the indices they had, lowest first: then each lands
// exactly where it was, whatever order the selection listed them in.
void PutBack(CKorvaniDoc& doc, std::vector<PlacedItem> placed)
{
    std::stable_sort(placed.begin(), placed.end(), [](const PlacedItem& a, const PlacedItem& b) { return a.index < b.index; });
    doc.Items().InsertItems(placed);
}

std::vector<DrawItem*> Pointers(const std::vector<PlacedItem>& placed)
{
    std::vector<DrawItem*> out;
    out.reserve(placed.size());
    for (const PlacedItem& p : placed)
        out.push_back(p.item);
    return out;
}

std::vector<DrawItem*> Pointers(const ItemRefs& refs)
{
    std::vector<DrawItem*> out;
    out.reserve(refs.size());
    for (const ItemRef& ref : refs)
        out.push_back(ref.get());
    return out;
}

// References on everything inside the items, which their groups do not hold.
ItemRefs HoldInside(const std::vector<DrawItem*>& items)
{
    // Only groups have an inside; most selections hold none.
    std::vector<DrawItem*> groups;
    for (DrawItem* item : items) {
        if (item && item->TypeCode() == ItemGroup)
            groups.push_back(item);
    }
    if (groups.empty())
        return {};
    const std::unordered_set<const DrawItem*> outer(items.begin(), items.end());
    std::vector<DrawItem*> inside;
    for (DrawItem* item : ItemTrees(groups)) {
        if (outer.count(item) == 0)
            inside.push_back(item);
    }
    return HoldAll(inside);
}

// Each member with its index, and the lowest index; nothing when a member is
// not in the drawing.
std::vector<PlacedItem> PlaceMembers(const CKorvaniDoc& doc, const std::vector<DrawItem*>& items, int& lowest)
{
    std::vector<PlacedItem> members = Place(doc, items);
    for (const PlacedItem& m : members) {
        if (m.index < 0)
            return {};
        lowest = std::min(lowest, m.index);
    }
    return members;
}

// The subpaths of an outline, each ending at a node with the break flag,
// that have at least two nodes. Nodes behind the last break are drawn by
// nobody and belong to no subpath.
std::vector<NodeList> Subpaths(const NodeList& outline)
{
    std::vector<NodeList> runs;
    NodeList run;
    for (const PathNode& node : outline) {
        run.push_back(node);
        if (node.brk == 0)
            continue;
        if (run.size() >= 2)
            runs.push_back(std::move(run));
        run.clear();
    }
    return runs;
}

// A new curve takes the attributes and ramps first and its outline last, so
// that its rotation centre is the centre of its own outline.
bool FillCurve(DrawItem& curve, DrawItem& source, const NodeList& outline)
{
    for (const auto& [attr, value] : source.Attributes())
        curve.SetTextAttr(attr, value);
    curve.SetLineRamp(source.LineRamp().colors, source.LineRamp().positions);
    curve.SetFillRamp(source.FillRamp().colors, source.FillRamp().positions);
    return curve.SetNodes(outline);
}

} // namespace

// --- load ---

LoadItemsRecord::LoadItemsRecord(CKorvaniDoc& doc, ItemRefs loaded) : doc(doc)
{
    for (ItemRef& ref : loaded) {
        if (ref)
            items.push_back(std::move(ref));
    }
    std::vector<DrawItem*> top;
    for (const ItemRef& ref : items)
        top.push_back(ref.get());
    inner = HoldInside(top);
}

int LoadItemsRecord::Execute()
{
    for (const ItemRef& item : items)
        doc.AddItem(item.get());
    return 0;
}

int LoadItemsRecord::Undo()
{
    doc.Items().RemoveItems(Pointers(items));
    return 0;
}

// --- add ---

AddItemRecord::AddItemRecord(CKorvaniDoc& doc, std::int32_t typeCode, std::uint32_t id, const NodeList& nodes,
                             const AttributeTable& attributes)
    : doc(doc)
{
    if (typeCode < ItemLine || typeCode > ItemText)
        return;
    item = ItemRef(CreateItem(typeCode, id));
    if (!item)
        return;
    for (const auto& [attr, value] : attributes)
        item->SetTextAttr(attr, value);
    // An outline the kind rejects (a doodle within a few units, a box
    // narrower than 4) would leave an item with nothing to draw.
    accepted = item->SetNodes(nodes);
}

int AddItemRecord::Execute()
{
    if (!accepted)
        return RecordRefused;
    doc.AddItem(item.get());
    return 0;
}

int AddItemRecord::Undo()
{
    doc.RemoveItem(item.get());
    return 0;
}

// --- delete ---

DeleteItemsRecord::DeleteItemsRecord(CKorvaniDoc& doc, DrawItem* selection) : doc(doc)
{
    const std::vector<DrawItem*> items = SelectionTargets(selection);
    held = HoldAll(items);
    targets = Place(doc, items);
}

int DeleteItemsRecord::Execute()
{
    doc.Items().RemoveItems(Pointers(targets));
    return 0;
}

int DeleteItemsRecord::Undo()
{
    PutBack(doc, targets);
    return 0;
}

// --- duplicate ---

DuplicateItemsRecord::DuplicateItemsRecord(CKorvaniDoc& doc, DrawItem* selection) : doc(doc)
{
    std::vector<DrawItem*> made;
    const std::vector<PlacedItem> targets = Place(doc, SelectionTargets(selection));
    held.reserve(targets.size());
    copies.reserve(targets.size());
    made.reserve(targets.size());
    for (const PlacedItem& target : targets) {
        DrawItem* copy = CreateItem(target.item->TypeCode(), TakeNextItemId());
        if (!copy)
            continue;
        held.emplace_back(copy);
        copy->CopyFrom(*target.item);
        copy->Translate(8.0f, 8.0f, ModeCommit);
        copies.push_back({copy, target.index});
        made.push_back(copy);
    }
    // A copied group's children are new items that only this record holds.
    inner = HoldInside(made);
}

// Each copy goes just above its original, and the copies of originals
// outside the drawing go on top in their order. Inserted from the highest
// original down, a copy would shift the ones above it together with their
// originals; inserted from the lowest up in one pass, each copy's place
// counts the copies below it instead.
int DuplicateItemsRecord::Execute()
{
    const auto key = [](const PlacedItem& c) { return c.index >= 0 ? c.index : INT_MAX; };
    std::vector<PlacedItem> order = copies;
    std::stable_sort(order.begin(), order.end(), [&](const PlacedItem& a, const PlacedItem& b) { return key(a) < key(b); });
    for (auto run = order.begin(); run != order.end();) {
        const auto next = std::find_if(run, order.end(), [&](const PlacedItem& c) { return key(c) != key(*run); });
        // Copies of one place: the one inserted last lies lowest.
        if (run->index >= 0)
            std::reverse(run, next);
        run = next;
    }
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k].index = order[k].index >= 0 ? order[k].index + 1 + int(k) : INT_MAX;
    doc.Items().InsertItems(order);
    return 0;
}

int DuplicateItemsRecord::Undo()
{
    doc.Items().RemoveItems(Pointers(copies));
    return 0;
}

// --- group ---

GroupRecord::GroupRecord(CKorvaniDoc& doc, std::uint32_t id, DrawItem* selection) : doc(doc)
{
    const std::vector<DrawItem*> items = SelectionTargets(selection);
    if (GroupDepth(items) >= MaxGroupDepth)
        return;
    members = PlaceMembers(doc, items, lowest);
    if (members.empty())
        return;
    group = ItemRef(CreateItem(ItemGroup, id));
    static_cast<GroupItem*>(group.get())->AddChildren(items);
}

int GroupRecord::Execute()
{
    doc.Items().RemoveItems(Pointers(members));
    doc.InsertItem(lowest, group.get());
    return 0;
}

int GroupRecord::Undo()
{
    doc.RemoveItem(group.get());
    PutBack(doc, members);
    return 0;
}

// --- break group ---

BreakGroupRecord::BreakGroupRecord(CKorvaniDoc& doc, DrawItem* item) : doc(doc)
{
    if (!item || item->TypeCode() != ItemGroup || IsSelectionGroup(item))
        return;
    group = ItemRef(item);
    index = doc.IndexOf(item);
    for (std::int32_t i = 0; i < item->ChildCount(); ++i) {
        if (DrawItem* child = item->ChildAt(i))
            children.emplace_back(child);
    }
}

int BreakGroupRecord::Execute()
{
    doc.RemoveItem(group.get());
    std::vector<PlacedItem> placed;
    placed.reserve(children.size());
    for (std::size_t k = 0; k < children.size(); ++k)
        placed.push_back({children[k].get(), index + int(k)});
    doc.Items().InsertItems(placed);
    return 0;
}

int BreakGroupRecord::Undo()
{
    doc.Items().RemoveItems(Pointers(children));
    doc.InsertItem(index, group.get());
    return 0;
}

// --- combine ---

CombineRecord::CombineRecord(CKorvaniDoc& doc, std::uint32_t id, DrawItem* selection) : doc(doc)
{
    const std::vector<DrawItem*> items = SelectionTargets(selection);
    members = PlaceMembers(doc, items, lowest);
    if (members.empty())
        return;
    curve = ItemRef(CreateItem(ItemCurve, id));
    // SetNodes replaces the outline, so every member's outline is gathered first.
    NodeList outline;
    for (DrawItem* member : items) {
        NodeList part;
        member->GetNodes(part);
        outline.insert(outline.end(), part.begin(), part.end());
    }
    // Members without an outline of their own would vanish into nothing.
    accepted = FillCurve(*curve, *items.front(), outline);
}

int CombineRecord::Execute()
{
    doc.Items().RemoveItems(Pointers(members));
    doc.InsertItem(lowest, curve.get());
    return 0;
}

int CombineRecord::Undo()
{
    doc.RemoveItem(curve.get());
    PutBack(doc, members);
    return 0;
}

// --- break apart ---

BreakApartRecord::BreakApartRecord(CKorvaniDoc& doc, DrawItem* source) : doc(doc)
{
    if (!source || IsSelectionGroup(source))
        return;
    item = ItemRef(source);
    index = doc.IndexOf(source);
    NodeList outline;
    source->GetNodes(outline);
    for (const NodeList& run : Subpaths(outline)) {
        ItemRef piece(CreateItem(ItemCurve, TakeNextItemId()));
        if (FillCurve(*piece, *source, run))
            pieces.push_back(std::move(piece));
    }
}

// Each piece is inserted at the item's index in turn, so each lands below the
// ones before it: the last piece lowest.
int BreakApartRecord::Execute()
{
    doc.RemoveItem(item.get());
    std::vector<PlacedItem> placed;
    placed.reserve(pieces.size());
    for (std::size_t k = 0; k < pieces.size(); ++k)
        placed.push_back({pieces[pieces.size() - 1 - k].get(), index + int(k)});
    doc.Items().InsertItems(placed);
    return 0;
}

int BreakApartRecord::Undo()
{
    doc.Items().RemoveItems(Pointers(pieces));
    doc.InsertItem(index, item.get());
    return 0;
}

// --- convert to curve ---

ConvertToCurveRecord::ConvertToCurveRecord(CKorvaniDoc& doc, DrawItem* source) : doc(doc)
{
    if (!source || IsSelectionGroup(source))
        return;
    item = ItemRef(source);
    curve = ItemRef(CreateItem(ItemCurve, source->Id()));
    // Groups, images and curves refuse; replacing them by an empty curve would lose them.
    accepted = source->ConvertInto(*curve);
}

void ConvertToCurveRecord::Replace(DrawItem* out, DrawItem* in)
{
    const int index = doc.IndexOf(out);
    if (index < 0)
        return;
    doc.RemoveItem(out);
    doc.InsertItem(index, in);
}

int ConvertToCurveRecord::Execute()
{
    Replace(item.get(), curve.get());
    return 0;
}

int ConvertToCurveRecord::Undo()
{
    Replace(curve.get(), item.get());
    return 0;
}

// --- z-order ---

ZOrderRecord::ZOrderRecord(CKorvaniDoc& doc, DrawItem* selection, int mode) : doc(doc), mode(mode)
{
    const std::vector<DrawItem*> items = SelectionTargets(selection);
    held = HoldAll(items);
    targets = Place(doc, items);
}

// Each mode gives the order of moving the targets one by one: to top, first
// to last; down one, first to last; up one, last to first; to bottom, last to
// first. A target steps past a neighbour only when that is not a target, so a
// block of adjacent targets moves as a block. The whole order is worked out
// in one pass; each step of one place is a swap of neighbours.
int ZOrderRecord::Execute()
{
    if (mode < 1 || mode > 4)
        return RecordRefused;
    ItemList& list = doc.Items();
    std::unordered_set<const DrawItem*> moving;
    for (const PlacedItem& t : targets)
        moving.insert(t.item);
    const auto isTarget = [&](const DrawItem* item) { return moving.count(item) != 0; };
    switch (mode) {
    case 1:   // to top: the listed targets above the rest, in target order
    case 4: { // to bottom: below the rest, in target order
        std::vector<DrawItem*> ends;
        for (const PlacedItem& t : targets) {
            if (list.IndexOf(t.item) >= 0)
                ends.push_back(t.item);
        }
        std::vector<DrawItem*> order;
        order.reserve(std::size_t(list.GetItemCount()));
        if (mode == 4)
            order = ends;
        for (DrawItem* item : list) {
            if (!isTarget(item))
                order.push_back(item);
        }
        if (mode == 1)
            order.insert(order.end(), ends.begin(), ends.end());
        list.Reorder(std::move(order));
        break;
    }
    case 2:
        for (const PlacedItem& t : targets) {
            const int i = list.IndexOf(t.item);
            if (i > 0 && !isTarget(list.GetItem(i - 1)))
                list.SwapWithNext(i - 1);
        }
        break;
    case 3:
        for (auto t = targets.rbegin(); t != targets.rend(); ++t) {
            // An item outside the drawing (-1) has no place to move up from.
            const int i = list.IndexOf(t->item);
            if (i >= 0 && i < list.GetItemCount() - 1 && !isTarget(list.GetItem(i + 1)))
                list.SwapWithNext(i);
        }
        break;
    }
    return 0;
}

int ZOrderRecord::Undo()
{
    doc.Items().RemoveItems(Pointers(targets));
    PutBack(doc, targets);
    return 0;
}

// --- rename ---

RenameRecord::RenameRecord(DrawItem* selection, const std::string& name)
{
    for (DrawItem* item : SelectionTargets(selection))
        names.emplace_back(ItemRef(item), name);
}

int RenameRecord::Execute()
{
    for (auto& [item, stored] : names) {
        std::string current = item->ClassName();
        item->SetClassName(std::move(stored));
        stored = std::move(current);
    }
    return 0;
}

int RenameRecord::Undo()
{
    return Execute();
}
