#pragma once

// The two rulers along the top and left of the client area, graduated in
// canvas units from the canvas origin, with a marker at the pointer.

#include "items/geometry.h"

#include <QPointF>
#include <QSize>

#include <cstdint>

class QPainter;

class Ruler
{
public:
    static constexpr int Thickness = 20;          // pixels
    static constexpr ArgbColor Background = 0xFFD3D3D3;

    float zoom = 1.0f;
    PointF pointer; // canvas units

    // Draws both rulers in client pixels; origin is the canvas origin in client pixels.
    void Draw(QPainter& painter, QPointF origin, QSize client) const;

    // The number written at a tick i pixels from the origin.
    static std::int64_t LabelValue(int offset, float zoom);
    // Length in pixels of the tick i pixels from the origin (0: none).
    static int TickLength(int offset);
};
