// The tools that change the view rather than the drawing: Hand pans, the two
// zoom tools zoom by steps about the pointer or to a dragged band.

#include "view/tools/tool_handler.h"

#include "view/korvani_view.h"
#include "view/view_host.h"

#include <algorithm>
#include <cmath>

class HandTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    // A pan stands as it goes: nothing to put back.
    PressResult Press(PointF) override { return StartDrag(); }

    void Drag(PointF q) override
    {
        // q is measured with the pan already applied, so the grabbed canvas
        // point stays under the pointer.
        view.panOffset.x += (q.x - view.downPoint.x) * ZoomFactor;
        view.panOffset.y += (q.y - view.downPoint.y) * ZoomFactor;
        view.lastPoint = q;
    }

    int Cursor(PointF) override { return CursorHand; }
};

class ZoomInTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    // A zoom band changes nothing until the release.
    PressResult Press(PointF) override { return StartDrag(); }

    void Release(PointF) override
    {
        CKorvaniView& v = view;
        const float dx = std::fabs(v.lastPoint.x - v.downPoint.x);
        const float dy = std::fabs(v.lastPoint.y - v.downPoint.y);
        if (dx >= 4 || dy >= 4) {
            float zoom = dx > dy ? float(v.canvas.width) / dx : float(v.canvas.height) / dy;
            if (!(zoom > 0))
                return; // no canvas to fit: nothing to zoom to
            zoom = std::clamp(zoom, CKorvaniView::SmallestZoom, CKorvaniView::MaximumZoom);
            v.panOffset = {-v.downPoint.x * zoom, -v.downPoint.y * zoom};
            v.ApplyZoom(zoom, true);
            return;
        }
        const float before = ZoomFactor;
        v.StepZoom(2);
        v.KeepPointAfterZoom(before, v.downPoint);
    }

    int Cursor(PointF) override { return CursorZoomIn; }

    void PaintMarks(QPainter& painter) override
    {
        ToolHandler::PaintMarks(painter);
        view.PaintRubberBand(painter);
    }
};

class ZoomOutTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    PressResult Press(PointF) override
    {
        CKorvaniView& v = view;
        const float before = ZoomFactor;
        v.StepZoom(0);
        if (ZoomFactor < CKorvaniView::MinimumZoom)
            v.ApplyZoom(CKorvaniView::MinimumZoom, false);
        v.KeepPointAfterZoom(before, v.downPoint);
        return NoDrag();
    }

    int Cursor(PointF) override { return CursorZoomOut; }
};

std::unique_ptr<ToolHandler> MakeHandTool(CKorvaniView& view, ToolKind)
{
    return std::make_unique<HandTool>(view);
}

std::unique_ptr<ToolHandler> MakeZoomInTool(CKorvaniView& view, ToolKind)
{
    return std::make_unique<ZoomInTool>(view);
}

std::unique_ptr<ToolHandler> MakeZoomOutTool(CKorvaniView& view, ToolKind)
{
    return std::make_unique<ZoomOutTool>(view);
}
