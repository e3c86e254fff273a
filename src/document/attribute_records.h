#pragma once

// Attribute, colour and gradient edits of the selection. The outline ("line")
// and interior ("fill") variants share their code through GradientSide.

#include "document/edit_record.h"

#include <string>
#include <variant>

enum class GradientSide { Line, Fill };

using PropertyValue = std::variant<std::int32_t, float, std::string, PointF>;

// One attribute of every target, through the setter of the value's kind.
class SetPropertyRecord final : public ItemEditRecord
{
public:
    SetPropertyRecord(DrawItem* selection, std::int32_t attr, PropertyValue value);
    bool Feasible() const override;

protected:
    int Apply() override;

private:
    std::int32_t attr;
    PropertyValue value;
};

// Gradient off, then a plain colour.
class SolidColorRecord : public ItemEditRecord
{
public:
    SolidColorRecord(GradientSide side, DrawItem* selection, ArgbColor color);

protected:
    int Apply() override;

private:
    GradientSide side;
    ArgbColor color;
};

class SolidLineRecord final : public SolidColorRecord
{
public:
    SolidLineRecord(DrawItem* selection, ArgbColor color) : SolidColorRecord(GradientSide::Line, selection, color) {}
};

class SolidFillRecord final : public SolidColorRecord
{
public:
    SolidFillRecord(DrawItem* selection, ArgbColor color) : SolidColorRecord(GradientSide::Fill, selection, color) {}
};

// Gradient on, with a default ramp where the item has none yet.
class GradientOnRecord : public ItemEditRecord
{
public:
    GradientOnRecord(GradientSide side, DrawItem* selection);

protected:
    int Apply() override;

private:
    GradientSide side;
};

class LineGradientOnRecord final : public GradientOnRecord
{
public:
    explicit LineGradientOnRecord(DrawItem* selection) : GradientOnRecord(GradientSide::Line, selection) {}
};

class FillGradientOnRecord final : public GradientOnRecord
{
public:
    explicit FillGradientOnRecord(DrawItem* selection) : GradientOnRecord(GradientSide::Fill, selection) {}
};

class GradientAngleRecord final : public ItemEditRecord
{
public:
    GradientAngleRecord(GradientSide side, DrawItem* item, float angle);
    bool Feasible() const override;

protected:
    int Apply() override;

private:
    GradientSide side;
    float angle;
};

class StopColorRecord final : public ItemEditRecord
{
public:
    StopColorRecord(GradientSide side, DrawItem* item, std::int32_t index, ArgbColor color);

protected:
    int Apply() override;

private:
    GradientSide side;
    std::int32_t index;
    ArgbColor color;
};

class StopPositionRecord final : public ItemEditRecord
{
public:
    StopPositionRecord(GradientSide side, DrawItem* item, std::int32_t index, float position);
    bool Feasible() const override;

protected:
    int Apply() override;

private:
    GradientSide side;
    std::int32_t index;
    float position;
};

// Handle 0 is the start point, 1 the end point, 2 and above a stop.
class GradientHandleRecord final : public ItemEditRecord
{
public:
    GradientHandleRecord(GradientSide side, DrawItem* item, std::int32_t handle, float dx, float dy);
    bool Feasible() const override;

protected:
    int Apply() override;

private:
    GradientSide side;
    std::int32_t handle;
    float dx;
    float dy;
};

// Adds a stop at the point, or removes the one there. Execute answers the
// new stop's index (2 or more), or 0 when a stop was removed; a point where
// no stop can be toggled is refused.
class ToggleStopRecord final : public ItemEditRecord
{
public:
    ToggleStopRecord(GradientSide side, DrawItem* item, PointF point, ArgbColor color);
    bool Feasible() const override;

protected:
    int Apply() override;

private:
    GradientSide side;
    PointF point;
    ArgbColor color;
    bool lands = false;
};
