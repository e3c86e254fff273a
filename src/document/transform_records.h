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

// Everything turns about the selection's own rotation centre: a single item
// (a real group too) about its own, the members of a multi-selection about
// the selection group's, the point the view marks and previews about.
class RotateRecord final : public ItemEditRecord
{
public:
    RotateRecord(DrawItem* selection, float angle);
    bool Feasible() const override;

protected:
    int Apply() override;

private:
    PointF centre;
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
