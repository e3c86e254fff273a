#include "export/paint_reach.h"

#include "items/draw_item.h"

#include <algorithm>
#include <cmath>

namespace {

// The widest outline of an item or of any member of a group.
float WidestLine(DrawItem& item)
{
    if (item.ChildCount() == 1 && item.ChildAt(0) == &item) {
        const float w = item.GetFloatAttr(ATTR_LINE_WIDTH);
        return std::isfinite(w) ? std::fabs(w) : 0.0f;
    }
    float widest = 0;
    for (std::int32_t i = 0; i < item.ChildCount(); ++i) {
        if (DrawItem* child = item.ChildAt(i))
            widest = std::max(widest, WidestLine(*child));
    }
    return widest;
}

} // namespace

RectF PaintReach(DrawItem& item, const RectF& bounds)
{
    const RectF reach = InflateRect(bounds, 2 * WidestLine(item) + 1);
    if (!std::isfinite(reach.x) || !std::isfinite(reach.y) || !std::isfinite(reach.width) ||
        !std::isfinite(reach.height))
        return {-1e30f, -1e30f, 2e30f, 2e30f};
    return reach;
}
