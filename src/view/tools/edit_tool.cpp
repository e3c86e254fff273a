// The Edit tool: works on the nodes of the selection's outline.

#include "view/tools/tool_handler.h"

#include "view/korvani_view.h"
#include "view/mark_painting.h"
#include "view/view_host.h"

namespace {

bool ShowsNodes(std::int32_t code)
{
    return code == 0 || code == 1 || code == HitBody || code == HitRightControl || code == HitLeftControl;
}

} // namespace

class EditTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    // Outside the Edit tool an active child would only make a group answer for one member.
    void Leave() override { view.ForgetActiveChildren(); }

    int Cursor(PointF q) override
    {
        if (view.selection) {
            NodeSelection hits;
            const std::int32_t code = view.selection->HitNode(q, hits);
            if (code == 0 || code == 1 || code == 4 || code == HitRightControl || code == HitLeftControl)
                return CursorEditNode;
        }
        return CursorEdit;
    }

    // The nodes instead of the selection handles.
    void PaintMarks(QPainter& painter) override
    {
        CKorvaniView& v = view;
        if (!v.selection)
            return;
        if (v.editHitCode == HitBody)
            v.PaintRubberBand(painter);
        MarkScope scope(painter);
        if (ShowsNodes(v.editHitCode))
            v.selection->DrawNodeHandles(painter, v.selectedNodes);
        v.selection->DrawHotNode(painter, v.hoverPoint);
    }
};

std::unique_ptr<ToolHandler> MakeEditTool(CKorvaniView& view, ToolKind)
{
    return std::make_unique<EditTool>(view);
}
