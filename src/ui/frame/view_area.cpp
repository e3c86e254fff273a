#include "ui/frame/view_area.h"

#include "ui/frame/frame_notices.h"
#include "ui/frame/host_mapping.h"
#include "ui/dialogs/choose_color_dialog.h"
#include "ui/dialogs/export_dialog.h"
#include "ui/dialogs/file_progress_dialog.h"
#include "ui/dialogs/input_text_dialog.h"
#include "ui/dialogs/new_canvas_dialog.h"
#include "ui/dialogs/new_template_dialog.h"
#include "ui/dialogs/screen_capture_window.h"
#include "ui/dialogs/startup_chooser.h"
#include "ui/dialogs/uniform_fill_dialog.h"
#include "view/korvani_view.h"

#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>

#include <algorithm>

// A modal dialog needs the mouse: a grab held for a drag is let go while it
// runs and taken again afterwards if the view still holds the capture.
class ViewArea::ModalScope
{
public:
    explicit ModalScope(ViewArea& area) : area(area)
    {
        if (area.modalDepth++ == 0 && area.grabbing)
            area.viewport()->releaseMouse();
    }
    ~ModalScope()
    {
        if (--area.modalDepth != 0 || !area.grabbing)
            return;
        if (area.viewport()->isVisible())
            area.viewport()->grabMouse();
        // The button may have come up while the dialog had the mouse; the
        // view hears of it once the call that opened the dialog is over.
        QTimer::singleShot(0, &area, [target = &area] { target->EndDragWithoutButton(); });
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    ViewArea& area;
};

// The view is in the middle of the work: what reaches it meanwhile would act
// on a half-done state. No event is let through before the window shows, and
// it is modal; the input handlers below check the depth too.
class ViewArea::ProgressScope final : public ProgressReporter
{
public:
    ProgressScope(ViewArea& area, const QString& title) : area(area), modal(area), dialog(title, area.window())
    {
        ++area.progressDepth;
    }
    ~ProgressScope() override { --area.progressDepth; }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    bool Step(std::int64_t done, std::int64_t total) override { return dialog.Step(done, total); }

private:
    ViewArea& area;
    ModalScope modal;
    FileProgressDialog dialog;
};

ViewArea::ViewArea(CKorvaniDoc& document, FrameNotices* frameNotices, QWidget* parent)
    : QAbstractScrollArea(parent), frame(frameNotices)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    // The view paints every pixel of what it is asked to paint.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setAutoFillBackground(false);
    // Moves without a button feed the cursor and the ruler markers.
    viewport()->setMouseTracking(true);
    view = std::make_unique<CKorvaniView>(document, *this);
    view->OnResize(viewport()->width(), viewport()->height());
    // Between events the view draws ahead on a worker; a short interval
    // notices a finished piece soon without spinning while it is drawn.
    drawAheadTimer = new QTimer(this);
    drawAheadTimer->setInterval(4);
    connect(drawAheadTimer, &QTimer::timeout, this, [this] {
        // A dialog or file work may be changing the drawing: wait for it.
        if (modalDepth > 0 || progressDepth > 0)
            return;
        if (!view->DrawAhead())
            drawAheadTimer->stop();
    });
}

ViewArea::~ViewArea()
{
    // The view calls back while it goes: it must go while this widget is whole.
    view.reset();
}

bool ViewArea::OpenDrawing(const std::string& path)
{
    openingPath = &path;
    const bool opened = view->OpenDrawing(path);
    openingPath = nullptr;
    return opened;
}

// --- dialogs ---

MessageAnswer ViewArea::ShowMessage(const MessageRequest& request)
{
    QString text = QString::fromStdString(request.text);
    if (openingPath && request.text.find(*openingPath) == std::string::npos)
        text = QStringLiteral("Cannot open %1: %2").arg(QString::fromStdString(*openingPath), text);
    ModalScope modal(*this);
    QMessageBox box(MessageBoxIcon(request.icon), QStringLiteral("Korvani"), text, MessageBoxButtons(request.buttons),
                    window());
    const auto clicked = static_cast<QMessageBox::StandardButton>(box.exec());
    return AnswerForButton(clicked, request.buttons);
}

std::optional<std::string> ViewArea::AskText(const TextInputRequest& request)
{
    ModalScope modal(*this);
    InputTextDialog dialog(window());
    dialog.SetText(QString::fromStdString(request.text));
    dialog.SetPosition(request.screenPosition);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Text().toStdString();
}

std::optional<ArgbColor> ViewArea::AskColor(ArgbColor initial)
{
    ModalScope modal(*this);
    ChooseColorDialog dialog(window());
    dialog.SetColor(initial);
    dialog.SetPicker([&dialog] { return PickScreenColour(&dialog); });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Color();
}

std::optional<UniformFillAnswer> ViewArea::AskUniformFill()
{
    ModalScope modal(*this);
    UniformFillDialog dialog(window());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return UniformFillAnswer{dialog.Graphic(), dialog.Text()};
}

std::optional<CanvasAnswer> ViewArea::AskNewCanvas()
{
    ModalScope modal(*this);
    NewCanvasDialog dialog(window());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return CanvasAnswer{dialog.CanvasWidth(), dialog.CanvasHeight(), dialog.CanvasColor(), -1};
}

std::optional<CanvasAnswer> ViewArea::AskNewTemplate()
{
    ModalScope modal(*this);
    NewTemplateDialog dialog(window());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return CanvasAnswer{dialog.CanvasWidth(), dialog.CanvasHeight(), dialog.CanvasColor(), dialog.TemplateIndex()};
}

std::optional<std::string> ViewArea::AskCapture()
{
    ModalScope modal(*this);
    return CaptureScreenRegion(window());
}

int ViewArea::AskStartChoice()
{
    ModalScope modal(*this);
    StartupChooser chooser(window());
    chooser.exec();
    return chooser.Choice();
}

std::optional<FileDialogAnswer> ViewArea::AskFile(const FileDialogRequest& request)
{
    ModalScope modal(*this);
    QFileDialog dialog(window());
    const bool saving = request.kind == FileDialogKind::Save;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    const QStringList filters = NameFiltersFor(request.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FileDialogAnswer{dialog.selectedFiles().front().toStdString(),
                            NameFilterIndex(filters, dialog.selectedNameFilter())};
}

std::optional<ExportAnswer> ViewArea::AskExport(const std::string& filter)
{
    ModalScope modal(*this);
    CExportDlg dialog(NameFiltersFor(filter), window());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ExportAnswer{dialog.selectedFiles().front().toStdString(), dialog.FilterIndex(), dialog.OnlySelects()};
}

PrintOutcome ViewArea::Print(const PrintJob& job)
{
    ModalScope modal(*this);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(job.title));
    printer.setPageOrientation(job.size.width() > job.size.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, window());
    if (dialog.exec() != QDialog::Accepted)
        return {};
    QPainter painter;
    if (!painter.begin(&printer))
        return {false, "the printer could not be started"};
    // The painter's origin is the top-left corner of the printable area.
    job.paint(painter, QRectF(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size()));
    painter.end();
    if (printer.printerState() == QPrinter::Error)
        return {false, "the printer reported an error"};
    return {true, {}};
}

std::unique_ptr<ProgressReporter> ViewArea::BeginProgress(const std::string& title)
{
    return std::make_unique<ProgressScope>(*this, QString::fromStdString(title));
}

// --- the window ---

void ViewArea::CaptureMouse()
{
    grabbing = true;
    if (modalDepth == 0 && viewport()->isVisible())
        viewport()->grabMouse();
    ShowCursorShape();
}

void ViewArea::ReleaseMouse()
{
    if (grabbing && modalDepth == 0)
        viewport()->releaseMouse();
    grabbing = false;
    ShowCursorShape();
}

void ViewArea::SetCursor(int id)
{
    cursorId = id;
    ShowCursorShape();
}

void ViewArea::EndDragWithoutButton()
{
    if (modalDepth > 0 || !view->HasCapture() || QGuiApplication::mouseButtons().testFlag(Qt::LeftButton))
        return;
    if (grabbing)
        viewport()->releaseMouse();
    grabbing = false;
    view->OnCaptureLost();
    ShowCursorShape();
}

void ViewArea::ShowCursorShape()
{
    // The hand closes while it holds the canvas.
    const Qt::CursorShape shape = grabbing && cursorId == CursorHand ? Qt::ClosedHandCursor : CursorShapeFor(cursorId);
    if (viewport()->cursor().shape() != shape)
        viewport()->setCursor(shape);
}

void ViewArea::RequestRepaint()
{
    viewport()->update();
}

void ViewArea::RequestRepaint(const QRect& clientRect)
{
    viewport()->update(clientRect);
}

bool ViewArea::RequestDrawAhead()
{
    if (!drawAheadTimer->isActive())
        drawAheadTimer->start();
    return true;
}

void ViewArea::SetScrollSizes(int width, int height)
{
    scrollSize = QSize(std::max(width, 0), std::max(height, 0));
    // A new canvas starts at its top-left corner.
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    UpdateScrollBars();
}

void ViewArea::UpdateScrollBars()
{
    const QSize client = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setPageStep(std::max(1, client.width()));
    v->setPageStep(std::max(1, client.height()));
    h->setSingleStep(std::max(1, scrollSize.width() / 100));
    v->setSingleStep(std::max(1, scrollSize.height() / 100));
    h->setRange(0, std::max(0, scrollSize.width() - client.width()));
    v->setRange(0, std::max(0, scrollSize.height() - client.height()));
}

QPoint ViewArea::ClientToScreen(QPoint client)
{
    return viewport()->mapToGlobal(client);
}

QPoint ViewArea::CursorScreenPosition()
{
    return QCursor::pos();
}

ArgbColor ViewArea::ScreenPixelColor(QPoint point)
{
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return ColorOpaqueBlack;
    const QPoint local = point - screen->geometry().topLeft();
    const QImage pixel = screen->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
    if (pixel.isNull())
        return ColorOpaqueBlack;
    return 0xFF000000u | (pixel.pixel(0, 0) & 0x00FFFFFFu);
}

void ViewArea::OpenWebPage(const std::string& url)
{
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

// --- notifications, on to the frame ---

void ViewArea::SelectionChanged(DrawItem* selection)
{
    if (frame)
        frame->OnSelectionChanged(selection);
}

void ViewArea::ToolChanged(int tool)
{
    if (frame)
        frame->OnToolChanged(tool);
}

void ViewArea::ZoomChanged(float zoom)
{
    shownZoom = zoom;
    if (frame)
        frame->OnZoomChanged(zoom);
}

void ViewArea::ItemsPanelRebuild(DrawItem* selection)
{
    if (frame)
        frame->OnItemsChanged(selection);
}

void ViewArea::ItemsPanelMark(DrawItem* selection)
{
    if (frame)
        frame->OnItemsMark(selection);
}

void ViewArea::GradientBarValues(int position, int angle, int wrapMode)
{
    if (frame)
        frame->OnGradientValues(position, angle, wrapMode);
}

// --- events, on to the view ---

void ViewArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    view->Paint(painter, event->region());
    painter.end();
    // Zoom steps and the zoom box change the zoom without a notice; the frame hears of it here.
    if (view->Zoom() != shownZoom)
        ZoomChanged(view->Zoom());
}

void ViewArea::resizeEvent(QResizeEvent*)
{
    UpdateScrollBars();
    view->OnResize(viewport()->width(), viewport()->height());
    // The margins follow the scroll bars where they stand, so the picture
    // agrees with them after the window changed size.
    if (horizontalScrollBar()->value() != 0)
        view->OnHorizontalScroll(horizontalScrollBar()->value());
    if (verticalScrollBar()->value() != 0)
        view->OnVerticalScroll(verticalScrollBar()->value());
}

void ViewArea::scrollContentsBy(int dx, int dy)
{
    if (dx != 0)
        view->OnHorizontalScroll(horizontalScrollBar()->value());
    if (dy != 0)
        view->OnVerticalScroll(verticalScrollBar()->value());
}

void ViewArea::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || progressDepth > 0)
        return;
    setFocus(Qt::MouseFocusReason);
    view->OnLeftButtonDown(event->position().toPoint(), event->modifiers());
}

void ViewArea::mouseMoveEvent(QMouseEvent* event)
{
    if (progressDepth > 0)
        return;
    view->OnMouseMove(event->position().toPoint(), event->modifiers());
}

void ViewArea::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || progressDepth > 0)
        return;
    view->OnLeftButtonUp(event->position().toPoint(), event->modifiers());
}

void ViewArea::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || progressDepth > 0)
        return;
    view->OnLeftButtonDoubleClick(event->position().toPoint(), event->modifiers());
}

void ViewArea::keyPressEvent(QKeyEvent* event)
{
    // Every key goes to the view, arrows and page keys included: they move
    // and reorder the selection rather than scroll.
    if (progressDepth == 0)
        view->OnKeyDown(event->key());
    event->accept();
}

void ViewArea::keyReleaseEvent(QKeyEvent* event)
{
    // A held key repeats its press only, as the view expects.
    if (!event->isAutoRepeat())
        view->OnKeyUp(event->key());
    event->accept();
}

void ViewArea::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    if (modalDepth > 0)
        return;
    // The key-up of a Ctrl let go in another window never comes here.
    if (view->CtrlHeld())
        view->OnKeyUp(Qt::Key_Control);
    // Focus went to another window: a drag whose button came up meanwhile ends without a commit.
    if (event->reason() != Qt::PopupFocusReason)
        EndDragWithoutButton();
}
