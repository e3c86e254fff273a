// The Text tool: a press asks for the text and places it at the pressed point.

#include "view/tools/tool_handler.h"

#include "view/korvani_view.h"
#include "view/view_host.h"

#include <optional>
#include <string>

class TextTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    PressResult Press(PointF q) override
    {
        CKorvaniView& v = view;
        const QPoint screen = v.host.ClientToScreen(v.ClientPoint(q).toPoint());
        const std::optional<std::string> text = v.host.AskText({std::string(), screen});
        if (text) {
            v.creationNodes = {PathNode::AtPoint(q.x, q.y, NodeSymmetric)};
            v.SetCreationDefaults(ToolValue(ToolKind::Text));
            v.creationAttributes[ATTR_CONTENT] = *text;
            v.ClearSelectionGroup();
            v.CommitCreation();
        }
        return NoDrag();
    }

    int Cursor(PointF) override { return CursorTextInsertion; }
};

std::unique_ptr<ToolHandler> MakeTextTool(CKorvaniView& view, ToolKind)
{
    return std::make_unique<TextTool>(view);
}
