#include "app/actions_runner.h"

#include "app/command_line.h"
#include "view/scripted_host.h"
#include "document/korvani_doc.h"
#include "ui/frame/command_table.h"
#include "view/korvani_view.h"
#include "view/view_codes.h"

#include <QFile>

#include <cmath>
#include <functional>
#include <limits>

namespace {

// One axis of ScriptPointToClient: mapsTo gives the canvas coordinate of a pixel.
bool AxisPixel(double ideal, double target, const std::function<float(int)>& mapsTo, int reach, int& pixel)
{
    const int nearest = int(std::lround(ideal));
    pixel = nearest;
    if (target != std::trunc(target))
        return true;
    // Nearest first, then outwards: truncation gives each unit a span of pixels.
    for (int step = 0; step <= reach; ++step) {
        for (const int candidate : {nearest - step, nearest + step}) {
            if (double(mapsTo(candidate)) == target) {
                pixel = candidate;
                return true;
            }
        }
    }
    return false;
}

std::string FormatNumber(double value)
{
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

class ActionsRun
{
public:
    ActionsRun(const std::string& scriptName, std::string& error) : scriptName(scriptName), error(error)
    {
        // A script says what it expects to be told.
        host.strictMessages = true;
        // A pixel read from the screen (a gradient stop's colour) is what the view painted.
        host.paintClient = [this] { return view.PaintClient(); };
        view.OnResize(ActionsClientWidth, ActionsClientHeight);
    }

    bool Open(const std::string& input)
    {
        if (view.OpenDrawing(input))
            return true;
        std::string why = host.messages.empty() ? "cannot open it" : host.messages.back().text;
        error = why.find(input) == std::string::npos ? input + ": " + why : why;
        return false;
    }

    bool RunScript(std::string_view text)
    {
        int lineNumber = 0;
        while (!text.empty()) {
            ++lineNumber;
            const std::size_t end = text.find('\n');
            const std::string_view line = text.substr(0, end);
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
            std::optional<ScriptAction> action;
            std::string why;
            if (!ParseScriptLine(line, action, why))
                return FailAt(lineNumber, why);
            if (!action)
                continue;
            if (!Perform(*action, lineNumber, why))
                return FailAt(lineNumber, why);
            if (!host.Failure().empty())
                return FailAt(lineNumber, host.Failure());
        }
        if (const std::optional<ScriptedHost::Leftover> left = host.FirstLeftover())
            return FailAt(left->line, left->what);
        return true;
    }

    bool Export(const std::string& output)
    {
        // An open curve left by the script is part of what it drew.
        view.FinishConstruction();
        const Canvas& canvas = view.GetCanvas();
        return ExportDocument(doc, {canvas.width, canvas.height, canvas.color}, output, error) == 0;
    }

private:
    bool FailAt(int line, const std::string& why)
    {
        error = scriptName + ":" + std::to_string(line) + ": " + why;
        return false;
    }

    bool Client(const ScriptPoint& point, QPoint& client, std::string& why)
    {
        if (!ScriptPointToClient(view, point, client, why))
            return false;
        host.cursorScreenPosition = host.ClientToScreen(client);
        return true;
    }

    bool RunCommand(const ScriptAction& action, std::string& why)
    {
        if (!action.isCommandId) {
            view.DoCommand(action.value);
            return true;
        }
        if (view.DoMenuCommand(action.value))
            return true;
        why = std::string(FrameCommandName(action.value)) + " is not a command of the view";
        return false;
    }

    void PressKey(int key, Qt::KeyboardModifiers modifiers)
    {
        // The modifiers go down first and up last, as on a keyboard.
        const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
        const bool shift = modifiers.testFlag(Qt::ShiftModifier);
        if (ctrl)
            view.OnKeyDown(Qt::Key_Control);
        if (shift)
            view.OnKeyDown(Qt::Key_Shift);
        view.OnKeyDown(key);
        view.OnKeyUp(key);
        if (shift)
            view.OnKeyUp(Qt::Key_Shift);
        if (ctrl)
            view.OnKeyUp(Qt::Key_Control);
    }

    void ApplySetting(const ScriptAction& action)
    {
        // A number no float holds reaches the view as NaN, which every setter refuses.
        const float value = std::fabs(action.number) <= std::numeric_limits<float>::max()
                                ? float(action.number)
                                : std::numeric_limits<float>::quiet_NaN();
        const std::int32_t whole = std::int32_t(action.number); // parsed as an int
        switch (action.setting) {
        case ScriptSetting::X: view.SetItemX(value); break;
        case ScriptSetting::Y: view.SetItemY(value); break;
        case ScriptSetting::Width: view.SetItemWidth(value); break;
        case ScriptSetting::Height: view.SetItemHeight(value); break;
        case ScriptSetting::Rotation: view.SetItemRotation(value); break;
        case ScriptSetting::LineWidth: view.SetLineWidth(value); break;
        case ScriptSetting::Dash: view.SetDashStyle(whole); break;
        case ScriptSetting::FontName: view.SetFontName(*action.text); break;
        case ScriptSetting::FontSize: view.SetFontSize(whole); break;
        case ScriptSetting::Wrap: view.SetGradientWrap(whole); break;
        case ScriptSetting::StopPosition: view.SetStopPosition(value); break;
        case ScriptSetting::Angle: view.SetGradientAngle(value); break;
        case ScriptSetting::Name: view.RenameSelection(*action.text); break;
        }
    }

    bool CheckCommand(const ScriptAction& action, std::string& why)
    {
        const CommandUpdate state = view.CommandState(action.value);
        if (state.enabled == action.enabled && (!action.checked || state.checked == *action.checked))
            return true;
        why = std::string(FrameCommandName(action.value)) + " is " + (state.enabled ? "enabled" : "disabled") +
              (state.checked ? " and checked" : " and unchecked") + ", expected " +
              (action.enabled ? "enabled" : "disabled") +
              (action.checked ? (*action.checked ? " and checked" : " and unchecked") : "");
        return false;
    }

    bool Perform(const ScriptAction& action, int line, std::string& why)
    {
        using Kind = ScriptAction::Kind;
        QPoint client;
        switch (action.kind) {
        case Kind::Tool:
            view.SetTool(action.value);
            return true;
        case Kind::Command:
            return RunCommand(action, why);
        case Kind::Press:
            if (!Client(action.point, client, why))
                return false;
            view.OnLeftButtonDown(client, action.modifiers);
            return true;
        case Kind::Move:
            if (!Client(action.point, client, why))
                return false;
            view.OnMouseMove(client, action.modifiers);
            return true;
        case Kind::Release:
            if (!Client(action.point, client, why))
                return false;
            view.OnLeftButtonUp(client, action.modifiers);
            return true;
        case Kind::DoubleClick:
            if (!Client(action.point, client, why))
                return false;
            // What the window system sends for a double click.
            view.OnLeftButtonDown(client, action.modifiers);
            view.OnLeftButtonUp(client, action.modifiers);
            view.OnLeftButtonDoubleClick(client, action.modifiers);
            view.OnLeftButtonUp(client, action.modifiers);
            return true;
        case Kind::Key:
            PressKey(action.value, action.modifiers);
            return true;
        case Kind::Zoom:
            view.SetZoomPercent(float(action.percent));
            return true;
        case Kind::AnswerMessage:
            host.QueueMessageAnswer(action.answer, line);
            return true;
        case Kind::AnswerText:
            host.QueueText(action.text, line);
            return true;
        case Kind::AnswerFile:
            host.QueueFile(action.file, line);
            return true;
        case Kind::AnswerExport:
            host.QueueExport(action.exportFile, line);
            return true;
        case Kind::AnswerColor:
            host.QueueColor(action.color, line);
            return true;
        case Kind::AnswerFill:
            host.QueueUniformFill(action.fill, line);
            return true;
        case Kind::AnswerNew:
            host.QueueNewCanvas(action.canvas, line);
            return true;
        case Kind::AnswerTemplate:
            host.QueueNewTemplate(action.canvas, line);
            return true;
        case Kind::AnswerCapture:
            host.QueueCapture(action.text, line);
            return true;
        case Kind::AnswerStart:
            host.QueueStartChoice(action.value, line);
            return true;
        case Kind::AnswerProgress:
            host.QueueProgressCancel(action.value, line);
            return true;
        case Kind::Save:
            // A failed save shows its message box, which the script must expect.
            view.SaveDrawing(*action.text);
            return true;
        case Kind::Export: {
            view.FinishConstruction();
            const Canvas& canvas = view.GetCanvas();
            return ExportDocument(doc, {canvas.width, canvas.height, canvas.color}, *action.text, why) == 0;
        }
        case Kind::ExpectMessage:
            host.ExpectMessage(*action.text, line);
            return true;
        case Kind::Set:
            ApplySetting(action);
            return true;
        case Kind::ExpectCommand:
            return CheckCommand(action, why);
        }
        why = "unknown action";
        return false;
    }

    const std::string& scriptName;
    std::string& error;
    ScriptedHost host;
    CKorvaniDoc doc;
    CKorvaniView view{doc, host};
};

} // namespace

bool ScriptPointToClient(const CKorvaniView& view, const ScriptPoint& point, QPoint& client, std::string& error)
{
    if (point.pixels) {
        client = QPoint(int(point.x), int(point.y));
        return true;
    }
    const QPointF ideal = view.ClientPoint({float(point.x), float(point.y)});
    // Far beyond any client: the pixel would not fit in an int.
    if (!(std::fabs(ideal.x()) < 1e8 && std::fabs(ideal.y()) < 1e8)) {
        error = "the point (" + FormatNumber(point.x) + ", " + FormatNumber(point.y) + ") lies too far outside the client";
        return false;
    }
    const int reach = int(std::ceil(view.Zoom())) + 1;
    int x = 0, y = 0;
    const bool xOk = AxisPixel(ideal.x(), point.x, [&view](int px) { return view.CanvasPoint(px, 0).x; }, reach, x);
    const bool yOk = AxisPixel(ideal.y(), point.y, [&view](int py) { return view.CanvasPoint(0, py).y; }, reach, y);
    if (!xOk || !yOk) {
        error = "no pixel maps to the canvas point (" + FormatNumber(point.x) + ", " + FormatNumber(point.y) +
            ") at this zoom; give the point in pixels (px)";
        return false;
    }
    client = QPoint(x, y);
    return true;
}

int RunActions(const std::string& scriptName, std::string_view scriptText, const std::string& input,
               const std::string& output, std::string& error)
{
    // The zoom is the process's: every run starts at 100% and leaves it there.
    struct ZoomReset
    {
        ZoomReset() { ZoomFactor = 1.0f; }
        ~ZoomReset() { ZoomFactor = 1.0f; }
    } zoomReset;
    ActionsRun run(scriptName, error);
    if (!input.empty() && !run.Open(input))
        return 1;
    if (!run.RunScript(scriptText))
        return 1;
    if (!output.empty() && !run.Export(output))
        return 1;
    return 0;
}

int RunActionsFile(const std::string& scriptPath, const std::string& input, const std::string& output,
                   std::string& error)
{
    QFile file(QString::fromStdString(scriptPath));
    if (!file.open(QIODevice::ReadOnly)) {
        error = scriptPath + ": cannot read the script (" + file.errorString().toStdString() + ")";
        return 1;
    }
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = scriptPath + ": cannot read the script (" + file.errorString().toStdString() + ")";
        return 1;
    }
    return RunActions(scriptPath, std::string_view(text.constData(), std::size_t(text.size())), input, output, error);
}
