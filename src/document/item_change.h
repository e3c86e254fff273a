#pragma once

// What an edit changed on items, kept as the values from before it. Undo puts
// exactly those back instead of applying an inverse edit, so neither float
// rounding, nor the two-decimal text of points, nor attributes the edit added
// can drift through undo and redo; applying the edit again to the restored
// state gives the same result again.

#include "document/item_ref.h"

#include <memory>
#include <string>
#include <vector>

class ItemChanges
{
public:
    // Notes the whole state of the items and of everything inside them.
    void Begin(const std::vector<DrawItem*>& items);
    // Keeps only what differs from the noted state, as its noted value.
    void Finish();
    // Puts the noted values back.
    void Restore() const;

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
    };
    struct AttrValue
    {
        std::int32_t attr = 0;
        bool present = false; // absent before the edit: undo removes it
        std::string value;
    };
    // Only what changed is kept, so a move record stays small.
    struct Change
    {
        ItemRef item;
        std::vector<AttrValue> attributes;
        std::unique_ptr<NodeList> nodes;
        std::unique_ptr<Matrix> matrix;
        std::unique_ptr<GradientRamp> lineRamp;
        std::unique_ptr<GradientRamp> fillRamp;
    };

    static void DiffAttributes(const AttributeTable& before, const AttributeTable& after, std::vector<AttrValue>& out);

    std::vector<Snapshot> noted;
    std::vector<Change> changes;
};
