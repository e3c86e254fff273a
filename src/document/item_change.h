#pragma once

// What an edit changed on items, kept as the values from before and after it.
// Undo and redo put exactly those values back instead of applying an inverse
// edit or the edit again: neither float rounding, nor the two-decimal text of
// points, nor attributes the edit added can drift, and a group's active child
// (which decides where a group's setters go, and which the view may change
// between undo and redo) cannot make a redo differ from the first run. The
// active child an edit changed (a gradient switched on) is put back too.

#include "document/item_ref.h"

#include <memory>
#include <string>
#include <vector>

class ItemChanges
{
public:
    // Notes the whole state of the items and of everything inside them.
    void Begin(const std::vector<DrawItem*>& items);
    // Keeps only what differs from the noted state, both ways.
    void Finish();
    // The state before the edit, and the state after it.
    void Restore() const { Put(false); }
    void Reapply() const { Put(true); }

    bool Empty() const { return changes.empty(); }

private:
    struct Snapshot
    {
        DrawItem* item = nullptr;
        AttributeTable attributes;
        NodeList nodes;
        Matrix matrix;
        GradientRamp lineRamp;
        GradientRamp fillRamp;
        DrawItem* activeChild = nullptr;
    };
    struct AttrChange
    {
        std::int32_t attr = 0;
        bool before = false; // present before the edit
        bool after = false;  // present after it
        std::string beforeValue;
        std::string afterValue;
    };
    template <class T>
    struct BeforeAfter
    {
        T before;
        T after;
    };
    // Only what changed is kept, so that a move record stays small.
    struct Change
    {
        ItemRef item;
        std::vector<AttrChange> attributes;
        std::unique_ptr<BeforeAfter<NodeList>> nodes;
        std::unique_ptr<BeforeAfter<Matrix>> matrix;
        std::unique_ptr<BeforeAfter<GradientRamp>> lineRamp;
        std::unique_ptr<BeforeAfter<GradientRamp>> fillRamp;
        std::unique_ptr<BeforeAfter<DrawItem*>> activeChild;
    };

    static void DiffAttributes(const AttributeTable& before, const AttributeTable& after, std::vector<AttrChange>& out);
    void Put(bool after) const;

    std::vector<Snapshot> noted;
    std::vector<Change> changes;
};
