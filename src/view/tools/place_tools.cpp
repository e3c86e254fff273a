// The one-shot placement tools: a picture, or a whole drawing file, goes into
// the box the user drags; then the tool before them comes back.

#include "view/tools/tool_handler.h"

#include "view/korvani_view.h"
#include "view/view_host.h"

class PlaceImageTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    int Cursor(PointF) override { return CursorPlace; }

    void PaintMarks(QPainter& painter) override
    {
        ToolHandler::PaintMarks(painter);
        view.PaintRubberBand(painter);
    }
};

class PlaceFileTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    int Cursor(PointF) override { return CursorPlace; }

    void PaintMarks(QPainter& painter) override
    {
        ToolHandler::PaintMarks(painter);
        view.PaintRubberBand(painter);
    }
};

std::unique_ptr<ToolHandler> MakePlaceImageTool(CKorvaniView& view, ToolKind)
{
    return std::make_unique<PlaceImageTool>(view);
}

std::unique_ptr<ToolHandler> MakePlaceFileTool(CKorvaniView& view, ToolKind)
{
    return std::make_unique<PlaceFileTool>(view);
}
