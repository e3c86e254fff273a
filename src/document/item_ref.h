#pragma once

// The references undo records hold on items, and the selection rule that
// decides which items a record acts on.

#include "items/draw_item.h"
#include "xml/xml_reader.h"

#include <cstdint>
#include <utility>
#include <vector>

// One counted reference on an item for the holder's lifetime. Records keep
// their items only through these, so every AddRef has exactly one Release.
class ItemRef
{
public:
    ItemRef() = default;
    explicit ItemRef(DrawItem* item) : item(item)
    {
        if (item)
            item->AddRef();
    }
    // Takes over a reference somebody already took (the file reader's).
    static ItemRef Adopt(DrawItem* item)
    {
        ItemRef ref;
        ref.item = item;
        return ref;
    }
    ItemRef(const ItemRef& other) : ItemRef(other.item) {}
    ItemRef(ItemRef&& other) noexcept : item(std::exchange(other.item, nullptr)) {}
    ItemRef& operator=(ItemRef other) noexcept
    {
        std::swap(item, other.item);
        return *this;
    }
    ~ItemRef()
    {
        if (item)
            item->Release();
    }

    DrawItem* get() const { return item; }
    DrawItem* operator->() const { return item; }
    DrawItem& operator*() const { return *item; }
    explicit operator bool() const { return item != nullptr; }

private:
    DrawItem* item = nullptr;
};

using ItemRefs = std::vector<ItemRef>;

// The view's temporary selection group: a GroupItem with this id stands for
// each of its members. It belongs to the view; records never hold it.
constexpr std::uint32_t SelectionGroupId = static_cast<std::uint32_t>(-1);

bool IsSelectionGroup(const DrawItem* item);

// The items a record acts on: each member of the selection group in member
// order (each once), or the one item itself; none for null.
std::vector<DrawItem*> SelectionTargets(DrawItem* selection);

// The items and everything inside them (groups, depth first, parents before
// children), each once.
std::vector<DrawItem*> ItemTrees(const std::vector<DrawItem*>& items);

// Everything inside the item, without the item itself.
std::vector<DrawItem*> Descendants(DrawItem* item);

ItemRefs HoldAll(const std::vector<DrawItem*>& items);

// How deep groups may nest in a drawing. The file reader refuses elements
// nested deeper than MaxXmlDepth, and a drawing file spends three levels
// besides its groups: the root, the innermost item and that item's own
// elements. Grouping stops here rather than save a drawing that could not be
// opened again; at this depth the recursive walks over groups (drawing,
// bounds, copying, writing) stay far from the end of the stack.
constexpr int MaxGroupDepth = MaxXmlDepth - 3;

// How many groups deep the items nest (0 when none is a group), counted up to
// MaxGroupDepth + 1 at most.
int GroupDepth(const std::vector<DrawItem*>& items);
