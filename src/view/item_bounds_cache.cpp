#include "view/item_bounds_cache.h"

#include "document/korvani_doc.h"
#include "export/paint_reach.h"
#include "items/draw_item.h"

#include <algorithm>
#include <cmath>

bool ItemBoundsCache::Matches(const ItemList& items) const
{
    if (!valid || std::size_t(items.GetItemCount()) != entries.size())
        return false;
    std::size_t i = 0;
    for (DrawItem* item : items) {
        if (entries[i++].item != item)
            return false;
    }
    return true;
}

ItemBoundsCache::Entry ItemBoundsCache::Measure(DrawItem* item)
{
    Entry e;
    e.item = item;
    e.bounds = item->Bounds(ModeCommit);
    e.paintBounds = PaintReach(*item, e.bounds);
    return e;
}

void ItemBoundsCache::Update(const ItemList& items)
{
    if (Matches(items))
        return;
    entries.clear();
    entries.reserve(std::size_t(items.GetItemCount()));
    for (DrawItem* item : items)
        entries.push_back(Measure(item));
    valid = true;
}

bool ItemBoundsCache::Append(const ItemList& items, std::vector<DrawItem*>& added)
{
    const std::size_t count = std::size_t(items.GetItemCount());
    if (!valid || count <= entries.size())
        return false;
    std::size_t i = 0;
    for (DrawItem* item : items) {
        if (i < entries.size() && entries[i].item != item)
            return false;
        if (i >= entries.size())
            added.push_back(item);
        ++i;
    }
    for (DrawItem* item : added)
        entries.push_back(Measure(item));
    return true;
}

void ItemBoundsCache::Remeasure(const std::vector<DrawItem*>& items)
{
    if (!valid || items.empty())
        return;
    std::vector<DrawItem*> sorted = items;
    std::sort(sorted.begin(), sorted.end());
    for (Entry& e : entries) {
        if (std::binary_search(sorted.begin(), sorted.end(), e.item))
            e = Measure(e.item);
    }
}
