// The one way a menu or bar command id reaches the view, for the window and
// the headless actions runner alike.

#include "view/korvani_view.h"

bool CKorvaniView::DoMenuCommand(int commandId)
{
    const std::optional<ViewAction> action = ViewActionForCommandId(commandId);
    if (!action)
        return DoFileCommand(commandId);
    if (action->kind == ViewAction::SetTool)
        SetTool(action->value);
    else
        DoCommand(action->value);
    return true;
}

bool CKorvaniView::PromptSaveCurrent()
{
    CancelDrag();
    // An open curve is part of what the question is about.
    FinishConstruction();
    return PromptSave();
}
