#include "view/scripted_host.h"

#include <QPainter>

namespace {

const char* AnswerWord(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Ok: return "ok";
    case MessageAnswer::Cancel: return "cancel";
    case MessageAnswer::Yes: return "yes";
    case MessageAnswer::No: return "no";
    }
    return "?";
}

bool Offers(MessageButtons buttons, MessageAnswer answer)
{
    switch (buttons) {
    case MessageButtons::Ok: return answer == MessageAnswer::Ok;
    case MessageButtons::OkCancel: return answer == MessageAnswer::Ok || answer == MessageAnswer::Cancel;
    case MessageButtons::YesNo: return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
    case MessageButtons::YesNoCancel: return answer != MessageAnswer::Ok;
    }
    return false;
}

// What a box answers when it is closed without a choice.
MessageAnswer Dismissed(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok: return MessageAnswer::Ok;
    case MessageButtons::YesNo: return MessageAnswer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel: break;
    }
    return MessageAnswer::Cancel;
}

} // namespace

void ScriptedHost::Fail(std::string why)
{
    Failed(why);
    if (failure.empty())
        failure = std::move(why);
}

template <typename T>
std::optional<T> ScriptedHost::Take(Queue<T>& queue, const std::string& dialog)
{
    if (!failure.empty())
        return std::nullopt;
    if (queue.empty()) {
        Fail(dialog + " with no queued answer");
        return std::nullopt;
    }
    T value = std::move(queue.front().value);
    queue.pop_front();
    return value;
}

std::vector<std::string> ScriptedHost::MessageTexts() const
{
    std::vector<std::string> texts;
    for (const MessageRequest& m : messages)
        texts.push_back(m.text);
    return texts;
}

MessageAnswer ScriptedHost::ShowMessage(const MessageRequest& request)
{
    messages.push_back(request);
    const std::string shown = "\"" + request.text + "\"";
    if (!failure.empty())
        return Dismissed(request.buttons);

    bool expected = false;
    if (!expectedMessages.empty()) {
        const Queued<std::string> expectation = std::move(expectedMessages.front());
        expectedMessages.pop_front();
        if (expectation.value != request.text) {
            Fail("expected the message \"" + expectation.value + "\" (line " + std::to_string(expectation.line) +
                 "), got " + shown);
            return Dismissed(request.buttons);
        }
        expected = true;
    }
    // A box that only informs asks nothing, unless the script must say what it expects.
    if (request.buttons == MessageButtons::Ok && (expected || !strictMessages))
        return MessageAnswer::Ok;
    if (!messageAnswers.empty()) {
        const MessageAnswer answer = messageAnswers.front().value;
        messageAnswers.pop_front();
        if (!Offers(request.buttons, answer)) {
            Fail("the message " + shown + " has no " + AnswerWord(answer) + " button");
            return Dismissed(request.buttons);
        }
        return answer;
    }
    Fail(expected ? "the message " + shown + " asks a question: queue its answer with answer message"
                  : "a message box with no queued answer: " + shown);
    return Dismissed(request.buttons);
}

std::optional<std::string> ScriptedHost::AskText(const TextInputRequest& request)
{
    textRequests.push_back(request);
    return Take(textAnswers, "a text dialog (its text \"" + request.text + "\")").value_or(std::nullopt);
}

std::optional<FileDialogAnswer> ScriptedHost::AskFile(const FileDialogRequest& request)
{
    fileRequests.push_back(request);
    return Take(fileAnswers, "a file dialog (filter \"" + request.filter + "\")").value_or(std::nullopt);
}

std::optional<ExportAnswer> ScriptedHost::AskExport(const std::string& filter)
{
    return Take(exportAnswers, "the export dialog (filter \"" + filter + "\")").value_or(std::nullopt);
}

std::optional<ArgbColor> ScriptedHost::AskColor(ArgbColor initial)
{
    colorRequests.push_back(initial);
    return Take(colorAnswers, "a colour dialog").value_or(std::nullopt);
}

std::optional<UniformFillAnswer> ScriptedHost::AskUniformFill()
{
    return Take(fillAnswers, "the uniform fill dialog").value_or(std::nullopt);
}

std::optional<CanvasAnswer> ScriptedHost::AskNewCanvas()
{
    return Take(newAnswers, "the New dialog").value_or(std::nullopt);
}

std::optional<CanvasAnswer> ScriptedHost::AskNewTemplate()
{
    return Take(templateAnswers, "the New Template dialog").value_or(std::nullopt);
}

std::optional<std::string> ScriptedHost::AskCapture()
{
    return Take(captureAnswers, "the screen capture window").value_or(std::nullopt);
}

int ScriptedHost::AskStartChoice()
{
    return Take(startAnswers, "the start-up chooser").value_or(-1);
}

PrintOutcome ScriptedHost::Print(const PrintJob& job)
{
    printTitles.push_back(job.title);
    printedPage = QImage(printPageSize, QImage::Format_ARGB32_Premultiplied);
    printedPage.fill(Qt::white);
    if (job.paint) {
        QPainter painter(&printedPage);
        job.paint(painter, QRectF(QPointF(0, 0), QSizeF(printPageSize)));
    }
    return printAnswer;
}

namespace {

// Records into the host's list by index: the list may grow while a reporter lives.
class RecordedProgress final : public ProgressReporter
{
public:
    RecordedProgress(std::vector<ScriptedHost::Progress>& list, std::optional<int> cancelAfter)
        : list(list), index(list.size() - 1), cancelAfter(cancelAfter)
    {
    }
    ~RecordedProgress() override { list[index].ended = true; }

    bool Step(std::int64_t done, std::int64_t total) override
    {
        ScriptedHost::Progress& p = list[index];
        if (p.cancelled)
            return false;
        p.done.push_back(done);
        p.total = total;
        p.cancelled = cancelAfter && std::int64_t(p.done.size()) > *cancelAfter;
        return !p.cancelled;
    }

private:
    std::vector<ScriptedHost::Progress>& list;
    std::size_t index;
    std::optional<int> cancelAfter;
};

} // namespace

std::unique_ptr<ProgressReporter> ScriptedHost::BeginProgress(const std::string& title)
{
    progress.push_back({title, {}, 0, false, false});
    std::optional<int> cancelAfter;
    if (!progressCancels.empty()) {
        cancelAfter = progressCancels.front().value;
        progressCancels.pop_front();
    }
    return std::make_unique<RecordedProgress>(progress, cancelAfter);
}

ArgbColor ScriptedHost::ScreenPixelColor(QPoint screen)
{
    if (!paintClient)
        return screenPixel;
    if (paintedStale || painted.isNull()) {
        painted = paintClient();
        paintedStale = false;
    }
    const QPoint client = screen - clientOrigin;
    if (!painted.rect().contains(client))
        return screenPixel;
    // The screen has no transparency.
    return ColorOpaqueBlack | (painted.pixel(client) & 0x00FFFFFFu);
}

void ScriptedHost::CaptureMouse()
{
    if (captured)
        Fail("the mouse was captured twice");
    captured = true;
    ++captures;
}

void ScriptedHost::ReleaseMouse()
{
    if (!captured)
        Fail("the mouse was released without a capture");
    captured = false;
    ++releases;
}

std::optional<ScriptedHost::Leftover> ScriptedHost::FirstLeftover() const
{
    std::optional<Leftover> first;
    const auto consider = [&first](const auto& queue, const std::string& what) {
        if (!queue.empty() && (!first || queue.front().line < first->line))
            first = Leftover{queue.front().line, what};
    };
    consider(messageAnswers, "no message box asked for this answer");
    consider(textAnswers, "no text dialog asked for this answer");
    consider(fileAnswers, "no file dialog asked for this answer");
    consider(exportAnswers, "no export dialog asked for this answer");
    consider(colorAnswers, "no colour dialog asked for this answer");
    consider(fillAnswers, "no uniform fill dialog asked for this answer");
    consider(newAnswers, "no New dialog asked for this answer");
    consider(templateAnswers, "no New Template dialog asked for this answer");
    consider(captureAnswers, "no screen capture asked for this answer");
    consider(startAnswers, "no start-up chooser asked for this answer");
    consider(progressCancels, "no long file work was there to cancel");
    if (!expectedMessages.empty() && (!first || expectedMessages.front().line < first->line))
        first = Leftover{expectedMessages.front().line,
                         "the message \"" + expectedMessages.front().value + "\" was never shown"};
    return first;
}
