// The Text tool: a press asks for the text and places it at the pressed point.

#include "view/tools/tool_handler.h"

#include "view/korvani_view.h"
#include "view/view_host.h"

class TextTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    int Cursor(PointF) override { return CursorTextInsertion; }
};

std::unique_ptr<ToolHandler> MakeTextTool(CKorvaniView& view, ToolKind)
{
    return std::make_unique<TextTool>(view);
}
