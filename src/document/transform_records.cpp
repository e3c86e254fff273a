#include "document/transform_records.h"

#include <cmath>

MoveRecord::MoveRecord(DrawItem* selection, float dx, float dy) : ItemEditRecord(selection), dx(dx), dy(dy) {}

bool MoveRecord::Feasible() const
{
    return ItemEditRecord::Feasible() && std::isfinite(dx) && std::isfinite(dy);
}

int MoveRecord::Apply()
{
    for (const ItemRef& target : Targets())
        target->Translate(dx, dy, ModeCommit);
    return 0;
}

RotateRecord::RotateRecord(DrawItem* selection, float angle)
    : ItemEditRecord(selection), centre(selection ? selection->RotationCentre() : PointF{}), angle(angle)
{
}

bool RotateRecord::Feasible() const
{
    return ItemEditRecord::Feasible() && std::isfinite(angle) && std::isfinite(centre.x) && std::isfinite(centre.y);
}

int RotateRecord::Apply()
{
    for (const ItemRef& target : Targets())
        target->RotateAbout(centre, angle, ModeCommit);
    return 0;
}

ScaleRecord::ScaleRecord(DrawItem* selection, PointF anchor, float sx, float sy)
    : ItemEditRecord(selection), anchor(anchor), sx(sx), sy(sy)
{
}

bool ScaleRecord::Feasible() const
{
    return ItemEditRecord::Feasible() && std::isfinite(anchor.x) && std::isfinite(anchor.y) && std::isfinite(sx) &&
           std::isfinite(sy) && sx != 0 && sy != 0;
}

int ScaleRecord::Apply()
{
    for (const ItemRef& target : Targets())
        target->ScaleAbout(anchor.x, anchor.y, sx, sy, ModeCommit);
    return 0;
}
