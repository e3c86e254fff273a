#pragma once

// The one document: the drawing's items in z-order, the guide lines, the
// canvas values last read from a file, and the undo stack through which
// every change of the drawing is made.

#include "document/undo_stack.h"
#include "items/draw_item.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class DrawItem;

// An item with its index in the drawing.
struct PlacedItem
{
    DrawItem* item = nullptr;
    int index = -1;
};

// Index 0 is the bottom-most item. The list only points at its items: it
// never changes a reference count; the undo records keep the items alive.
// Edits of many items at once have batch forms that take one pass over the
// list, so that an edit of a whole large drawing stays linear.
class ItemList
{
public:
    ItemList() = default;
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;
    virtual ~ItemList() = default;

    int GetItemCount() const { return int(items.size()); }
    // Null when index is out of range.
    DrawItem* GetItem(int index) const;
    // -1 when absent.
    int IndexOf(const DrawItem* item) const;
    // IndexOf of each; items listed in the list's order are found in one pass.
    std::vector<int> IndicesOf(const std::vector<DrawItem*>& wanted) const;
    // The first match from the bottom, or null.
    DrawItem* FindItemById(std::uint32_t id) const;
    // Appends on top; an item already listed (or null) is ignored.
    void AddItem(DrawItem* item);
    // Inserts before the item now at index; index >= count appends. Nothing
    // for a negative index, a null item or one already listed.
    void InsertItem(int index, DrawItem* item);
    // InsertItem of each entry in turn.
    void InsertItems(const std::vector<PlacedItem>& placed);
    // Removes the first occurrence, if any.
    void RemoveItem(const DrawItem* item);
    // RemoveItem of each; items not listed are ignored.
    void RemoveItems(const std::vector<DrawItem*>& gone);
    // Swaps the item at index with the one above it; nothing when either is missing.
    void SwapWithNext(int index);
    // The same items in a new order; anything but a reordering of the listed
    // items is ignored.
    void Reorder(std::vector<DrawItem*> order);
    void RemoveAll()
    {
        items.clear();
        positions.clear();
        validBelow = 0;
    }

    std::vector<DrawItem*>::const_iterator begin() const { return items.begin(); }
    std::vector<DrawItem*>::const_iterator end() const { return items.end(); }

private:
    // Positions from index `from` up may have changed.
    void Shifted(std::size_t from) { validBelow = std::min(validBelow, from); }

    std::vector<DrawItem*> items;
    // Every listed item with its index. An index below validBelow is right;
    // one at or above it may be stale and is renewed, in one pass over the
    // rest of the list, when asked for.
    mutable std::unordered_map<const DrawItem*, int> positions;
    mutable std::size_t validBelow = 0;
};

// Orientation 0 is a horizontal line y = position, 1 a vertical line x = position.
struct GuideLine
{
    std::uint32_t orientation = 0;
    float position = 0;

    friend bool operator==(const GuideLine&, const GuideLine&) = default;
};

// Which way PushNodeConvert turns segments (a change operation below).
enum class SegmentConversion { ToCurve, ToLine };

class CKorvaniDoc
{
public:
    CKorvaniDoc() = default;
    CKorvaniDoc(const CKorvaniDoc&) = delete;
    CKorvaniDoc& operator=(const CKorvaniDoc&) = delete;
    virtual ~CKorvaniDoc();

    // Item list.
    ItemList& Items() { return items; }
    const ItemList& Items() const { return items; }
    int GetItemCount() const { return items.GetItemCount(); }
    DrawItem* GetItem(int index) const { return items.GetItem(index); }
    int IndexOf(const DrawItem* item) const { return items.IndexOf(item); }
    DrawItem* FindItemById(std::uint32_t id) const { return items.FindItemById(id); }
    // The records' own list edits; they count as part of the record's change.
    void AddItem(DrawItem* item) { items.AddItem(item); }
    void InsertItem(int index, DrawItem* item) { items.InsertItem(index, item); }
    void RemoveItem(const DrawItem* item) { items.RemoveItem(item); }

    // Grows with every change of the drawing: by one for each do, undo and
    // redo, for a reset, and for whatever a caller reports through NoteChange
    // (an edit made straight on an item or the list, as a drag does). What is
    // kept from the drawing (measured bounds, rendered pictures) names the
    // count it was made at.
    std::uint64_t ChangeCount() const { return changeCount; }
    void NoteChange() { ++changeCount; }

    // Guides, in the order they were added. Indices outside the list are
    // ignored (GetGuide then answers false and leaves `guide` alone).
    int GetGuideCount() const { return int(guides.size()); }
    bool GetGuide(int index, GuideLine& guide) const;
    void SetGuide(int index, const GuideLine& guide);
    void AddGuide(const GuideLine& guide) { guides.push_back(guide); }
    void RemoveGuide(int index);
    void ClearGuides() { guides.clear(); }

    // Canvas values as read from a drawing file; the colour is 0x00RRGGBB.
    std::int32_t GetCanvasWidth() const { return canvasWidth; }
    std::int32_t GetCanvasHeight() const { return canvasHeight; }
    std::uint32_t GetCanvasColor() const { return canvasColor; }
    void SetCanvasWidth(std::int32_t width) { canvasWidth = width; }
    void SetCanvasHeight(std::int32_t height) { canvasHeight = height; }
    void SetCanvasColor(std::uint32_t color) { canvasColor = color; }

    // Every change of the drawing: executes the record and keeps it for
    // undo. Returns what the stack's Do returns.
    int Push(std::unique_ptr<UndoRecord> record)
    {
        // Counted even when refused: a record may have touched an item before it gave up.
        NoteChange();
        return undoStack.Do(std::move(record));
    }
    const UndoStack& GetUndoStack() const { return undoStack; }

    // --- Change operations, one per record kind (doc_push.cpp) ---
    // Each builds its record, hands it to the undo stack and answers the
    // stack's result. A negative answer means the change was refused (nothing
    // to act on, a zero scale, an outline the kind rejects, ...): nothing was
    // changed or kept, and the redo list is left as it was. A selection is an
    // item, or the view's selection group (id -1) standing for each member.

    // Reads a drawing file (mode 1: import into the rectangle start..end) and
    // adds its items. Refused when the file cannot be opened; a file that does
    // not parse adds nothing. errorMessage, when given, receives why a read failed.
    int PushLoadItems(PointF start, PointF end, const std::string& fileName, int mode,
                      std::string* errorMessage = nullptr);
    // Adds items read ahead (ReadItemsFile's list, whose references it takes over) as one step.
    int PushLoadedItems(std::vector<DrawItem*> read);
    int PushAddItem(std::int32_t typeCode, std::uint32_t id, const NodeList& nodes, const AttributeTable& attributes);
    int PushDeleteItems(DrawItem* selection);
    int PushDuplicateItems(DrawItem* selection);
    int PushGroup(std::uint32_t id, DrawItem* selection);
    int PushBreakGroup(DrawItem* group);
    int PushCombine(std::uint32_t id, DrawItem* selection);
    // The new items take their ids from NextItemId.
    int PushBreakApart(DrawItem* item);
    int PushConvertToCurve(DrawItem* item);
    // Mode 1 to top, 2 down one, 3 up one, 4 to bottom.
    int PushZOrder(DrawItem* selection, int mode);
    int PushRename(DrawItem* item, const std::string& name);

    int PushMove(DrawItem* selection, float dx, float dy);
    int PushRotate(DrawItem* selection, float angle);
    int PushScale(DrawItem* selection, PointF anchor, float sx, float sy);

    int PushSetPropertyInt(DrawItem* selection, std::int32_t attr, std::int32_t value);
    int PushSetPropertyFloat(DrawItem* selection, std::int32_t attr, float value);
    int PushSetPropertyText(DrawItem* selection, std::int32_t attr, const std::string& value);
    int PushSetPropertyPoint(DrawItem* selection, std::int32_t attr, PointF value);
    int PushSolidLine(DrawItem* selection, ArgbColor color);
    int PushSolidFill(DrawItem* selection, ArgbColor color);
    int PushLineGradientOn(DrawItem* selection);
    int PushFillGradientOn(DrawItem* selection);
    int PushLineGradientAngle(DrawItem* item, float angle);
    int PushFillGradientAngle(DrawItem* item, float angle);
    int PushLineStopColor(DrawItem* item, std::int32_t index, ArgbColor color);
    int PushFillStopColor(DrawItem* item, std::int32_t index, ArgbColor color);
    int PushLineStopPosition(DrawItem* item, std::int32_t index, float position);
    int PushFillStopPosition(DrawItem* item, std::int32_t index, float position);
    // Handle 0 start point, 1 end point, 2 and above a stop.
    int PushLineGradientHandle(DrawItem* item, std::int32_t handle, float dx, float dy);
    int PushFillGradientHandle(DrawItem* item, std::int32_t handle, float dx, float dy);
    int PushToggleLineStop(DrawItem* item, PointF point, ArgbColor color);
    int PushToggleFillStop(DrawItem* item, PointF point, ArgbColor color);

    // Breaks the outline at a node.
    int PushOutlineOp(DrawItem* item, std::int32_t index);
    // Joins two open ends.
    int PushOutlineOp(DrawItem* item, const NodeSelection& nodes);
    int PushNodeSwap(DrawItem* item, std::int32_t index, const PathNode& node);
    // Answers the new node's index (0 or more); refused when no segment
    // passes under the node.
    int PushInsertNode(DrawItem* item, std::int32_t index, const PathNode& node);
    int PushDeleteNode(DrawItem* item, std::int32_t index);
    // mode: the edit hit code (0 or 1 nodes, 12 right and 13 left control point).
    int PushMoveNode(DrawItem* item, std::int32_t mode, const NodeSelection& nodes, float dx, float dy);
    int PushNodeConvert(DrawItem* item, const NodeSelection& nodes, SegmentConversion conversion);
    // --- end of change operations ---

    bool CanUndo() const { return undoStack.CanUndo(); }
    bool CanRedo() const { return undoStack.CanRedo(); }
    int Undo()
    {
        if (CanUndo())
            NoteChange();
        return undoStack.Undo();
    }
    int Redo()
    {
        if (CanRedo())
            NoteChange();
        return undoStack.Redo();
    }
    // Deletes every record, then empties the item list. Guides and canvas
    // values stay.
    void Reset();

private:
    bool ValidGuide(int index) const { return index >= 0 && index < GetGuideCount(); }

    UndoStack undoStack;
    ItemList items;
    std::vector<GuideLine> guides;
    std::int32_t canvasWidth = 0;
    std::int32_t canvasHeight = 0;
    std::uint32_t canvasColor = 0;
    std::uint64_t changeCount = 0;
};
