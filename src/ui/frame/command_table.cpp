#include "ui/frame/command_table.h"

#include "view/view_codes.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr FrameCommand Commands[] = {
    {32771, "ID_NEW_DRAWING"},
    {32772, "ID_OPEN_FILE"},
    {32773, "ID_SAVE_FILE"},
    {32776, "ID_PRINT"},
    {32777, "ID_TOOL_EDIT"},
    {32778, "ID_TOOL_SELECT"},
    {32779, "ID_IMPORT"},
    {32780, "ID_EXPORT"},
    {32781, "ID_CAPTURE_SCREEN"},
    {32782, "ID_UNDO"},
    {32783, "ID_REDO"},
    {32784, "ID_DUPLICATE"},
    {32785, "ID_DELETE"},
    {32786, "ID_ROTATE_270"},
    {32787, "ID_ROTATE_90"},
    {32788, "ID_FLIP_HORIZONTAL"},
    {32789, "ID_FLIP_VERTICAL"},
    {32790, "ID_GROUP"},
    {32791, "ID_BREAK_GROUP"},
    {32792, "ID_MOVE_TOPMOST"},
    {32793, "ID_MOVE_BOTTOM"},
    {32794, "ID_MOVE_UP"},
    {32795, "ID_MOVE_DOWN"},
    {32798, "ID_TOOL_LINE"},
    {32799, "ID_TOOL_TEXT"},
    {32800, "ID_TOOL_RECTANGLE"},
    {32801, "ID_TOOL_ELLIPSE"},
    {32802, "ID_TOOL_DOODLE"},
    {32803, "ID_TOOL_BEZIER"},
    {32804, "ID_TOOL_ROTATE"},
    {32805, "ID_TOOL_HAND"},
    {32806, "ID_TOOL_ZOOM_IN"},
    {32807, "ID_TOOL_ZOOM_OUT"},
    {32808, "ID_TOOL_GRADIENT_FILL"},
    {32809, "ID_TOOL_GRADIENT_LINE"},
    {32813, "ID_COMBINE"},
    {32814, "ID_BREAK_COMBINE"},
    {32815, "ID_CHANGE_FILL_COLOR"},
    {32816, "ID_CHANGE_LINE_COLOR"},
    {32817, "ID_PROPERTY_BAR_SLOT_2"},
    {32818, "ID_PROPERTY_BAR_SLOT_3"},
    {32819, "ID_PROPERTY_BAR_SLOT_4"},
    {32820, "ID_PROPERTY_BAR_SLOT_5"},
    {32821, "ID_PROPERTY_BAR_SLOT_6"},
    {32822, "ID_PROPERTY_BAR_SLOT_7"},
    {32834, "ID_TEXT_SIZE_SLOT"},
    {32835, "ID_TEXT_FONT_SLOT"},
    {32836, "ID_TEXT_BOLD"},
    {32837, "ID_TEXT_ITALIC"},
    {32838, "ID_TEXT_UNDERLINE"},
    {32846, "ID_PROPERTY_BAR_SLOT_1"},
    {32850, "ID_VIEW_COMMAND_BAR"},
    {32851, "ID_VIEW_TEXT_BAR"},
    {32852, "ID_VIEW_PROPERTY_BAR"},
    {32853, "ID_VIEW_LAYER_BAR"},
    {32855, "ID_POINT_TO_BEZIER"},
    {32856, "ID_POINT_TO_LINE"},
    {32857, "ID_POINT_TO_CURVE"},
    {32858, "ID_POINT_CUSP"},
    {32859, "ID_POINT_SMOOTH"},
    {32860, "ID_POINT_SYMMETRIC"},
    {32861, "ID_CLOSE_CURVE"},
    {32862, "ID_BREAK_CURVE"},
    {32863, "ID_VIEW_EDIT_TOOLS"},
    {32864, "ID_GRADIENT_STOP_COLOR"},
    {32865, "ID_GRADIENT_BAR_SLOT_1"},
    {32866, "ID_GRADIENT_BAR_SLOT_2"},
    {32867, "ID_GRADIENT_BAR_SLOT_3"},
    {32875, "ID_VIEW_GRADIENT_TOOLS"},
    {32876, "ID_PROPERTY_BAR_SLOT_8"},
    {32877, "ID_PROPERTY_BAR_SLOT_9"},
    {32878, "ID_PROPERTY_BAR_SLOT_10"},
    {32879, "ID_PROPERTY_BAR_SLOT_11"},
    {32880, "ID_PROPERTY_BAR_SLOT_12"},
    {32882, "ID_DELETE_POINT"},
    {32884, "ID_INSERT_NAME_TAG"},
    {32885, "ID_INSERT_EMAIL_TAG"},
    {32886, "ID_NEW_EMAIL_TEMPLATE"},
    {32887, "ID_DOWNLOAD_TEMPLATE"},
    {32888, "ID_UPLOAD_TEMPLATE"},
    {32889, "ID_SPLASH_SCREEN"},
    {57634, "ID_EDIT_COPY"},
    {57635, "ID_EDIT_CUT"},
    {57637, "ID_EDIT_PASTE"},
    {57664, "ID_APP_ABOUT"},
    {57665, "ID_APP_EXIT"},
    {59392, "ID_VIEW_TOOLBAR"},
};

struct ToolEntry
{
    ToolKind kind;
    std::string_view name;
};

constexpr ToolEntry Tools[] = {
    {ToolKind::Select, "Select"},
    {ToolKind::Line, "Line"},
    {ToolKind::Ellipse, "Ellipse"},
    {ToolKind::Rectangle, "Rectangle"},
    {ToolKind::Bezier, "Bezier"},
    {ToolKind::Doodle, "Doodle"},
    {ToolKind::PlaceImage, "PlaceImage"},
    {ToolKind::Text, "Text"},
    {ToolKind::Edit, "Edit"},
    {ToolKind::Rotate, "Rotate"},
    {ToolKind::PlaceFile, "PlaceFile"},
    {ToolKind::Hand, "Hand"},
    {ToolKind::ZoomIn, "ZoomIn"},
    {ToolKind::ZoomOut, "ZoomOut"},
    {ToolKind::GradientLine, "GradientLine"},
    {ToolKind::GradientFill, "GradientFill"},
};

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

constexpr std::string_view Prefix = "ID_";

} // namespace

std::span<const FrameCommand> FrameCommands()
{
    return Commands;
}

std::optional<int> FrameCommandIdForName(std::string_view name)
{
    for (const FrameCommand& command : Commands) {
        if (SameIgnoringCase(name, command.name) || SameIgnoringCase(name, command.name.substr(Prefix.size())))
            return command.id;
    }
    return std::nullopt;
}

std::string_view FrameCommandName(int id)
{
    for (const FrameCommand& command : Commands) {
        if (command.id == id)
            return command.name;
    }
    return {};
}

std::optional<int> ToolValueForName(std::string_view name)
{
    for (const ToolEntry& tool : Tools) {
        if (SameIgnoringCase(name, tool.name))
            return ToolValue(tool.kind);
    }
    return std::nullopt;
}

std::string_view ToolName(int value)
{
    for (const ToolEntry& tool : Tools) {
        if (ToolValue(tool.kind) == value)
            return tool.name;
    }
    return {};
}
