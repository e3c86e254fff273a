#pragma once

// The pictures of the menu and bar commands.

#include <QIcon>
#include <QString>

// The items panel's lock and hide marks. No menu or bar issues these ids.
inline constexpr int LockCommandId = 32796;
inline constexpr int HideCommandId = 32797;

// The picture of a command: the desktop theme's icon where a standard name
// fits, and the program's own where none does or the theme lacks it. Null
// for ids that show no picture (the bars' control slots, the show-and-hide
// entries, which carry a check mark instead).
QIcon CommandIcon(int commandId);

// The program's own picture of a command (":/icons/NAME.svg"), which stands
// in for the theme's; empty when the command shows none.
QString CommandIconFile(int commandId);

// The program's own icon, for its windows and its desktop entry.
QIcon ApplicationIcon();
