#include "app/action_script.h"

#include "ui/frame/command_table.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <vector>

namespace {

// Script coordinates beyond this are surely mistakes, and stay far from int overflow.
constexpr double CoordinateLimit = 1e6;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The first word of text, and the rest after it (trimmed).
std::string_view TakeWord(std::string_view& text)
{
    text = Trim(text);
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end]))
        ++end;
    const std::string_view word = text.substr(0, end);
    text = Trim(text.substr(end));
    return word;
}

std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    for (std::string_view word = TakeWord(text); !word.empty(); word = TakeWord(text))
        words.push_back(word);
    return words;
}

std::string Lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

std::optional<int> ParseInt(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    if (!text.empty() && text.front() == '+')
        return std::nullopt;
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

// A plain decimal number in the C locale ("12", "-3.5"); no hex, no infinity.
std::optional<double> ParseNumber(std::string_view text)
{
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.back())) || text.back() == '.'))
        return std::nullopt;
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// One coordinate; both of a point must agree on "px".
bool ParseCoordinate(std::string_view word, double& value, bool& pixels, std::string& error)
{
    pixels = word.size() > 2 && Lower(word.substr(word.size() - 2)) == "px";
    const std::string_view number = pixels ? word.substr(0, word.size() - 2) : word;
    if (pixels) {
        const std::optional<int> whole = ParseInt(number);
        if (!whole) {
            error = "a pixel coordinate is a whole number: " + Quoted(word);
            return false;
        }
        value = *whole;
    } else {
        const std::optional<double> parsed = ParseNumber(number);
        if (!parsed) {
            error = "not a coordinate: " + Quoted(word);
            return false;
        }
        value = *parsed;
    }
    if (std::fabs(value) > CoordinateLimit) {
        error = "coordinate out of range: " + Quoted(word);
        return false;
    }
    return true;
}

// X Y, then the modifier words shift and ctrl in any order.
bool ParseMouse(const std::vector<std::string_view>& words, ScriptAction& action, std::string& error)
{
    if (words.size() < 3) {
        error = std::string(words[0]) + " needs X and Y";
        return false;
    }
    bool xPixels = false, yPixels = false;
    if (!ParseCoordinate(words[1], action.point.x, xPixels, error) ||
        !ParseCoordinate(words[2], action.point.y, yPixels, error))
        return false;
    if (xPixels != yPixels) {
        error = "write both coordinates in pixels (px) or both in canvas units";
        return false;
    }
    action.point.pixels = xPixels;
    for (std::size_t i = 3; i < words.size(); ++i) {
        const std::string word = Lower(words[i]);
        if (word == "shift")
            action.modifiers |= Qt::ShiftModifier;
        else if (word == "ctrl")
            action.modifiers |= Qt::ControlModifier;
        else {
            error = "unexpected " + Quoted(words[i]) + " (modifiers are shift and ctrl)";
            return false;
        }
    }
    return true;
}

bool ParseTool(std::string_view rest, ScriptAction& action, std::string& error)
{
    const std::vector<std::string_view> words = Words(rest);
    if (words.size() != 1) {
        error = "tool needs one tool name or value";
        return false;
    }
    if (const std::optional<int> value = ToolValueForName(words[0])) {
        action.value = *value;
    } else if (const std::optional<int> number = ParseInt(words[0])) {
        action.value = *number;
    } else {
        error = "unknown tool " + Quoted(words[0]);
        return false;
    }
    return true;
}

bool ParseCommand(std::string_view rest, ScriptAction& action, std::string& error)
{
    const std::vector<std::string_view> words = Words(rest);
    if (words.size() != 1) {
        error = "command needs one command name or code";
        return false;
    }
    if (const std::optional<int> id = FrameCommandIdForName(words[0])) {
        action.value = *id;
        action.isCommandId = true;
    } else if (const std::optional<int> number = ParseInt(words[0])) {
        action.value = *number;
        action.isCommandId = !FrameCommandName(*number).empty();
    } else {
        error = "unknown command " + Quoted(words[0]);
        return false;
    }
    return true;
}

bool ParseKey(std::string_view rest, ScriptAction& action, std::string& error)
{
    const std::vector<std::string_view> words = Words(rest);
    if (words.empty()) {
        error = "key needs a key name";
        return false;
    }
    const std::optional<int> key = ScriptKeyForName(words[0]);
    if (!key) {
        error = "unknown key " + Quoted(words[0]);
        return false;
    }
    action.value = *key;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string word = Lower(words[i]);
        if (word == "shift")
            action.modifiers |= Qt::ShiftModifier;
        else if (word == "ctrl")
            action.modifiers |= Qt::ControlModifier;
        else {
            error = "unexpected " + Quoted(words[i]) + " (modifiers are ctrl and shift)";
            return false;
        }
    }
    return true;
}

// Exactly `digits` hexadecimal digits.
std::optional<std::uint32_t> ParseHex(std::string_view word, std::size_t digits)
{
    std::uint32_t value = 0;
    if (word.size() != digits)
        return std::nullopt;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
    if (ec != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return value;
}

// WIDTH HEIGHT RRGGBB, after the template type when there is one.
bool ParseCanvasAnswer(std::string_view rest, bool withType, ScriptAction& action, std::string& error)
{
    const std::vector<std::string_view> words = Words(rest);
    if (words.empty())
        return true; // cancelled
    const std::size_t first = withType ? 1 : 0;
    CanvasAnswer canvas;
    const std::optional<int> type = withType && !words.empty() ? ParseInt(words[0]) : std::optional<int>(-1);
    const std::optional<int> width = words.size() == first + 3 ? ParseInt(words[first]) : std::nullopt;
    const std::optional<int> height = words.size() == first + 3 ? ParseInt(words[first + 1]) : std::nullopt;
    const std::optional<std::uint32_t> color = words.size() == first + 3 ? ParseHex(words[first + 2], 6) : std::nullopt;
    if (!type || !width || !height || !color || (withType && (*type < 0 || *type > 4))) {
        error = withType ? "answer template needs TYPE-INDEX (0 to 4) WIDTH HEIGHT RRGGBB, or nothing to cancel"
                         : "answer new needs WIDTH HEIGHT RRGGBB, or nothing to cancel";
        return false;
    }
    canvas.templateType = *type;
    canvas.width = *width;
    canvas.height = *height;
    canvas.color = *color;
    action.canvas = canvas;
    return true;
}

// PATH FILTER-INDEX [only-selected]; the path may hold spaces.
bool ParseExportAnswer(std::string_view rest, ScriptAction& action, std::string& error)
{
    ExportAnswer answer;
    std::size_t space = rest.find_last_of(" \t");
    if (space != std::string_view::npos && Lower(rest.substr(space + 1)) == "only-selected") {
        answer.onlySelected = true;
        rest = Trim(rest.substr(0, space));
        space = rest.find_last_of(" \t");
    }
    const std::optional<int> index =
        space == std::string_view::npos ? std::nullopt : ParseInt(rest.substr(space + 1));
    if (!index || *index < 0 || *index > 3) {
        error = "answer export needs PATH FILTER-INDEX (0 to 3) [only-selected], or nothing to cancel";
        return false;
    }
    answer.filterIndex = *index;
    answer.path = std::string(Trim(rest.substr(0, space)));
    action.exportFile = std::move(answer);
    return true;
}

bool ParseAnswer(std::string_view rest, ScriptAction& action, std::string& error)
{
    const std::string dialog = Lower(TakeWord(rest));
    if (dialog == "color" || dialog == "colour") {
        action.kind = ScriptAction::Kind::AnswerColor;
        if (rest.empty())
            return true;
        action.color = ParseHex(rest, 8);
        if (!action.color)
            error = "answer color needs AARRGGBB (8 hexadecimal digits), or nothing to cancel";
        return bool(action.color);
    }
    if (dialog == "fill") {
        action.kind = ScriptAction::Kind::AnswerFill;
        const std::string word = Lower(rest);
        if (word == "text" || word == "graphic" || word == "both")
            action.fill = UniformFillAnswer{word != "text", word != "graphic"};
        else if (!word.empty()) {
            error = "answer fill needs text, graphic or both, or nothing to cancel";
            return false;
        }
        return true;
    }
    if (dialog == "new") {
        action.kind = ScriptAction::Kind::AnswerNew;
        return ParseCanvasAnswer(rest, false, action, error);
    }
    if (dialog == "template") {
        action.kind = ScriptAction::Kind::AnswerTemplate;
        return ParseCanvasAnswer(rest, true, action, error);
    }
    if (dialog == "capture") {
        action.kind = ScriptAction::Kind::AnswerCapture;
        if (!rest.empty())
            action.text = std::string(rest);
        return true;
    }
    if (dialog == "start") {
        action.kind = ScriptAction::Kind::AnswerStart;
        const std::optional<int> choice = ParseInt(rest);
        if (!choice || *choice < -1 || *choice > 4) {
            error = "answer start needs a choice from 0 to 4, or -1 for none";
            return false;
        }
        action.value = *choice;
        return true;
    }
    if (dialog == "progress") {
        action.kind = ScriptAction::Kind::AnswerProgress;
        const std::string_view word = rest.substr(0, rest.find_first_of(" \t"));
        const std::optional<int> steps = ParseInt(Trim(rest.substr(word.size())));
        if (Lower(word) != "cancel-after" || !steps || *steps < 0) {
            error = "answer progress needs cancel-after STEPS (0 or more)";
            return false;
        }
        action.value = *steps;
        return true;
    }
    if (dialog == "message") {
        action.kind = ScriptAction::Kind::AnswerMessage;
        const std::string word = Lower(rest);
        if (word == "ok")
            action.answer = MessageAnswer::Ok;
        else if (word == "cancel")
            action.answer = MessageAnswer::Cancel;
        else if (word == "yes")
            action.answer = MessageAnswer::Yes;
        else if (word == "no")
            action.answer = MessageAnswer::No;
        else {
            error = "answer message needs ok, cancel, yes or no";
            return false;
        }
        return true;
    }
    if (dialog == "text") {
        action.kind = ScriptAction::Kind::AnswerText;
        if (!rest.empty())
            action.text = std::string(rest);
        return true;
    }
    if (dialog == "file") {
        action.kind = ScriptAction::Kind::AnswerFile;
        if (rest.empty())
            return true;
        FileDialogAnswer file;
        // A last word that is a number is the filter index.
        const std::size_t space = rest.find_last_of(" \t");
        const std::optional<int> index =
            space == std::string_view::npos ? std::nullopt : ParseInt(rest.substr(space + 1));
        if (index) {
            if (*index < 0) {
                error = "a filter index counts from 0";
                return false;
            }
            file.filterIndex = *index;
            rest = Trim(rest.substr(0, space));
        }
        file.path = std::string(rest);
        action.file = std::move(file);
        return true;
    }
    if (dialog == "export") {
        action.kind = ScriptAction::Kind::AnswerExport;
        return rest.empty() || ParseExportAnswer(rest, action, error);
    }
    error = "answer needs message, text, file, export, color, fill, new, template, capture, start or progress";
    return false;
}

struct SettingName
{
    std::string_view name;
    ScriptSetting setting;
    enum { Number, Whole, Text } value;
};

constexpr SettingName SettingNames[] = {
    {"x", ScriptSetting::X, SettingName::Number},
    {"y", ScriptSetting::Y, SettingName::Number},
    {"width", ScriptSetting::Width, SettingName::Number},
    {"height", ScriptSetting::Height, SettingName::Number},
    {"rotation", ScriptSetting::Rotation, SettingName::Number},
    {"line-width", ScriptSetting::LineWidth, SettingName::Number},
    {"dash", ScriptSetting::Dash, SettingName::Whole},
    {"font-name", ScriptSetting::FontName, SettingName::Text},
    {"font-size", ScriptSetting::FontSize, SettingName::Whole},
    {"wrap", ScriptSetting::Wrap, SettingName::Whole},
    {"stop-position", ScriptSetting::StopPosition, SettingName::Number},
    {"angle", ScriptSetting::Angle, SettingName::Number},
    {"name", ScriptSetting::Name, SettingName::Text},
};

// set NAME VALUE; a name or font name is the rest of the line as written.
bool ParseSet(std::string_view rest, ScriptAction& action, std::string& error)
{
    const std::string_view word = TakeWord(rest);
    const std::string name = Lower(word);
    const auto found = std::find_if(std::begin(SettingNames), std::end(SettingNames),
                                    [&name](const SettingName& entry) { return entry.name == name; });
    if (found == std::end(SettingNames)) {
        error = word.empty() ? "set needs what to set and a value" : "nothing to set named " + Quoted(word);
        return false;
    }
    action.setting = found->setting;
    if (rest.empty()) {
        error = "set " + name + " needs a value";
        return false;
    }
    if (found->value == SettingName::Text) {
        action.text = std::string(rest);
        return true;
    }
    const std::optional<double> number =
        found->value == SettingName::Whole ? std::optional<double>(ParseInt(rest)) : ParseNumber(rest);
    if (!number) {
        error = "set " + name + (found->value == SettingName::Whole ? " needs a whole number: " : " needs a number: ") +
                Quoted(rest);
        return false;
    }
    action.number = *number;
    return true;
}

// expect-command NAME enabled|disabled [checked|unchecked]
bool ParseExpectCommand(std::string_view rest, ScriptAction& action, std::string& error)
{
    const std::vector<std::string_view> words = Words(rest);
    const std::string usage = "expect-command needs a command and enabled or disabled, then checked or unchecked if wanted";
    if (words.size() < 2 || words.size() > 3) {
        error = usage;
        return false;
    }
    if (const std::optional<int> id = FrameCommandIdForName(words[0])) {
        action.value = *id;
    } else if (const std::optional<int> number = ParseInt(words[0]); number && !FrameCommandName(*number).empty()) {
        action.value = *number;
    } else {
        error = "unknown command " + Quoted(words[0]);
        return false;
    }
    const std::string state = Lower(words[1]);
    const std::string check = words.size() == 3 ? Lower(words[2]) : "";
    if ((state != "enabled" && state != "disabled") || (!check.empty() && check != "checked" && check != "unchecked")) {
        error = usage;
        return false;
    }
    action.enabled = state == "enabled";
    if (!check.empty())
        action.checked = check == "checked";
    return true;
}

struct KeyName
{
    std::string_view name;
    int key;
};

constexpr KeyName KeyNames[] = {
    {"left", Qt::Key_Left},         {"right", Qt::Key_Right}, {"up", Qt::Key_Up},
    {"down", Qt::Key_Down},         {"pageup", Qt::Key_PageUp}, {"pagedown", Qt::Key_PageDown},
    {"home", Qt::Key_Home},         {"end", Qt::Key_End},     {"delete", Qt::Key_Delete},
};

} // namespace

std::optional<int> ScriptKeyForName(std::string_view name)
{
    if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0])))
        return Qt::Key_A + (std::toupper(static_cast<unsigned char>(name[0])) - 'A');
    const std::string lower = Lower(name);
    for (const KeyName& entry : KeyNames) {
        if (entry.name == lower)
            return entry.key;
    }
    return std::nullopt;
}

bool ParseScriptLine(std::string_view line, std::optional<ScriptAction>& action, std::string& error)
{
    action.reset();
    std::string_view rest = Trim(line);
    if (rest.empty() || rest.front() == '#')
        return true;
    const std::string_view verb = TakeWord(rest);
    const std::string name = Lower(verb);
    ScriptAction parsed;
    bool ok = true;
    if (name == "tool") {
        parsed.kind = ScriptAction::Kind::Tool;
        ok = ParseTool(rest, parsed, error);
    } else if (name == "command") {
        parsed.kind = ScriptAction::Kind::Command;
        ok = ParseCommand(rest, parsed, error);
    } else if (name == "press" || name == "move" || name == "release" || name == "dblclick") {
        parsed.kind = name == "press" ? ScriptAction::Kind::Press
            : name == "move"          ? ScriptAction::Kind::Move
            : name == "release"       ? ScriptAction::Kind::Release
                                      : ScriptAction::Kind::DoubleClick;
        std::vector<std::string_view> words = Words(rest);
        words.insert(words.begin(), verb);
        ok = ParseMouse(words, parsed, error);
    } else if (name == "key") {
        parsed.kind = ScriptAction::Kind::Key;
        ok = ParseKey(rest, parsed, error);
    } else if (name == "zoom") {
        parsed.kind = ScriptAction::Kind::Zoom;
        std::string_view number = rest;
        if (!number.empty() && number.back() == '%')
            number.remove_suffix(1);
        const std::optional<double> percent = ParseNumber(number);
        if (!percent) {
            error = "zoom needs a percentage";
            ok = false;
        } else {
            parsed.percent = *percent;
        }
    } else if (name == "answer") {
        ok = ParseAnswer(rest, parsed, error);
    } else if (name == "save" || name == "export") {
        parsed.kind = name == "save" ? ScriptAction::Kind::Save : ScriptAction::Kind::Export;
        if (rest.empty()) {
            error = name + " needs a file name";
            ok = false;
        }
        parsed.text = std::string(rest);
    } else if (name == "expect-message") {
        parsed.kind = ScriptAction::Kind::ExpectMessage;
        if (rest.empty()) {
            error = "expect-message needs the text of the message";
            ok = false;
        }
        parsed.text = std::string(rest);
    } else if (name == "set") {
        parsed.kind = ScriptAction::Kind::Set;
        ok = ParseSet(rest, parsed, error);
    } else if (name == "expect-command") {
        parsed.kind = ScriptAction::Kind::ExpectCommand;
        ok = ParseExpectCommand(rest, parsed, error);
    } else {
        error = "unknown action " + Quoted(verb);
        ok = false;
    }
    if (ok)
        action = std::move(parsed);
    return ok;
}
