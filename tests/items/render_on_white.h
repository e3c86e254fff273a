#pragma once

// Items painted on white, antialiased, for the pixel checks.

#include "items/draw_item.h"

#include <QImage>
#include <QPainter>

template <typename Paint>
QImage PaintOnWhite(Paint paint)
{
    QImage image(400, 300, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    paint(painter);
    painter.end();
    return image;
}

inline QImage Blank()
{
    return PaintOnWhite([](QPainter&) {});
}

inline QImage Render(DrawItem& item)
{
    return PaintOnWhite([&item](QPainter& p) { item.Draw(p); });
}
