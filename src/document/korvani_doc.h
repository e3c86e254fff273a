#pragma once

// The one document: the drawing's items in z-order, the guide lines, the
// canvas values last read from a file, and the undo stack through which
// every change of the drawing is made.

#include "document/undo_stack.h"

#include <cstdint>
#include <memory>
#include <vector>

class DrawItem;

// Index 0 is the bottom-most item. The list only points at its items: it
// never changes a reference count; the undo records keep the items alive.
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
    // The first match from the bottom, or null.
    DrawItem* FindItemById(std::uint32_t id) const;
    // Appends on top; an item already listed (or null) is ignored.
    void AddItem(DrawItem* item);
    // Inserts before the item now at index; index >= count appends. Nothing
    // for a negative index, a null item or one already listed.
    void InsertItem(int index, DrawItem* item);
    // Removes the first occurrence, if any.
    void RemoveItem(const DrawItem* item);
    void RemoveAll() { items.clear(); }

    std::vector<DrawItem*>::const_iterator begin() const { return items.begin(); }
    std::vector<DrawItem*>::const_iterator end() const { return items.end(); }

private:
    std::vector<DrawItem*> items;
};

// Orientation 0 is a horizontal line y = position, 1 a vertical line x = position.
struct GuideLine
{
    std::uint32_t orientation = 0;
    float position = 0;

    friend bool operator==(const GuideLine&, const GuideLine&) = default;
};

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
    void AddItem(DrawItem* item) { items.AddItem(item); }
    void InsertItem(int index, DrawItem* item) { items.InsertItem(index, item); }
    void RemoveItem(const DrawItem* item) { items.RemoveItem(item); }

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
    int Push(std::unique_ptr<UndoRecord> record) { return undoStack.Do(std::move(record)); }
    const UndoStack& GetUndoStack() const { return undoStack; }

    bool CanUndo() const { return undoStack.CanUndo(); }
    bool CanRedo() const { return undoStack.CanRedo(); }
    int Undo() { return undoStack.Undo(); }
    int Redo() { return undoStack.Redo(); }
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
};
