#pragma once

// The fixed numbers of the editing view: tool kinds, the command codes of
// DoCommand, and the menu and bar command ids that select them.

#include <cstdint>
#include <optional>

// The creation kinds equal the item type codes.
enum class ToolKind : std::int32_t {
    Select = 101,
    Line = 102,
    Ellipse = 103,
    Rectangle = 104,
    Bezier = 105,
    Doodle = 106,
    PlaceImage = 107,
    Text = 108,
    Edit = 109,
    Rotate = 111,
    PlaceFile = 112,
    Hand = 113,
    ZoomIn = 114,
    ZoomOut = 115,
    GradientLine = 116,
    GradientFill = 117,
};

// Accepted by SetTool like a tool, and answered by no handler.
constexpr std::int32_t InertToolValue = 118;

constexpr std::int32_t ToolValue(ToolKind kind)
{
    return static_cast<std::int32_t>(kind);
}

// Command codes of DoCommand.
enum ViewCommand : std::int32_t {
    CommandDuplicate = 201,
    CommandDelete = 202,
    CommandUndo = 203,
    CommandRedo = 204,
    CommandMoveUp = 205,
    CommandMoveDown = 206,
    CommandMoveTopmost = 207,
    CommandMoveBottom = 208,
    CommandGroup = 209,
    CommandBreakGroup = 210,
    CommandPointToLine = 211,
    CommandPointToCurve = 212,
    CommandPointToBezier = 213,
    CommandPointCusp = 214,
    CommandPointSmooth = 215,
    CommandPointSymmetric = 216,
    CommandCloseCurve = 217,
    CommandBreakCurve = 218,
    CommandTextBold = 219,
    CommandTextItalic = 220,
    CommandTextUnderline = 221,
    CommandSave = 223,
    CommandOpen = 224,
    CommandExport = 225,
    CommandImport = 226,
    CommandRotate90 = 227,
    CommandRotate270 = 228,
    CommandFlipVertical = 229,
    CommandFlipHorizontal = 230,
    CommandChangeLineColor = 232,
    CommandChangeFillColor = 233,
    CommandGradientStopColor = 234,
    CommandCaptureScreen = 235,
    CommandDeletePoint = 236,
    CommandToggleLocked = 237,
    CommandToggleHidden = 238,
    CommandCombine = 239,
    CommandBreakCombine = 240,
};

// Menu and bar commands that the view carries out.
enum ViewCommandId : int {
    ID_NEW_DRAWING = 32771,
    ID_OPEN_FILE = 32772,
    ID_SAVE_FILE = 32773,
    ID_PRINT = 32776,
    ID_TOOL_EDIT = 32777,
    ID_TOOL_SELECT = 32778,
    ID_IMPORT = 32779,
    ID_EXPORT = 32780,
    ID_CAPTURE_SCREEN = 32781,
    ID_UNDO = 32782,
    ID_REDO = 32783,
    ID_DUPLICATE = 32784,
    ID_DELETE = 32785,
    ID_ROTATE_270 = 32786,
    ID_ROTATE_90 = 32787,
    ID_FLIP_HORIZONTAL = 32788,
    ID_FLIP_VERTICAL = 32789,
    ID_GROUP = 32790,
    ID_BREAK_GROUP = 32791,
    ID_MOVE_TOPMOST = 32792,
    ID_MOVE_BOTTOM = 32793,
    ID_MOVE_UP = 32794,
    ID_MOVE_DOWN = 32795,
    ID_TOOL_LINE = 32798,
    ID_TOOL_TEXT = 32799,
    ID_TOOL_RECTANGLE = 32800,
    ID_TOOL_ELLIPSE = 32801,
    ID_TOOL_DOODLE = 32802,
    ID_TOOL_BEZIER = 32803,
    ID_TOOL_ROTATE = 32804,
    ID_TOOL_HAND = 32805,
    ID_TOOL_ZOOM_IN = 32806,
    ID_TOOL_ZOOM_OUT = 32807,
    ID_TOOL_GRADIENT_FILL = 32808,
    ID_TOOL_GRADIENT_LINE = 32809,
    ID_COMBINE = 32813,
    ID_BREAK_COMBINE = 32814,
    ID_CHANGE_FILL_COLOR = 32815,
    ID_CHANGE_LINE_COLOR = 32816,
    ID_TEXT_BOLD = 32836,
    ID_TEXT_ITALIC = 32837,
    ID_TEXT_UNDERLINE = 32838,
    ID_POINT_TO_BEZIER = 32855,
    ID_POINT_TO_LINE = 32856,
    ID_POINT_TO_CURVE = 32857,
    ID_POINT_CUSP = 32858,
    ID_POINT_SMOOTH = 32859,
    ID_POINT_SYMMETRIC = 32860,
    ID_CLOSE_CURVE = 32861,
    ID_BREAK_CURVE = 32862,
    ID_GRADIENT_STOP_COLOR = 32864,
    ID_DELETE_POINT = 32882,
    ID_INSERT_NAME_TAG = 32884,
    ID_INSERT_EMAIL_TAG = 32885,
    ID_NEW_EMAIL_TEMPLATE = 32886,
    ID_DOWNLOAD_TEMPLATE = 32887,
    ID_UPLOAD_TEMPLATE = 32888,
    ID_SPLASH_SCREEN = 32889,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
};

// What a command id asks of the view: a tool to select or a code for DoCommand.
struct ViewAction
{
    enum Kind { SetTool, DoCommand } kind = DoCommand;
    std::int32_t value = 0;
    friend bool operator==(const ViewAction&, const ViewAction&) = default;
};

// nullopt for ids the view does not carry out by one tool or command code
// (New, New template, Open's save prompt, Print and the frame's own).
std::optional<ViewAction> ViewActionForCommandId(int id);
