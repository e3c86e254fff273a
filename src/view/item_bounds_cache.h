#pragma once

// The document's items in list order with their bounds and paint margins, so
// that a paint or hover scans one array instead of visiting every item. The
// items keep their own bounds (measuring builds an outline), so renewing this
// measures only the items that changed. The view invalidates it whenever it
// changes the drawing; Update also renews it when the list itself no longer
// matches.

#include "items/geometry.h"

#include <vector>

class DrawItem;
class ItemList;

class ItemBoundsCache
{
public:
    struct Entry
    {
        DrawItem* item = nullptr;
        RectF bounds;      // committed bounds, as the item reports them
        RectF paintBounds; // everything a draw of the committed item can touch
    };

    void Invalidate() { valid = false; }
    void Update(const ItemList& items);
    // When items only joined the top of the list since it was measured:
    // measures them, hands them out in added, and answers true.
    bool Append(const ItemList& items, std::vector<DrawItem*>& added);
    // Measures these items again; the list itself has not changed.
    void Remeasure(const std::vector<DrawItem*>& items);
    const std::vector<Entry>& Entries() const { return entries; }

    // How far a hit test can reach beyond the bounds: handle squares 4 wide
    // centred on the bounds grown by 4, and a little slack.
    static constexpr float HitReach = 8.0f;

    // Rectangles as closed intervals: touching counts as meeting.
    static bool Meets(const RectF& a, const RectF& b)
    {
        return a.x <= b.Right() && b.x <= a.Right() && a.y <= b.Bottom() && b.y <= a.Bottom();
    }

private:
    bool Matches(const ItemList& items) const;
    static Entry Measure(DrawItem* item);

    std::vector<Entry> entries;
    bool valid = false;
};
