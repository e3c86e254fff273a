// The mouse wheel over the view: it scrolls down and up, with Shift sideways,
// and with Ctrl zooms by the zoom steps about the pointer. Touchpads that
// report pixels scroll by exactly those pixels.

#include "ui/frame/view_area.h"

#include "view/korvani_view.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>
#include <utility>

namespace {

// One notch of a common wheel.
constexpr int NotchAngle = QWheelEvent::DefaultDeltasPerStep;

} // namespace

void ViewArea::wheelEvent(QWheelEvent* event)
{
    QPoint pixels = event->pixelDelta();
    QPoint angle = event->angleDelta();
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        ZoomByWheel(angle.y() != 0 ? angle.y() : angle.x(), event->position());
        event->accept();
        return;
    }
    // Shift turns a vertical wheel sideways (some systems do it already).
    if (event->modifiers().testFlag(Qt::ShiftModifier)) {
        if (pixels.x() == 0)
            pixels = QPoint(pixels.y(), 0);
        if (angle.x() == 0)
            angle = QPoint(angle.y(), 0);
    }
    ScrollByWheel(pixels, angle);
    event->accept();
}

void ViewArea::ScrollByWheel(QPoint pixels, QPoint angle)
{
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    QPointF move;
    if (!pixels.isNull()) {
        move = QPointF(pixels);
    } else {
        // A notch moves the desktop's number of lines; finer wheels add up to it.
        const double lines = QApplication::wheelScrollLines();
        wheelScrollRest += QPointF(angle.x() * lines * h->singleStep(), angle.y() * lines * v->singleStep()) / NotchAngle;
        move = QPointF(std::trunc(wheelScrollRest.x()), std::trunc(wheelScrollRest.y()));
        wheelScrollRest -= move;
    }
    // Turning the wheel away from oneself (a positive delta) shows what is above.
    if (move.x() != 0)
        h->setValue(h->value() - int(move.x()));
    if (move.y() != 0)
        v->setValue(v->value() - int(move.y()));
}

void ViewArea::ZoomByWheel(int angle, QPointF position)
{
    // A change of direction drops what was turned the other way.
    if ((angle > 0 && wheelZoomRest < 0) || (angle < 0 && wheelZoomRest > 0))
        wheelZoomRest = 0;
    wheelZoomRest += angle;
    while (std::abs(wheelZoomRest) >= NotchAngle) {
        const bool in = wheelZoomRest > 0;
        view->StepZoomAbout(in ? 2 : 0, position);
        wheelZoomRest -= in ? NotchAngle : -NotchAngle;
    }
}
