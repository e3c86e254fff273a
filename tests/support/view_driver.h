#pragma once

// Drives a CKorvaniView as a user does: presses, drags through moves,
// releases, double clicks and keys with modifiers, in client pixels or in
// canvas units (mapped to a client pixel that the view maps back exactly).

#include "view/korvani_view.h"

#include <QPoint>
#include <Qt>

class ViewDriver
{
public:
    explicit ViewDriver(CKorvaniView& view) : view(view) {}

    // --- client pixels ---
    void Press(QPoint p, Qt::KeyboardModifiers modifiers = {}) { view.OnLeftButtonDown(p, modifiers); }
    void Move(QPoint p, Qt::KeyboardModifiers modifiers = {}) { view.OnMouseMove(p, modifiers); }
    void Release(QPoint p, Qt::KeyboardModifiers modifiers = {}) { view.OnLeftButtonUp(p, modifiers); }
    // Press at from, moves in `steps` even steps ending on to, release at to.
    void Drag(QPoint from, QPoint to, int steps = 4, Qt::KeyboardModifiers modifiers = {});
    void Click(QPoint p, Qt::KeyboardModifiers modifiers = {})
    {
        Press(p, modifiers);
        Release(p, modifiers);
    }
    // What the window system sends: press, release, double click, release.
    void DoubleClick(QPoint p, Qt::KeyboardModifiers modifiers = {});

    // --- canvas units ---
    // A client pixel whose canvas point is exactly p.
    QPoint Pixel(PointF p) const;
    void PressAt(PointF p, Qt::KeyboardModifiers modifiers = {}) { Press(Pixel(p), modifiers); }
    void MoveAt(PointF p, Qt::KeyboardModifiers modifiers = {}) { Move(Pixel(p), modifiers); }
    void ReleaseAt(PointF p, Qt::KeyboardModifiers modifiers = {}) { Release(Pixel(p), modifiers); }
    void DragAt(PointF from, PointF to, int steps = 4, Qt::KeyboardModifiers modifiers = {})
    {
        Drag(Pixel(from), Pixel(to), steps, modifiers);
    }
    void ClickAt(PointF p, Qt::KeyboardModifiers modifiers = {}) { Click(Pixel(p), modifiers); }
    void DoubleClickAt(PointF p, Qt::KeyboardModifiers modifiers = {}) { DoubleClick(Pixel(p), modifiers); }

    // --- keys: the modifier keys go down first and up last, as on a keyboard ---
    void Key(int key, Qt::KeyboardModifiers modifiers = {});
    void KeyDown(int key) { view.OnKeyDown(key); }
    void KeyUp(int key) { view.OnKeyUp(key); }

private:
    CKorvaniView& view;
};
