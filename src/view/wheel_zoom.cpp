// Zooming by the wheel: one step of the zoom table about the pointer.

#include "view/korvani_view.h"

void CKorvaniView::StepZoomAbout(int direction, QPointF client)
{
    // The exact canvas point under the pointer, not the truncated one a
    // click maps to, so that repeated steps do not creep.
    const QPointF origin = CanvasOrigin();
    const float before = Zoom();
    const PointF fixed{float((client.x() - origin.x()) / before), float((client.y() - origin.y()) / before)};
    StepZoom(direction);
    if (Zoom() == before)
        return;
    KeepPointAfterZoom(before, fixed);
    Repaint();
}
