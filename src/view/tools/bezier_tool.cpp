// The Bezier tool: one node per press, its control points dragged out, the
// curve closed by a press on its start point or finished open by whatever
// changes the tool or the drawing next.

#include "view/tools/tool_handler.h"

#include "items/attribute_format.h"
#include "view/korvani_view.h"
#include "view/mark_painting.h"
#include "view/view_host.h"

#include <QPainterPath>

#include <cmath>

class BezierTool final : public ToolHandler
{
public:
    using ToolHandler::ToolHandler;

    PressResult Press(PointF q) override
    {
        CKorvaniView& v = view;
        if (v.creationCount == 0) {
            v.creationNodes.clear();
            v.startPoint = q;
            v.SelectNone();
            v.SetCreationDefaults(ToolValue(ToolKind::Bezier));
        } else if (!v.creationNodes.empty()) {
            const RectF near = HandleSquare(8, q, 0);
            const PointF last = v.creationNodes.back().Anchor();
            if (!RectContainsHalfOpen(near, last.x, last.y) && RectContainsHalfOpen(near, v.startPoint.x, v.startPoint.y)) {
                v.creationAttributes[ATTR_FILL_COLOR] = FormatColorAttr(v.shapeFillColor);
                v.creationNodes.back().close = 1;
                v.CommitCreation();
                return NoDrag();
            }
        }
        v.creationNodes.push_back(PathNode::AtPoint(q.x, q.y, NodeSymmetric));
        ++v.creationCount;
        pressed = v.creationNodes.back();
        return StartDrag();
    }

    // Drags the control points out of the node just placed.
    void Drag(PointF q) override
    {
        CKorvaniView& v = view;
        const PointF last = v.lastPoint; // as of the previous event
        if (!v.creationNodes.empty() &&
            (std::fabs(last.x - v.downPoint.x) > 4 || std::fabs(last.y - v.downPoint.y) > 4)) {
            PathNode& node = v.creationNodes.back();
            node.type = NodeSymmetric;
            if (!RectContainsHalfOpen(HandleSquare(4, last, 0), node.x, node.y)) {
                node.rx = last.x;
                node.ry = last.y;
                node.lx = 2 * node.x - last.x;
                node.ly = 2 * node.y - last.y;
            }
        }
        v.lastPoint = q;
    }

    // The node stays as its press placed it.
    void Cancel() override
    {
        if (!view.creationNodes.empty())
            view.creationNodes.back() = pressed;
    }

    // Finished open: no fill.
    void Finish() override
    {
        CKorvaniView& v = view;
        if (v.creationCount == 0)
            return;
        // A single node is no curve: nothing to keep.
        if (v.creationNodes.size() < 2)
            v.DiscardCreation();
        else
            v.CommitCreation();
    }

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

    // The node as the press placed it, for a drag that is cancelled.
    PathNode pressed;
};

std::unique_ptr<ToolHandler> MakeBezierTool(CKorvaniView& view, ToolKind)
{
    return std::make_unique<BezierTool>(view);
}
