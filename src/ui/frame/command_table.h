#pragma once

// The names and tool tips of the frame's command ids and the names of the
// tools, for whatever shows them or reads them back (the bars, the headless
// actions runner).

#include <optional>
#include <span>
#include <string_view>

struct FrameCommand
{
    int id;
    std::string_view name; // with its ID_ prefix
    std::string_view tip = {}; // the bar button's tool tip; empty for none
};

// Every command id of the menus and bars, in id order.
std::span<const FrameCommand> FrameCommands();

// The id of a command name, compared without regard to case, with or
// without its ID_ prefix ("ID_GROUP", "group").
std::optional<int> FrameCommandIdForName(std::string_view name);
// The name of an id with its prefix; empty for an unknown id.
std::string_view FrameCommandName(int id);
// The tool tip of an id; empty for ids that show none.
std::string_view FrameCommandTip(int id);

// Tool kinds by name ("Select", "ZoomIn"), without regard to case.
std::optional<int> ToolValueForName(std::string_view name);
// The name of a tool value; empty for a value that is no tool.
std::string_view ToolName(int value);
