// Choosing items, the Select tool (move, eight-handle scale, rubber band,
// text editing) and the Rotate tool.

#include "view/korvani_view.h"

#include "document/item_ref.h"
#include "document/korvani_doc.h"
#include "items/attribute_format.h"
#include "items/group_item.h"
#include "view/view_host.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>
#include <unordered_set>

namespace {

bool IsHandleCode(std::int32_t code)
{
    return code >= HitTopMiddle && code <= HitTopLeft;
}

// |d| above one unit on either axis: the threshold of every commit.
bool MovedBeyondOne(float dx, float dy)
{
    return std::fabs(dx) > 1 || std::fabs(dy) > 1;
}

bool MovedAtLeastOne(float dx, float dy)
{
    return std::fabs(dx) >= 1 || std::fabs(dy) >= 1;
}

RectF SpannedRect(PointF a, PointF b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y)};
}

Matrix ScalingAbout(PointF fixed, float sx, float sy)
{
    Matrix m;
    m.Translate(-fixed.x, -fixed.y);
    m.Scale(sx, sy);
    m.Translate(fixed.x, fixed.y);
    return m;
}

// Where a rotation centre dragged to p lands: the middle of the bounds when p is near it.
PointF SnappedCentre(DrawItem& item, PointF p)
{
    const PointF middle = item.Bounds(ModeCommit).Center();
    return RectContainsHalfOpen(HandleSquare(4, middle, 0), p.x, p.y) ? middle : p;
}

} // namespace

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

// --- Select tool ---

void CKorvaniView::SelectPress(PointF q, bool shift)
{
    std::int32_t code = HitMiss;
    if (!shift) {
        if (SelectionIsGroup()) {
            code = selectionGroup->HitTest(q);
            if (code == HitMiss)
                SelectNone(); // the press starts a rubber band
        } else {
            DrawItem* item = nullptr;
            std::tie(item, code) = HitTestItems(q);
            selection = item;
        }
    } else {
        DrawItem* item = nullptr;
        std::tie(item, code) = HitTestItems(q);
        if (item && selection) {
            if (SelectionIsGroup() && IsSelectionChild(item)) {
                const std::vector<DrawItem*>& children = selectionGroup->Children();
                const auto found = std::find(children.begin(), children.end(), item);
                selectionGroup->RemoveChildAt(std::int32_t(found - children.begin()));
            } else {
                AddToSelection(item);
            }
        }
    }
    selectHitCode = code;
    if (selection)
        UpdateCursor(q);
    BeginDrag([this] { DropPreview(); });
}

void CKorvaniView::PreviewScale(PointF pointer)
{
    const HandleScale s = ScaleForHandle(selectHitCode, selection->Bounds(ModeCommit), pointer, shiftDown);
    selection->ScaleAbout(s.fixed.x, s.fixed.y, s.sx, s.sy, ModePreview);
}

void CKorvaniView::SelectDrag(PointF q)
{
    if (selection) {
        // The offset as of the previous mouse event.
        const float dx = lastPoint.x - downPoint.x, dy = lastPoint.y - downPoint.y;
        if (selectHitCode == HitBody) {
            if (MovedBeyondOne(dx, dy))
                selection->Translate(dx, dy, ModePreview);
        } else if (IsHandleCode(selectHitCode)) {
            if (MovedAtLeastOne(dx, dy))
                PreviewScale(q);
        }
    }
    lastPoint = q;
}

void CKorvaniView::RescaleForShift()
{
    if (!captured || activeTool != ToolValue(ToolKind::Select) || !selection || !IsHandleCode(selectHitCode))
        return;
    PreviewScale(lastPoint);
    Repaint();
}

void CKorvaniView::SelectRelease()
{
    const float dx = lastPoint.x - downPoint.x, dy = lastPoint.y - downPoint.y;
    if (!selection) {
        SelectInRect(SpannedRect(downPoint, lastPoint));
    } else if (selectHitCode == HitBody && MovedBeyondOne(dx, dy)) {
        if (doc.PushMove(selection, dx, dy) >= 0)
            CarrySelectionCentre(Matrix(1, 0, 0, 1, dx, dy));
        AfterSelectionEdit();
    } else if (IsHandleCode(selectHitCode) && MovedBeyondOne(dx, dy)) {
        const HandleScale s = ScaleForHandle(selectHitCode, selection->Bounds(ModeCommit), lastPoint, shiftDown);
        // A zero factor is refused by the document and changes nothing.
        if (doc.PushScale(selection, s.fixed, s.sx, s.sy) >= 0)
            CarrySelectionCentre(ScalingAbout(s.fixed, s.sx, s.sy));
        AfterSelectionEdit();
    }
    selectHitCode = HitMiss;
    SyncSelectionToBars();
}

void CKorvaniView::SelectDoubleClick(PointF q)
{
    if (!selection || selection->TypeCode() != ItemText)
        return;
    if (!RectContains(selection->Bounds(ModeCommit), q.x, q.y))
        return;
    const std::optional<std::string> text =
        host.AskText({selection->GetTextAttr(ATTR_CONTENT), host.CursorScreenPosition()});
    if (!text)
        return;
    doc.PushSetPropertyText(selection, ATTR_CONTENT, *text);
    AfterSelectionEdit();
    Repaint();
}

// --- Rotate tool ---

void CKorvaniView::RotatePress(PointF q)
{
    if (selection) {
        const PointF centre = selection->RotationCentre();
        if (RectContainsHalfOpen(HandleSquare(8, q, 0), centre.x, centre.y)) {
            centreDrag = true;
            // The drag writes the centre straight into the items; what was
            // there goes back before a commit records the true old value.
            std::vector<std::pair<DrawItem*, std::optional<std::string>>> before;
            for (DrawItem* item : ItemTrees({selection})) {
                const auto found = item->Attributes().find(ATTR_CENTER);
                before.push_back(
                    {item, found == item->Attributes().end() ? std::nullopt : std::optional(found->second)});
            }
            BeginDrag([before = std::move(before)] {
                for (const auto& [item, text] : before)
                    item->RestoreAttr(ATTR_CENTER, text ? &*text : nullptr);
            });
            return;
        }
    }
    BeginDrag([this] { DropPreview(); });
}

void CKorvaniView::RotateDrag(PointF q)
{
    if (centreDrag && selection) {
        // The mark shows where the release will put the centre, on every
        // member as the commit will.
        selection->SetAttrOnMembers(ATTR_CENTER, FormatPointAttr(SnappedCentre(*selection, q)));
    } else if (selection) {
        const PointF centre = selection->RotationCentre();
        selection->RotateAbout(centre, AngleAtVertex(centre, downPoint, q), ModePreview);
    }
    lastPoint = q;
}

void CKorvaniView::RotateRelease()
{
    const bool moved = MovedAtLeastOne(lastPoint.x - downPoint.x, lastPoint.y - downPoint.y);
    if (centreDrag) {
        centreDrag = false;
        if (selection && moved) {
            const PointF dropped = SnappedCentre(*selection, lastPoint);
            doc.PushSetPropertyPoint(selection, ATTR_CENTER, dropped);
            // The selection group is the view's own: it turns about the new centre too.
            if (SelectionIsGroup()) {
                const std::string centre = FormatPointAttr(dropped);
                selectionGroup->RestoreAttr(ATTR_CENTER, &centre);
            }
            AfterSelectionEdit();
        }
    } else if (selection && moved) {
        const float angle = AngleAtVertex(selection->RotationCentre(), downPoint, lastPoint);
        if (angle > 0) {
            doc.PushRotate(selection, angle);
            AfterSelectionEdit();
        }
    }
}
