#pragma once

// What the tool marks are drawn with: crisp one-pixel lines in canvas units.

#include "items/geometry.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QRectF>

#include <algorithm>
#include <cmath>

inline QRectF SpannedQRect(PointF a, PointF b)
{
    return QRectF(std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y));
}

inline QPen CosmeticPen(ArgbColor color, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(QColor::fromRgba(color), 1, style);
    pen.setCosmetic(true);
    return pen;
}

// Marks are crisp one-pixel lines: no smoothing while they draw.
class MarkScope
{
public:
    explicit MarkScope(QPainter& painter) : painter(painter)
    {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    ~MarkScope() { painter.restore(); }
    MarkScope(const MarkScope&) = delete;
    MarkScope& operator=(const MarkScope&) = delete;

private:
    QPainter& painter;
};
