#pragma once

// Keeps what an item asks a painter to draw as paths and pictures, each with
// the pen, brush and transform in force at its call. Writers of other
// formats read an item's drawing from it instead of repeating how each kind
// paints itself.

#include <QBrush>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

#include <memory>
#include <vector>

class PaintCaptureEngine;

struct CapturedCall
{
    QPainterPath path; // in the coordinates of transform; empty for a picture
    QPen pen;          // Qt::NoPen for a fill or a picture
    QBrush brush;      // Qt::NoBrush for an outline or a picture
    QTransform transform;
    qreal opacity = 1;
    QImage image;      // a picture drawn into target, when not null
    QRectF target;
};

class PaintCapture : public QPaintDevice
{
public:
    PaintCapture();
    ~PaintCapture() override;
    PaintCapture(const PaintCapture&) = delete;
    PaintCapture& operator=(const PaintCapture&) = delete;

    // The painter to hand to an item's Draw; anti-aliased, identity transform.
    QPainter& Painter() { return *painter; }
    const std::vector<CapturedCall>& Calls() const { return calls; }
    void Clear() { calls.clear(); }

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    friend class PaintCaptureEngine;

    std::vector<CapturedCall> calls;
    std::unique_ptr<PaintCaptureEngine> engine;
    std::unique_ptr<QPainter> painter;
};
