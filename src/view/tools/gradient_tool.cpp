// The two gradient tools: the line gradient and the fill gradient of the
// selection, edited by their handles and stops.

#include "view/tools/tool_handler.h"

#include "document/korvani_doc.h"
#include "view/korvani_view.h"
#include "view/mark_painting.h"
#include "view/view_host.h"

class GradientTool final : public ToolHandler
{
public:
    GradientTool(CKorvaniView& view, ToolKind kind) : ToolHandler(view), line(kind == ToolKind::GradientLine) {}

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
