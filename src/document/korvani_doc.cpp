#include "document/korvani_doc.h"

#include "items/draw_item.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <unordered_set>

DrawItem* ItemList::GetItem(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return nullptr;
    return items[std::size_t(index)];
}

int ItemList::IndexOf(const DrawItem* item) const
{
    const auto found = positions.find(item);
    if (found == positions.end())
        return -1;
    if (std::size_t(found->second) < validBelow)
        return found->second;
    for (std::size_t k = validBelow; k < items.size(); ++k)
        positions[items[k]] = int(k);
    validBelow = items.size();
    return found->second;
}

// A selection lists its items bottom to top: then a walk along the list
// finds them all without a lookup each. Whatever the walk missed (an item
// out of that order, or not listed) is looked up.
std::vector<int> ItemList::IndicesOf(const std::vector<DrawItem*>& wanted) const
{
    std::vector<int> indices(wanted.size(), -1);
    std::size_t next = 0;
    for (std::size_t k = 0; k < items.size() && next < wanted.size(); ++k) {
        if (items[k] == wanted[next])
            indices[next++] = int(k);
    }
    for (; next < wanted.size(); ++next)
        indices[next] = IndexOf(wanted[next]);
    return indices;
}

DrawItem* ItemList::FindItemById(std::uint32_t id) const
{
    const auto it = std::find_if(items.begin(), items.end(), [id](const DrawItem* item) { return item->Id() == id; });
    return it == items.end() ? nullptr : *it;
}

void ItemList::AddItem(DrawItem* item)
{
    if (!item || !positions.emplace(item, int(items.size())).second)
        return;
    if (validBelow == items.size())
        ++validBelow;
    items.push_back(item);
}

// Past the end appends rather than leaving a gap of null entries that every
// reader of the list would trip over.
void ItemList::InsertItem(int index, DrawItem* item)
{
    if (index < 0 || !item)
        return;
    const std::size_t at = std::min(std::size_t(index), items.size());
    if (!positions.emplace(item, int(at)).second)
        return;
    Shifted(at);
    items.insert(items.begin() + std::ptrdiff_t(at), item);
}

// The list is built anew, each entry placed where InsertItem would place it
// at its turn: the part not yet copied is still the old list's tail.
void ItemList::InsertItems(const std::vector<PlacedItem>& placed)
{
    std::vector<DrawItem*> out;
    out.reserve(items.size() + placed.size());
    positions.reserve(items.size() + placed.size());
    std::size_t copied = 0;
    std::size_t first = SIZE_MAX; // the lowest place an entry went
    for (const PlacedItem& p : placed) {
        if (p.index < 0 || !p.item || !positions.emplace(p.item, INT_MAX).second)
            continue;
        const std::size_t at = std::min(std::size_t(p.index), out.size() + items.size() - copied);
        while (out.size() < at)
            out.push_back(items[copied++]);
        // Below what is already placed only when an earlier entry went higher.
        out.insert(out.begin() + std::ptrdiff_t(at), p.item);
        first = std::min(first, at);
    }
    if (first == SIZE_MAX)
        return;
    out.insert(out.end(), items.begin() + std::ptrdiff_t(copied), items.end());
    items = std::move(out);
    Shifted(first);
}

void ItemList::RemoveItem(const DrawItem* item)
{
    const int at = IndexOf(item);
    if (at < 0)
        return;
    positions.erase(item);
    items.erase(items.begin() + at);
    Shifted(std::size_t(at));
}

void ItemList::RemoveItems(const std::vector<DrawItem*>& gone)
{
    // Where the list starts to change, found before any entry goes: finding
    // a position may renew the positions of every listed item.
    std::size_t first = items.size();
    for (const DrawItem* item : gone) {
        const int at = IndexOf(item);
        if (at >= 0)
            first = std::min(first, std::size_t(at));
    }
    if (first == items.size())
        return;
    for (const DrawItem* item : gone)
        positions.erase(item);
    items.erase(std::remove_if(items.begin() + std::ptrdiff_t(first), items.end(),
                               [this](const DrawItem* item) { return positions.count(item) == 0; }),
                items.end());
    Shifted(first);
}

void ItemList::SwapWithNext(int index)
{
    if (index < 0 || std::size_t(index) + 1 >= items.size())
        return;
    std::swap(items[std::size_t(index)], items[std::size_t(index) + 1]);
    positions[items[std::size_t(index)]] = index;
    positions[items[std::size_t(index) + 1]] = index + 1;
}

void ItemList::Reorder(std::vector<DrawItem*> order)
{
    if (order.size() != items.size())
        return;
    std::unordered_set<const DrawItem*> seen;
    seen.reserve(order.size());
    for (const DrawItem* item : order) {
        if (positions.count(item) == 0 || !seen.insert(item).second)
            return;
    }
    const auto differ = std::mismatch(items.begin(), items.end(), order.begin());
    Shifted(std::size_t(differ.first - items.begin()));
    items = std::move(order);
}

// Records hold the references that keep items alive, so they go first; the
// list's pointers are only dropped afterwards.
CKorvaniDoc::~CKorvaniDoc()
{
    undoStack.Clear();
    items.RemoveAll();
    guides.clear();
    guides.shrink_to_fit();
}

bool CKorvaniDoc::GetGuide(int index, GuideLine& guide) const
{
    if (!ValidGuide(index))
        return false;
    guide = guides[std::size_t(index)];
    return true;
}

void CKorvaniDoc::SetGuide(int index, const GuideLine& guide)
{
    if (ValidGuide(index))
        guides[std::size_t(index)] = guide;
}

void CKorvaniDoc::RemoveGuide(int index)
{
    if (ValidGuide(index))
        guides.erase(guides.begin() + index);
}

void CKorvaniDoc::Reset()
{
    undoStack.Clear();
    items.RemoveAll();
    NoteChange();
}
