// The rulers and the guide lines pulled out of them.

#include "view/korvani_view.h"

#include "document/korvani_doc.h"
#include "view/view_host.h"

#include <QFont>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

// The rulers are graduated this far either side of the canvas origin.
constexpr int RulerReach = 9999;
// A guide answers a press or the cursor this close, in canvas units.
constexpr float GuideReach = 2.0f;
// Room a label may take left of its tick, so that a label whose tick lies
// just outside the client still shows its tail.
constexpr int LabelRoom = 100;

} // namespace

// --- the ruler ---

std::int64_t Ruler::LabelValue(int offset, float zoom)
{
    // Whatever zoom it is given: at tiny zooms a label outgrows 32 bits, and a zoom of nothing
    // reads as the largest label.
    const double value = std::fabs(std::trunc(double(offset) / double(zoom)));
    constexpr double largest = double(std::numeric_limits<std::int64_t>::max() / 2);
    return std::int64_t(std::isnan(value) ? largest : std::min(value, largest));
}

int Ruler::TickLength(int offset)
{
    if (offset % 100 == 0)
        return 18;
    if (offset % 50 == 0)
        return 10;
    if (offset % 10 == 0)
        return 5;
    return 0;
}

void Ruler::Draw(QPainter& painter, QPointF origin, QSize client) const
{
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor grey = QColor::fromRgba(Background);
    const QColor black = QColor::fromRgba(ColorOpaqueBlack);
    painter.fillRect(QRectF(0, 0, client.width(), Thickness), grey);
    painter.fillRect(QRectF(0, 0, Thickness, client.height()), grey);

    QFont font("Arial");
    font.setPointSizeF(8);
    painter.setFont(font);
    QPen pen(black, 1);
    pen.setCosmetic(true);
    painter.setPen(pen);

    // Only the ticks that can reach the client: the picture is the same.
    // Worked out in doubles, since the origin may lie any distance away.
    const auto range = [](double originPixel, int extent, int& first, int& last) {
        const double low = std::floor(-originPixel) - LabelRoom, high = std::ceil(extent - originPixel);
        if (!(low <= RulerReach - 1 && high >= -RulerReach)) {
            first = 0, last = -1; // none of the graduation is in view (or the origin is no number)
            return;
        }
        first = int(std::max(low, double(-RulerReach)));
        last = int(std::min(high, double(RulerReach - 1)));
    };
    int first = 0, last = 0;
    range(origin.x(), client.width(), first, last);
    for (int i = first; i <= last; ++i) {
        const int length = TickLength(i);
        if (length == 0)
            continue;
        const double x = origin.x() + i;
        painter.drawLine(QPointF(x, 0), QPointF(x, length));
        if (i % 100 == 0) {
            painter.drawText(QRectF(x, 8, LabelRoom, Thickness), Qt::AlignLeft | Qt::AlignTop,
                             QString::number(LabelValue(i, zoom)));
        }
    }
    range(origin.y(), client.height(), first, last);
    for (int i = first; i <= last; ++i) {
        const int length = TickLength(i);
        if (length == 0)
            continue;
        const double y = origin.y() + i;
        painter.drawLine(QPointF(0, y), QPointF(length, y));
        if (i % 100 == 0) {
            painter.drawText(QRectF(8, y, LabelRoom, Thickness), Qt::AlignLeft | Qt::AlignTop,
                             QString::number(LabelValue(i, zoom)));
        }
    }
    painter.fillRect(QRectF(-1, -1, Thickness + 1, Thickness + 1), grey);

    // The pointer's place on both rulers.
    pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    const double px = double(pointer.x) * zoom + origin.x();
    const double py = double(pointer.y) * zoom + origin.y();
    painter.drawLine(QPointF(px, 0), QPointF(px, Thickness));
    painter.drawLine(QPointF(0, py), QPointF(Thickness, py));
    painter.restore();
}

// --- guides ---

std::int32_t CKorvaniView::GuideNear(PointF q) const
{
    GuideLine guide;
    for (int i = 0; i < doc.GetGuideCount(); ++i) {
        doc.GetGuide(i, guide);
        const float along = guide.orientation == 0 ? q.y : q.x;
        if (std::fabs(guide.position - along) <= GuideReach)
            return i;
    }
    return -1;
}

bool CKorvaniView::GuidePress(PointF q, QPoint client)
{
    std::vector<GuideLine> before(std::size_t(doc.GetGuideCount()));
    for (int i = 0; i < doc.GetGuideCount(); ++i)
        doc.GetGuide(i, before[std::size_t(i)]);
    // The strips are tested where they are drawn: in client pixels, whatever the zoom and panning.
    if (canvas.width > 0) {
        const int sx = client.x(), sy = client.y();
        if (sx >= 0 && sx < RulerReach && sy >= 0 && sy <= Ruler::Thickness)
            doc.AddGuide({0, q.y});
        else if (sx >= 0 && sx < Ruler::Thickness && sy >= 0 && sy <= RulerReach)
            doc.AddGuide({1, q.x});
    }
    draggedGuide = GuideNear(q);
    if (draggedGuide == -1)
        return false;
    // A cancelled drag leaves the guides as they were, without one just pulled out.
    BeginDrag([this, before = std::move(before)] {
        doc.ClearGuides();
        for (const GuideLine& guide : before)
            doc.AddGuide(guide);
    });
    return true;
}

void CKorvaniView::GuideDrag(PointF q)
{
    GuideLine guide;
    if (doc.GetGuide(draggedGuide, guide)) {
        guide.position += guide.orientation == 0 ? q.y - lastPoint.y : q.x - lastPoint.x;
        doc.SetGuide(draggedGuide, guide);
    }
    lastPoint = q;
}

void CKorvaniView::GuideRelease(PointF q)
{
    GuideLine guide;
    if (doc.GetGuide(draggedGuide, guide)) {
        const float x = std::trunc(q.x), y = std::trunc(q.y);
        const bool outside = guide.orientation == 1 ? (x < 0 || x > float(canvas.width))
                                                    : (y < 0 || y > float(canvas.height));
        if (outside)
            doc.RemoveGuide(draggedGuide);
    }
    draggedGuide = -1;
    EndCapture();
}

void CKorvaniView::PaintGuides(QPainter& painter)
{
    if (doc.GetGuideCount() == 0)
        return;
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(QColor::fromRgba(MarkBlue), 1, Qt::DashLine);
    pen.setCosmetic(true);
    painter.setPen(pen);
    // Across the whole client area, at any zoom.
    const double w = clientSize.width(), h = clientSize.height();
    GuideLine guide;
    for (int i = 0; i < doc.GetGuideCount(); ++i) {
        doc.GetGuide(i, guide);
        if (guide.orientation == 1) {
            const double x = ClientPoint({guide.position, 0}).x();
            painter.drawLine(QPointF(x, 0), QPointF(x, h));
        } else {
            const double y = ClientPoint({0, guide.position}).y();
            painter.drawLine(QPointF(0, y), QPointF(w, y));
        }
    }
    painter.restore();
}
