// Which handler serves which tool value, and what the base handler does.

#include "view/tools/tool_handler.h"

#include "view/korvani_view.h"
#include "view/view_host.h"

#include <iterator>

// Each tool's file makes its handler.
std::unique_ptr<ToolHandler> MakeSelectTool(CKorvaniView& view, ToolKind kind);
std::unique_ptr<ToolHandler> MakeRotateTool(CKorvaniView& view, ToolKind kind);
std::unique_ptr<ToolHandler> MakeHandTool(CKorvaniView& view, ToolKind kind);
std::unique_ptr<ToolHandler> MakeZoomInTool(CKorvaniView& view, ToolKind kind);
std::unique_ptr<ToolHandler> MakeZoomOutTool(CKorvaniView& view, ToolKind kind);
std::unique_ptr<ToolHandler> MakeShapeTool(CKorvaniView& view, ToolKind kind);
std::unique_ptr<ToolHandler> MakeDoodleTool(CKorvaniView& view, ToolKind kind);
std::unique_ptr<ToolHandler> MakeBezierTool(CKorvaniView& view, ToolKind kind);
std::unique_ptr<ToolHandler> MakeTextTool(CKorvaniView& view, ToolKind kind);
std::unique_ptr<ToolHandler> MakePlaceImageTool(CKorvaniView& view, ToolKind kind);
std::unique_ptr<ToolHandler> MakePlaceFileTool(CKorvaniView& view, ToolKind kind);
std::unique_ptr<ToolHandler> MakeEditTool(CKorvaniView& view, ToolKind kind);
std::unique_ptr<ToolHandler> MakeGradientTool(CKorvaniView& view, ToolKind kind);

namespace {

struct ToolEntry
{
    ToolKind kind;
    ToolFactory make;
};

constexpr ToolEntry ToolTable[] = {
    {ToolKind::Select, MakeSelectTool},
    {ToolKind::Line, MakeShapeTool},
    {ToolKind::Ellipse, MakeShapeTool},
    {ToolKind::Rectangle, MakeShapeTool},
    {ToolKind::Bezier, MakeBezierTool},
    {ToolKind::Doodle, MakeDoodleTool},
    {ToolKind::PlaceImage, MakePlaceImageTool},
    {ToolKind::Text, MakeTextTool},
    {ToolKind::Edit, MakeEditTool},
    {ToolKind::Rotate, MakeRotateTool},
    {ToolKind::PlaceFile, MakePlaceFileTool},
    {ToolKind::Hand, MakeHandTool},
    {ToolKind::ZoomIn, MakeZoomInTool},
    {ToolKind::ZoomOut, MakeZoomOutTool},
    {ToolKind::GradientLine, MakeGradientTool},
    {ToolKind::GradientFill, MakeGradientTool},
};

} // namespace

std::unique_ptr<ToolHandler> MakeToolHandler(CKorvaniView& view, std::int32_t kind)
{
    for (const ToolEntry& entry : ToolTable) {
        if (ToolValue(entry.kind) == kind)
            return entry.make(view, entry.kind);
    }
    if (kind == InertToolValue)
        return std::make_unique<ToolHandler>(view);
    return nullptr;
}

// --- the base: a tool that does nothing ---

PressResult ToolHandler::Press(PointF)
{
    return NoDrag();
}

void ToolHandler::Drag(PointF q)
{
    view.lastPoint = q;
}

void ToolHandler::Release(PointF) {}

void ToolHandler::DoubleClick(PointF) {}

int ToolHandler::Cursor(PointF)
{
    return CursorArrow;
}

void ToolHandler::PaintMarks(QPainter& painter)
{
    view.PaintSelectionHandles(painter);
}
