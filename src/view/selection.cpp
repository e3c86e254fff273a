// Choosing items: the selection, the selection group and hit testing. The
// tools that change the selection live in tools/.

#include "view/korvani_view.h"

#include "document/korvani_doc.h"
#include "items/attribute_format.h"
#include "items/group_item.h"
#include "view/view_host.h"

#include <algorithm>
#include <unordered_set>

// --- the selection ---

bool CKorvaniView::SelectionIsGroup() const
{
    return selection != nullptr && selection == selectionGroup;
}

void CKorvaniView::EmptySelectionGroup()
{
    selectionGroup->ReleaseChildren();
}

void CKorvaniView::SelectNone()
{
    CancelDrag();
    EmptySelectionGroup();
    selection = nullptr;
}

void CKorvaniView::SelectionUnits(std::vector<DrawItem*>& out) const
{
    if (!selection)
        return;
    if (SelectionIsGroup()) {
        for (DrawItem* child : selectionGroup->Children())
            out.push_back(child);
    } else {
        out.push_back(selection);
    }
}

bool CKorvaniView::IsSelectionChild(const DrawItem* item) const
{
    if (!selection || !item)
        return false;
    if (!SelectionIsGroup())
        return item == selection;
    const std::vector<DrawItem*>& children = selectionGroup->Children();
    return std::find(children.begin(), children.end(), item) != children.end();
}

std::pair<DrawItem*, std::int32_t> CKorvaniView::HitTestItems(PointF q)
{
    if (selection) {
        const std::int32_t code = selection->HitTest(q);
        if (code != HitMiss)
            return {selection, code};
    }
    const std::vector<ItemBoundsCache::Entry>& entries = MeasuredItems();
    constexpr float reach = ItemBoundsCache::HitReach;
    for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
        // No item answers a point this far from its bounds: skip the outline work.
        const RectF& b = e->bounds;
        if (!(q.x >= b.x - reach && q.x <= b.Right() + reach && q.y >= b.y - reach && q.y <= b.Bottom() + reach))
            continue;
        const std::int32_t code = e->item->HitTest(q);
        if (code != HitMiss)
            return {e->item, code};
    }
    return {nullptr, HitMiss};
}

void CKorvaniView::AddToSelection(DrawItem* item)
{
    AddUnitsToSelection({item});
}

void CKorvaniView::AddUnitsToSelection(const std::vector<DrawItem*>& items)
{
    CancelDrag();
    // Adding one item after another, with the group rebuilt once at the end.
    std::unordered_set<DrawItem*> units;
    bool grouped = false;
    for (DrawItem* item : items) {
        if (!item)
            continue;
        if (!grouped && (!selection || item == selection)) {
            selection = item;
            continue;
        }
        if (!grouped) {
            units.clear();
            if (SelectionIsGroup() || selection->TypeCode() != ItemGroup) {
                for (std::int32_t i = 0; i < selection->ChildCount(); ++i)
                    units.insert(selection->ChildAt(i));
            } else {
                units.insert(selection);
            }
            grouped = true;
        }
        units.insert(item);
    }
    if (!grouped)
        return;
    EmptySelectionGroup();
    std::vector<DrawItem*> members;
    members.reserve(units.size());
    for (DrawItem* listed : doc.Items()) {
        if (units.count(listed))
            members.push_back(listed);
    }
    selectionGroup->AddChildren(members);
    selection = selectionGroup;
}

void CKorvaniView::SelectInRect(const RectF& rect)
{
    const std::vector<ItemBoundsCache::Entry>& entries = MeasuredItems();
    std::vector<DrawItem*> inside;
    for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
        const RectF& b = e->bounds;
        // The band must start strictly left of and above the item.
        if (rect.x < b.x && rect.y < b.y && rect.Right() >= b.Right() && rect.Bottom() >= b.Bottom() &&
            !e->item->IsHidden() && !e->item->IsLocked())
            inside.push_back(e->item);
    }
    AddUnitsToSelection(inside);
}

void CKorvaniView::SyncSelectionToBars()
{
    if (selection && selection->TypeCode() == ItemText) {
        textBold = selection->GetIntAttr(ATTR_BOLD);
        textItalic = selection->GetIntAttr(ATTR_ITALIC);
        textUnderline = selection->GetIntAttr(ATTR_UNDERLINE);
    }
    host.SelectionChanged(selection);
}

void CKorvaniView::CarrySelectionCentre(const Matrix& m)
{
    if (!SelectionIsGroup())
        return;
    const std::string centre = FormatPointAttr(m.Map(selectionGroup->RotationCentre()));
    selectionGroup->RestoreAttr(ATTR_CENTER, &centre);
}

void CKorvaniView::DropPreview()
{
    if (selection)
        selection->DropPreview();
}
