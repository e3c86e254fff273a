// Opening and saving whole drawings, once a file has been chosen.

#include "view/korvani_view.h"

#include "document/drawing_file.h"
#include "document/korvani_doc.h"
#include "view/view_host.h"

bool CKorvaniView::OpenDrawing(const std::string& path)
{
    // Read the file once aside first: a file that cannot be read or parsed
    // must leave the current drawing as it is, and the drawing is cleared
    // before the undoable load.
    {
        CKorvaniDoc scratch;
        ReadItemsResult probe = ReadItemsFile(scratch, {}, {}, path, 0);
        const bool readable = probe.opened && probe.parsed;
        const std::string reason = probe.errorMessage;
        ReleaseReadItems(probe.items);
        if (!readable) {
            host.ShowMessage({reason.empty() ? "Cannot open " + path : reason, MessageIcon::Stop, MessageButtons::Ok});
            return false;
        }
    }

    CancelDrag();
    ClearDrawing();
    if (doc.PushLoadItems({}, {}, path, 0) < 0) {
        // The file changed or vanished since it was read aside.
        host.ShowMessage({"Cannot open " + path, MessageIcon::Stop, MessageButtons::Ok});
        host.ItemsPanelRebuild(nullptr);
        Repaint();
        return false;
    }
    currentFilePath = path;
    canvas.width = doc.GetCanvasWidth();
    canvas.height = doc.GetCanvasHeight();
    canvas.color = 0xFF000000u | (doc.GetCanvasColor() & 0x00FFFFFFu);
    ApplyCanvasGeometry();
    SelectNone();
    host.ItemsPanelRebuild(nullptr);
    Repaint();
    return true;
}

bool CKorvaniView::SaveDrawing(const std::string& path)
{
    const FileWriteResult result = WriteDrawingFile(path, doc, {canvas.width, canvas.height, canvas.color});
    if (!result.ok) {
        host.ShowMessage({result.errorMessage, MessageIcon::Stop, MessageButtons::Ok});
        return false;
    }
    currentFilePath = path;
    return true;
}
