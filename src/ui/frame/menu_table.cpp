#include "ui/frame/menu_table.h"

#include "view/view_codes.h"

namespace {

constexpr MenuEntry FileMenu[] = {
    {ID_NEW_DRAWING, "&New Custom Drawing", "Ctrl+N", true},
    {ID_NEW_EMAIL_TEMPLATE, "New Email/Post &Template"},
    {ID_OPEN_FILE, "&Open", "Ctrl+O", true},
    {ID_SAVE_FILE, "&Save", "Ctrl+S", true},
    {ID_DOWNLOAD_TEMPLATE, "&Download Template"},
    {ID_UPLOAD_TEMPLATE, "&Upload Template"},
    {ID_IMPORT, "&Import"},
    {ID_EXPORT, "&Export"},
    {MenuEntry::Separator},
    {MenuEntry::RecentFiles, "Recent &Files"},
    {MenuEntry::Separator},
    {ID_APP_EXIT, "E&xit"},
};

// Copy, cut and paste (57634, 57635, 57637) are the view's, keyed there like undo.
constexpr MenuEntry EditMenu[] = {
    {ID_UNDO, "&Undo", "Ctrl+Z"},
    {ID_REDO, "&Redo", "Ctrl+Y"},
    {MenuEntry::Separator},
    {ID_DUPLICATE, "&Duplicate", "Ctrl+D"},
    {ID_DELETE, "Delete", "Del"},
    {MenuEntry::Separator},
    {57635, "Cu&t", "Ctrl+X"},
    {57634, "&Copy", "Ctrl+C"},
    {57637, "&Paste", "Ctrl+V"},
};

constexpr MenuEntry ToolsMenu[] = {
    {ID_VIEW_TOOLBAR, "View Tool Bar"},
    {ID_VIEW_COMMAND_BAR, "View Command Bar"},
    {ID_VIEW_TEXT_BAR, "View Text Bar"},
    {ID_VIEW_PROPERTY_BAR, "View Property Bar"},
    {ID_VIEW_LAYER_BAR, "View Layer Bar"},
    {ID_VIEW_EDIT_TOOLS, "View Edit Tools"},
    {ID_VIEW_GRADIENT_TOOLS, "View Gradient Tools"},
};

constexpr MenuEntry EmailTagMenu[] = {
    {ID_INSERT_NAME_TAG, "Insert Name"},
    {ID_INSERT_EMAIL_TAG, "Insert Email"},
};

constexpr MenuEntry HelpMenu[] = {
    {ID_SPLASH_SCREEN, "&Splash Screen"},
    {ID_APP_ABOUT, "&About Korvani"},
};

constexpr FrameMenu Menus[] = {
    {"&File", FileMenu},
    {"&Edit", EditMenu},
    {"&Tools", ToolsMenu},
    {"Em&ail Tag", EmailTagMenu},
    {"&Help", HelpMenu},
};

} // namespace

std::span<const FrameMenu> FrameMenus()
{
    return Menus;
}
