// The two gradient tools: the line gradient and the fill gradient of the
// selection, edited by their handles and stops; a double click on the
// gradient line adds a stop there, or removes the one there.

#include "view/tools/tool_handler.h"

#include "document/item_change.h"
#include "document/korvani_doc.h"
#include "view/korvani_view.h"
#include "view/mark_painting.h"
#include "view/view_host.h"

#include <memory>

class GradientTool final : public ToolHandler
{
public:
    GradientTool(CKorvaniView& view, ToolKind kind) : ToolHandler(view), line(kind == ToolKind::GradientLine) {}

    bool DragsSelection() const override { return true; }

    // The gradient being edited is switched on for every member.
    void Enter() override
    {
        CKorvaniView& v = view;
        if (!v.selection)
            return;
        if (line)
            v.doc.PushLineGradientOn(v.selection);
        else
            v.doc.PushFillGradientOn(v.selection);
        v.AfterSelectionEdit();
        v.gradientStop = 0;
        v.gradientHit = 0;
        v.LoadGradientBar();
    }

    PressResult Press(PointF q) override
    {
        CKorvaniView& v = view;
        if (!v.selection)
            return StartDrag();
        std::int32_t index = -1;
        // The handles of a hidden or locked item do not move: no drag, no empty undo step.
        if (!v.selection->IsHidden() && !v.selection->IsLocked()) {
            if (line)
                v.selection->HitLineStop(q, index);
            else
                v.selection->HitFillStop(q, index);
        }
        v.gradientHit = index >= 0 ? 0 : HitMiss;
        if (v.gradientHit != 0)
            return StartDrag();
        v.gradientStop = index;
        v.LoadGradientBar();
        // The handle goes back exactly, before the commit or when the drag is
        // interrupted: moving it back by the distance would not undo a clamped stop.
        auto before = std::make_shared<ItemChanges>();
        before->Begin({v.selection});
        return StartDrag([&v, before] {
            before->Finish();
            before->Restore();
            v.AfterSelectionEdit();
        });
    }

    void Drag(PointF q) override
    {
        CKorvaniView& v = view;
        if (v.selection && v.gradientHit == 0) {
            const float dx = q.x - v.lastPoint.x, dy = q.y - v.lastPoint.y;
            if (line)
                v.selection->DragLineGradientHandle(v.gradientStop, dx, dy);
            else
                v.selection->DragFillGradientHandle(v.gradientStop, dx, dy);
            v.AfterSelectionEdit();
        }
        v.lastPoint = q;
    }

    void Release(PointF q) override
    {
        CKorvaniView& v = view;
        if (!v.selection || v.gradientHit != 0)
            return;
        const float dx = q.x - v.downPoint.x, dy = q.y - v.downPoint.y;
        // A click that only picks a stop leaves no undo step.
        if (dx == 0 && dy == 0)
            return;
        const int done = line ? v.doc.PushLineGradientHandle(v.selection, v.gradientStop, dx, dy)
                              : v.doc.PushFillGradientHandle(v.selection, v.gradientStop, dx, dy);
        if (done >= 0)
            v.AfterSelectionEdit();
        v.LoadGradientBar();
    }

    // A stop is added where the gradient line was clicked, in the colour the
    // user sees under the pointer, or the stop there is removed.
    void DoubleClick(PointF q) override
    {
        CKorvaniView& v = view;
        if (!v.selection)
            return;
        const ArgbColor color = v.host.ScreenPixelColor(v.host.ClientToScreen(v.pointerPixel)) | ColorOpaqueBlack;
        const int index =
            line ? v.doc.PushToggleLineStop(v.selection, q, color) : v.doc.PushToggleFillStop(v.selection, q, color);
        if (index >= 0)
            v.AfterSelectionEdit();
        if (index >= 1) {
            v.gradientStop = index;
            v.gradientHit = 0;
            v.LoadGradientBar();
        } else {
            v.gradientHit = HitMiss;
        }
        v.Repaint();
    }

    // Outside the gradient tools an active child would only make a group answer for one member.
    void Leave() override { view.ForgetActiveChildren(); }

    int Cursor(PointF) override { return CursorGradient; }

    // The gradient's handles instead of the selection handles.
    void PaintMarks(QPainter& painter) override
    {
        if (!view.selection)
            return;
        MarkScope scope(painter);
        if (line)
            view.selection->DrawLineGradientHandles(painter, view.gradientStop);
        else
            view.selection->DrawFillGradientHandles(painter, view.gradientStop);
    }

private:
    const bool line;
};

std::unique_ptr<ToolHandler> MakeGradientTool(CKorvaniView& view, ToolKind kind)
{
    return std::make_unique<GradientTool>(view, kind);
}
