// Mouse and keys: every message becomes a canvas point, the guides get the
// first chance at a press, and the rest goes to the active tool.

#include "view/korvani_view.h"

#include "document/korvani_doc.h"
#include "view/tools/tool_handler.h"
#include "view/view_host.h"

#include <QRect>

// --- mouse ---

void CKorvaniView::OnLeftButtonDown(QPoint client, Qt::KeyboardModifiers modifiers)
{
    // A press while a drag is in progress means its release was lost.
    CancelDrag();
    shiftDown = modifiers.testFlag(Qt::ShiftModifier);
    pointerPixel = client;
    const PointF q = CanvasPoint(client);
    downPoint = lastPoint = q;
    UpdateCursor(q);
    // A guide near q takes the press, and begins its drag, before any tool.
    if (!GuidePress(q, client)) {
        PressResult press = ActiveHandler().Press(q);
        if (press.capture)
            BeginDrag(std::move(press.putBack));
    }
    Repaint();
}

void CKorvaniView::OnMouseMove(QPoint client, Qt::KeyboardModifiers modifiers)
{
    shiftDown = modifiers.testFlag(Qt::ShiftModifier);
    pointerPixel = client;
    const PointF q = CanvasPoint(client);
    hoverPoint = q;
    ruler.pointer = q;
    if (!captured) {
        UpdateCursor(q);
        // The pointer markers on the rulers follow the mouse.
        if (canvas.width > 0) {
            host.RequestRepaint(QRect(0, 0, clientSize.width(), Ruler::Thickness));
            host.RequestRepaint(QRect(0, 0, Ruler::Thickness, clientSize.height()));
        }
        return;
    }
    if (draggedGuide != -1)
        GuideDrag(q);
    else
        ActiveHandler().Drag(q);
    Repaint();
}

void CKorvaniView::OnLeftButtonUp(QPoint client, Qt::KeyboardModifiers modifiers)
{
    shiftDown = modifiers.testFlag(Qt::ShiftModifier);
    pointerPixel = client;
    const PointF q = CanvasPoint(client);
    if (!captured)
        return;
    if (draggedGuide != -1) {
        // The guide stays where it was dragged: guides are no undo step.
        dragPutBack = nullptr;
        GuideRelease(q);
    } else {
        EndCapture();
        // The tools commit through the document onto what was there before the drag.
        PutBackDrag();
        ActiveHandler().Release(q);
    }
    lastPoint = downPoint;
    Repaint();
}

void CKorvaniView::OnLeftButtonDoubleClick(QPoint client, Qt::KeyboardModifiers modifiers)
{
    CancelDrag();
    shiftDown = modifiers.testFlag(Qt::ShiftModifier);
    pointerPixel = client;
    ActiveHandler().DoubleClick(CanvasPoint(client));
}

void CKorvaniView::OnCaptureLost()
{
    if (!captured)
        return;
    captured = false; // the window system has already taken it
    AbandonDrag();
    Repaint();
}

void CKorvaniView::CancelDrag()
{
    if (!captured)
        return;
    EndCapture();
    AbandonDrag();
}

void CKorvaniView::AbandonDrag()
{
    // Nothing is committed and nothing the drag changed stays behind.
    PutBackDrag();
    if (draggedGuide == -1)
        ActiveHandler().Cancel();
    draggedGuide = -1;
    lastPoint = downPoint;
}

// --- cursors ---

int CKorvaniView::CursorFor(PointF q)
{
    const std::int32_t guide = GuideNear(q);
    if (guide != -1) {
        GuideLine line;
        doc.GetGuide(guide, line);
        return line.orientation == 0 ? CursorSizeNorthSouth : CursorSizeWestEast;
    }
    return ActiveHandler().Cursor(q);
}

void CKorvaniView::UpdateCursor(PointF q)
{
    host.SetCursor(CursorFor(q));
}

// --- keys ---

void CKorvaniView::OnKeyDown(int key)
{
    if (key == Qt::Key_Control) {
        ctrlDown = true;
        return;
    }
    if (key == Qt::Key_Shift) {
        shiftDown = true;
        if (captured && draggedGuide == -1)
            ActiveHandler().ShiftChanged();
        return;
    }
    if (canvas.width < 1)
        return;
    HandleKey(key);
}

void CKorvaniView::OnKeyUp(int key)
{
    if (key == Qt::Key_Control) {
        ctrlDown = false;
    } else if (key == Qt::Key_Shift) {
        shiftDown = false;
        if (captured && draggedGuide == -1)
            ActiveHandler().ShiftChanged();
    }
}

bool CKorvaniView::HandleKey(int key)
{
    const float step = ctrlDown ? 10.0f : 1.0f;
    if (ctrlDown) {
        switch (key) {
        case Qt::Key_C: DoFileCommand(ID_EDIT_COPY); return true;
        case Qt::Key_D: DoCommand(CommandDuplicate); return true;
        case Qt::Key_G: DoCommand(CommandGroup); return true;
        case Qt::Key_O: DoCommand(CommandOpen); return true;
        case Qt::Key_P: DoCommand(CommandCaptureScreen); return true;
        case Qt::Key_S: DoCommand(CommandSave); return true;
        case Qt::Key_V: DoFileCommand(ID_EDIT_PASTE); return true;
        case Qt::Key_X: DoFileCommand(ID_EDIT_CUT); return true;
        case Qt::Key_Y: DoCommand(CommandRedo); return true;
        case Qt::Key_Z: DoCommand(CommandUndo); return true;
        default: break;
        }
    } else {
        switch (key) {
        case Qt::Key_A: SetTool(ToolKind::Edit); return true;
        case Qt::Key_B: SetTool(ToolKind::Doodle); return true;
        case Qt::Key_H: SetTool(ToolKind::Hand); return true;
        case Qt::Key_L: SetTool(ToolKind::Line); return true;
        case Qt::Key_O: SetTool(ToolKind::Ellipse); return true;
        case Qt::Key_P: SetTool(ToolKind::Bezier); return true;
        case Qt::Key_R: SetTool(ToolKind::Rotate); return true;
        case Qt::Key_S: SetTool(ToolKind::Rectangle); return true;
        case Qt::Key_T: SetTool(ToolKind::Text); return true;
        case Qt::Key_V: SetTool(ToolKind::Select); return true;
        case Qt::Key_X: SetTool(ToolKind::ZoomOut); return true;
        case Qt::Key_Z: SetTool(ToolKind::ZoomIn); return true;
        case Qt::Key_PageUp: DoCommand(CommandMoveUp); return true;
        case Qt::Key_PageDown: DoCommand(CommandMoveDown); return true;
        case Qt::Key_Home: DoCommand(CommandMoveTopmost); return true;
        case Qt::Key_End: DoCommand(CommandMoveBottom); return true;
        case Qt::Key_Delete: DoCommand(CommandDelete); return true;
        default: break;
        }
    }
    switch (key) {
    case Qt::Key_Left: MoveSelectionByKey(-step, 0); return true;
    case Qt::Key_Right: MoveSelectionByKey(step, 0); return true;
    case Qt::Key_Up: MoveSelectionByKey(0, -step); return true;
    case Qt::Key_Down: MoveSelectionByKey(0, step); return true;
    default: return false;
    }
}

void CKorvaniView::MoveSelectionByKey(float dx, float dy)
{
    // A locked item stays put, by keys as by the mouse.
    if (!selection || selection->IsLocked())
        return;
    CancelDrag();
    if (doc.PushMove(selection, dx, dy) >= 0)
        CarrySelectionCentre(Matrix(1, 0, 0, 1, dx, dy));
    AfterSelectionEdit();
    // The property bar shows the new place.
    host.SelectionChanged(selection);
    Repaint();
}
