#pragma once

// An ellipse inscribed in a two-corner box; transforms gather in the matrix.

#include "items/rectangle_item.h"

class EllipseItem : public BoxShapeItem
{
public:
    EllipseItem();

    std::int32_t HitTest(PointF point) override;
    // Four cubic arcs from the middle of the right side, clockwise on screen.
    void GetNodes(NodeList& list) override;

protected:
    void AddShape(QPainterPath& path, const QRectF& box) const override;
    QRectF InnerBox(const QRectF& box) const override;
};
