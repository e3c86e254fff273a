// The colour of the current gradient stop, chosen in the colour dialog.

#include "view/korvani_view.h"

#include "document/korvani_doc.h"
#include "view/view_host.h"

#include <optional>

bool CKorvaniView::GradientStopColorEnabled() const
{
    return activeTool == ToolValue(ToolKind::GradientLine) ||
           (activeTool == ToolValue(ToolKind::GradientFill) && gradientHit == 0 && selection);
}

void CKorvaniView::DoGradientStopColor()
{
    CancelDrag();
    const bool line = activeTool == ToolValue(ToolKind::GradientLine);
    if ((!line && activeTool != ToolValue(ToolKind::GradientFill)) || gradientHit != 0 || !selection)
        return;
    ArgbColor initial = ColorOpaqueBlack;
    if (line)
        selection->GetLineStopColor(gradientStop, initial);
    else
        selection->GetFillStopColor(gradientStop, initial);
    const std::optional<ArgbColor> chosen = host.AskColor(initial);
    if (!chosen)
        return;
    const int done = line ? doc.PushLineStopColor(selection, gradientStop, *chosen)
                          : doc.PushFillStopColor(selection, gradientStop, *chosen);
    if (done >= 0)
        AfterSelectionEdit();
}
