#pragma once

// How far a draw of an item can reach beyond its bounds.

#include "items/geometry.h"

class DrawItem;

// Everything a draw of the committed item can touch, in canvas units, from
// its committed bounds: half the pen is in the bounds, mitred corners reach
// further, and anti-aliasing touches the pixel around. An item that cannot be
// measured reaches everywhere.
RectF PaintReach(DrawItem& item, const RectF& bounds);
