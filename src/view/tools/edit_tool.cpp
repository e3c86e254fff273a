// The Edit tool: an item is picked by its nodes, nodes are chosen by click or
// by a band, dragged with their control points or one control point alone,
// and a double click on a curve inserts a node.

#include "view/tools/tool_handler.h"

#include "document/item_change.h"
#include "document/korvani_doc.h"
#include "view/korvani_view.h"
#include "view/mark_painting.h"
#include "view/view_host.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

bool ShowsNodes(std::int32_t code)
{
    return code == 0 || code == 1 || code == HitBody || code == HitRightControl || code == HitLeftControl;
}

// Codes under which a drag moves the chosen nodes: one or several anchors, or one control point.
bool DragsNodes(std::int32_t code)
{
    return code == HitAnchor || code == 1 || code == HitRightControl || code == HitLeftControl;
}

RectF SpannedRect(PointF a, PointF b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y)};
}

} // namespace

class EditTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    bool DragsSelection() const override { return true; }

    PressResult Press(PointF q) override
    {
        CKorvaniView& v = view;
        v.nodesMoved = false;
        if (!v.selection) {
            v.selection = HitTestNodes(q);
            return StartDrag();
        }
        NodeSelection hits;
        const std::int32_t code = v.selection->HitNode(q, hits);
        if (code == HitMiss) {
            if (DrawItem* item = HitTestNodes(q)) {
                // Another item becomes the selection; a second press picks its node.
                v.EmptySelectionGroup();
                v.selection = item;
                v.selectedNodes.clear();
                v.editHitCode = HitMiss;
            } else {
                v.editHitCode = HitBody;
            }
        } else if (code == HitBody) {
            v.selectedNodes.clear();
            v.editHitCode = HitBody;
        } else if (code == HitAnchor || code == HitRightControl || code == HitLeftControl) {
            // A press on one of several chosen nodes keeps them all for the drag.
            const bool keep = v.editHitCode == 1 && code == HitAnchor && !hits.empty() &&
                              std::find(v.selectedNodes.begin(), v.selectedNodes.end(), hits.front()) !=
                                  v.selectedNodes.end();
            if (!keep) {
                v.selectedNodes = hits;
                v.editHitCode = code;
            }
        }
        return StartDrag();
    }

    void Drag(PointF q) override
    {
        CKorvaniView& v = view;
        const float dx = q.x - v.lastPoint.x, dy = q.y - v.lastPoint.y;
        if (v.selection && DragsNodes(v.editHitCode) && (std::fabs(dx) >= 1 || std::fabs(dy) >= 1)) {
            if (!v.nodesMoved) {
                // The nodes go back exactly as they were, before the commit or
                // when the drag is interrupted: moving them back by the
                // distance would not undo a refused control point step.
                auto before = std::make_shared<ItemChanges>();
                before->Begin({v.selection});
                v.dragPutBack = [&v, before] {
                    before->Finish();
                    before->Restore();
                    v.AfterSelectionEdit();
                };
                v.nodesMoved = true;
            }
            v.selection->MoveNodes(v.editHitCode, v.selectedNodes, dx, dy);
            v.AfterSelectionEdit();
        }
        v.lastPoint = q;
    }

    void Release(PointF q) override
    {
        CKorvaniView& v = view;
        // Only a press beside the nodes draws a band: a node dragged across
        // others does not choose them.
        if (v.selection && !v.SelectionIsGroup() && v.editHitCode == HitBody) {
            const RectF band = SpannedRect(v.downPoint, v.lastPoint);
            if (band.width > 4 && band.height > 4) {
                NodeSelection inside;
                const std::int32_t code = v.selection->SelectNodesInRect(band, inside);
                if (code != HitMiss) {
                    v.editHitCode = code;
                    v.selectedNodes = inside;
                }
            }
        }
        if (v.nodesMoved) {
            v.nodesMoved = false;
            // The drag's own changes are put back already: the document moves the nodes once.
            const float dx = q.x - v.downPoint.x, dy = q.y - v.downPoint.y;
            if (v.selection && v.doc.PushMoveNode(v.selection, v.editHitCode, v.selectedNodes, dx, dy) >= 0)
                v.AfterSelectionEdit();
        }
        v.SyncSelectionToBars();
    }

    void Cancel() override { view.nodesMoved = false; }

    void DoubleClick(PointF q) override
    {
        CKorvaniView& v = view;
        if (!v.selection || v.selection->TypeCode() != ItemCurve)
            return;
        // The curve chooses the segment; a click beside it is refused.
        if (v.doc.PushInsertNode(v.selection, -1, PathNode::AtPoint(q.x, q.y, NodeCusp)) >= 0) {
            v.selectedNodes.clear();
            v.AfterSelectionEdit();
        }
        v.Repaint();
    }

    // Outside the Edit tool an active child would only make a group answer for one member.
    void Leave() override { view.ForgetActiveChildren(); }

    int Cursor(PointF q) override
    {
        if (view.selection) {
            NodeSelection hits;
            const std::int32_t code = view.selection->HitNode(q, hits);
            if (code == 0 || code == 1 || code == 4 || code == HitRightControl || code == HitLeftControl)
                return CursorEditNode;
        }
        return CursorEdit;
    }

    // The nodes instead of the selection handles.
    void PaintMarks(QPainter& painter) override
    {
        CKorvaniView& v = view;
        if (!v.selection)
            return;
        if (v.editHitCode == HitBody)
            v.PaintRubberBand(painter);
        MarkScope scope(painter);
        if (ShowsNodes(v.editHitCode))
            v.selection->DrawNodeHandles(painter, v.selectedNodes);
        v.selection->DrawHotNode(painter, v.hoverPoint);
    }

private:
    // The items are asked from the bottom up, the opposite of the Select
    // tool, so that an outline covered by another is still reached by its
    // nodes. The first that answers sets the edit hit code and the chosen nodes.
    DrawItem* HitTestNodes(PointF q)
    {
        CKorvaniView& v = view;
        v.editHitCode = HitMiss;
        v.selectedNodes.clear();
        for (DrawItem* item : v.doc.Items()) {
            const std::int32_t code = item->HitNode(q, v.selectedNodes);
            if (code != HitMiss) {
                v.editHitCode = code;
                return item;
            }
        }
        return nullptr;
    }
};

std::unique_ptr<ToolHandler> MakeEditTool(CKorvaniView& view, ToolKind)
{
    return std::make_unique<EditTool>(view);
}
