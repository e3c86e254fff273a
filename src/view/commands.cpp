// The command switch: every menu, bar and key command of the view ends here.

#include "view/korvani_view.h"

#include "document/korvani_doc.h"
#include "items/group_item.h"
#include "view/view_host.h"


namespace {

// The last (topmost) item of the drawing, or null.
DrawItem* TopItem(const CKorvaniDoc& doc)
{
    return doc.GetItem(doc.GetItemCount() - 1);
}

struct CommandIdEntry
{
    int id;
    ViewAction action;
};

constexpr CommandIdEntry CommandIdTable[] = {
    {ID_TOOL_SELECT, {ViewAction::SetTool, ToolValue(ToolKind::Select)}},
    {ID_TOOL_EDIT, {ViewAction::SetTool, ToolValue(ToolKind::Edit)}},
    {ID_TOOL_LINE, {ViewAction::SetTool, ToolValue(ToolKind::Line)}},
    {ID_TOOL_TEXT, {ViewAction::SetTool, ToolValue(ToolKind::Text)}},
    {ID_TOOL_RECTANGLE, {ViewAction::SetTool, ToolValue(ToolKind::Rectangle)}},
    {ID_TOOL_ELLIPSE, {ViewAction::SetTool, ToolValue(ToolKind::Ellipse)}},
    {ID_TOOL_DOODLE, {ViewAction::SetTool, ToolValue(ToolKind::Doodle)}},
    {ID_TOOL_BEZIER, {ViewAction::SetTool, ToolValue(ToolKind::Bezier)}},
    {ID_TOOL_ROTATE, {ViewAction::SetTool, ToolValue(ToolKind::Rotate)}},
    {ID_TOOL_HAND, {ViewAction::SetTool, ToolValue(ToolKind::Hand)}},
    {ID_TOOL_ZOOM_IN, {ViewAction::SetTool, ToolValue(ToolKind::ZoomIn)}},
    {ID_TOOL_ZOOM_OUT, {ViewAction::SetTool, ToolValue(ToolKind::ZoomOut)}},
    {ID_TOOL_GRADIENT_FILL, {ViewAction::SetTool, ToolValue(ToolKind::GradientFill)}},
    {ID_TOOL_GRADIENT_LINE, {ViewAction::SetTool, ToolValue(ToolKind::GradientLine)}},
    {ID_SAVE_FILE, {ViewAction::DoCommand, CommandSave}},
    {ID_EXPORT, {ViewAction::DoCommand, CommandExport}},
    {ID_IMPORT, {ViewAction::DoCommand, CommandImport}},
    {ID_CAPTURE_SCREEN, {ViewAction::DoCommand, CommandCaptureScreen}},
    {ID_UNDO, {ViewAction::DoCommand, CommandUndo}},
    {ID_REDO, {ViewAction::DoCommand, CommandRedo}},
    {ID_DUPLICATE, {ViewAction::DoCommand, CommandDuplicate}},
    {ID_DELETE, {ViewAction::DoCommand, CommandDelete}},
    {ID_ROTATE_270, {ViewAction::DoCommand, CommandRotate270}},
    {ID_ROTATE_90, {ViewAction::DoCommand, CommandRotate90}},
    {ID_FLIP_HORIZONTAL, {ViewAction::DoCommand, CommandFlipHorizontal}},
    {ID_FLIP_VERTICAL, {ViewAction::DoCommand, CommandFlipVertical}},
    {ID_GROUP, {ViewAction::DoCommand, CommandGroup}},
    {ID_BREAK_GROUP, {ViewAction::DoCommand, CommandBreakGroup}},
    {ID_MOVE_TOPMOST, {ViewAction::DoCommand, CommandMoveTopmost}},
    {ID_MOVE_BOTTOM, {ViewAction::DoCommand, CommandMoveBottom}},
    {ID_MOVE_UP, {ViewAction::DoCommand, CommandMoveUp}},
    {ID_MOVE_DOWN, {ViewAction::DoCommand, CommandMoveDown}},
    {ID_COMBINE, {ViewAction::DoCommand, CommandCombine}},
    {ID_BREAK_COMBINE, {ViewAction::DoCommand, CommandBreakCombine}},
    {ID_CHANGE_FILL_COLOR, {ViewAction::DoCommand, CommandChangeFillColor}},
    {ID_CHANGE_LINE_COLOR, {ViewAction::DoCommand, CommandChangeLineColor}},
    {ID_TEXT_BOLD, {ViewAction::DoCommand, CommandTextBold}},
    {ID_TEXT_ITALIC, {ViewAction::DoCommand, CommandTextItalic}},
    {ID_TEXT_UNDERLINE, {ViewAction::DoCommand, CommandTextUnderline}},
    {ID_POINT_TO_BEZIER, {ViewAction::DoCommand, CommandPointToBezier}},
    {ID_POINT_TO_LINE, {ViewAction::DoCommand, CommandPointToLine}},
    {ID_POINT_TO_CURVE, {ViewAction::DoCommand, CommandPointToCurve}},
    {ID_POINT_CUSP, {ViewAction::DoCommand, CommandPointCusp}},
    {ID_POINT_SMOOTH, {ViewAction::DoCommand, CommandPointSmooth}},
    {ID_POINT_SYMMETRIC, {ViewAction::DoCommand, CommandPointSymmetric}},
    {ID_DELETE_POINT, {ViewAction::DoCommand, CommandDeletePoint}},
    {ID_CLOSE_CURVE, {ViewAction::DoCommand, CommandCloseCurve}},
    {ID_BREAK_CURVE, {ViewAction::DoCommand, CommandBreakCurve}},
    {ID_GRADIENT_STOP_COLOR, {ViewAction::DoCommand, CommandGradientStopColor}},
};

} // namespace

std::optional<ViewAction> ViewActionForCommandId(int id)
{
    for (const CommandIdEntry& entry : CommandIdTable) {
        if (entry.id == id)
            return entry.action;
    }
    return std::nullopt;
}

void CKorvaniView::DoCommand(std::int32_t code)
{
    CancelDrag();
    FinishConstruction();
    // What a command changed: the list of items (structural), or only the
    // selection's items in place; and whether the items panel shows it.
    bool structural = false;
    bool inPlace = false;
    bool panelChanged = false;
    switch (code) {
    case CommandUndo:
        doc.Undo();
        KeepActiveChildrenForTool();
        EmptySelectionGroup();
        selection = TopItem(doc);
        editHitCode = HitMiss;
        selectedNodes.clear();
        structural = true;
        break;
    case CommandRedo:
        doc.Redo();
        KeepActiveChildrenForTool();
        // The group is emptied too: the items it pointed at may be gone from
        // the drawing, and later from memory.
        EmptySelectionGroup();
        selection = TopItem(doc);
        editHitCode = HitMiss;
        selectedNodes.clear();
        structural = true;
        break;
    case CommandDuplicate:
        if (selection) {
            const std::uint32_t first = NextItemId;
            doc.PushDuplicateItems(selection);
            const std::uint32_t end = NextItemId;
            EmptySelectionGroup();
            selection = nullptr;
            // The copies took the ids first..end-1; a copied group's members are not listed.
            std::vector<DrawItem*> copies;
            for (DrawItem* item : doc.Items()) {
                if (item->Id() - first < end - first)
                    copies.push_back(item);
            }
            // Listed bottom to top and new, they are the selection group's
            // members as they stand: no need to sort them in as a band would.
            if (copies.size() == 1) {
                selection = copies.front();
            } else if (!copies.empty()) {
                CancelDrag();
                selectionGroup->AddChildren(copies);
                selection = selectionGroup;
            }
            structural = true;
        }
        break;
    case CommandDelete:
        if (selection) {
            doc.PushDeleteItems(selection);
            SelectNone();
            editHitCode = HitMiss;
            selectedNodes.clear();
            structural = true;
        }
        break;
    case CommandMoveUp:
    case CommandMoveDown:
    case CommandMoveTopmost:
    case CommandMoveBottom:
        if (selection) {
            static constexpr int modes[] = {3, 2, 1, 4}; // up, down, topmost, bottom
            doc.PushZOrder(selection, modes[code - CommandMoveUp]);
            structural = true;
        }
        break;
    case CommandTextBold:
    case CommandTextItalic:
    case CommandTextUnderline:
        if (selection) {
            std::int32_t& flag = code == CommandTextBold ? textBold : code == CommandTextItalic ? textItalic : textUnderline;
            flag = flag ? 0 : 1;
            const std::int32_t attr = code == CommandTextBold ? ATTR_BOLD : code == CommandTextItalic ? ATTR_ITALIC : ATTR_UNDERLINE;
            doc.PushSetPropertyInt(selection, attr, flag);
            inPlace = true;
        }
        break;
    case CommandRotate90:
    case CommandRotate270:
        if (selection) {
            doc.PushRotate(selection, code == CommandRotate90 ? 90.0f : 270.0f);
            inPlace = true;
        }
        break;
    case CommandFlipVertical:
    case CommandFlipHorizontal:
        if (selection) {
            const PointF centre = selection->Bounds(ModeCommit).Center();
            // Vertical mirrors left to right.
            const float sx = code == CommandFlipVertical ? -1 : 1;
            if (doc.PushScale(selection, centre, sx, -sx) >= 0) {
                Matrix flip;
                flip.Translate(-centre.x, -centre.y);
                flip.Scale(sx, -sx);
                flip.Translate(centre.x, centre.y);
                CarrySelectionCentre(flip);
            }
            inPlace = true;
        }
        break;
    case CommandGroup:
        structural = GroupSelection();
        break;
    case CommandBreakGroup:
        structural = BreakSelectedGroup();
        break;
    case CommandCombine:
        structural = CombineSelection();
        break;
    case CommandBreakCombine:
        structural = BreakSelectedCurve();
        break;
    case CommandChangeLineColor:
    case CommandChangeFillColor:
        inPlace = ChangeColor(code == CommandChangeLineColor);
        break;
    case CommandToggleLocked:
    case CommandToggleHidden:
        if (selection) {
            const bool locked = code == CommandToggleLocked;
            const bool on = locked ? selection->IsLocked() : selection->IsHidden();
            doc.PushSetPropertyInt(selection, locked ? ATTR_LOCKED : ATTR_HIDDEN, on ? 0 : 1);
            inPlace = true;
            panelChanged = true; // the row's eye and lock pictures
        }
        break;
    case CommandSave: SaveCommand(); break;
    case CommandOpen: OpenCommand(); break;
    case CommandExport: ExportCommand(); break;
    case CommandImport: ImportCommand(); break;
    case CommandCaptureScreen: CaptureCommand(); break;
    case CommandPointToLine:
    case CommandPointToCurve:
    case CommandPointToBezier:
    case CommandPointCusp:
    case CommandPointSmooth:
    case CommandPointSymmetric:
    case CommandCloseCurve:
    case CommandBreakCurve:
    case CommandDeletePoint:
        DoPointCommand(code);
        break;
    case CommandGradientStopColor:
        DoGradientStopColor();
        break;
    default:
        host.ShowMessage({"Unsupport command", MessageIcon::Stop, MessageButtons::Ok});
        break;
    }
    // A structural change reaches the paint through the document's change count.
    if (inPlace)
        AfterSelectionEdit();
    if (structural || panelChanged)
        host.ItemsPanelRebuild(selection);
    if (structural || inPlace)
        SyncSelectionToBars();
    Repaint();
}
