// The one-shot placement tools: a picture, or a whole drawing file, goes into
// the box the user drags; then the tool before them comes back.

#include "view/tools/tool_handler.h"

#include "document/drawing_file.h"
#include "document/korvani_doc.h"
#include "view/host_progress.h"
#include "view/korvani_view.h"
#include "view/view_host.h"

#include <string>

class PlaceImageTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    PressResult Press(PointF q) override
    {
        CKorvaniView& v = view;
        // Nothing to place until a picture was chosen.
        if (v.imagePath.empty())
            return NoDrag();
        v.creationAttributes[ATTR_CONTENT] = v.imagePath;
        v.ClearSelectionGroup();
        v.creationNodes = {PathNode::AtPoint(q.x, q.y, NodeSymmetric)};
        return StartDrag();
    }

    // A click places the picture at its own size (the image item sees to that).
    void Release(PointF) override
    {
        CKorvaniView& v = view;
        if (v.creationNodes.empty())
            return;
        v.creationNodes.push_back(PathNode::AtPoint(v.lastPoint.x, v.lastPoint.y, NodeSymmetric));
        v.CommitCreation();
    }

    // The picture and its type stay for the next press.
    void Cancel() override { view.creationNodes.clear(); }

    int Cursor(PointF) override { return CursorPlace; }

    // The box as it is dragged.
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

    PressResult Press(PointF) override
    {
        // Nothing to place until a drawing was chosen.
        return view.placePath.empty() ? NoDrag() : StartDrag();
    }

    void Release(PointF) override
    {
        CKorvaniView& v = view;
        ReadItemsResult read;
        {
            const HostProgress progress(v.host, "Importing drawing");
            read = ReadItemsFile(v.doc, v.downPoint, v.lastPoint, v.placePath, 1, true, progress.Callback());
        }
        const bool loaded = read.opened && !read.cancelled;
        if (loaded)
            v.doc.PushLoadedItems(std::move(read.items));
        v.SelectNone();
        v.SetTool(v.previousTool);
        if (read.cancelled)
            return;
        if (!loaded) {
            // The working copy went missing: say so rather than place nothing in silence.
            v.host.ShowMessage({read.errorMessage.empty() ? "Cannot open " + v.placePath : read.errorMessage,
                                MessageIcon::Stop, MessageButtons::Ok});
            return;
        }
        v.doc.ClearGuides();
        v.AfterDocumentChange();
        v.host.ItemsPanelRebuild(nullptr);
    }

    int Cursor(PointF) override { return CursorPlace; }

    // The box as it is dragged.
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
