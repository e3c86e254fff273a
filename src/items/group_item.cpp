#include "items/group_item.h"

#include "items/attribute_format.h"
#include "items/item_factory.h"

#include <algorithm>

GroupItem::GroupItem() : DrawItem(ItemGroup, "group") {}

GroupItem::GroupItem(std::uint32_t itemId) : GroupItem()
{
    SetId(itemId);
}

void GroupItem::SetActiveChild(DrawItem* child)
{
    if (!child || std::find(children.begin(), children.end(), child) != children.end())
        activeChild = child;
}

bool GroupItem::IsHidden() const
{
    return !children.empty() && std::all_of(children.begin(), children.end(), [](DrawItem* c) { return c->IsHidden(); });
}

bool GroupItem::IsLocked() const
{
    return std::any_of(children.begin(), children.end(), [](DrawItem* c) { return c->IsLocked(); });
}

bool GroupItem::HasGeometry() const
{
    return std::any_of(children.begin(), children.end(), [](DrawItem* c) { return c->HasGeometry(); });
}

void GroupItem::SetAttrOnMembers(std::int32_t attr, const std::string& value)
{
    for (DrawItem* child : children)
        child->SetAttrOnMembers(attr, value);
    DrawItem::SetTextAttr(attr, value);
}

// --- gradient editing: the active child's alone ---

void GroupItem::HitFillStop(PointF point, std::int32_t& index)
{
    if (activeChild)
        activeChild->HitFillStop(point, index);
    else
        index = -1;
}

void GroupItem::HitLineStop(PointF point, std::int32_t& index)
{
    if (activeChild)
        activeChild->HitLineStop(point, index);
    else
        index = -1;
}

void GroupItem::EnsureLineGradient()
{
    if (children.empty())
        return;
    activeChild = children.front();
    for (DrawItem* child : children)
        child->EnsureLineGradient();
}

void GroupItem::EnsureFillGradient()
{
    if (children.empty())
        return;
    activeChild = children.front();
    for (DrawItem* child : children)
        child->EnsureFillGradient();
}

void GroupItem::SetLineStopColor(std::int32_t i, ArgbColor color)
{
    if (activeChild)
        activeChild->SetLineStopColor(i, color);
}

void GroupItem::GetLineStopColor(std::int32_t i, ArgbColor& color)
{
    if (activeChild)
        activeChild->GetLineStopColor(i, color);
    else
        color = ColorOpaqueBlack;
}

void GroupItem::SetFillStopColor(std::int32_t i, ArgbColor color)
{
    if (activeChild)
        activeChild->SetFillStopColor(i, color);
}

void GroupItem::GetFillStopColor(std::int32_t i, ArgbColor& color)
{
    if (activeChild)
        activeChild->GetFillStopColor(i, color);
    else
        color = ColorOpaqueBlack;
}

void GroupItem::SetLineStopPosition(std::int32_t i, float pos)
{
    if (activeChild)
        activeChild->SetLineStopPosition(i, pos);
}

void GroupItem::GetLineStopPosition(std::int32_t i, float& pos)
{
    if (activeChild)
        activeChild->GetLineStopPosition(i, pos);
}

void GroupItem::SetFillStopPosition(std::int32_t i, float pos)
{
    if (activeChild)
        activeChild->SetFillStopPosition(i, pos);
}

void GroupItem::GetFillStopPosition(std::int32_t i, float& pos)
{
    if (activeChild)
        activeChild->GetFillStopPosition(i, pos);
}

void GroupItem::SetLineGradientAngle(float angle)
{
    if (activeChild)
        activeChild->SetLineGradientAngle(angle);
}

void GroupItem::GetLineGradientAngle(float& angle)
{
    if (activeChild)
        activeChild->GetLineGradientAngle(angle);
}

void GroupItem::SetFillGradientAngle(float angle)
{
    if (activeChild)
        activeChild->SetFillGradientAngle(angle);
}

void GroupItem::GetFillGradientAngle(float& angle)
{
    if (activeChild)
        activeChild->GetFillGradientAngle(angle);
}

std::int32_t GroupItem::ToggleLineStopAt(PointF point, ArgbColor color)
{
    return activeChild ? activeChild->ToggleLineStopAt(point, color) : -1;
}

std::int32_t GroupItem::ToggleFillStopAt(PointF point, ArgbColor color)
{
    return activeChild ? activeChild->ToggleFillStopAt(point, color) : -1;
}

void GroupItem::DrawLineGradientHandles(QPainter& graphics, std::int32_t selected)
{
    if (activeChild)
        activeChild->DrawLineGradientHandles(graphics, selected);
}

void GroupItem::DrawFillGradientHandles(QPainter& graphics, std::int32_t selected)
{
    if (activeChild)
        activeChild->DrawFillGradientHandles(graphics, selected);
}

void GroupItem::DragLineGradientHandle(std::int32_t index, float dx, float dy)
{
    if (activeChild)
        activeChild->DragLineGradientHandle(index, dx, dy);
}

void GroupItem::DragFillGradientHandle(std::int32_t index, float dx, float dy)
{
    if (activeChild)
        activeChild->DragFillGradientHandle(index, dx, dy);
}

// --- transform ---

void GroupItem::Transform(const Matrix& m, int mode)
{
    for (DrawItem* child : children)
        child->Transform(m, mode);
    if (mode == ModePreview)
        return;
    // The group's own rotation centre travels along. Written straight into the
    // group's table: the virtual setter would hand it to the children.
    if (const std::string* centre = FindAttr(ATTR_CENTER))
        StoreAttr(ATTR_CENTER, FormatPointAttr(m.Map(ParsePointText(*centre))));
}

// --- attributes: the active child's, or everyone's ---

void GroupItem::SetPointAttr(std::int32_t attr, PointF value)
{
    if (activeChild)
        return activeChild->SetPointAttr(attr, value);
    for (DrawItem* child : children)
        child->SetPointAttr(attr, value);
    DrawItem::SetPointAttr(attr, value);
}

void GroupItem::SetIntAttr(std::int32_t attr, std::int32_t value)
{
    if (activeChild)
        return activeChild->SetIntAttr(attr, value);
    for (DrawItem* child : children)
        child->SetIntAttr(attr, value);
    DrawItem::SetIntAttr(attr, value);
}

void GroupItem::SetColorAttr(std::int32_t attr, ArgbColor value)
{
    if (activeChild)
        return activeChild->SetColorAttr(attr, value);
    for (DrawItem* child : children)
        child->SetColorAttr(attr, value);
    DrawItem::SetColorAttr(attr, value);
}

void GroupItem::SetTextAttr(std::int32_t attr, const std::string& value)
{
    if (activeChild)
        return activeChild->SetTextAttr(attr, value);
    for (DrawItem* child : children)
        child->SetTextAttr(attr, value);
    DrawItem::SetTextAttr(attr, value);
}

void GroupItem::SetFloatAttr(std::int32_t attr, float value)
{
    if (activeChild)
        return activeChild->SetFloatAttr(attr, value);
    for (DrawItem* child : children)
        child->SetFloatAttr(attr, value);
    DrawItem::SetFloatAttr(attr, value);
}

PointF GroupItem::GetPointAttr(std::int32_t attr)
{
    return activeChild ? activeChild->GetPointAttr(attr) : DrawItem::GetPointAttr(attr);
}

std::int32_t GroupItem::GetIntAttr(std::int32_t attr)
{
    return activeChild ? activeChild->GetIntAttr(attr) : DrawItem::GetIntAttr(attr);
}

ArgbColor GroupItem::GetColorAttr(std::int32_t attr)
{
    return activeChild ? activeChild->GetColorAttr(attr) : DrawItem::GetColorAttr(attr);
}

std::string GroupItem::GetTextAttr(std::int32_t attr)
{
    return activeChild ? activeChild->GetTextAttr(attr) : DrawItem::GetTextAttr(attr);
}

float GroupItem::GetFloatAttr(std::int32_t attr)
{
    return activeChild ? activeChild->GetFloatAttr(attr) : DrawItem::GetFloatAttr(attr);
}

// --- copying ---

void GroupItem::CopyFrom(const DrawItem& other)
{
    if (&other == this)
        return; // copying into itself would append its own children forever
    DrawItem::CopyFrom(other);
    // The child accessors are not const; reading children changes nothing.
    DrawItem& source = const_cast<DrawItem&>(other);
    const std::int32_t count = source.ChildCount();
    for (std::int32_t i = 0; i < count; ++i) {
        DrawItem* child = source.ChildAt(i);
        if (!child)
            continue;
        DrawItem* copy = CreateItem(child->TypeCode(), TakeNextItemId());
        if (!copy)
            continue; // a kind this build cannot make
        copy->CopyFrom(*child);
        children.push_back(copy);
    }
}

bool GroupItem::ConvertInto(DrawItem&)
{
    return false;
}

// --- geometry, drawing, hit tests ---

void GroupItem::GetBounds(RectF& rect, int mode)
{
    RectF united;
    bool first = true;
    for (DrawItem* child : children) {
        // A member with nothing to measure would pull the union to the origin.
        if (!child->HasGeometry())
            continue;
        const RectF bounds = child->Bounds(mode);
        united = first ? bounds : UnionRect(united, bounds);
        first = false;
    }
    rect = united;
}

void GroupItem::ForgetOutlines()
{
    DrawItem::ForgetOutlines();
    for (DrawItem* child : children) {
        if (child)
            child->ForgetOutlines();
    }
}

void GroupItem::Draw(QPainter& graphics)
{
    // A locked group draws, as every locked item does.
    if (IsHidden())
        return;
    for (DrawItem* child : children)
        child->Draw(graphics);
}

void GroupItem::DrawHotNode(QPainter&, PointF) {}

void GroupItem::DrawNodeHandles(QPainter& graphics, const NodeSelection& selection)
{
    if (Inert() || !activeChild)
        return;
    activeChild->DrawNodeHandles(graphics, selection);
}

std::int32_t GroupItem::HitTest(PointF point)
{
    if (Inert() || !HasGeometry())
        return HitMiss;
    return HitBoxOrBody(Bounds(ModeCommit), point);
}

std::int32_t GroupItem::HitNode(PointF point, NodeSelection& selection)
{
    if (Inert())
        return HitMiss;
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        const std::int32_t code = (*child)->HitNode(point, selection);
        if (code != HitMiss) {
            activeChild = *child;
            return code;
        }
    }
    activeChild = nullptr;
    return HitMiss;
}

std::int32_t GroupItem::SelectNodesInRect(const RectF& rect, NodeSelection& selection)
{
    if (Inert())
        return HitMiss;
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        const std::int32_t code = (*child)->SelectNodesInRect(rect, selection);
        if (code != HitMiss) {
            activeChild = *child;
            return code;
        }
    }
    activeChild = nullptr;
    return HitMiss;
}

bool GroupItem::SetNodes(const NodeList&)
{
    return true;
}

void GroupItem::GetNodes(NodeList&) {}

void GroupItem::MoveNodes(int mode, const NodeSelection& selection, float dx, float dy)
{
    if (Inert() || !activeChild)
        return;
    activeChild->MoveNodes(mode, selection, dx, dy);
}

// --- children ---

bool GroupItem::AddChild(DrawItem* item)
{
    if (!item || item == this)
        return false;
    children.push_back(item);
    StoreCentre();
    return true;
}

void GroupItem::AddChildren(const std::vector<DrawItem*>& items)
{
    const std::size_t before = children.size();
    for (DrawItem* item : items) {
        if (item && item != this)
            children.push_back(item);
    }
    if (children.size() != before)
        StoreCentre();
}

void GroupItem::StoreCentre()
{
    const RectF bounds = Bounds(ModeCommit);
    // The group's own centre only; the virtual setter would move every child's.
    StoreAttr(ATTR_CENTER, FormatPointAttr(bounds.Center()));
}

DrawItem* GroupItem::ChildAt(std::int32_t index)
{
    if (index < 0 || std::size_t(index) >= children.size())
        return nullptr;
    return children[std::size_t(index)];
}

bool GroupItem::RemoveChildAt(std::int32_t index)
{
    if (index < 0 || std::size_t(index) >= children.size())
        return false;
    if (children[std::size_t(index)] == activeChild)
        activeChild = nullptr;
    children.erase(children.begin() + index);
    return true;
}

bool GroupItem::ReleaseChildren()
{
    children.clear();
    activeChild = nullptr;
    ClearAttributes();
    return true;
}

std::int32_t GroupItem::ChildCount()
{
    return std::int32_t(children.size());
}
