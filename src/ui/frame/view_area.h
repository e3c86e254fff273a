#pragma once

// The scrolling client area of the main window. It hosts the editing view
// over the application's document: mouse, keys, resizing, scrolling and
// painting go to the view, and the view's requests to the window system
// (dialogs, capture, cursors, repaints, scroll sizes, the screen) are
// answered here with real Qt. The view's notifications go on to the frame.

#include "view/view_host.h"

#include <QAbstractScrollArea>
#include <QPointF>
#include <QSize>

#include <memory>
#include <string>

class CKorvaniDoc;
class CKorvaniView;
class FrameNotices;
class QTimer;

class ViewArea : public QAbstractScrollArea, public ViewHost
{
    Q_OBJECT
public:
    // frame may be null: the notifications then go nowhere.
    ViewArea(CKorvaniDoc& document, FrameNotices* frame, QWidget* parent = nullptr);
    ~ViewArea() override;

    CKorvaniView& View() { return *view; }

    // Opens a drawing as the Open command does once a file is chosen; a
    // file that cannot be opened is named in the message and leaves the
    // drawing as it was.
    bool OpenDrawing(const std::string& path);

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
    void SetCursor(int cursorId) override;
    void RequestRepaint() override;
    void RequestRepaint(const QRect& clientRect) override;
    bool RequestDrawAhead() override;
    void SetScrollSizes(int width, int height) override;
    QPoint ClientToScreen(QPoint client) override;
    QPoint CursorScreenPosition() override;
    ArgbColor ScreenPixelColor(QPoint screen) override;
    void OpenWebPage(const std::string& url) override;
    void SelectionChanged(DrawItem* selection) override;
    void ToolChanged(int tool) override;
    void ZoomChanged(float zoom) override;
    void ItemsPanelRebuild(DrawItem* selection) override;
    void ItemsPanelMark(DrawItem* selection) override;
    void GradientBarValues(int position, int angle, int wrapMode) override;

    // The cursor id the view asked for last.
    int CursorId() const { return cursorId; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Lets a modal dialog have the mouse while the view holds the capture.
    class ModalScope;
    // Long file work shown in a progress window; input waits for its end.
    class ProgressScope;

    void UpdateScrollBars();
    // A drag whose button is no longer down ends without a commit.
    void EndDragWithoutButton();
    void ShowCursorShape();
    // The wheel's scrolling and zooming (view_area_wheel.cpp).
    void ScrollByWheel(QPoint pixels, QPoint angle);
    void ZoomByWheel(int angle, QPointF position);

    FrameNotices* frame;
    std::unique_ptr<CKorvaniView> view;
    QSize scrollSize;
    int cursorId = CursorArrow;
    bool grabbing = false;
    int modalDepth = 0;
    int progressDepth = 0;
    float shownZoom = 0;
    QTimer* drawAheadTimer = nullptr;
    // What fine wheels and touchpads turned short of a whole pixel or zoom step.
    QPointF wheelScrollRest;
    int wheelZoomRest = 0;
    // Set while OpenDrawing runs: its messages name the file.
    const std::string* openingPath = nullptr;
};
