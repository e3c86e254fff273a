// The Edit tool: an item is picked by its nodes, nodes are chosen by click or
// by a band, dragged with their control points or one control point alone,
// and a double click on a curve inserts a node.

#include "view/korvani_view.h"

#include "document/item_change.h"
#include "document/korvani_doc.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

RectF SpannedRect(PointF a, PointF b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y)};
}

bool DragsNodes(std::int32_t code)
{
    return code == HitAnchor || code == 1 || code == HitRightControl || code == HitLeftControl;
}

} // namespace

DrawItem* CKorvaniView::HitTestNodes(PointF q)
{
    editHitCode = HitMiss;
    selectedNodes.clear();
    // Bottom first: the opposite of the Select tool, so that an outline
    // covered by another can still be reached by its nodes.
    for (DrawItem* item : doc.Items()) {
        const std::int32_t code = item->HitNode(q, selectedNodes);
        if (code != HitMiss) {
            editHitCode = code;
            return item;
        }
    }
    return nullptr;
}

void CKorvaniView::EditPress(PointF q)
{
    nodesMoved = false;
    if (!selection) {
        selection = HitTestNodes(q);
    } else {
        NodeSelection hits;
        const std::int32_t code = selection->HitNode(q, hits);
        if (code == HitMiss) {
            if (DrawItem* item = HitTestNodes(q)) {
                // Another item: it becomes the selection; a second press picks its node.
                EmptySelectionGroup();
                selection = item;
                selectedNodes.clear();
                editHitCode = HitMiss;
            } else {
                editHitCode = HitBody;
            }
        } else if (code == HitBody) {
            selectedNodes.clear();
            editHitCode = HitBody;
        } else if (code == HitAnchor || code == HitRightControl || code == HitLeftControl) {
            // A press on one of several selected nodes keeps them all for the drag.
            const bool keep = editHitCode == 1 && code == HitAnchor && !hits.empty() &&
                              std::find(selectedNodes.begin(), selectedNodes.end(), hits.front()) != selectedNodes.end();
            if (!keep) {
                selectedNodes = hits;
                editHitCode = code;
            }
        }
    }
    BeginDrag();
}

void CKorvaniView::EditDrag(PointF q)
{
    const float dx = q.x - lastPoint.x, dy = q.y - lastPoint.y;
    if (selection && DragsNodes(editHitCode) && (std::fabs(dx) >= 1 || std::fabs(dy) >= 1)) {
        if (!nodesMoved) {
            // What the drag changes directly goes back exactly, whether the
            // drag ends in a commit or is interrupted.
            auto before = std::make_shared<ItemChanges>();
            before->Begin({selection});
            dragPutBack = [this, before] {
                before->Finish();
                before->Restore();
                AfterSelectionEdit();
            };
            nodesMoved = true;
        }
        selection->MoveNodes(editHitCode, selectedNodes, dx, dy);
        AfterSelectionEdit();
    }
    lastPoint = q;
}

void CKorvaniView::EditRelease(PointF q)
{
    // Only a press beside the nodes starts a band: a drag of a node ends on
    // other nodes without choosing them.
    if (selection && !SelectionIsGroup() && editHitCode == HitBody) {
        const RectF band = SpannedRect(downPoint, lastPoint);
        if (band.width > 4 && band.height > 4) {
            NodeSelection inside;
            const std::int32_t code = selection->SelectNodesInRect(band, inside);
            if (code != HitMiss) {
                editHitCode = code;
                selectedNodes = inside;
            }
        }
    }
    if (nodesMoved) {
        nodesMoved = false;
        // The drag's direct changes are already put back: the commit starts from the state before it.
        if (selection && doc.PushMoveNode(selection, editHitCode, selectedNodes, q.x - downPoint.x, q.y - downPoint.y) >= 0)
            AfterSelectionEdit();
    }
    SyncSelectionToBars();
}

void CKorvaniView::EditDoubleClick(PointF q)
{
    if (!selection || selection->TypeCode() != ItemCurve)
        return;
    PathNode node = PathNode::AtPoint(q.x, q.y, NodeCusp);
    if (doc.PushInsertNode(selection, -1, node) >= 0) {
        selectedNodes.clear();
        AfterSelectionEdit();
    }
    Repaint();
}
