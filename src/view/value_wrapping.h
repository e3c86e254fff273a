#pragma once

// How the gradient bar's typed numbers are brought into their ranges.

// A stop position in per cent into 1 to 99: 99 is taken off while it is above
// 99, then added while it is below 1 (150 gives 51, 0 gives 99).
float WrapStopPercent(float percent);

// An angle in degrees into 0 to 360 the same way with 360 (370 gives 10,
// -30 gives 330, 360 stays 360).
float WrapGradientAngle(float angle);
