#include "document/attribute_records.h"

#include "items/attribute_format.h"

#include <cmath>
#include <type_traits>

namespace {

// The attributes and item operations of one side of an item.
struct SideOps
{
    std::int32_t gradientAttr;
    std::int32_t colorAttr;
    void (DrawItem::*ensureGradient)();
    void (DrawItem::*setAngle)(float);
    void (DrawItem::*setStopColor)(std::int32_t, ArgbColor);
    void (DrawItem::*setStopPosition)(std::int32_t, float);
    void (DrawItem::*dragHandle)(std::int32_t, float, float);
    std::int32_t (DrawItem::*toggleStop)(PointF, ArgbColor);
};

const SideOps& Ops(GradientSide side)
{
    static const SideOps line{ATTR_LINE_GRADIENT,
                              ATTR_LINE_COLOR,
                              &DrawItem::EnsureLineGradient,
                              &DrawItem::SetLineGradientAngle,
                              &DrawItem::SetLineStopColor,
                              &DrawItem::SetLineStopPosition,
                              &DrawItem::DragLineGradientHandle,
                              &DrawItem::ToggleLineStopAt};
    static const SideOps fill{ATTR_FILL_GRADIENT,
                              ATTR_FILL_COLOR,
                              &DrawItem::EnsureFillGradient,
                              &DrawItem::SetFillGradientAngle,
                              &DrawItem::SetFillStopColor,
                              &DrawItem::SetFillStopPosition,
                              &DrawItem::DragFillGradientHandle,
                              &DrawItem::ToggleFillStopAt};
    return side == GradientSide::Line ? line : fill;
}

bool Finite(PointF p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// The text each setter of the value's kind would store.
std::string AttrText(const PropertyValue& value)
{
    return std::visit(
        [](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::int32_t>)
                return FormatInt(v);
            else if constexpr (std::is_same_v<T, float>)
                return FormatFloatAttr(v);
            else if constexpr (std::is_same_v<T, std::string>)
                return v;
            else
                return FormatPointAttr(v);
        },
        value);
}

} // namespace

// --- properties ---

SetPropertyRecord::SetPropertyRecord(DrawItem* selection, std::int32_t attr, PropertyValue value)
    : ItemEditRecord(selection), attr(attr), value(std::move(value))
{
}

bool SetPropertyRecord::Feasible() const
{
    if (!ItemEditRecord::Feasible())
        return false;
    // A NaN or infinite number would be stored as text no reader gives back.
    if (const float* f = std::get_if<float>(&value))
        return std::isfinite(*f);
    if (const PointF* p = std::get_if<PointF>(&value))
        return Finite(*p);
    return true;
}

// These records edit a real group as a whole: every member and the group's
// own table get the value, whichever member a node hit or a gradient tool
// made active.

int SetPropertyRecord::Apply()
{
    const std::string text = AttrText(value);
    for (const ItemRef& target : Targets())
        target->SetAttrOnMembers(attr, text);
    return 0;
}

// --- solid colours and gradients on ---

SolidColorRecord::SolidColorRecord(GradientSide side, DrawItem* selection, ArgbColor color)
    : ItemEditRecord(selection), side(side), color(color)
{
}

int SolidColorRecord::Apply()
{
    const SideOps& ops = Ops(side);
    const std::string text = FormatColorAttr(color);
    for (const ItemRef& target : Targets()) {
        target->SetAttrOnMembers(ops.gradientAttr, "0");
        target->SetAttrOnMembers(ops.colorAttr, text);
    }
    return 0;
}

GradientOnRecord::GradientOnRecord(GradientSide side, DrawItem* selection) : ItemEditRecord(selection), side(side) {}

int GradientOnRecord::Apply()
{
    const SideOps& ops = Ops(side);
    for (const ItemRef& target : Targets()) {
        target->SetAttrOnMembers(ops.gradientAttr, "1");
        (target.get()->*ops.ensureGradient)();
    }
    return 0;
}

// --- gradient editing ---

GradientAngleRecord::GradientAngleRecord(GradientSide side, DrawItem* item, float angle)
    : ItemEditRecord(item), side(side), angle(angle)
{
}

bool GradientAngleRecord::Feasible() const
{
    return ItemEditRecord::Feasible() && std::isfinite(angle);
}

int GradientAngleRecord::Apply()
{
    for (const ItemRef& target : Targets())
        (target.get()->*Ops(side).setAngle)(angle);
    return 0;
}

StopColorRecord::StopColorRecord(GradientSide side, DrawItem* item, std::int32_t index, ArgbColor color)
    : ItemEditRecord(item), side(side), index(index), color(color)
{
}

int StopColorRecord::Apply()
{
    for (const ItemRef& target : Targets())
        (target.get()->*Ops(side).setStopColor)(index, color);
    return 0;
}

StopPositionRecord::StopPositionRecord(GradientSide side, DrawItem* item, std::int32_t index, float position)
    : ItemEditRecord(item), side(side), index(index), position(position)
{
}

bool StopPositionRecord::Feasible() const
{
    return ItemEditRecord::Feasible() && std::isfinite(position);
}

int StopPositionRecord::Apply()
{
    for (const ItemRef& target : Targets())
        (target.get()->*Ops(side).setStopPosition)(index, position);
    return 0;
}

GradientHandleRecord::GradientHandleRecord(GradientSide side, DrawItem* item, std::int32_t handle, float dx, float dy)
    : ItemEditRecord(item), side(side), handle(handle), dx(dx), dy(dy)
{
}

bool GradientHandleRecord::Feasible() const
{
    return ItemEditRecord::Feasible() && std::isfinite(dx) && std::isfinite(dy);
}

int GradientHandleRecord::Apply()
{
    for (const ItemRef& target : Targets())
        (target.get()->*Ops(side).dragHandle)(handle, dx, dy);
    return 0;
}

ToggleStopRecord::ToggleStopRecord(GradientSide side, DrawItem* item, PointF point, ArgbColor color)
    : ItemEditRecord(item), side(side), point(point), color(color)
{
    if (!Finite(point))
        return;
    // A click beside the gradient line is refused.
    lands = WouldChange([&](DrawItem* target) { (target->*Ops(side).toggleStop)(point, color); });
}

bool ToggleStopRecord::Feasible() const
{
    return ItemEditRecord::Feasible() && lands;
}

int ToggleStopRecord::Apply()
{
    // The first target's answer: the new stop's index, or 0 for a stop removed.
    std::int32_t index = -1;
    for (const ItemRef& target : Targets()) {
        const std::int32_t answer = (target.get()->*Ops(side).toggleStop)(point, color);
        if (index < 0)
            index = answer;
    }
    return index >= 0 ? index : RecordRefused;
}
