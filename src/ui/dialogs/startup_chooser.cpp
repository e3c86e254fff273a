#include "ui/dialogs/startup_chooser.h"

#include "ui/frame/resources.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

const std::array<QRect, 5>& StartupChooser::Areas()
{
    static const std::array<QRect, 5> areas{{{56, 19, 141, 125},
                                             {229, 19, 158, 125},
                                             {28, 157, 103, 127},
                                             {147, 157, 141, 126},
                                             {302, 157, 122, 125}}};
    return areas;
}

int StartupChooser::AreaAt(QPoint point)
{
    for (std::size_t i = 0; i < Areas().size(); ++i)
        if (Areas()[i].contains(point))
            return int(i);
    return -1;
}

StartupChooser::StartupChooser(QWidget* parent) : QDialog(parent)
{
    EnsureUiResources();
    setWindowTitle(tr("Korvani"));
    setFixedSize(450, 300);
    setMouseTracking(true);
    // Drawn from the program's own resources: nothing is written anywhere.
    const char* names[6] = {"normal", "new", "template", "open", "download", "upload"};
    for (std::size_t i = 0; i < pictures.size(); ++i)
        pictures[i] = new QSvgRenderer(QStringLiteral(":/startup/%1.svg").arg(QLatin1String(names[i])), this);
}

StartupChooser::~StartupChooser() = default;

void StartupChooser::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    pictures[std::size_t(hover + 1)]->render(&painter, QRectF(0, 0, 450, 300));
}

void StartupChooser::mouseMoveEvent(QMouseEvent* event)
{
    const int under = AreaAt(event->position().toPoint());
    if (under != hover) {
        hover = under;
        setCursor(under >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
        update();
    }
}

void StartupChooser::leaveEvent(QEvent*)
{
    if (hover != -1) {
        hover = -1;
        update();
    }
}

void StartupChooser::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int under = AreaAt(event->position().toPoint());
    if (under < 0)
        return;
    choice = under;
    accept();
}
