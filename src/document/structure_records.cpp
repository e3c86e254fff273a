#include "document/structure_records.h"

#include "document/korvani_doc.h"
#include "items/group_item.h"
#include "items/item_factory.h"

#include <algorithm>

namespace {

std::vector<PlacedItem> Place(const CKorvaniDoc& doc, const std::vector<DrawItem*>& items)
{
    std::vector<PlacedItem> placed;
    placed.reserve(items.size());
    for (DrawItem* item : items)
        placed.push_back({item, doc.IndexOf(item)});
    return placed;
}

// Puts items back at the indices they had, lowest first: then each lands
// exactly where it was, whatever order the selection listed them in.
void PutBack(CKorvaniDoc& doc, std::vector<PlacedItem> placed)
{
    std::stable_sort(placed.begin(), placed.end(), [](const PlacedItem& a, const PlacedItem& b) { return a.index < b.index; });
    for (const PlacedItem& p : placed) {
        if (p.index >= 0)
            doc.InsertItem(p.index, p.item);
    }
}

// References on everything inside the items, which their groups do not hold.
ItemRefs HoldInside(const std::vector<DrawItem*>& items)
{
    std::vector<DrawItem*> inside;
    for (DrawItem* item : ItemTrees(items)) {
        if (std::find(items.begin(), items.end(), item) == items.end())
            inside.push_back(item);
    }
    return HoldAll(inside);
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
    for (const ItemRef& item : items)
        doc.RemoveItem(item.get());
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
    for (const PlacedItem& t : targets)
        doc.RemoveItem(t.item);
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
    for (DrawItem* target : SelectionTargets(selection)) {
        DrawItem* copy = CreateItem(target->TypeCode(), TakeNextItemId());
        if (!copy)
            continue;
        held.emplace_back(copy);
        copy->CopyFrom(*target);
        copy->Translate(8.0f, 8.0f, ModeCommit);
        copies.push_back({copy, doc.IndexOf(target)});
        made.push_back(copy);
    }
    // A copied group's children are new items that only this record holds.
    inner = HoldInside(made);
}

int DuplicateItemsRecord::Execute()
{
    // Highest original first: a copy inserted lower down shifts the ones
    // above it together with their originals.
    std::vector<PlacedItem> order = copies;
    std::stable_sort(order.begin(), order.end(), [](const PlacedItem& a, const PlacedItem& b) { return a.index > b.index; });
    for (const PlacedItem& c : order) {
        if (c.index >= 0)
            doc.InsertItem(c.index + 1, c.item);
        else
            doc.AddItem(c.item);
    }
    return 0;
}

int DuplicateItemsRecord::Undo()
{
    for (auto c = copies.rbegin(); c != copies.rend(); ++c)
        doc.RemoveItem(c->item);
    return 0;
}

// --- group ---

GroupRecord::GroupRecord(CKorvaniDoc& doc, std::uint32_t id, DrawItem* selection) : doc(doc)
{
    const std::vector<DrawItem*> items = SelectionTargets(selection);
    if (items.empty())
        return;
    group = ItemRef(CreateItem(ItemGroup, id));
    static_cast<GroupItem*>(group.get())->AddChildren(items);
    for (DrawItem* member : items) {
        const int index = doc.IndexOf(member);
        members.push_back({member, index});
        if (index >= 0)
            lowest = std::min(lowest, index);
    }
}

int GroupRecord::Execute()
{
    for (const PlacedItem& m : members)
        doc.RemoveItem(m.item);
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
    for (std::size_t k = 0; k < children.size(); ++k)
        doc.InsertItem(index + int(k), children[k].get());
    return 0;
}

int BreakGroupRecord::Undo()
{
    for (const ItemRef& child : children)
        doc.RemoveItem(child.get());
    doc.InsertItem(index, group.get());
    return 0;
}

// --- combine ---

CombineRecord::CombineRecord(CKorvaniDoc& doc, std::uint32_t id, DrawItem* selection) : doc(doc)
{
    const std::vector<DrawItem*> items = SelectionTargets(selection);
    if (items.empty())
        return;
    curve = ItemRef(CreateItem(ItemCurve, id));
    // SetNodes replaces the outline, so every member's outline is gathered first.
    NodeList outline;
    for (DrawItem* member : items) {
        NodeList part;
        member->GetNodes(part);
        outline.insert(outline.end(), part.begin(), part.end());
        const int index = doc.IndexOf(member);
        members.push_back({member, index});
        if (index >= 0)
            lowest = std::min(lowest, index);
    }
    // Members without an outline of their own would vanish into nothing.
    accepted = FillCurve(*curve, *items.front(), outline);
}

int CombineRecord::Execute()
{
    for (const PlacedItem& m : members)
        doc.RemoveItem(m.item);
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

int BreakApartRecord::Execute()
{
    doc.RemoveItem(item.get());
    for (const ItemRef& piece : pieces)
        doc.InsertItem(index, piece.get());
    return 0;
}

int BreakApartRecord::Undo()
{
    for (const ItemRef& piece : pieces)
        doc.RemoveItem(piece.get());
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

bool ZOrderRecord::IsTarget(const DrawItem* item) const
{
    return std::any_of(targets.begin(), targets.end(), [item](const PlacedItem& t) { return t.item == item; });
}

int ZOrderRecord::Execute()
{
    const int count = doc.GetItemCount();
    switch (mode) {
    case 1: // to top, first to last
        for (const PlacedItem& t : targets) {
            if (doc.IndexOf(t.item) < 0)
                continue;
            doc.RemoveItem(t.item);
            doc.InsertItem(count - 1, t.item);
        }
        break;
    case 2: // down one, first to last
        for (const PlacedItem& t : targets) {
            const int i = doc.IndexOf(t.item);
            if (i > 0 && !IsTarget(doc.GetItem(i - 1))) {
                doc.RemoveItem(t.item);
                doc.InsertItem(i - 1, t.item);
            }
        }
        break;
    case 3: // up one, last to first
        for (auto t = targets.rbegin(); t != targets.rend(); ++t) {
            const int i = doc.IndexOf(t->item);
            // An item outside the drawing (-1) has no place to move up from.
            if (i >= 0 && i < doc.GetItemCount() - 1 && !IsTarget(doc.GetItem(i + 1))) {
                doc.RemoveItem(t->item);
                doc.InsertItem(i + 1, t->item);
            }
        }
        break;
    case 4: // to bottom, last to first
        for (auto t = targets.rbegin(); t != targets.rend(); ++t) {
            if (doc.IndexOf(t->item) < 0)
                continue;
            doc.RemoveItem(t->item);
            doc.InsertItem(0, t->item);
        }
        break;
    default:
        return RecordRefused;
    }
    return 0;
}

int ZOrderRecord::Undo()
{
    for (const PlacedItem& t : targets)
        doc.RemoveItem(t.item);
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
