#pragma once

// The window system without a window: dialogs answer from queues filled ahead
// of them, every request and notice is recorded, and the first request that
// nothing provided for is kept as the failure (it is then answered as a
// cancel). Scripted editing (korvani --actions) and the tests drive the view
// through it.

#include "view/view_host.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class ScriptedHost : public ViewHost
{
public:
    ScriptedHost() = default;
    ScriptedHost(const ScriptedHost&) = delete;
    ScriptedHost& operator=(const ScriptedHost&) = delete;

    // --- answers, each for the next dialog of its kind; line: where it came
    // from (a script line), for the report of what was never asked for ---
    void QueueMessageAnswer(MessageAnswer answer, int line = 0) { messageAnswers.push_back({answer, line}); }
    // nullopt: the user cancels.
    void QueueText(std::optional<std::string> text, int line = 0) { textAnswers.push_back({std::move(text), line}); }
    void QueueFile(std::optional<FileDialogAnswer> file, int line = 0) { fileAnswers.push_back({std::move(file), line}); }
    void QueueExport(std::optional<ExportAnswer> a, int line = 0) { exportAnswers.push_back({std::move(a), line}); }
    void QueueColor(std::optional<ArgbColor> color, int line = 0) { colorAnswers.push_back({color, line}); }
    void QueueUniformFill(std::optional<UniformFillAnswer> a, int line = 0) { fillAnswers.push_back({a, line}); }
    void QueueNewCanvas(std::optional<CanvasAnswer> a, int line = 0) { newAnswers.push_back({a, line}); }
    void QueueNewTemplate(std::optional<CanvasAnswer> a, int line = 0) { templateAnswers.push_back({a, line}); }
    void QueueCapture(std::optional<std::string> path, int line = 0) { captureAnswers.push_back({std::move(path), line}); }
    void QueueStartChoice(int choice, int line = 0) { startAnswers.push_back({choice, line}); }
    // The user cancels the next long file work after it reported steps steps.
    void QueueProgressCancel(int steps, int line = 0) { progressCancels.push_back({steps, line}); }
    // The next message box must show exactly text.
    void ExpectMessage(std::string text, int line = 0) { expectedMessages.push_back({std::move(text), line}); }
    // When set, a message box with only an OK button needs an expectation or
    // an answer too (a script must say what it expects to be told).
    bool strictMessages = false;

    // Empty while every request was provided for.
    const std::string& Failure() const { return failure; }
    // The first queued answer or expectation that nothing asked for.
    struct Leftover
    {
        int line = 0;
        std::string what;
    };
    std::optional<Leftover> FirstLeftover() const;

    // --- the window as the host pretends it is ---
    QPoint clientOrigin{0, 0}; // the client's origin on the screen
    QPoint cursorScreenPosition{0, 0};
    // Read for a screen point outside the painted client, or when nothing paints it.
    ArgbColor screenPixel = ColorOpaqueWhite;
    // Paints the client as the view shows it. When set, a screen pixel over
    // the client is read from the last painted image, as a real screen shows
    // it; a repaint asked for since then is done first.
    std::function<QImage()> paintClient;

    // --- what was asked ---
    std::vector<MessageRequest> messages;
    std::vector<TextInputRequest> textRequests;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<ArgbColor> colorRequests;
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
    // Print requests by title; each job is painted onto printedPage, a white
    // page of printPageSize, and answered with printAnswer.
    std::vector<std::string> printTitles;
    QSize printPageSize{200, 100};
    QImage printedPage;
    PrintOutcome printAnswer{true, {}};
    struct Progress
    {
        std::string title;
        std::vector<std::int64_t> done; // each step's, in order
        std::int64_t total = 0;         // of the last step
        bool cancelled = false;
        bool ended = false;
    };
    std::vector<Progress> progress;

    // Texts of the message boxes shown, in order.
    std::vector<std::string> MessageTexts() const;
    int Cursor() const { return cursors.empty() ? CursorArrow : cursors.back(); }

    // --- ViewHost ---
    MessageAnswer ShowMessage(const MessageRequest& request) override;
    std::optional<std::string> AskText(const TextInputRequest& request) override;
    std::optional<FileDialogAnswer> AskFile(const FileDialogRequest& request) override;
    std::optional<ExportAnswer> AskExport(const std::string& filter) override;
    std::optional<ArgbColor> AskColor(ArgbColor initial) override;
    std::optional<UniformFillAnswer> AskUniformFill() override;
    std::optional<CanvasAnswer> AskNewCanvas() override;
    std::optional<CanvasAnswer> AskNewTemplate() override;
    std::optional<std::string> AskCapture() override;
    int AskStartChoice() override;
    PrintOutcome Print(const PrintJob& job) override;
    std::unique_ptr<ProgressReporter> BeginProgress(const std::string& title) override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    void SetCursor(int cursorId) override { cursors.push_back(cursorId); }
    void RequestRepaint() override
    {
        ++repaints;
        paintedStale = true;
    }
    void RequestRepaint(const QRect& clientRect) override
    {
        partialRepaints.push_back(clientRect);
        paintedStale = true;
    }
    void SetScrollSizes(int width, int height) override { scrollSizes = QSize(width, height); }
    QPoint ClientToScreen(QPoint client) override { return client + clientOrigin; }
    QPoint CursorScreenPosition() override { return cursorScreenPosition; }
    ArgbColor ScreenPixelColor(QPoint screen) override;
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

protected:
    // Called with each failure as it happens (the first is also kept).
    virtual void Failed(const std::string&) {}

private:
    template <typename T>
    struct Queued
    {
        T value;
        int line = 0;
    };
    template <typename T>
    using Queue = std::deque<Queued<T>>;

    void Fail(std::string why);
    // The next answer of a queue; a failure naming the dialog, and nullopt, when there is none.
    template <typename T>
    std::optional<T> Take(Queue<T>& queue, const std::string& dialog);

    Queue<MessageAnswer> messageAnswers;
    Queue<std::optional<std::string>> textAnswers;
    Queue<std::optional<FileDialogAnswer>> fileAnswers;
    Queue<std::optional<ExportAnswer>> exportAnswers;
    Queue<std::optional<ArgbColor>> colorAnswers;
    Queue<std::optional<UniformFillAnswer>> fillAnswers;
    Queue<std::optional<CanvasAnswer>> newAnswers;
    Queue<std::optional<CanvasAnswer>> templateAnswers;
    Queue<std::optional<std::string>> captureAnswers;
    Queue<int> startAnswers;
    Queue<int> progressCancels;
    Queue<std::string> expectedMessages;
    std::string failure;
    QImage painted;
    bool paintedStale = true;
};
