// The tools that draw a shape in one drag: Line, Rectangle and Ellipse from
// the press to the release, Doodle through every point on the way.

#include "view/tools/tool_handler.h"

#include "items/doodle_item.h"
#include "view/korvani_view.h"
#include "view/mark_painting.h"
#include "view/view_host.h"

#include <QPainterPath>

#include <cmath>

namespace {

constexpr double DegreesPerRadian = 180 / 3.14159;
// A shape smaller than this, in canvas units, was a click rather than a drag.
constexpr float SmallestShape = 4;

PathNode NodeAt(PointF p)
{
    return PathNode::AtPoint(p.x, p.y, NodeSymmetric);
}

void PaintOutline(QPainter& painter, const QPainterPath& path)
{
    MarkScope scope(painter);
    painter.setPen(QPen(QColor::fromRgba(ColorOpaqueBlack), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

} // namespace

class ShapeTool final : public ToolHandler
{
public:
    ShapeTool(CKorvaniView& view, ToolKind kind) : ToolHandler(view), kind(kind) {}

    PressResult Press(PointF q) override
    {
        view.ClearSelectionGroup();
        view.SetCreationDefaults(ToolValue(kind));
        view.creationNodes.push_back(NodeAt(q));
        return StartDrag();
    }

    void Drag(PointF q) override
    {
        CKorvaniView& v = view;
        v.lastPoint = q;
        if (v.shiftDown)
            v.lastPoint = Snapped(q);
    }

    // The snap follows Shift at once, from where the pointer is.
    void ShiftChanged() override
    {
        Drag(view.hoverPoint);
        view.Repaint();
    }

    void Release(PointF) override
    {
        CKorvaniView& v = view;
        const float dx = std::fabs(v.lastPoint.x - v.downPoint.x), dy = std::fabs(v.lastPoint.y - v.downPoint.y);
        const bool tooSmall = kind == ToolKind::Line ? dx < SmallestShape && dy < SmallestShape
                                                     : dx < SmallestShape || dy < SmallestShape;
        if (tooSmall || v.creationNodes.empty()) {
            v.DiscardCreation();
            return;
        }
        v.creationNodes.push_back(NodeAt(v.lastPoint));
        v.CommitCreation();
    }

    void Cancel() override { view.DiscardCreation(); }

    int Cursor(PointF) override
    {
        switch (kind) {
        case ToolKind::Line: return CursorLine;
        case ToolKind::Rectangle: return CursorRectangle;
        default: return CursorEllipse;
        }
    }

    void PaintPreview(QPainter& painter) override
    {
        if (view.creationNodes.empty())
            return;
        const PointF from = view.creationNodes.front().Anchor(), to = view.lastPoint;
        QPainterPath path;
        if (kind == ToolKind::Line) {
            path.moveTo(from.x, from.y);
            path.lineTo(to.x, to.y);
        } else if (kind == ToolKind::Rectangle) {
            path.addRect(SpannedQRect(from, to));
        } else {
            path.addEllipse(SpannedQRect(from, to));
        }
        PaintOutline(painter, path);
    }

private:
    // Shift: a line keeps to the nearest multiple of 45 degrees, a box is square.
    PointF Snapped(PointF q) const
    {
        const PointF down = view.downPoint;
        const float dx = q.x - down.x, dy = q.y - down.y;
        if (kind != ToolKind::Line)
            return {q.x, down.y + dx};
        // Never a division by zero: the offsets are whole units.
        const double a = std::atan((double(dy) + 0.01) / (double(dx) + 0.01)) * DegreesPerRadian;
        if (a < -60 || a >= 60)
            return {down.x, q.y};
        if (a < -30)
            return {q.x, down.y - dx};
        if (a < 30)
            return {q.x, down.y};
        return {q.x, down.y + dx};
    }

    const ToolKind kind;
};

class DoodleTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    PressResult Press(PointF q) override
    {
        view.ClearSelectionGroup();
        view.SetCreationDefaults(ToolValue(ToolKind::Doodle));
        view.creationNodes.push_back(NodeAt(q));
        return StartDrag();
    }

    void Drag(PointF q) override
    {
        view.creationNodes.push_back(NodeAt(q));
        view.lastPoint = q;
    }

    void Release(PointF) override
    {
        if (view.creationNodes.empty())
            return;
        view.creationNodes.push_back(NodeAt(view.lastPoint));
        view.CommitCreation();
    }

    void Cancel() override { view.DiscardCreation(); }

    int Cursor(PointF) override { return CursorDoodle; }

    void PaintPreview(QPainter& painter) override
    {
        if (view.creationNodes.empty())
            return;
        NodeList nodes = view.creationNodes;
        nodes.push_back(NodeAt(view.lastPoint));
        QPainterPath path;
        DoodleItem::AddSplineOutline(path, nodes);
        PaintOutline(painter, path);
    }
};

std::unique_ptr<ToolHandler> MakeShapeTool(CKorvaniView& view, ToolKind kind)
{
    return std::make_unique<ShapeTool>(view, kind);
}

std::unique_ptr<ToolHandler> MakeDoodleTool(CKorvaniView& view, ToolKind)
{
    return std::make_unique<DoodleTool>(view);
}
