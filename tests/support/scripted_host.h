#pragma once

// A ViewHost for tests: dialogs answer from queues filled by the test, every
// request is recorded, and a dialog with no queued answer fails the test.
// Message boxes with only an OK button need no answer: they ask nothing.

#include "view/view_host.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <deque>
#include <optional>
#include <string>
#include <vector>

class ScriptedHost : public ViewHost
{
public:
    ScriptedHost() = default;
    // Fails the test when queued answers were never asked for.
    ~ScriptedHost() override;

    // --- answers ---
    void QueueMessageAnswer(MessageAnswer answer) { messageAnswers.push_back(answer); }
    // nullopt: the user cancels.
    void QueueText(std::optional<std::string> text) { textAnswers.push_back(std::move(text)); }
    void QueueFile(std::optional<FileDialogAnswer> file) { fileAnswers.push_back(std::move(file)); }
    // Where the client origin lies on the screen; the cursor position; the screen's pixels.
    QPoint clientOrigin{100, 200};
    QPoint cursorScreenPosition{0, 0};
    ArgbColor screenPixel = ColorOpaqueBlack;

    // --- what was asked ---
    std::vector<MessageRequest> messages;
    std::vector<TextInputRequest> textRequests;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<int> cursors;
    std::vector<QRect> partialRepaints;
    std::vector<std::string> webPages;
    std::vector<DrawItem*> selectionNotices;
    std::vector<int> toolNotices;
    std::vector<float> zoomNotices;
    struct GradientValues
    {
        int position = 0, angle = 0, wrapMode = 0;
    };
    std::vector<GradientValues> gradientBar;
    int repaints = 0;
    int captures = 0;
    int releases = 0;
    bool captured = false;
    QSize scrollSizes;
    int panelRebuilds = 0;
    int panelMarks = 0;

    // Texts of the message boxes shown, in order.
    std::vector<std::string> MessageTexts() const;
    int Cursor() const { return cursors.empty() ? 0 : cursors.back(); }

    // --- ViewHost ---
    MessageAnswer ShowMessage(const MessageRequest& request) override;
    std::optional<std::string> AskText(const TextInputRequest& request) override;
    std::optional<FileDialogAnswer> AskFile(const FileDialogRequest& request) override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    void SetCursor(int cursorId) override { cursors.push_back(cursorId); }
    void RequestRepaint() override { ++repaints; }
    void RequestRepaint(const QRect& clientRect) override { partialRepaints.push_back(clientRect); }
    void SetScrollSizes(int width, int height) override { scrollSizes = QSize(width, height); }
    QPoint ClientToScreen(QPoint client) override { return client + clientOrigin; }
    QPoint CursorScreenPosition() override { return cursorScreenPosition; }
    ArgbColor ScreenPixelColor(QPoint) override { return screenPixel; }
    void OpenWebPage(const std::string& url) override { webPages.push_back(url); }
    void SelectionChanged(DrawItem* selection) override { selectionNotices.push_back(selection); }
    void ToolChanged(int tool) override { toolNotices.push_back(tool); }
    void ZoomChanged(float zoom) override { zoomNotices.push_back(zoom); }
    void ItemsPanelRebuild(DrawItem*) override { ++panelRebuilds; }
    void ItemsPanelMark(DrawItem*) override { ++panelMarks; }
    void GradientBarValues(int position, int angle, int wrapMode) override
    {
        gradientBar.push_back({position, angle, wrapMode});
    }

private:
    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::optional<std::string>> textAnswers;
    std::deque<std::optional<FileDialogAnswer>> fileAnswers;
};
