#pragma once

// Rectangles, and the two-corner box that rectangles and ellipses share: the
// corners stay in the item's own space and transforms gather in the matrix.

#include "items/draw_item.h"

class QRectF;

class BoxShapeItem : public DrawItem
{
public:
    void Transform(const Matrix& m, int mode) override;
    void GetBounds(RectF& rect, int mode) override;
    void Draw(QPainter& graphics) override;
    void DrawHotNode(QPainter& graphics, PointF point) override;
    void DrawNodeHandles(QPainter& graphics, const NodeSelection& selection) override;
    std::int32_t HitNode(PointF point, NodeSelection& selection) override;
    std::int32_t SelectNodesInRect(const RectF& rect, NodeSelection& selection) override;
    bool SetNodes(const NodeList& list) override;
    void MoveNodes(int mode, const NodeSelection& selection, float dx, float dy) override;
    bool OpaqueBox(QRectF& box) override;

protected:
    using DrawItem::DrawItem;

    // A box inside the shape inscribed in box.
    virtual QRectF InnerBox(const QRectF& box) const = 0;

    // The shape inscribed in the box, in the item's own space.
    virtual void AddShape(QPainterPath& path, const QRectF& box) const = 0;
    // The outline mapped into canvas space (mode 1: the preview).
    void BuildOutline(QPainterPath& path, int mode) const;
    // Inside the committed bounds and inside the mapped shape.
    bool BodyContains(PointF point, const RectF& bounds);
    // Maps the nodes from `first` on by the committed matrix and ends the list with a break.
    void FinishOutlineNodes(NodeList& list, std::size_t first) const;
};

class RectangleItem : public BoxShapeItem
{
public:
    RectangleItem();

    std::int32_t HitTest(PointF point) override;
    void GetNodes(NodeList& list) override;

protected:
    void AddShape(QPainterPath& path, const QRectF& box) const override;
    QRectF InnerBox(const QRectF& box) const override { return box; }
};
