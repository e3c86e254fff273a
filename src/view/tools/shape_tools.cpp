// The tools that draw a shape in one drag: Line, Rectangle and Ellipse from
// the press to the release, Doodle through every point on the way.

#include "view/tools/tool_handler.h"

#include "items/doodle_item.h"
#include "view/korvani_view.h"
#include "view/mark_painting.h"
#include "view/view_host.h"

#include <QPainterPath>

class ShapeTool final : public ToolHandler
{
public:
    ShapeTool(CKorvaniView& view, ToolKind kind) : ToolHandler(view), kind(kind) {}

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
        MarkScope scope(painter);
        painter.setPen(QPen(QColor::fromRgba(ColorOpaqueBlack), 1.0));
        painter.setBrush(Qt::NoBrush);
        if (kind == ToolKind::Line)
            painter.drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
        else if (kind == ToolKind::Rectangle)
            painter.drawRect(SpannedQRect(from, to));
        else
            painter.drawEllipse(SpannedQRect(from, to));
    }

private:
    const ToolKind kind;
};

class DoodleTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    int Cursor(PointF) override { return CursorDoodle; }

    void PaintPreview(QPainter& painter) override
    {
        if (view.creationNodes.empty())
            return;
        NodeList nodes = view.creationNodes;
        nodes.push_back(PathNode::AtPoint(view.lastPoint.x, view.lastPoint.y, NodeCusp));
        QPainterPath path;
        DoodleItem::AddSplineOutline(path, nodes);
        MarkScope scope(painter);
        painter.setPen(QPen(QColor::fromRgba(ColorOpaqueBlack), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
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
