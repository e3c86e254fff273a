#include "view/value_wrapping.h"

#include <cmath>

// Each loop of the rule is done in one step, so that a huge value cannot keep
// it going for ever.

float WrapStopPercent(float p)
{
    if (p > 99) {
        const float r = std::fmod(p - 99, 99.0f);
        p = r == 0 ? 99 : r;
    }
    if (p < 1) {
        const float r = std::fmod(1 - p, 99.0f);
        p = r == 0 ? 1 : 100 - r;
    }
    return p;
}

float WrapGradientAngle(float a)
{
    if (a > 360) {
        const float r = std::fmod(a - 360, 360.0f);
        a = r == 0 ? 360 : r;
    }
    if (a < 0) {
        const float r = std::fmod(-a, 360.0f);
        a = r == 0 ? 0 : 360 - r;
    }
    return a;
}
