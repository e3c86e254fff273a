#include "document/korvani_doc.h"

#include "items/draw_item.h"

#include <algorithm>

DrawItem* ItemList::GetItem(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return nullptr;
    return items[std::size_t(index)];
}

int ItemList::IndexOf(const DrawItem* item) const
{
    if (members.count(item) == 0)
        return -1;
    const auto it = std::find(items.begin(), items.end(), item);
    return it == items.end() ? -1 : int(it - items.begin());
}

DrawItem* ItemList::FindItemById(std::uint32_t id) const
{
    const auto it = std::find_if(items.begin(), items.end(), [id](const DrawItem* item) { return item->Id() == id; });
    return it == items.end() ? nullptr : *it;
}

void ItemList::AddItem(DrawItem* item)
{
    if (item && members.insert(item).second)
        items.push_back(item);
}

// Past the end appends rather than leaving a gap of null entries that every
// reader of the list would trip over.
void ItemList::InsertItem(int index, DrawItem* item)
{
    if (index < 0 || !item || !members.insert(item).second)
        return;
    const std::size_t at = std::min(std::size_t(index), items.size());
    items.insert(items.begin() + std::ptrdiff_t(at), item);
}

void ItemList::RemoveItem(const DrawItem* item)
{
    if (members.erase(item) == 0)
        return;
    items.erase(std::find(items.begin(), items.end(), item));
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
}
