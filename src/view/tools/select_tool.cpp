// The Select tool: picks items (Shift adds or removes one), moves them by
// their body, scales them by eight handles, selects by a rubber band, and
// edits a text item's text on a double click.

#include "view/tools/tool_handler.h"

#include "document/korvani_doc.h"
#include "items/group_item.h"
#include "view/korvani_view.h"
#include "view/view_host.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

namespace {

bool IsHandleCode(std::int32_t code)
{
    return code >= HitTopMiddle && code <= HitTopLeft;
}

// |d| above one unit on either axis: the threshold of every commit.
bool MovedBeyondOne(float dx, float dy)
{
    return std::fabs(dx) > 1 || std::fabs(dy) > 1;
}

bool MovedAtLeastOne(float dx, float dy)
{
    return std::fabs(dx) >= 1 || std::fabs(dy) >= 1;
}

RectF SpannedRect(PointF a, PointF b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y)};
}

Matrix ScalingAbout(PointF fixed, float sx, float sy)
{
    Matrix m;
    m.Translate(-fixed.x, -fixed.y);
    m.Scale(sx, sy);
    m.Translate(fixed.x, fixed.y);
    return m;
}

} // namespace

class SelectTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    bool DragsSelection() const override { return true; }

    PressResult Press(PointF q) override
    {
        CKorvaniView& v = view;
        std::int32_t code = HitMiss;
        if (!v.shiftDown) {
            if (v.SelectionIsGroup()) {
                code = v.selectionGroup->HitTest(q);
                if (code == HitMiss)
                    v.SelectNone(); // the press starts a rubber band
            } else {
                DrawItem* item = nullptr;
                std::tie(item, code) = v.HitTestItems(q);
                v.selection = item;
            }
        } else {
            DrawItem* item = nullptr;
            std::tie(item, code) = v.HitTestItems(q);
            if (item && v.selection) {
                if (v.SelectionIsGroup() && v.IsSelectionChild(item)) {
                    const std::vector<DrawItem*>& children = v.selectionGroup->Children();
                    const auto found = std::find(children.begin(), children.end(), item);
                    v.selectionGroup->RemoveChildAt(std::int32_t(found - children.begin()));
                } else {
                    v.AddToSelection(item);
                }
            }
        }
        v.selectHitCode = code;
        if (v.selection)
            v.UpdateCursor(q);
        return StartDrag([&v] { v.DropPreview(); });
    }

    void Drag(PointF q) override
    {
        CKorvaniView& v = view;
        if (v.selection) {
            // The offset as of the previous mouse event.
            const float dx = v.lastPoint.x - v.downPoint.x, dy = v.lastPoint.y - v.downPoint.y;
            if (v.selectHitCode == HitBody) {
                if (MovedBeyondOne(dx, dy))
                    v.selection->Translate(dx, dy, ModePreview);
            } else if (IsHandleCode(v.selectHitCode)) {
                if (MovedAtLeastOne(dx, dy))
                    PreviewScale(q);
            }
        }
        v.lastPoint = q;
    }

    void Release(PointF) override
    {
        CKorvaniView& v = view;
        const float dx = v.lastPoint.x - v.downPoint.x, dy = v.lastPoint.y - v.downPoint.y;
        if (!v.selection) {
            v.SelectInRect(SpannedRect(v.downPoint, v.lastPoint));
        } else if (v.selectHitCode == HitBody && MovedBeyondOne(dx, dy)) {
            if (v.doc.PushMove(v.selection, dx, dy) >= 0)
                v.CarrySelectionCentre(Matrix(1, 0, 0, 1, dx, dy));
            v.AfterSelectionEdit();
        } else if (IsHandleCode(v.selectHitCode) && MovedBeyondOne(dx, dy)) {
            const HandleScale s =
                ScaleForHandle(v.selectHitCode, v.selection->Bounds(ModeCommit), v.lastPoint, v.shiftDown);
            // A zero factor is refused by the document and changes nothing.
            if (v.doc.PushScale(v.selection, s.fixed, s.sx, s.sy) >= 0)
                v.CarrySelectionCentre(ScalingAbout(s.fixed, s.sx, s.sy));
            v.AfterSelectionEdit();
        }
        v.selectHitCode = HitMiss;
        v.SyncSelectionToBars();
    }

    void DoubleClick(PointF q) override
    {
        CKorvaniView& v = view;
        if (!v.selection || v.selection->TypeCode() != ItemText)
            return;
        if (!RectContains(v.selection->Bounds(ModeCommit), q.x, q.y))
            return;
        const std::optional<std::string> text =
            v.host.AskText({v.selection->GetTextAttr(ATTR_CONTENT), v.host.CursorScreenPosition()});
        if (!text)
            return;
        v.doc.PushSetPropertyText(v.selection, ATTR_CONTENT, *text);
        v.AfterSelectionEdit();
        v.Repaint();
    }

    // Shift pressed or let go while a handle is dragged: scale about the other point.
    void ShiftChanged() override
    {
        if (!view.selection || !IsHandleCode(view.selectHitCode))
            return;
        PreviewScale(view.lastPoint);
        view.Repaint();
    }

    void Cancel() override { view.selectHitCode = HitMiss; }

    int Cursor(PointF q) override
    {
        if (view.selection) {
            switch (view.selection->HitTest(q)) {
            case HitTopMiddle:
            case HitBottomMiddle: return CursorSizeNorthSouth;
            case HitTopRight:
            case HitBottomLeft: return CursorSizeNorthEastSouthWest;
            case HitRightMiddle:
            case HitLeftMiddle: return CursorSizeWestEast;
            case HitBottomRight:
            case HitTopLeft: return CursorSizeNorthWestSouthEast;
            case HitBody: return CursorMove;
            default: break;
            }
        }
        return CursorArrow;
    }

    void PaintMarks(QPainter& painter) override
    {
        ToolHandler::PaintMarks(painter);
        if (!view.selection && view.draggedGuide == -1)
            view.PaintRubberBand(painter);
    }

private:
    void PreviewScale(PointF pointer)
    {
        CKorvaniView& v = view;
        const HandleScale s = ScaleForHandle(v.selectHitCode, v.selection->Bounds(ModeCommit), pointer, v.shiftDown);
        v.selection->ScaleAbout(s.fixed.x, s.fixed.y, s.sx, s.sy, ModePreview);
    }
};

std::unique_ptr<ToolHandler> MakeSelectTool(CKorvaniView& view, ToolKind)
{
    return std::make_unique<SelectTool>(view);
}
