#include "export/paint_capture.h"

#include "export/display_list.h"

#include <QPaintEngine>


// Turns every kind of call into a path or a picture: the writers then have
// two things to write, not eight.
class PaintCaptureEngine : public QPaintEngine
{
public:
    explicit PaintCaptureEngine(PaintCapture& device) : QPaintEngine(AllFeatures), device(device) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& s) override
    {
        const DirtyFlags flags = s.state();
        if (flags & DirtyPen)
            pen = s.pen();
        if (flags & DirtyBrush)
            brush = s.brush();
        if (flags & DirtyTransform)
            transform = s.transform();
        if (flags & DirtyOpacity)
            opacity = s.opacity();
    }

    void drawPath(const QPainterPath& path) override { Add(path, pen, brush); }
    void drawRects(const QRectF* rects, int count) override
    {
        QPainterPath path;
        for (int i = 0; i < count; ++i)
            path.addRect(rects[i]);
        Add(path, pen, brush);
    }
    void drawRects(const QRect* rects, int count) override
    {
        QPainterPath path;
        for (int i = 0; i < count; ++i)
            path.addRect(QRectF(rects[i]));
        Add(path, pen, brush);
    }
    void drawEllipse(const QRectF& rect) override
    {
        QPainterPath path;
        path.addEllipse(rect);
        Add(path, pen, brush);
    }
    void drawEllipse(const QRect& rect) override { drawEllipse(QRectF(rect)); }
    void drawLines(const QLineF* lines, int count) override
    {
        QPainterPath path;
        for (int i = 0; i < count; ++i) {
            path.moveTo(lines[i].p1());
            path.lineTo(lines[i].p2());
        }
        Add(path, pen, Qt::NoBrush);
    }
    void drawLines(const QLine* lines, int count) override
    {
        QPainterPath path;
        for (int i = 0; i < count; ++i) {
            path.moveTo(QPointF(lines[i].p1()));
            path.lineTo(QPointF(lines[i].p2()));
        }
        Add(path, pen, Qt::NoBrush);
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        if (count <= 0)
            return;
        QPainterPath path;
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        path.moveTo(points[0]);
        for (int i = 1; i < count; ++i)
            path.lineTo(points[i]);
        if (mode != PolylineMode)
            path.closeSubpath();
        Add(path, pen, mode == PolylineMode ? QBrush(Qt::NoBrush) : brush);
    }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override
    {
        std::vector<QPointF> real(points, points + count);
        drawPolygon(real.data(), count, mode);
    }
    void drawPoints(const QPointF* points, int count) override
    {
        QPainterPath path;
        for (int i = 0; i < count; ++i) {
            path.moveTo(points[i]);
            path.lineTo(points[i]);
        }
        Add(path, pen, Qt::NoBrush);
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags) override
    {
        AddImage(r, sr == QRectF(image.rect()) ? image : image.copy(sr.toAlignedRect()));
    }
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& sr) override
    {
        drawImage(r, pixmap.toImage(), sr, Qt::AutoColor);
    }
    void drawTiledPixmap(const QRectF& r, const QPixmap& pixmap, const QPointF& offset) override
    {
        QBrush tiles(pixmap.toImage());
        tiles.setTransform(QTransform::fromTranslate(r.x() - offset.x(), r.y() - offset.y()));
        QPainterPath path;
        path.addRect(r);
        Add(path, Qt::NoPen, tiles);
    }
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override
    {
        // Items lay out their own text; anything else still shows, as outlines.
        QPainterPath path;
        path.addText(p, textItem.font(), textItem.text());
        Add(path, Qt::NoPen, pen.brush());
    }

private:
    void Add(const QPainterPath& path, const QPen& p, const QBrush& b)
    {
        device.calls.push_back({path, p, b, transform, opacity, QImage(), QRectF()});
    }
    void AddImage(const QRectF& target, const QImage& image)
    {
        if (!image.isNull())
            device.calls.push_back({QPainterPath(), Qt::NoPen, Qt::NoBrush, transform, opacity, image, target});
    }

    PaintCapture& device;
    QPen pen;
    QBrush brush;
    QTransform transform;
    qreal opacity = 1;
};

PaintCapture::PaintCapture() : engine(std::make_unique<PaintCaptureEngine>(*this))
{
    painter = std::make_unique<QPainter>(this);
    painter->setRenderHint(QPainter::Antialiasing);
}

PaintCapture::~PaintCapture()
{
    painter.reset(); // ends on the engine, which must still be there
}

QPaintEngine* PaintCapture::paintEngine() const
{
    return engine.get();
}

int PaintCapture::metric(PaintDeviceMetric m) const
{
    // No edge: what lies off the canvas is kept too.
    return RecordingDeviceMetric(m, 1 << 20, 1 << 20);
}
