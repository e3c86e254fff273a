#pragma once

// Committed moves, turns and scales of the selection.

#include "document/edit_record.h"

class MoveRecord final : public ItemEditRecord
{
public:
    MoveRecord(DrawItem* selection, float dx, float dy);
    bool Feasible() const override;

protected:
    int Apply() override;

private:
    float dx;
    float dy;
};

// Each target turns about its own rotation centre.
class RotateRecord final : public ItemEditRecord
{
public:
    RotateRecord(DrawItem* selection, float angle);
    bool Feasible() const override;

protected:
    int Apply() override;

private:
    float angle;
};

// A zero or non-finite factor is refused: it would collapse the items, and no
// later scale could give them their shape back.
class ScaleRecord final : public ItemEditRecord
{
public:
    ScaleRecord(DrawItem* selection, PointF anchor, float sx, float sy);
    bool Feasible() const override;

protected:
    int Apply() override;

private:
    PointF anchor;
    float sx;
    float sy;
};
