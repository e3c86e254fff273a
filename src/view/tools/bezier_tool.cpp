// The Bezier tool: one node per press, its control points dragged out, the
// curve closed by a press on its start point or finished open.

#include "view/tools/tool_handler.h"

#include "view/korvani_view.h"
#include "view/mark_painting.h"
#include "view/view_host.h"

#include <QPainterPath>

class BezierTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    int Cursor(PointF) override { return CursorBezier; }

    void PaintMarks(QPainter& painter) override
    {
        ToolHandler::PaintMarks(painter);
        if (view.creationCount > 0 && view.draggedGuide == -1)
            PaintHandles(painter);
    }

    // The nodes placed so far and one more where the pointer is.
    void PaintPreview(QPainter& painter) override
    {
        if (view.creationNodes.empty())
            return;
        NodeList nodes = view.creationNodes;
        nodes.push_back(PathNode::AtPoint(view.lastPoint.x, view.lastPoint.y, NodeCusp));
        QPainterPath path;
        path.moveTo(nodes[0].x, nodes[0].y);
        for (std::size_t i = 1; i < nodes.size(); ++i) {
            const PathNode& a = nodes[i - 1];
            const PathNode& b = nodes[i];
            path.cubicTo(a.rx, a.ry, b.lx, b.ly, b.x, b.y);
        }
        MarkScope scope(painter);
        painter.setPen(QPen(QColor::fromRgba(ColorOpaqueBlack), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }

private:
    // The control points of the last two nodes.
    void PaintHandles(QPainter& painter)
    {
        const NodeList& nodes = view.creationNodes;
        if (nodes.empty())
            return;
        MarkScope scope(painter);
        for (std::size_t i = nodes.size() >= 2 ? nodes.size() - 2 : 0; i < nodes.size(); ++i) {
            const PathNode& n = nodes[i];
            painter.setPen(CosmeticPen(CKorvaniView::MarkBlue, Qt::DashLine));
            painter.drawLine(QPointF(n.lx, n.ly), QPointF(n.x, n.y));
            painter.drawLine(QPointF(n.x, n.y), QPointF(n.rx, n.ry));
            painter.setPen(CosmeticPen(ColorOpaqueBlack));
            painter.setBrush(Qt::NoBrush);
            for (const PointF p : {n.Anchor(), n.Left(), n.Right()})
                painter.drawRect(ToQRectF(HandleSquare(4, p, 1)));
        }
    }
};

std::unique_ptr<ToolHandler> MakeBezierTool(CKorvaniView& view, ToolKind)
{
    return std::make_unique<BezierTool>(view);
}
