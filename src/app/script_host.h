#pragma once

// The window system as a script sees it: dialogs answer from queues that the
// script fills ahead of them, the pointer is where the script last put it,
// the client's origin is the screen's, and there is nothing to paint. The
// first request the script did not provide for is kept as the failure; the
// request itself is then answered as a cancel.

#include "view/view_host.h"

#include <QPoint>

#include <deque>
#include <optional>
#include <string>
#include <vector>

class ScriptHost : public ViewHost
{
public:
    // line: the script line that queued it, for the report of what was never used.
    void QueueMessageAnswer(MessageAnswer answer, int line);
    void QueueText(std::optional<std::string> text, int line);
    void QueueFile(std::optional<FileDialogAnswer> file, int line);
    // The next message box must show text.
    void ExpectMessage(std::string text, int line);

    // Empty while every request was provided for.
    const std::string& Failure() const { return failure; }
    // The first queued answer or expectation that nothing asked for, by script line.
    struct Leftover
    {
        int line = 0;
        std::string what;
    };
    std::optional<Leftover> FirstLeftover() const;

    // Where the script put the pointer, in client (= screen) pixels.
    QPoint pointer;
    bool captured = false;
    int cursor = CursorArrow;
    std::vector<std::string> messages;
    std::vector<std::string> webPages;

    // --- ViewHost ---
    MessageAnswer ShowMessage(const MessageRequest& request) override;
    std::optional<std::string> AskText(const TextInputRequest& request) override;
    std::optional<FileDialogAnswer> AskFile(const FileDialogRequest& request) override;
    void CaptureMouse() override { captured = true; }
    void ReleaseMouse() override { captured = false; }
    void SetCursor(int cursorId) override { cursor = cursorId; }
    void RequestRepaint() override {}
    void RequestRepaint(const QRect&) override {}
    void SetScrollSizes(int, int) override {}
    QPoint ClientToScreen(QPoint client) override { return client; }
    QPoint CursorScreenPosition() override { return pointer; }
    // There is no screen: a blank one.
    ArgbColor ScreenPixelColor(QPoint) override { return ColorOpaqueWhite; }
    void OpenWebPage(const std::string& url) override { webPages.push_back(url); }
    void SelectionChanged(DrawItem*) override {}
    void ToolChanged(int) override {}
    void ZoomChanged(float) override {}
    void ItemsPanelRebuild(DrawItem*) override {}
    void ItemsPanelMark(DrawItem*) override {}
    void GradientBarValues(int, int, int) override {}

private:
    template <typename T>
    struct Queued
    {
        T value;
        int line;
    };

    void Fail(std::string why);

    std::deque<Queued<MessageAnswer>> messageAnswers;
    std::deque<Queued<std::optional<std::string>>> textAnswers;
    std::deque<Queued<std::optional<FileDialogAnswer>>> fileAnswers;
    std::deque<Queued<std::string>> expectedMessages;
    std::string failure;
};
