#pragma once

// A set of cubic Bezier subpaths edited node by node. Transforms are baked
// into the nodes, so they always hold canvas coordinates.

#include "items/draw_item.h"

class CurveItem : public DrawItem
{
public:
    CurveItem();
    explicit CurveItem(std::uint32_t itemId);

    void Transform(const Matrix& m, int mode) override;

    void SetNode(std::int32_t index, const PathNode& node) override;
    void GetNode(std::int32_t index, PathNode& node) override;
    void InsertNodeAt(const PathNode& node) override;
    void DeleteNode(std::int32_t index) override;
    bool IsNodeClosedOrInner(std::int32_t index) override;
    bool CanJoinEnds(const NodeSelection& selection) override;
    void BreakAtNode(std::int32_t index) override;
    void JoinEnds(const NodeSelection& selection) override;
    void ConvertSegmentToCurve(std::int32_t index) override;
    void ConvertSegmentToLine(std::int32_t index) override;
    bool ConvertInto(DrawItem& target) override;

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
    // Inclusive node index range of one subpath.
    struct Subpath
    {
        std::int32_t first = 0;
        std::int32_t last = 0;
        bool closed = false;
    };

    bool Editable() { return !IsHidden() && !IsLocked(); }
    bool ValidIndex(std::int32_t index) const { return index >= 0 && std::size_t(index) < Nodes().size(); }
    // The subpath holding node index; false for nodes after the last break.
    bool FindSubpath(std::int32_t index, Subpath& out) const;
    bool IsOpenEnd(std::int32_t index) const;
    // Start node of the segment that ends at node index, if there is one.
    bool SegmentStart(std::int32_t index, std::int32_t& start) const;
    void DragControlPoint(bool left, const NodeSelection& selection, float dx, float dy);
};

// Helpers shared by the node-list kinds (curve and doodle).

// Moves anchor and control points of every selected node once.
void MoveSelectedNodes(NodeList& nodes, const NodeSelection& selection, float dx, float dy);
// Appends the index of every anchor inside rect; 2 for none, 0 for one, 1 for more.
std::int32_t SelectAnchorsInRect(const NodeList& nodes, const RectF& rect, NodeSelection& selection);
// Hollow 4-pixel squares at every anchor, filled ones at the selected anchors.
void DrawAnchorHandles(QPainter& graphics, const NodeList& nodes, const NodeSelection& selection);
// The path flattened into polylines with a flatness of 0.25 canvas units.
QPainterPath FlattenPath(const QPainterPath& path);
// FlattenPath(path).boundingRect(), without making the flattened path.
QRectF FlattenedBounds(const QPainterPath& path);
