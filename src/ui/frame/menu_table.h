#pragma once

// The menus of the main window: titles, entries and the shortcut each shows,
// and the ids the frame carries out itself.

#include <span>

// Commands of the frame and the application rather than the view.
enum FrameCommandId : int {
    ID_VIEW_COMMAND_BAR = 32850,
    ID_VIEW_TEXT_BAR = 32851,
    ID_VIEW_PROPERTY_BAR = 32852,
    ID_VIEW_LAYER_BAR = 32853,
    ID_VIEW_EDIT_TOOLS = 32863,
    ID_VIEW_GRADIENT_TOOLS = 32875,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_VIEW_TOOLBAR = 59392,
};

struct MenuEntry
{
    // A command id; Separator and RecentFiles stand for what they say.
    int id;
    const char* text = nullptr;
    // The shortcut the entry shows. A bound one is the window's own key;
    // the others are keys the view already acts on, shown but not bound, so
    // that one key press acts once.
    const char* keys = nullptr;
    bool bound = false;

    static constexpr int Separator = 0;
    static constexpr int RecentFiles = -1;
};

struct FrameMenu
{
    const char* title;
    std::span<const MenuEntry> entries;
};

std::span<const FrameMenu> FrameMenus();
