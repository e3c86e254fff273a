// The Rotate tool: turns the selection about its rotation centre, or moves
// the centre when the press picks it up.

#include "view/tools/tool_handler.h"

#include "document/item_ref.h"
#include "document/korvani_doc.h"
#include "items/attribute_format.h"
#include "items/group_item.h"
#include "view/korvani_view.h"
#include "view/mark_painting.h"
#include "view/view_host.h"

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Where a rotation centre dragged to p lands: the middle of the bounds when p is near it.
PointF SnappedCentre(DrawItem& item, PointF p)
{
    const PointF middle = item.Bounds(ModeCommit).Center();
    return RectContainsHalfOpen(HandleSquare(4, middle, 0), p.x, p.y) ? middle : p;
}

bool CentreNear(DrawItem& item, PointF q)
{
    const PointF centre = item.RotationCentre();
    return RectContainsHalfOpen(HandleSquare(8, q, 0), centre.x, centre.y);
}

} // namespace

class RotateTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    bool DragsSelection() const override { return true; }

    PressResult Press(PointF q) override
    {
        CKorvaniView& v = view;
        if (v.selection && CentreNear(*v.selection, q)) {
            v.centreDrag = true;
            // The drag writes the centre straight into the items; what was
            // there goes back before a commit records the true old value.
            std::vector<std::pair<DrawItem*, std::optional<std::string>>> before;
            for (DrawItem* item : ItemTrees({v.selection})) {
                const auto found = item->Attributes().find(ATTR_CENTER);
                before.push_back(
                    {item, found == item->Attributes().end() ? std::nullopt : std::optional(found->second)});
            }
            return StartDrag([before = std::move(before)] {
                for (const auto& [item, text] : before)
                    item->RestoreAttr(ATTR_CENTER, text ? &*text : nullptr);
            });
        }
        return StartDrag([&v] { v.DropPreview(); });
    }

    void Drag(PointF q) override
    {
        CKorvaniView& v = view;
        if (v.centreDrag && v.selection) {
            // The mark shows where the release will put the centre, on every
            // member as the commit will.
            v.selection->SetAttrOnMembers(ATTR_CENTER, FormatPointAttr(SnappedCentre(*v.selection, q)));
        } else if (v.selection) {
            const PointF centre = v.selection->RotationCentre();
            v.selection->RotateAbout(centre, AngleAtVertex(centre, v.downPoint, q), ModePreview);
        }
        v.lastPoint = q;
    }

    void Release(PointF) override
    {
        CKorvaniView& v = view;
        const bool moved = std::fabs(v.lastPoint.x - v.downPoint.x) >= 1 || std::fabs(v.lastPoint.y - v.downPoint.y) >= 1;
        if (v.centreDrag) {
            v.centreDrag = false;
            if (v.selection && moved) {
                const PointF dropped = SnappedCentre(*v.selection, v.lastPoint);
                v.doc.PushSetPropertyPoint(v.selection, ATTR_CENTER, dropped);
                // The selection group is the view's own: it turns about the new centre too.
                if (v.SelectionIsGroup()) {
                    const std::string centre = FormatPointAttr(dropped);
                    v.selectionGroup->RestoreAttr(ATTR_CENTER, &centre);
                }
                v.AfterSelectionEdit();
            }
        } else if (v.selection && moved) {
            const float angle = AngleAtVertex(v.selection->RotationCentre(), v.downPoint, v.lastPoint);
            if (angle > 0) {
                v.doc.PushRotate(v.selection, angle);
                v.AfterSelectionEdit();
            }
        }
    }

    void Cancel() override { view.centreDrag = false; }

    int Cursor(PointF q) override
    {
        return view.selection && CentreNear(*view.selection, q) ? CursorRotateCentre : CursorRotate;
    }

    void PaintMarks(QPainter& painter) override
    {
        ToolHandler::PaintMarks(painter);
        if (!view.selection)
            return;
        MarkScope scope(painter);
        const QColor black = QColor::fromRgba(ColorOpaqueBlack);
        painter.setPen(CosmeticPen(ColorOpaqueBlack));
        painter.setBrush(black);
        painter.drawEllipse(ToQRectF(HandleSquare(8, view.selection->RotationCentre(), 1)));
    }
};

std::unique_ptr<ToolHandler> MakeRotateTool(CKorvaniView& view, ToolKind)
{
    return std::make_unique<RotateTool>(view);
}
