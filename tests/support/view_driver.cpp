#include "support/view_driver.h"

#include <gtest/gtest.h>

#include <cmath>

void ViewDriver::Drag(QPoint from, QPoint to, int steps, Qt::KeyboardModifiers modifiers)
{
    Press(from, modifiers);
    steps = steps < 1 ? 1 : steps;
    for (int i = 1; i <= steps; ++i) {
        const QPoint step(from.x() + (to.x() - from.x()) * i / steps, from.y() + (to.y() - from.y()) * i / steps);
        Move(step, modifiers);
    }
    Release(to, modifiers);
}

void ViewDriver::DoubleClick(QPoint p, Qt::KeyboardModifiers modifiers)
{
    Click(p, modifiers);
    view.OnLeftButtonDoubleClick(p, modifiers);
    Release(p, modifiers);
}

QPoint ViewDriver::Pixel(PointF p) const
{
    // Truncation toward zero maps a span of pixels to each unit: look
    // around the ideal position for one that maps back exactly.
    const QPointF ideal = view.ClientPoint(p);
    const int x0 = int(std::lround(ideal.x())), y0 = int(std::lround(ideal.y()));
    const int reach = int(std::ceil(view.Zoom())) + 1;
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint candidate(x0 + dx, y0 + dy);
            if (view.CanvasPoint(candidate) == p)
                return candidate;
        }
    }
    ADD_FAILURE() << "no client pixel maps to (" << p.x << ", " << p.y << ")";
    return QPoint(x0, y0);
}

void ViewDriver::Key(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers.testFlag(Qt::ControlModifier))
        KeyDown(Qt::Key_Control);
    if (modifiers.testFlag(Qt::ShiftModifier))
        KeyDown(Qt::Key_Shift);
    KeyDown(key);
    KeyUp(key);
    if (modifiers.testFlag(Qt::ShiftModifier))
        KeyUp(Qt::Key_Shift);
    if (modifiers.testFlag(Qt::ControlModifier))
        KeyUp(Qt::Key_Control);
}
