// The GradientLine and GradientFill tools: the ends and stops of the
// selection's outline or fill gradient are dragged, and a double click on
// the gradient line adds a stop there, or removes the one there.

#include "view/korvani_view.h"

#include "document/item_change.h"
#include "document/korvani_doc.h"
#include "view/view_host.h"

#include <memory>

bool CKorvaniView::EditsLineGradient() const
{
    return activeTool == ToolValue(ToolKind::GradientLine);
}

void CKorvaniView::GradientPress(PointF q)
{
    if (selection) {
        std::int32_t index = -1;
        if (EditsLineGradient())
            selection->HitLineStop(q, index);
        else
            selection->HitFillStop(q, index);
        gradientHit = index >= 0 ? 0 : HitMiss;
        if (gradientHit == 0) {
            gradientStop = index;
            LoadGradientBar();
            // What the drag changes directly goes back exactly before the commit, or when it is interrupted.
            auto before = std::make_shared<ItemChanges>();
            before->Begin({selection});
            BeginDrag([this, before] {
                before->Finish();
                before->Restore();
                AfterSelectionEdit();
            });
            return;
        }
    }
    BeginDrag();
}

void CKorvaniView::GradientDrag(PointF q)
{
    if (selection && gradientHit == 0) {
        const float dx = q.x - lastPoint.x, dy = q.y - lastPoint.y;
        if (EditsLineGradient())
            selection->DragLineGradientHandle(gradientStop, dx, dy);
        else
            selection->DragFillGradientHandle(gradientStop, dx, dy);
        AfterSelectionEdit();
    }
    lastPoint = q;
}

void CKorvaniView::GradientRelease(PointF q)
{
    if (!selection || gradientHit != 0)
        return;
    const float dx = q.x - downPoint.x, dy = q.y - downPoint.y;
    // A click that only picks a stop leaves no undo step.
    if (dx == 0 && dy == 0)
        return;
    const int done = EditsLineGradient() ? doc.PushLineGradientHandle(selection, gradientStop, dx, dy)
                                         : doc.PushFillGradientHandle(selection, gradientStop, dx, dy);
    if (done >= 0)
        AfterSelectionEdit();
    LoadGradientBar();
}

void CKorvaniView::GradientDoubleClick(PointF q, QPoint client)
{
    if (!selection)
        return;
    // The colour the user sees under the pointer.
    const ArgbColor color = host.ScreenPixelColor(host.ClientToScreen(client)) | ColorOpaqueBlack;
    const int index = EditsLineGradient() ? doc.PushToggleLineStop(selection, q, color)
                                          : doc.PushToggleFillStop(selection, q, color);
    if (index >= 0)
        AfterSelectionEdit();
    if (index >= 1) {
        gradientStop = index;
        gradientHit = 0;
        LoadGradientBar();
    } else {
        gradientHit = HitMiss;
    }
    Repaint();
}
