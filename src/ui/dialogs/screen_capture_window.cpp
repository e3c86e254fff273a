#include "ui/dialogs/screen_capture_window.h"

// The one tie to the working-file module; it may move to another folder.
#include "platform/temp_files.h"

#include <QBuffer>
#include <QCursor>
#include <QFile>
#include <QIcon>
#include <QImageWriter>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>

namespace {

const char* const RegionHint = "Press enter key to insert the selected image into canvas";

QCursor ModeCursor(ScreenCaptureWindow::Mode mode)
{
    const bool colour = mode == ScreenCaptureWindow::Mode::Colour;
    const QString path = colour ? QStringLiteral(":/cursors/eyedropper.svg") : QStringLiteral(":/cursors/crosshair.svg");
    if (!QFile::exists(path)) // the pictures live in the program's resources, not in every binary
        return Qt::CrossCursor;
    return colour ? QCursor(QIcon(path).pixmap(16, 16), 0, 15) : QCursor(QIcon(path).pixmap(32, 32), 16, 16);
}

// Whether the capture can go ahead; says so when the screen cannot be copied.
bool Frozen(const FrozenScreen& frozen, QWidget* parent)
{
    if (!frozen.picture.isNull())
        return true;
    if (!frozen.declined)
        QMessageBox::information(parent, QStringLiteral("Korvani"),
                                 QObject::tr("Screen capture is not available in this session"));
    return false;
}

} // namespace

ScreenCaptureWindow::ScreenCaptureWindow(Mode mode, FrozenScreen frozenScreen, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), mode(mode),
      frozen(std::move(frozenScreen))
{
    setWindowTitle(tr("Screen capture"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(mode == Mode::Colour);
    setCursor(ModeCursor(mode));
    // Every monitor at once, so any part of the desktop can be taken.
    setGeometry(frozen.desktop);
}

QPoint ScreenCaptureWindow::PictureOrigin() const
{
    return mapFromGlobal(frozen.desktop.topLeft());
}

Rgb ScreenCaptureWindow::PixelAt(QPoint windowPoint) const
{
    const QPoint at = windowPoint - PictureOrigin();
    if (!frozen.picture.valid(at))
        return {};
    const QRgb c = frozen.picture.pixel(at);
    return {qRed(c), qGreen(c), qBlue(c)};
}

void ScreenCaptureWindow::Track(QPoint windowPoint)
{
    current = windowPoint;
    const Rgb c = PixelAt(current);
    infoText = QString::asprintf("r:%d g:%d b:%d", c.red, c.green, c.blue);
    update();
}

QRect ScreenCaptureWindow::DragRect() const
{
    return {QPoint(std::min(anchor.x(), current.x()), std::min(anchor.y(), current.y())),
            QSize(std::abs(current.x() - anchor.x()), std::abs(current.y() - anchor.y()))};
}

void ScreenCaptureWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    anchor = current = mapFromGlobal(QCursor::pos());
    if (mode == Mode::Colour)
        Track(current);
    activateWindow();
}

void ScreenCaptureWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(PictureOrigin(), frozen.picture);
    const QFontMetrics metrics = fontMetrics();
    if (mode == Mode::Colour) {
        const QRect box(current, QSize(metrics.horizontalAdvance(infoText) + 6, metrics.height() + 2));
        painter.setPen(Qt::black);
        painter.setBrush(QColor(255, 255, 225));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.drawText(box, Qt::AlignCenter, infoText);
        return;
    }
    const QRect drag = DragRect();
    if (drag.width() < 5 || drag.height() < 5)
        return;
    // Dots over white show on any picture.
    painter.setPen(Qt::white);
    painter.drawRect(drag.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(drag.adjusted(0, 0, -1, -1));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.drawText(current + QPoint(0, metrics.ascent()), tr(RegionHint));
}

void ScreenCaptureWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    if (mode == Mode::Colour) {
        Track(point);
        picked = PixelAt(point);
        accept();
        return;
    }
    anchor = current = point;
    dragging = true;
    update();
}

void ScreenCaptureWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (mode == Mode::Colour) {
        Track(event->position().toPoint());
    } else if (dragging) {
        current = event->position().toPoint();
        update();
    }
}

void ScreenCaptureWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !dragging)
        return;
    current = event->position().toPoint();
    dragging = false;
    region = DragRect();
    update();
}

void ScreenCaptureWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mode == Mode::Colour)
            picked = PixelAt(current); // what the box shows, rather than a colour never seen
        else if (region.width() > 4 && region.height() > 4)
            WriteRegion();
        accept();
        return;
    case Qt::Key_Escape: reject(); return;
    default: QDialog::keyPressEvent(event);
    }
}

void ScreenCaptureWindow::WriteRegion()
{
    if (frozen.picture.isNull()) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("DC Not Found"));
        return;
    }
    const QImage part = frozen.picture.copy(region.translated(-PictureOrigin()));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (QImageWriter(&buffer, "bmp").write(part))
        capturedFile = WriteTempFile(std::size_t(bytes.size()), bytes.constData());
    if (capturedFile.empty())
        QMessageBox::warning(this, windowTitle(), tr("The captured picture could not be written to a working file."));
}

std::optional<Rgb> PickScreenColour(QWidget* parent, const ScreenGrabber& grab)
{
    FrozenScreen frozen = grab();
    if (!Frozen(frozen, parent))
        return std::nullopt;
    ScreenCaptureWindow window(ScreenCaptureWindow::Mode::Colour, std::move(frozen), parent);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.PickedColour();
}

std::optional<std::string> CaptureScreenRegion(QWidget* parent, const ScreenGrabber& grab)
{
    FrozenScreen frozen = grab();
    if (!Frozen(frozen, parent))
        return std::nullopt;
    ScreenCaptureWindow window(ScreenCaptureWindow::Mode::Region, std::move(frozen), parent);
    if (window.exec() != QDialog::Accepted || window.CapturedFile().empty())
        return std::nullopt;
    return window.CapturedFile();
}
