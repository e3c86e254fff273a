// The tools that change the view rather than the drawing: Hand pans, the two
// zoom tools zoom by steps about the pointer or to a dragged band. (The tools
// that make new items join them here.)

#include "view/korvani_view.h"

#include "view/view_host.h"

#include <algorithm>
#include <cmath>

void CKorvaniView::HandDrag(PointF q)
{
    // q is measured with the pan already applied, so the grabbed canvas
    // point stays under the pointer.
    panOffset.x += (q.x - downPoint.x) * ZoomFactor;
    panOffset.y += (q.y - downPoint.y) * ZoomFactor;
    lastPoint = q;
}

void CKorvaniView::ZoomInRelease()
{
    const float dx = std::fabs(lastPoint.x - downPoint.x);
    const float dy = std::fabs(lastPoint.y - downPoint.y);
    if (dx >= 4 || dy >= 4) {
        float zoom = dx > dy ? float(canvas.width) / dx : float(canvas.height) / dy;
        if (!(zoom > 0))
            return; // no canvas to fit: nothing to zoom to
        zoom = std::clamp(zoom, SmallestZoom, MaximumZoom);
        panOffset = {-downPoint.x * zoom, -downPoint.y * zoom};
        ApplyZoom(zoom, true);
        return;
    }
    const float before = ZoomFactor;
    StepZoom(2);
    KeepPointAfterZoom(before, downPoint);
}

void CKorvaniView::ZoomOutPress()
{
    const float before = ZoomFactor;
    StepZoom(0);
    if (ZoomFactor < MinimumZoom)
        ApplyZoom(MinimumZoom, false);
    KeepPointAfterZoom(before, downPoint);
}

void CKorvaniView::KeepPointAfterZoom(float before, PointF fixedPoint)
{
    panOffset.x -= (ZoomFactor - before) * fixedPoint.x;
    panOffset.y -= (ZoomFactor - before) * fixedPoint.y;
    host.ZoomChanged(ZoomFactor);
}
