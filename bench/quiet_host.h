#pragma once

// A window system for the benchmarks that answers nothing, shows nothing and
// records nothing, so that a long run does not grow.

#include "view/view_host.h"

class QuietHost : public ViewHost
{
public:
    MessageAnswer ShowMessage(const MessageRequest&) override { return MessageAnswer::Ok; }
    std::optional<std::string> AskText(const TextInputRequest&) override { return std::nullopt; }
    std::optional<FileDialogAnswer> AskFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<ExportAnswer> AskExport(const std::string&) override { return std::nullopt; }
    std::optional<ArgbColor> AskColor(ArgbColor) override { return std::nullopt; }
    std::optional<UniformFillAnswer> AskUniformFill() override { return std::nullopt; }
    std::optional<CanvasAnswer> AskNewCanvas() override { return std::nullopt; }
    std::optional<CanvasAnswer> AskNewTemplate() override { return std::nullopt; }
    std::optional<std::string> AskCapture() override { return std::nullopt; }
    int AskStartChoice() override { return -1; }
    std::unique_ptr<ProgressReporter> BeginProgress(const std::string&) override { return nullptr; }
    void CaptureMouse() override {}
    void ReleaseMouse() override {}
    void SetCursor(int cursor) override { lastCursor = cursor; }
    void RequestRepaint() override {}
    void RequestRepaint(const QRect&) override {}
    // As the window does when drawAhead is set: the bench calls DrawAhead between events.
    bool RequestDrawAhead() override { return drawAhead; }
    void SetScrollSizes(int, int) override {}
    QPoint ClientToScreen(QPoint p) override { return p; }
    QPoint CursorScreenPosition() override { return {}; }
    ArgbColor ScreenPixelColor(QPoint) override { return ColorOpaqueBlack; }
    void OpenWebPage(const std::string&) override {}
    void SelectionChanged(DrawItem*) override {}
    void ToolChanged(int) override {}
    void ZoomChanged(float) override {}
    void ItemsPanelRebuild(DrawItem*) override {}
    void ItemsPanelMark(DrawItem*) override {}
    void GradientBarValues(int, int, int) override {}

    int lastCursor = 0;
    bool drawAhead = false;
};
