#include "ui/controls/flat_combo_box.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace {

// Highlight on the top and left and shadow on the bottom and right look
// raised; the other way round, pressed in.
void DrawFrame(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    painter.setPen(topLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

} // namespace

CFlatComboBox::CFlatComboBox(QWidget* parent) : QComboBox(parent)
{
    setAttribute(Qt::WA_Hover);
}

void CFlatComboBox::SetFlatLook(bool on)
{
    flatLook = on;
    update();
}

FlatLook CFlatComboBox::Look() const
{
    if (buttonDown)
        return FlatLook::Pressed;
    if (pointerOver || hasFocus() || listOpen)
        return FlatLook::Raised;
    return FlatLook::Flat;
}

void CFlatComboBox::showPopup()
{
    listOpen = true;
    // The open list takes the mouse, so the release never comes here.
    buttonDown = false;
    update();
    QComboBox::showPopup();
}

void CFlatComboBox::hidePopup()
{
    QComboBox::hidePopup();
    listOpen = false;
    // The pointer may have left while the list was open; Qt sends no leave for that.
    pointerOver = rect().contains(mapFromGlobal(QCursor::pos()));
    update();
}

void CFlatComboBox::paintEvent(QPaintEvent* event)
{
    if (!flatLook) {
        QComboBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.frame = false;
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);

    const QColor face = palette().color(QPalette::Button);
    const QColor highlight = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);
    const int arrowWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QRect whole = rect().adjusted(0, 0, -1, -1);
    const QRect arrow(whole.right() - arrowWidth, whole.top() + 1, arrowWidth, whole.height() - 2);
    switch (Look()) {
    case FlatLook::Flat:
        DrawFrame(painter, whole, face, face);
        DrawFrame(painter, arrow, face, face);
        break;
    case FlatLook::Raised:
        DrawFrame(painter, whole, highlight, shadow);
        DrawFrame(painter, arrow, highlight, shadow);
        break;
    case FlatLook::Pressed:
        DrawFrame(painter, whole, shadow, highlight);
        DrawFrame(painter, arrow, shadow, highlight);
        break;
    }
}

void CFlatComboBox::enterEvent(QEnterEvent* event)
{
    pointerOver = true;
    update();
    QComboBox::enterEvent(event);
}

void CFlatComboBox::leaveEvent(QEvent* event)
{
    pointerOver = false;
    update();
    QComboBox::leaveEvent(event);
}

void CFlatComboBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        buttonDown = true;
    update();
    QComboBox::mousePressEvent(event);
}

void CFlatComboBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        buttonDown = false;
    update();
    QComboBox::mouseReleaseEvent(event);
}

void CFlatComboBox::focusInEvent(QFocusEvent* event)
{
    update();
    QComboBox::focusInEvent(event);
}

void CFlatComboBox::focusOutEvent(QFocusEvent* event)
{
    update();
    QComboBox::focusOutEvent(event);
}
