#include "export/display_list.h"

#include <QPaintEngine>

#include <algorithm>
#include <thread>
#include <variant>

struct DisplayList::State
{
    QPen pen;
    QBrush brush;
    QPointF brushOrigin;
    QTransform transform;
    QPainter::RenderHints hints;
    QPainter::CompositionMode composition = QPainter::CompositionMode_SourceOver;
    qreal opacity = 1;
    bool clipEnabled = false;
    QPainterPath clip; // in device coordinates
};

namespace {

struct PathCall { QPainterPath path; };
struct RectsCall { std::vector<QRectF> rects; };
struct EllipseCall { QRectF rect; };
struct LinesCall { std::vector<QLineF> lines; };
struct PolygonCall { std::vector<QPointF> points; QPaintEngine::PolygonDrawMode mode; };
struct PointsCall { std::vector<QPointF> points; };
struct ImageCall { QRectF target; QImage image; QRectF source; Qt::ImageConversionFlags flags; };
struct PixmapCall { QRectF target; QPixmap pixmap; QRectF source; };

} // namespace

struct DisplayList::Command
{
    int state;
    std::variant<PathCall, RectsCall, EllipseCall, LinesCall, PolygonCall, PointsCall, ImageCall, PixmapCall> call;
};

// Records what a painter asks for, with the state in force at each call.
class DisplayListEngine : public QPaintEngine
{
public:
    explicit DisplayListEngine(DisplayList& list) : QPaintEngine(AllFeatures), list(list) {}

    bool begin(QPaintDevice*) override
    {
        current = DisplayList::State();
        stateDirty = true;
        return true;
    }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& s) override
    {
        const DirtyFlags flags = s.state();
        if (flags & DirtyPen)
            current.pen = s.pen();
        if (flags & DirtyBrush)
            current.brush = s.brush();
        if (flags & DirtyBrushOrigin)
            current.brushOrigin = s.brushOrigin();
        if (flags & DirtyTransform)
            current.transform = s.transform();
        if (flags & DirtyHints)
            current.hints = s.renderHints();
        if (flags & DirtyCompositionMode)
            current.composition = s.compositionMode();
        if (flags & DirtyOpacity)
            current.opacity = s.opacity();
        if (flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled)) {
            // The painter keeps the clip in its own terms; take it as a
            // device-space path so that playback can intersect it with a band.
            const QPainter* p = painter();
            current.clipEnabled = p && p->hasClipping();
            current.clip = current.clipEnabled ? p->transform().map(p->clipPath()) : QPainterPath();
        }
        stateDirty = true;
    }

    void drawPath(const QPainterPath& path) override { Add(PathCall{path}); }
    void drawRects(const QRectF* rects, int count) override { Add(RectsCall{{rects, rects + count}}); }
    void drawRects(const QRect* rects, int count) override
    {
        RectsCall call;
        call.rects.assign(rects, rects + count);
        Add(std::move(call));
    }
    void drawEllipse(const QRectF& rect) override { Add(EllipseCall{rect}); }
    void drawEllipse(const QRect& rect) override { Add(EllipseCall{QRectF(rect)}); }
    void drawLines(const QLineF* lines, int count) override { Add(LinesCall{{lines, lines + count}}); }
    void drawLines(const QLine* lines, int count) override
    {
        LinesCall call;
        for (int i = 0; i < count; ++i)
            call.lines.emplace_back(lines[i]);
        Add(std::move(call));
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        Add(PolygonCall{{points, points + count}, mode});
    }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override
    {
        PolygonCall call{{}, mode};
        for (int i = 0; i < count; ++i)
            call.points.emplace_back(points[i]);
        Add(std::move(call));
    }
    void drawPoints(const QPointF* points, int count) override { Add(PointsCall{{points, points + count}}); }
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags flags) override
    {
        Add(ImageCall{r, image, sr, flags});
    }
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& sr) override { Add(PixmapCall{r, pixmap, sr}); }
    void drawTiledPixmap(const QRectF& r, const QPixmap& pixmap, const QPointF& offset) override
    {
        QPainterPath path;
        path.addRect(r);
        DisplayList::State saved = current;
        current.brush = QBrush(pixmap);
        current.brush.setTransform(QTransform::fromTranslate(r.x() - offset.x(), r.y() - offset.y()));
        current.pen = Qt::NoPen;
        stateDirty = true;
        Add(PathCall{path});
        current = saved;
        stateDirty = true;
    }
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override
    {
        // Items draw their text as glyph paths; anything else still shows.
        QPainterPath path;
        path.addText(p, textItem.font(), textItem.text());
        DisplayList::State saved = current;
        current.brush = current.pen.brush();
        current.pen = Qt::NoPen;
        stateDirty = true;
        Add(PathCall{path});
        current = saved;
        stateDirty = true;
    }

private:
    template <typename Call>
    void Add(Call&& call)
    {
        if (stateDirty || list.states.empty()) {
            list.states.push_back(current);
            stateDirty = false;
        }
        list.commands.push_back({int(list.states.size()) - 1, std::forward<Call>(call)});
    }

    DisplayList& list;
    DisplayList::State current;
    bool stateDirty = true;
};

DisplayList::DisplayList(int width, int height)
    : width(std::max(width, 1)), height(std::max(height, 1)), engine(std::make_unique<DisplayListEngine>(*this))
{
}

DisplayList::~DisplayList() = default;

QPaintEngine* DisplayList::paintEngine() const
{
    return engine.get();
}

int DisplayList::Size() const
{
    return int(commands.size());
}

int DisplayList::metric(PaintDeviceMetric m) const
{
    switch (m) {
    case PdmWidth:
        return width;
    case PdmHeight:
        return height;
    case PdmWidthMM:
        return width * 254 / 960; // 96 dots per inch, as an image has
    case PdmHeightMM:
        return height * 254 / 960;
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}

namespace {

void ApplyState(QPainter& painter, const DisplayList::State& s, const QRect& band)
{
    painter.setTransform(QTransform());
    if (s.clipEnabled) {
        QPainterPath clip;
        clip.addRect(band);
        painter.setClipPath(clip.intersected(s.clip));
    } else {
        painter.setClipRect(band);
    }
    painter.setTransform(s.transform);
    painter.setPen(s.pen);
    painter.setBrush(s.brush);
    painter.setBrushOrigin(s.brushOrigin);
    painter.setRenderHints(s.hints, true);
    painter.setRenderHints(~s.hints, false);
    painter.setCompositionMode(s.composition);
    painter.setOpacity(s.opacity);
}

struct Replayer
{
    QPainter& p;

    void operator()(const PathCall& c) const { p.drawPath(c.path); }
    void operator()(const RectsCall& c) const { p.drawRects(c.rects.data(), int(c.rects.size())); }
    void operator()(const EllipseCall& c) const { p.drawEllipse(c.rect); }
    void operator()(const LinesCall& c) const { p.drawLines(c.lines.data(), int(c.lines.size())); }
    void operator()(const PointsCall& c) const { p.drawPoints(c.points.data(), int(c.points.size())); }
    void operator()(const ImageCall& c) const { p.drawImage(c.target, c.image, c.source, c.flags); }
    void operator()(const PixmapCall& c) const { p.drawPixmap(c.target, c.pixmap, c.source); }
    void operator()(const PolygonCall& c) const
    {
        const int n = int(c.points.size());
        switch (c.mode) {
        case QPaintEngine::PolylineMode:
            p.drawPolyline(c.points.data(), n);
            break;
        case QPaintEngine::WindingMode:
            p.drawPolygon(c.points.data(), n, Qt::WindingFill);
            break;
        case QPaintEngine::ConvexMode:
            p.drawConvexPolygon(c.points.data(), n);
            break;
        default:
            p.drawPolygon(c.points.data(), n, Qt::OddEvenFill);
            break;
        }
    }
};

} // namespace

void DisplayList::Play(QPainter& painter) const
{
    const QRect all(0, 0, width, height);
    int applied = -1;
    for (const Command& command : commands) {
        if (command.state != applied) {
            ApplyState(painter, states[size_t(command.state)], all);
            applied = command.state;
        }
        std::visit(Replayer{painter}, command.call);
    }
}

void DisplayList::PlayInBands(QImage& image, int bands) const
{
    bands = std::clamp(bands, 1, std::max(1, image.height() / 64));
    const int rowsPerBand = (image.height() + bands - 1) / bands;

    // Every band paints through its own QImage header over the same pixels and
    // touches only its own rows, so the threads never write the same memory.
    auto playBand = [this, &image](int top, int rows) {
        QImage view(image.bits(), image.width(), image.height(), image.bytesPerLine(), image.format());
        QPainter painter(&view);
        const QRect band(0, top, image.width(), rows);
        int applied = -1;
        for (const Command& command : commands) {
            if (command.state != applied) {
                ApplyState(painter, states[size_t(command.state)], band);
                applied = command.state;
            }
            std::visit(Replayer{painter}, command.call);
        }
    };

    image.detach(); // bits() below must not detach per thread
    std::vector<std::thread> workers;
    for (int b = 1; b < bands; ++b) {
        const int top = b * rowsPerBand;
        const int rows = std::min(rowsPerBand, image.height() - top);
        if (rows > 0)
            workers.emplace_back(playBand, top, rows);
    }
    playBand(0, std::min(rowsPerBand, image.height()));
    for (std::thread& worker : workers)
        worker.join();
}
