#include "app/script_host.h"

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

void ScriptHost::QueueMessageAnswer(MessageAnswer answer, int line)
{
    messageAnswers.push_back({answer, line});
}

void ScriptHost::QueueText(std::optional<std::string> text, int line)
{
    textAnswers.push_back({std::move(text), line});
}

void ScriptHost::QueueFile(std::optional<FileDialogAnswer> file, int line)
{
    fileAnswers.push_back({std::move(file), line});
}

void ScriptHost::ExpectMessage(std::string text, int line)
{
    expectedMessages.push_back({std::move(text), line});
}

void ScriptHost::Fail(std::string why)
{
    if (failure.empty())
        failure = std::move(why);
}

MessageAnswer ScriptHost::ShowMessage(const MessageRequest& request)
{
    messages.push_back(request.text);
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
    if (!messageAnswers.empty()) {
        const MessageAnswer answer = messageAnswers.front().value;
        messageAnswers.pop_front();
        if (!Offers(request.buttons, answer)) {
            Fail("the message " + shown + " has no " + AnswerWord(answer) + " button");
            return Dismissed(request.buttons);
        }
        return answer;
    }
    if (expected && request.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    Fail(expected ? "the message " + shown + " asks a question: queue its answer with answer message"
                  : "a message box with no queued answer: " + shown);
    return Dismissed(request.buttons);
}

std::optional<std::string> ScriptHost::AskText(const TextInputRequest& request)
{
    if (!failure.empty())
        return std::nullopt;
    if (textAnswers.empty()) {
        Fail("a text dialog with no queued answer (its text \"" + request.text + "\")");
        return std::nullopt;
    }
    std::optional<std::string> answer = std::move(textAnswers.front().value);
    textAnswers.pop_front();
    return answer;
}

std::optional<FileDialogAnswer> ScriptHost::AskFile(const FileDialogRequest& request)
{
    if (!failure.empty())
        return std::nullopt;
    if (fileAnswers.empty()) {
        Fail("a file dialog with no queued answer (filter \"" + request.filter + "\")");
        return std::nullopt;
    }
    std::optional<FileDialogAnswer> answer = std::move(fileAnswers.front().value);
    fileAnswers.pop_front();
    return answer;
}

std::optional<ScriptHost::Leftover> ScriptHost::FirstLeftover() const
{
    std::optional<Leftover> first;
    const auto consider = [&first](int line, std::string what) {
        if (!first || line < first->line)
            first = Leftover{line, std::move(what)};
    };
    if (!messageAnswers.empty())
        consider(messageAnswers.front().line, "no message box asked for this answer");
    if (!textAnswers.empty())
        consider(textAnswers.front().line, "no text dialog asked for this answer");
    if (!fileAnswers.empty())
        consider(fileAnswers.front().line, "no file dialog asked for this answer");
    if (!expectedMessages.empty())
        consider(expectedMessages.front().line, "the message \"" + expectedMessages.front().value + "\" was never shown");
    return first;
}
