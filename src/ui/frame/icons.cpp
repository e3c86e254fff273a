#include "ui/frame/icons.h"

#include "ui/frame/resources.h"

#include <algorithm>
#include <iterator>

namespace {

struct CommandPicture
{
    int id;
    // A standard desktop icon name, or null when the picture is the program's
    // own alone; the fallback file is named after it when there is one.
    const char* themeName;
    const char* file;
};

constexpr CommandPicture Pictures[] = {
    {32771, "document-new", "document-new"},                 // ID_NEW_DRAWING
    {32772, "document-open", "document-open"},               // ID_OPEN_FILE
    {32773, "document-save", "document-save"},               // ID_SAVE_FILE
    {32776, "document-print", "document-print"},             // ID_PRINT
    {32777, nullptr, "tool-edit"},                           // ID_TOOL_EDIT
    {32778, nullptr, "tool-select"},                         // ID_TOOL_SELECT
    {32779, nullptr, "import"},                              // ID_IMPORT
    {32780, nullptr, "export"},                              // ID_EXPORT
    {32781, nullptr, "capture-screen"},                      // ID_CAPTURE_SCREEN
    {32782, "edit-undo", "edit-undo"},                       // ID_UNDO
    {32783, "edit-redo", "edit-redo"},                       // ID_REDO
    {32784, "edit-copy", "edit-copy"},                       // ID_DUPLICATE
    {32785, "edit-delete", "edit-delete"},                   // ID_DELETE
    // Rotation by 90 turns clockwise on screen, 270 anticlockwise.
    {32786, "object-rotate-left", "object-rotate-left"},     // ID_ROTATE_270
    {32787, "object-rotate-right", "object-rotate-right"},   // ID_ROTATE_90
    // "Horizontal invert" mirrors top to bottom and "Vertical invert" left
    // to right, so each shows the standard picture of what it does.
    {32788, "object-flip-vertical", "object-flip-vertical"},     // ID_FLIP_HORIZONTAL
    {32789, "object-flip-horizontal", "object-flip-horizontal"}, // ID_FLIP_VERTICAL
    {32790, nullptr, "group"},                               // ID_GROUP
    {32791, nullptr, "break-group"},                         // ID_BREAK_GROUP
    {32792, nullptr, "move-topmost"},                        // ID_MOVE_TOPMOST
    {32793, nullptr, "move-bottom"},                         // ID_MOVE_BOTTOM
    {32794, nullptr, "move-up"},                             // ID_MOVE_UP
    {32795, nullptr, "move-down"},                           // ID_MOVE_DOWN
    {LockCommandId, nullptr, "lock"},
    {HideCommandId, nullptr, "hide"},
    {32798, nullptr, "tool-line"},                           // ID_TOOL_LINE
    {32799, nullptr, "tool-text"},                           // ID_TOOL_TEXT
    {32800, nullptr, "tool-rectangle"},                      // ID_TOOL_RECTANGLE
    {32801, nullptr, "tool-ellipse"},                        // ID_TOOL_ELLIPSE
    {32802, nullptr, "tool-doodle"},                         // ID_TOOL_DOODLE
    {32803, nullptr, "tool-bezier"},                         // ID_TOOL_BEZIER
    {32804, nullptr, "tool-rotate"},                         // ID_TOOL_ROTATE
    {32805, nullptr, "tool-hand"},                           // ID_TOOL_HAND
    {32806, "zoom-in", "zoom-in"},                           // ID_TOOL_ZOOM_IN
    {32807, "zoom-out", "zoom-out"},                         // ID_TOOL_ZOOM_OUT
    {32808, nullptr, "tool-gradient-fill"},                  // ID_TOOL_GRADIENT_FILL
    {32809, nullptr, "tool-gradient-line"},                  // ID_TOOL_GRADIENT_LINE
    {32813, nullptr, "combine"},                             // ID_COMBINE
    {32814, nullptr, "break-combine"},                       // ID_BREAK_COMBINE
    {32815, nullptr, "change-fill-color"},                   // ID_CHANGE_FILL_COLOR
    {32816, nullptr, "change-line-color"},                   // ID_CHANGE_LINE_COLOR
    {32836, "format-text-bold", "format-text-bold"},         // ID_TEXT_BOLD
    {32837, "format-text-italic", "format-text-italic"},     // ID_TEXT_ITALIC
    {32838, "format-text-underline", "format-text-underline"}, // ID_TEXT_UNDERLINE
    {32855, nullptr, "point-to-bezier"},                     // ID_POINT_TO_BEZIER
    {32856, nullptr, "point-to-line"},                       // ID_POINT_TO_LINE
    {32857, nullptr, "point-to-curve"},                      // ID_POINT_TO_CURVE
    {32858, nullptr, "point-cusp"},                          // ID_POINT_CUSP
    {32859, nullptr, "point-smooth"},                        // ID_POINT_SMOOTH
    {32860, nullptr, "point-symmetric"},                     // ID_POINT_SYMMETRIC
    {32861, nullptr, "close-curve"},                         // ID_CLOSE_CURVE
    {32862, nullptr, "break-curve"},                         // ID_BREAK_CURVE
    {32864, nullptr, "gradient-stop-color"},                 // ID_GRADIENT_STOP_COLOR
    {32882, nullptr, "delete-point"},                        // ID_DELETE_POINT
    {32884, nullptr, "insert-name-tag"},                     // ID_INSERT_NAME_TAG
    {32885, nullptr, "insert-email-tag"},                    // ID_INSERT_EMAIL_TAG
    {32886, nullptr, "new-email-template"},                  // ID_NEW_EMAIL_TEMPLATE
    {32887, nullptr, "download-template"},                   // ID_DOWNLOAD_TEMPLATE
    {32888, nullptr, "upload-template"},                     // ID_UPLOAD_TEMPLATE
    {32889, nullptr, "splash-screen"},                       // ID_SPLASH_SCREEN
    {57634, "edit-copy", "clipboard-copy"},                  // ID_EDIT_COPY
    {57635, "edit-cut", "edit-cut"},                         // ID_EDIT_CUT
    {57637, "edit-paste", "edit-paste"},                     // ID_EDIT_PASTE
    {57664, "help-about", "help-about"},                     // ID_APP_ABOUT
    {57665, "application-exit", "application-exit"},         // ID_APP_EXIT
};

const CommandPicture* PictureOf(int commandId)
{
    const auto found = std::find_if(std::begin(Pictures), std::end(Pictures),
                                    [commandId](const CommandPicture& p) { return p.id == commandId; });
    return found == std::end(Pictures) ? nullptr : found;
}

} // namespace

QString CommandIconFile(int commandId)
{
    const CommandPicture* picture = PictureOf(commandId);
    return picture ? QStringLiteral(":/icons/%1.svg").arg(QLatin1String(picture->file)) : QString();
}

QIcon CommandIcon(int commandId)
{
    const CommandPicture* picture = PictureOf(commandId);
    if (!picture)
        return {};
    EnsureUiResources();
    const QIcon own(CommandIconFile(commandId));
    return picture->themeName ? QIcon::fromTheme(QLatin1String(picture->themeName), own) : own;
}

QIcon ApplicationIcon()
{
    EnsureUiResources();
    return QIcon(QStringLiteral(":/icons/korvani.svg"));
}
