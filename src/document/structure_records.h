#pragma once

// Records that change which items the drawing holds and in what order:
// loading, adding, deleting, duplicating, grouping, combining, breaking
// apart, converting, reordering and renaming.
//
// Ownership: a record holds a reference (ItemRef) on every item it creates or
// acts on, and on every item inside a group it creates or loads, since a group
// holds none on its children. Members absorbed by a new group or combined curve
// take no extra reference: they were in the drawing when the record was made,
// so an older record holds them, and older records outlive this one on the
// undo list. No record reads an item in its destructor, so the order in
// which records are deleted never matters.

#include "document/edit_record.h"
#include "document/korvani_doc.h"

#include <climits>
#include <string>
#include <utility>
#include <vector>

class LoadItemsRecord final : public UndoRecord
{
public:
    // loaded carries the reader's reference on each item; the record keeps it.
    LoadItemsRecord(CKorvaniDoc& doc, ItemRefs loaded);
    bool Feasible() const { return true; }
    int Execute() override;
    int Undo() override;
    const ItemRefs& Items() const { return items; }

private:
    CKorvaniDoc& doc;
    ItemRefs items;
    ItemRefs inner;
};

// A new item of a kind 102..108, given its attributes and then its outline.
// Refused when the kind is unknown or the kind rejects the outline.
class AddItemRecord final : public UndoRecord
{
public:
    AddItemRecord(CKorvaniDoc& doc, std::int32_t typeCode, std::uint32_t id, const NodeList& nodes,
                  const AttributeTable& attributes);
    bool Feasible() const { return accepted; }
    int Execute() override;
    int Undo() override;
    DrawItem* Item() const { return item.get(); }

private:
    CKorvaniDoc& doc;
    ItemRef item;
    bool accepted = false;
};

class DeleteItemsRecord final : public UndoRecord
{
public:
    DeleteItemsRecord(CKorvaniDoc& doc, DrawItem* selection);
    bool Feasible() const { return !targets.empty(); }
    int Execute() override;
    int Undo() override;

private:
    CKorvaniDoc& doc;
    ItemRefs held;
    std::vector<PlacedItem> targets;
};

// A copy of each target, offset by 8 units, just above its original.
class DuplicateItemsRecord final : public UndoRecord
{
public:
    DuplicateItemsRecord(CKorvaniDoc& doc, DrawItem* selection);
    bool Feasible() const { return !copies.empty(); }
    int Execute() override;
    int Undo() override;

private:
    CKorvaniDoc& doc;
    ItemRefs held;
    ItemRefs inner;
    std::vector<PlacedItem> copies; // index: the original's
};

// Refused when a member is not in the drawing (no record would hold it), or
// when the group would nest deeper than MaxGroupDepth.
class GroupRecord final : public UndoRecord
{
public:
    GroupRecord(CKorvaniDoc& doc, std::uint32_t id, DrawItem* selection);
    bool Feasible() const { return !members.empty(); }
    int Execute() override;
    int Undo() override;
    DrawItem* Group() const { return group.get(); }

private:
    CKorvaniDoc& doc;
    ItemRef group;
    std::vector<PlacedItem> members;
    int lowest = INT_MAX;
};

// Puts a group's children into the drawing in its place. The group keeps
// them, so that undo puts back the very group.
class BreakGroupRecord final : public UndoRecord
{
public:
    BreakGroupRecord(CKorvaniDoc& doc, DrawItem* group);
    bool Feasible() const { return group && index >= 0; }
    int Execute() override;
    int Undo() override;

private:
    CKorvaniDoc& doc;
    ItemRef group;
    int index = -1;
    ItemRefs children;
};

// One curve made of the outlines of all members, with the first member's
// attributes and ramps. Refused, as a group is, when a member is not in the
// drawing.
class CombineRecord final : public UndoRecord
{
public:
    CombineRecord(CKorvaniDoc& doc, std::uint32_t id, DrawItem* selection);
    bool Feasible() const { return accepted; }
    int Execute() override;
    int Undo() override;
    DrawItem* Curve() const { return curve.get(); }

private:
    CKorvaniDoc& doc;
    ItemRef curve;
    std::vector<PlacedItem> members;
    int lowest = INT_MAX;
    bool accepted = false;
};

// One curve per subpath of the item's outline, each with the item's
// attributes and ramps.
class BreakApartRecord final : public UndoRecord
{
public:
    BreakApartRecord(CKorvaniDoc& doc, DrawItem* item);
    bool Feasible() const { return index >= 0 && !pieces.empty(); }
    int Execute() override;
    int Undo() override;
    const ItemRefs& Pieces() const { return pieces; }

private:
    CKorvaniDoc& doc;
    ItemRef item;
    int index = -1;
    ItemRefs pieces;
};

// A curve with the item's id, attributes and outline takes the item's place.
class ConvertToCurveRecord final : public UndoRecord
{
public:
    ConvertToCurveRecord(CKorvaniDoc& doc, DrawItem* item);
    bool Feasible() const { return accepted; }
    int Execute() override;
    int Undo() override;

private:
    void Replace(DrawItem* out, DrawItem* in);

    CKorvaniDoc& doc;
    ItemRef item;
    ItemRef curve;
    bool accepted = false;
};

// Mode 1 to top, 2 down one, 3 up one, 4 to bottom.
class ZOrderRecord final : public UndoRecord
{
public:
    ZOrderRecord(CKorvaniDoc& doc, DrawItem* selection, int mode);
    bool Feasible() const { return !targets.empty() && mode >= 1 && mode <= 4; }
    int Execute() override;
    int Undo() override;

private:
    CKorvaniDoc& doc;
    ItemRefs held;
    std::vector<PlacedItem> targets;
    int mode;
};

// Swaps the name shown in the items panel.
class RenameRecord final : public UndoRecord
{
public:
    RenameRecord(DrawItem* selection, const std::string& name);
    bool Feasible() const { return !names.empty(); }
    int Execute() override;
    int Undo() override;

private:
    std::vector<std::pair<ItemRef, std::string>> names;
};
