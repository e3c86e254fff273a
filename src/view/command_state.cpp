// What the menus and bars show for each command: the update rules in one place.

#include "view/korvani_view.h"

#include "document/korvani_doc.h"

CommandUpdate CKorvaniView::CommandState(int commandId) const
{
    const bool hasCanvas = canvas.width > 0;
    const bool selected = selection != nullptr;
    const std::optional<ViewAction> action = ViewActionForCommandId(commandId);
    if (action && action->kind == ViewAction::SetTool)
        return {hasCanvas, activeTool == action->value};
    switch (commandId) {
    case ID_DUPLICATE:
    case ID_DELETE:
    case ID_MOVE_UP:
    case ID_MOVE_DOWN:
    case ID_MOVE_TOPMOST:
    case ID_MOVE_BOTTOM:
    case ID_ROTATE_90:
    case ID_ROTATE_270:
    case ID_FLIP_HORIZONTAL:
    case ID_FLIP_VERTICAL:
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
        return {hasCanvas && selected};
    case ID_EDIT_PASTE:
        return {CanPaste()};
    case ID_GROUP:
    case ID_COMBINE:
        return {hasCanvas && SelectionIsGroup()};
    case ID_BREAK_GROUP:
        return {hasCanvas && selected && !SelectionIsGroup() && selection->TypeCode() == ItemGroup};
    case ID_BREAK_COMBINE:
        return {selected && selection->TypeCode() == ItemCurve};
    case ID_UNDO:
        return {hasCanvas && doc.CanUndo()};
    case ID_REDO:
        return {hasCanvas && doc.CanRedo()};
    case ID_SAVE_FILE:
        return {hasCanvas && doc.GetItemCount() > 0};
    case ID_CHANGE_LINE_COLOR:
    case ID_CHANGE_FILL_COLOR:
    case ID_CAPTURE_SCREEN:
    case ID_IMPORT:
    case ID_EXPORT:
    case ID_PRINT:
    case ID_INSERT_NAME_TAG:
    case ID_INSERT_EMAIL_TAG:
        return {hasCanvas};
    case ID_GRADIENT_STOP_COLOR:
        return {GradientStopColorEnabled()};
    case ID_TEXT_BOLD:
        return {true, textBold != 0};
    case ID_TEXT_ITALIC:
        return {true, textItalic != 0};
    case ID_TEXT_UNDERLINE:
        return {true, textUnderline != 0};
    default:
        break;
    }
    // The Edit tool's point commands answer for themselves.
    const bool pointCommand = action && ((action->value >= CommandPointToLine && action->value <= CommandBreakCurve) ||
                                         action->value == CommandDeletePoint);
    if (pointCommand)
        return {PointCommandEnabled(action->value)};
    return {true, false};
}
