// Group and ungroup, combine and break apart, and the colour commands.

#include "view/korvani_view.h"

#include "document/item_ref.h"
#include "document/korvani_doc.h"
#include "items/group_item.h"
#include "view/view_host.h"

#include <algorithm>
#include <optional>

bool CKorvaniView::GroupSelection()
{
    // A real group selected alone has nothing to group with; Ctrl+G reaches here regardless.
    if (!SelectionIsGroup())
        return false;
    const std::uint32_t id = TakeNextItemId();
    if (doc.PushGroup(id, selection) < 0) {
        // The document refuses groups a drawing file could not hold; say why
        // rather than let Ctrl+G do nothing.
        if (GroupDepth(SelectionTargets(selection)) >= MaxGroupDepth)
            host.ShowMessage({"These items are nested as deeply as a drawing allows; they cannot be grouped again.",
                              MessageIcon::Warning, MessageButtons::Ok});
        return false;
    }
    EmptySelectionGroup();
    selection = doc.FindItemById(id);
    return true;
}

bool CKorvaniView::BreakSelectedGroup()
{
    if (!selection || SelectionIsGroup() || selection->TypeCode() != ItemGroup)
        return false;
    if (doc.PushBreakGroup(selection) < 0)
        return false;
    SelectNone();
    selectedNodes.clear();
    return true;
}

bool CKorvaniView::CombineSelection()
{
    if (!SelectionIsGroup())
        return false;
    const std::vector<DrawItem*>& children = selectionGroup->Children();
    // Groups and pictures have no outline of their own to join.
    if (std::any_of(children.begin(), children.end(), [](const DrawItem* child) {
            return child->TypeCode() == ItemGroup || child->TypeCode() == ItemImage;
        }))
        return false;
    const std::uint32_t id = TakeNextItemId();
    if (doc.PushCombine(id, selection) < 0)
        return false;
    EmptySelectionGroup();
    selection = doc.FindItemById(id);
    return true;
}

bool CKorvaniView::BreakSelectedCurve()
{
    if (!selection || selection->TypeCode() != ItemCurve)
        return false;
    if (doc.PushBreakApart(selection) < 0)
        return false;
    // The curve has left the drawing; its pieces are new, unselected items.
    SelectNone();
    selectedNodes.clear();
    return true;
}

bool CKorvaniView::ChangeColor(bool line)
{
    if (!selection) {
        const std::optional<UniformFillAnswer> tools = host.AskUniformFill();
        if (!tools)
            return false;
        const std::optional<ArgbColor> color = host.AskColor(line ? shapeLineColor : shapeFillColor);
        if (!color)
            return false;
        if (tools->text)
            (line ? textLineColor : textFillColor) = *color;
        if (tools->graphic)
            (line ? shapeLineColor : shapeFillColor) = *color;
        return false;
    }
    ArgbColor initial = selection->GetColorAttr(line ? ATTR_LINE_COLOR : ATTR_FILL_COLOR);
    if (initial == ColorAbsent)
        initial = ColorOpaqueBlack;
    const std::optional<ArgbColor> color = host.AskColor(initial);
    if (!color)
        return false;
    const int done = line ? doc.PushSolidLine(selection, *color) : doc.PushSolidFill(selection, *color);
    return done >= 0;
}
