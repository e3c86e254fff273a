#pragma once

// A straight line between two nodes. It bakes every transform into its nodes.

#include "items/draw_item.h"

class LineItem : public DrawItem
{
public:
    LineItem();

    void Transform(const Matrix& m, int mode) override;
    void GetBounds(RectF& rect, int mode) override;
    void Draw(QPainter& graphics) override;
    void DrawHotNode(QPainter& graphics, PointF point) override;
    void DrawNodeHandles(QPainter& graphics, const NodeSelection& selection) override;
    std::int32_t HitTest(PointF point) override;
    std::int32_t HitNode(PointF point, NodeSelection& selection) override;
    std::int32_t SelectNodesInRect(const RectF& rect, NodeSelection& selection) override;
    bool SetNodes(const NodeList& list) override;
    void GetNodes(NodeList& list) override;
    void MoveNodes(int mode, const NodeSelection& selection, float dx, float dy) override;

private:
    bool OnLine(PointF point);
};
