#include "support/scripted_host.h"

#include <gtest/gtest.h>

ScriptedHost::~ScriptedHost()
{
    if (!messageAnswers.empty() || !textAnswers.empty() || !fileAnswers.empty()) {
        ADD_FAILURE() << "queued answers never asked for: " << messageAnswers.size() << " message, "
                      << textAnswers.size() << " text, " << fileAnswers.size() << " file";
    }
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
    if (request.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (messageAnswers.empty()) {
        ADD_FAILURE() << "message box with no queued answer: \"" << request.text << "\"";
        return MessageAnswer::Cancel;
    }
    const MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedHost::AskText(const TextInputRequest& request)
{
    textRequests.push_back(request);
    if (textAnswers.empty()) {
        ADD_FAILURE() << "text dialog with no queued answer (text \"" << request.text << "\")";
        return std::nullopt;
    }
    std::optional<std::string> answer = std::move(textAnswers.front());
    textAnswers.pop_front();
    return answer;
}

std::optional<FileDialogAnswer> ScriptedHost::AskFile(const FileDialogRequest& request)
{
    fileRequests.push_back(request);
    if (fileAnswers.empty()) {
        ADD_FAILURE() << "file dialog with no queued answer (filter \"" << request.filter << "\")";
        return std::nullopt;
    }
    std::optional<FileDialogAnswer> answer = std::move(fileAnswers.front());
    fileAnswers.pop_front();
    return answer;
}

void ScriptedHost::CaptureMouse()
{
    if (captured)
        ADD_FAILURE() << "mouse captured twice";
    captured = true;
    ++captures;
}

void ScriptedHost::ReleaseMouse()
{
    if (!captured)
        ADD_FAILURE() << "mouse released without a capture";
    captured = false;
    ++releases;
}
