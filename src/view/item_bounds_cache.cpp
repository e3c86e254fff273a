#include "view/item_bounds_cache.h"

#include "document/korvani_doc.h"
#include "items/draw_item.h"

#include <algorithm>
#include <cmath>

namespace {

// The widest outline of an item or of any member of a group.
float WidestLine(DrawItem& item)
{
    if (item.ChildCount() == 1 && item.ChildAt(0) == &item) {
        const float w = item.GetFloatAttr(ATTR_LINE_WIDTH);
        return std::isfinite(w) ? std::fabs(w) : 0.0f;
    }
    float widest = 0;
    for (std::int32_t i = 0; i < item.ChildCount(); ++i) {
        if (DrawItem* child = item.ChildAt(i))
            widest = std::max(widest, WidestLine(*child));
    }
    return widest;
}

} // namespace

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
    // Bounds hold half the pen; mitred corners reach further. The paint
    // adds the pixels that anti-aliasing touches.
    const float margin = 2 * WidestLine(*item) + 1;
    e.paintBounds = InflateRect(e.bounds, margin);
    if (!std::isfinite(e.paintBounds.x) || !std::isfinite(e.paintBounds.y) || !std::isfinite(e.paintBounds.width) ||
        !std::isfinite(e.paintBounds.height)) {
        // Unmeasurable: never skip it.
        e.paintBounds = {-1e30f, -1e30f, 2e30f, 2e30f};
    }
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
