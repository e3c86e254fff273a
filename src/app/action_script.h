#pragma once

// The vocabulary of `korvani --actions`: one editing action a line, as a user
// would perform it on the view. README.md lists the words.

#include "view/view_host.h"

#include <Qt>

#include <optional>
#include <string>
#include <string_view>

// A point in canvas units, or in client pixels when written with "px".
struct ScriptPoint
{
    double x = 0;
    double y = 0;
    bool pixels = false;
};

// The values `set` hands to the view's setters.
enum class ScriptSetting {
    X,
    Y,
    Width,
    Height,
    Rotation,
    LineWidth,
    Dash,
    FontName,
    FontSize,
    Wrap,
    StopPosition,
    Angle,
    Name,
};

struct ScriptAction
{
    enum class Kind {
        Tool,          // value: the tool value
        Command,       // value: a command id when isCommandId, else a DoCommand code
        Press,
        Move,
        Release,
        DoubleClick,
        Key,           // value: the Qt::Key
        Zoom,          // percent
        AnswerMessage, // answer
        AnswerText,    // text; nullopt: the user cancels
        AnswerFile,    // file; nullopt: the user cancels
        AnswerExport,  // exportFile; nullopt: the user cancels
        AnswerColor,   // color; nullopt: the user cancels
        AnswerFill,    // fill; nullopt: the user cancels
        AnswerNew,     // canvas; nullopt: the user cancels
        AnswerTemplate, // canvas with its template type; nullopt: the user cancels
        AnswerCapture, // text: the picture's path; nullopt: the user cancels
        AnswerStart,   // value: the choice, -1 for none
        AnswerProgress, // value: the steps after which the next long file work is cancelled
        Save,          // text: the path
        Export,        // text: the path
        ExpectMessage, // text: the message
        Set,           // setting; number, or text for the names
        ExpectCommand, // value: the command id; enabled, and checked when given
    };
    Kind kind = Kind::Tool;
    int value = 0;
    bool isCommandId = false;
    ScriptPoint point;
    Qt::KeyboardModifiers modifiers;
    double percent = 0;
    MessageAnswer answer = MessageAnswer::Ok;
    std::optional<std::string> text;
    std::optional<FileDialogAnswer> file;
    std::optional<ExportAnswer> exportFile;
    std::optional<ArgbColor> color;
    std::optional<UniformFillAnswer> fill;
    std::optional<CanvasAnswer> canvas;
    ScriptSetting setting = ScriptSetting::X;
    double number = 0;
    bool enabled = false;
    std::optional<bool> checked;
};

// Reads one line of a script. A blank line or one whose first non-blank
// character is # gives no action; a line that is not an action gives false
// and the reason.
bool ParseScriptLine(std::string_view line, std::optional<ScriptAction>& action, std::string& error);

// Qt::Key of a key name (Left, PageUp, Delete, A to Z...), without regard to case.
std::optional<int> ScriptKeyForName(std::string_view name);
