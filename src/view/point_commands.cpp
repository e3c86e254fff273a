// The point commands of the Edit tool: segments to lines or curves, a shape
// into a curve, node types, closing and breaking an outline, deleting a node.

#include "view/korvani_view.h"

#include "document/korvani_doc.h"
#include "view/view_host.h"

namespace {

bool IsKind(const DrawItem* item, std::int32_t kind)
{
    return item && item->TypeCode() == kind;
}

} // namespace

bool CKorvaniView::PointCommandEnabled(std::int32_t code) const
{
    const bool curve = IsKind(selection, ItemCurve);
    const bool hasCanvas = canvas.width > 0;
    switch (code) {
    case CommandPointToLine:
    case CommandPointToCurve:
        return curve && !selectedNodes.empty();
    case CommandPointToBezier:
        return selection && !curve && !IsKind(selection, ItemGroup) && !IsKind(selection, ItemImage);
    case CommandPointCusp:
    case CommandPointSmooth:
    case CommandPointSymmetric:
        // The node acted on is the first chosen one.
        return curve && editHitCode != 1 && editHitCode != HitMiss && editHitCode != HitBody && !selectedNodes.empty();
    case CommandCloseCurve:
        return hasCanvas && selection && selection->CanJoinEnds(selectedNodes);
    case CommandBreakCurve:
        return hasCanvas && selection && !selectedNodes.empty() && selection->IsNodeClosedOrInner(selectedNodes.front());
    case CommandDeletePoint:
        return activeTool == ToolValue(ToolKind::Edit) && selection && selectedNodes.size() == 1;
    default:
        return false;
    }
}

void CKorvaniView::DoPointCommand(std::int32_t code)
{
    CancelDrag();
    // The enable rules are the conditions: a shortcut or a script may ask regardless.
    // A hidden or locked outline takes no point edit, which would only leave an empty undo step.
    if (!PointCommandEnabled(code) || selection->IsHidden() || selection->IsLocked())
        return;
    switch (code) {
    case CommandPointToLine:
    case CommandPointToCurve:
        doc.PushNodeConvert(selection, selectedNodes,
                            code == CommandPointToLine ? SegmentConversion::ToLine : SegmentConversion::ToCurve);
        break;
    case CommandPointToBezier: {
        const int index = doc.IndexOf(selection);
        if (doc.PushConvertToCurve(selection) < 0)
            return;
        // The curve takes the shape's place in the list; the shape itself is
        // only kept by the undo step, so the selection follows the curve.
        selection = doc.GetItem(index);
        selectedNodes.clear();
        editHitCode = HitMiss;
        AfterDocumentChange();
        host.ItemsPanelRebuild(selection);
        SyncSelectionToBars();
        return;
    }
    case CommandPointCusp:
    case CommandPointSmooth:
    case CommandPointSymmetric: {
        const std::int32_t index = selectedNodes.front();
        PathNode node;
        selection->GetNode(index, node);
        node.type = code == CommandPointCusp ? NodeCusp : code == CommandPointSmooth ? NodeSmooth : NodeSymmetric;
        // The left control point follows the right one by the new type's rule.
        PointF left = node.Left();
        MirrorControlPoint(node.Anchor(), node.Right(), node.type, left);
        node.lx = left.x;
        node.ly = left.y;
        doc.PushNodeSwap(selection, index, node);
        break;
    }
    case CommandCloseCurve:
        doc.PushOutlineOp(selection, selectedNodes);
        editHitCode = HitMiss;
        selectedNodes.clear();
        break;
    case CommandBreakCurve:
        doc.PushOutlineOp(selection, selectedNodes.front());
        editHitCode = HitMiss;
        selectedNodes.clear();
        break;
    case CommandDeletePoint:
        doc.PushDeleteNode(selection, selectedNodes.front());
        editHitCode = HitMiss;
        selectedNodes.clear();
        break;
    default:
        return;
    }
    AfterSelectionEdit();
    SyncSelectionToBars();
}
