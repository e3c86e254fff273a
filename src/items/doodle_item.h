#pragma once

// A free-hand stroke: a smooth spline through the anchors of the mouse track.
// Node types, control points and subpath flags play no part. Transforms are
// baked into the nodes.

#include "items/draw_item.h"

class DoodleItem : public DrawItem
{
public:
    // Tension of the spline through the anchors.
    static constexpr float SplineTension = 0.5f;

    DoodleItem();
    explicit DoodleItem(std::uint32_t itemId);

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

    // Appends the open cardinal spline through the anchors of list as cubic Beziers.
    static void AddSplineOutline(QPainterPath& path, const NodeList& list, float tension = SplineTension);
    // Drops mouse points that crowd the one kept before them; the last point always stays.
    static void ThinTrack(NodeList& list);

private:
    bool Editable() { return !IsHidden() && !IsLocked(); }
    // Inside the bounds and within 4 units of the polyline through the anchors.
    bool NearStroke(PointF point);
};
