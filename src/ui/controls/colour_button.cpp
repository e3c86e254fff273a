#include "ui/controls/colour_button.h"

#include "ui/frame/resources.h"

#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionFrame>
#include <QToolButton>

#include <algorithm>
#include <cstdio>

namespace palette {

QRgb CellColor(int column, int row)
{
    static constexpr int Greys[Rows] = {255, 232, 209, 186, 163, 140, 117, 94, 71, 48, 23, 0};
    if (column == 0)
        return qRgb(Greys[row], Greys[row], Greys[row]);
    const int k = column - 1;
    return qRgb(51 * (3 * (row / 6) + k / 6), 51 * (k % 6), 51 * (row % 6));
}

int CellAt(QPoint p)
{
    if (p.x() < 0 || p.y() < 0)
        return -1;
    const int column = p.x() / Cell, row = p.y() / Cell;
    if (column >= Columns || row >= Rows || p.x() % Cell == Cell - 1 || p.y() % Cell == Cell - 1)
        return -1;
    return Columns * row + column;
}

QPoint Placement(const QRect& button, const QRect& screen)
{
    int x = button.left(), y = button.bottom() + 1;
    if (x + Size.width() > screen.right() + 1)
        x = screen.right() + 1 - Size.width();
    if (y + Size.height() > screen.bottom() + 1)
        y -= Size.height();
    y = std::min(y, screen.bottom() + 1 - Size.height());
    return {std::max(x, screen.left()), std::max(y, screen.top())};
}

} // namespace palette

namespace {

QString ColorName(QRgb c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", qRed(c), qGreen(c), qBlue(c));
    return QString::fromLatin1(text);
}

QCursor PickCursor()
{
    // Hot spot at the dropper's tip, the bottom-left pixel.
    EnsureUiResources();
    return QCursor(QIcon(QStringLiteral(":/cursors/eyedropper.svg")).pixmap(16, 16), 0, 15);
}

} // namespace

// --- the button ---

ColourButton::ColourButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::pressed, this, &ColourButton::OpenPalette);
}

ColourButton::~ColourButton()
{
    delete palette;
}

void ColourButton::SetColor(QRgb c)
{
    c |= 0xFF000000u;
    const bool changed = c != color;
    color = c;
    if (textWindow)
        textWindow->setText(ColorName(c));
    update();
    if (changed)
        emit ColorChanged(c);
}

void ColourButton::SetTextWindow(QLabel* label)
{
    textWindow = label;
    if (label)
        label->setText(ColorName(color));
}

void ColourButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.frameShape = QFrame::Panel;
    frame.state |= QStyle::State_Sunken;
    frame.lineWidth = 2;
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
    painter.fillRect(rect().adjusted(3, 3, -14, -3), QColor::fromRgb(color));
    // A small arrow near the right edge: the palette drops down.
    const int x = width() - 10, y = height() / 2 - 1;
    const QPoint arrow[3] = {{x, y}, {x + 6, y}, {x + 3, y + 3}};
    painter.setBrush(Qt::black);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(arrow, 3);
}

void ColourButton::OpenPalette()
{
    if (palette)
        return;
    palette = new ColourPalette(color, this);
    const QRect global(mapToGlobal(QPoint(0, 0)), size());
    const QScreen* screen = this->screen();
    palette->move(palette::Placement(global, screen ? screen->geometry() : QRect(0, 0, 1920, 1080)));
    connect(palette, &ColourPalette::Chosen, this, [this](QRgb c) {
        palette->close();
        SetColor(c);
    });
    connect(palette, &ColourPalette::MoreWanted, this, [this] {
        palette->close();
        MoreColours();
    });
    palette->show();
    setDown(false);
    update();
}

void ColourButton::MoreColours()
{
    const QColor chosen = QColorDialog::getColor(QColor::fromRgb(color), this);
    if (chosen.isValid())
        SetColor(chosen.rgb());
}

// --- the palette ---

ColourPalette::ColourPalette(QRgb current, QWidget* parent)
    : QWidget(parent, Qt::Popup), current(current)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(palette::Size);
    setMouseTracking(true);
    setCursor(PickCursor());
    auto* button = new QToolButton(this);
    button->setGeometry(167, 126, 16, 16);
    button->setText(QStringLiteral("…"));
    button->setToolTip(tr("More colours"));
    connect(button, &QToolButton::clicked, this, &ColourPalette::MoreWanted);
    more = button;
}

void ColourPalette::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().dark().color());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    for (int row = 0; row < palette::Rows; ++row)
        for (int column = 0; column < palette::Columns; ++column)
            painter.fillRect(column * palette::Cell, row * palette::Cell, palette::Cell - 1, palette::Cell - 1,
                             QColor::fromRgb(palette::CellColor(column, row)));
    QRgb shown = current;
    if (hot >= 0) {
        const int column = hot % palette::Columns, row = hot / palette::Columns;
        shown = palette::CellColor(column, row);
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(column * palette::Cell - 1, row * palette::Cell - 1, palette::Cell, palette::Cell);
    }
    const int top = palette::Rows * palette::Cell + 4;
    painter.fillRect(4, top, 30, 20, QColor::fromRgb(shown));
    painter.setPen(palette().text().color());
    painter.drawText(QRect(40, top, 120, 20), Qt::AlignVCenter | Qt::AlignLeft, ColorName(shown));
}

void ColourPalette::mouseMoveEvent(QMouseEvent* event)
{
    const int cell = palette::CellAt(event->position().toPoint());
    if (cell != hot) {
        hot = cell;
        update();
    }
}

void ColourPalette::mouseReleaseEvent(QMouseEvent* event)
{
    // The release of the press that opened the palette lands outside it;
    // a press outside closes the palette (Qt does that for pop-ups).
    const int cell = palette::CellAt(event->position().toPoint());
    if (cell >= 0)
        emit Chosen(palette::CellColor(cell % palette::Columns, cell / palette::Columns));
}
