#pragma once

// One object per tool: what the tool does with a press, a captured move, a
// release and a double click, which cursor it shows, what it paints over the
// drawing, and how it drops a drag that is interrupted. The view keeps one
// handler per ToolKind (tool_table.cpp) and hands every event of the active
// tool to it, after the guides had their chance.
//
// Handlers work on the view's own state: each handler class is a friend of
// CKorvaniView, and the state stays where the view's other parts read it.

#include "items/geometry.h"
#include "view/view_codes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

class CKorvaniView;
class QPainter;

// What a press starts. A drag holds the mouse capture until its release;
// putBack undoes whatever the drag changes directly in the drawing (a
// preview, a dragged centre) and runs once: before the release commits, or
// when the drag is interrupted.
struct PressResult
{
    bool capture = false;
    std::function<void()> putBack;
};

inline PressResult StartDrag(std::function<void()> putBack = {})
{
    return {true, std::move(putBack)};
}

inline PressResult NoDrag()
{
    return {};
}

// The base answers every event by doing nothing: it serves the value that
// SetTool accepts but no tool uses.
class ToolHandler
{
public:
    explicit ToolHandler(CKorvaniView& view) : view(view) {}
    ToolHandler(const ToolHandler&) = delete;
    ToolHandler& operator=(const ToolHandler&) = delete;
    virtual ~ToolHandler() = default;

    // A press at canvas point q that no guide took; down and last point are q.
    virtual PressResult Press(PointF q);
    // A move while the press's drag holds the capture. Records the last point.
    virtual void Drag(PointF q);
    // The end of the drag, after its direct changes were put back; the tools
    // finish with the down and the last point, only the gradient tools use q.
    virtual void Release(PointF q);
    virtual void DoubleClick(PointF q);
    // Shift went down or up during a drag.
    virtual void ShiftChanged() {}
    // The drag ended without its release (a tool change, a command, a lost
    // capture, a key): the tool forgets what the drag had begun.
    virtual void Cancel() {}

    // SetTool: the tool becomes active, or another tool takes its place.
    virtual void Enter() {}
    virtual void Leave() {}
    // Something is about to change the drawing or the tool: what the tool
    // still has under construction is committed.
    virtual void Finish() {}

    // Whether the tool's drags change the selection's items directly (a
    // preview, dragged nodes or handles): those are drawn live, over the
    // kept layers, while the drag lasts.
    virtual bool DragsSelection() const { return false; }

    // The cursor over q, when no guide is near.
    virtual int Cursor(PointF q);
    // Marks over the drawing (handles, bands, centres) in canvas units.
    virtual void PaintMarks(QPainter& painter);
    // The item under construction, drawn above the marks.
    virtual void PaintPreview(QPainter&) {}

protected:
    CKorvaniView& view;
};

using ToolFactory = std::unique_ptr<ToolHandler> (*)(CKorvaniView&, ToolKind);

// The handler of every kind SetTool accepts (the inert value included).
std::unique_ptr<ToolHandler> MakeToolHandler(CKorvaniView& view, std::int32_t kind);

template <class Tool>
std::unique_ptr<ToolHandler> MakeTool(CKorvaniView& view, ToolKind)
{
    return std::make_unique<Tool>(view);
}
