#include "export/display_list.h"

#include "export/coverage_raster.h"

#include <QPaintEngine>
#include <QPainterPathStroker>

#include <algorithm>
#include <climits>
#include <atomic>
#include <cmath>
#include <memory>
#include <thread>
#include <variant>

// The part of the painter state that items leave alone; a list of
// thousands of items mostly has one.
struct DisplayList::Frame
{
    QPointF brushOrigin;
    QTransform transform;
    QPainter::RenderHints hints;
    QPainter::CompositionMode composition = QPainter::CompositionMode_SourceOver;
    qreal opacity = 1;
    bool clipEnabled = false;
    QPainterPath clip; // in device coordinates
};

// Pen and brush, which change with every item, and the frame they go with.
struct DisplayList::State
{
    QPen pen;
    QBrush brush;
    int frame = 0;
};

namespace {

struct PathCall { QPainterPath path; };
struct RectsCall { std::vector<QRectF> rects; };
struct EllipseCall { QRectF rect; };
struct LinesCall { std::vector<QLineF> lines; };
struct PolygonCall { std::vector<QPointF> points; QPaintEngine::PolygonDrawMode mode; };
struct PointsCall { std::vector<QPointF> points; };
struct ImageDraw { QRectF target; QImage image; QRectF source; Qt::ImageConversionFlags flags; };
// Held apart: images are rare and large, the other calls many and small.
struct ImageCall { std::unique_ptr<ImageDraw> draw; };

} // namespace

struct DisplayList::Command
{
    int state;
    std::variant<PathCall, RectsCall, EllipseCall, LinesCall, PolygonCall, PointsCall, ImageCall> call;
    QRect reach; // device pixels the call may touch, pen included
};

namespace {

// The area a call covers in its own coordinates, before the pen.
struct CallArea
{
    QRectF operator()(const PathCall& c) const { return c.path.controlPointRect(); }
    QRectF operator()(const EllipseCall& c) const { return c.rect.normalized(); }
    QRectF operator()(const ImageCall& c) const { return c.draw->target.normalized(); }
    QRectF operator()(const RectsCall& c) const
    {
        QRectF all;
        for (const QRectF& r : c.rects)
            all |= r.normalized();
        return all;
    }
    QRectF operator()(const LinesCall& c) const
    {
        QRectF all;
        for (const QLineF& l : c.lines)
            all |= QRectF(l.p1(), l.p2()).normalized();
        return all;
    }
    QRectF operator()(const PolygonCall& c) const { return Bounds(c.points); }
    QRectF operator()(const PointsCall& c) const { return Bounds(c.points); }

    static QRectF Bounds(const std::vector<QPointF>& points)
    {
        if (points.empty())
            return QRectF();
        qreal left = points[0].x(), right = left, top = points[0].y(), bottom = top;
        for (const QPointF& p : points) {
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            top = std::min(top, p.y());
            bottom = std::max(bottom, p.y());
        }
        return QRectF(QPointF(left, top), QPointF(right, bottom));
    }
};

// How far past its outline a pen may paint, in device pixels: half the width
// scaled, times the miter limit for sharp joins, plus the anti-aliasing fringe.
qreal PenReach(const QPen& pen, const QTransform& transform)
{
    if (pen.style() == Qt::NoPen)
        return 2;
    const qreal width = std::max<qreal>(pen.widthF(), 1);
    const qreal scale = pen.isCosmetic() ? 1 : std::max(std::hypot(transform.m11(), transform.m12()), std::hypot(transform.m21(), transform.m22()));
    return width * scale * std::max<qreal>(pen.miterLimit(), 1) + 2;
}

// The whole pixels a rectangle touches. Beyond a billion pixels it is cut
// off: no picture reaches that far, and the whole-pixel conversion of a
// larger (or not-a-number) position would not fit an int.
QRect PixelReach(const QRectF& r)
{
    constexpr qreal Limit = 1 << 30;
    auto bound = [](qreal v) { return std::fmax(-Limit, std::fmin(Limit, v)); };
    const int left = int(std::floor(bound(r.left()))), right = int(std::ceil(bound(r.right())));
    const int top = int(std::floor(bound(r.top()))), bottom = int(std::ceil(bound(r.bottom())));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// A path of its own: paths fill in cached data (bounds, a converted form) on
// first use, which two threads must not do to one shared path.
QPainterPath PrivateCopy(const QPainterPath& path)
{
    QPainterPath own = path;
    if (own.elementCount() > 0) {
        const QPainterPath::Element first = own.elementAt(0);
        own.setElementPositionAt(0, first.x, first.y); // detaches
    }
    return own;
}

} // namespace

// Records what a painter asks for, with the state in force at each call.
class DisplayListEngine : public QPaintEngine
{
public:
    explicit DisplayListEngine(DisplayList& list) : QPaintEngine(AllFeatures), list(list) {}

    bool begin(QPaintDevice*) override
    {
        current = DisplayList::State();
        frame = DisplayList::Frame();
        stateDirty = frameDirty = true;
        return true;
    }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& s) override
    {
        const DirtyFlags flags = s.state();
        if (flags & DirtyPen) {
            current.pen = s.pen();
            // A pen fills in its dash pattern on first use; do it here, once,
            // rather than in two bands at the same time.
            (void)current.pen.dashPattern();
        }
        if (flags & DirtyBrush)
            current.brush = s.brush();
        if (flags & DirtyBrushOrigin)
            frame.brushOrigin = s.brushOrigin();
        if (flags & DirtyTransform)
            frame.transform = s.transform();
        if (flags & DirtyHints)
            frame.hints = s.renderHints();
        if (flags & DirtyCompositionMode)
            frame.composition = s.compositionMode();
        if (flags & DirtyOpacity)
            frame.opacity = s.opacity();
        if (flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled)) {
            // The painter keeps the clip in its own terms; take it as a
            // device-space path so that playback can intersect it with a band.
            const QPainter* p = painter();
            frame.clipEnabled = p && p->hasClipping();
            frame.clip = frame.clipEnabled ? p->transform().map(p->clipPath()) : QPainterPath();
        }
        stateDirty = true;
        if (flags & (DirtyBrushOrigin | DirtyTransform | DirtyHints | DirtyCompositionMode | DirtyOpacity |
                     DirtyClipPath | DirtyClipRegion | DirtyClipEnabled))
            frameDirty = true;
    }

    // The list keeps a path of its own: the item's may be changed, or have its
    // cached data filled in, while the list plays on another thread.
    void drawPath(const QPainterPath& path) override { Add(PathCall{PrivateCopy(path)}); }
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
        Add(ImageCall{std::make_unique<ImageDraw>(ImageDraw{r, image, sr, flags})});
    }
    // Pixmaps belong to the GUI thread; the bands draw an image of it.
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& sr) override
    {
        Add(ImageCall{std::make_unique<ImageDraw>(ImageDraw{r, pixmap.toImage(), sr, Qt::AutoColor})});
    }
    void drawTiledPixmap(const QRectF& r, const QPixmap& pixmap, const QPointF& offset) override
    {
        QPainterPath path;
        path.addRect(r);
        DisplayList::State saved = current;
        current.brush = QBrush(pixmap.toImage());
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
        if (frameDirty || list.frames.empty()) {
            list.frames.push_back(frame);
            frameDirty = false;
            stateDirty = true;
        }
        if (stateDirty || list.states.empty()) {
            current.frame = int(list.frames.size()) - 1;
            list.states.push_back(current);
            stateDirty = false;
        }
        const QRectF area = CallArea{}(call);
        const qreal grow = PenReach(current.pen, frame.transform);
        const QRect reach = PixelReach(frame.transform.mapRect(area).adjusted(-grow, -grow, grow, grow));
        list.commands.push_back({int(list.states.size()) - 1, std::forward<Call>(call), reach});
    }

    DisplayList& list;
    DisplayList::State current;
    DisplayList::Frame frame;
    bool stateDirty = true;
    bool frameDirty = true;
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

int RecordingDeviceMetric(QPaintDevice::PaintDeviceMetric metric, int width, int height)
{
    switch (metric) {
    case QPaintDevice::PdmWidth:
        return width;
    case QPaintDevice::PdmHeight:
        return height;
    case QPaintDevice::PdmWidthMM:
        return width * 254 / 960;
    case QPaintDevice::PdmHeightMM:
        return height * 254 / 960;
    case QPaintDevice::PdmNumColors:
        return INT_MAX;
    case QPaintDevice::PdmDepth:
        return 32;
    case QPaintDevice::PdmDpiX:
    case QPaintDevice::PdmDpiY:
    case QPaintDevice::PdmPhysicalDpiX:
    case QPaintDevice::PdmPhysicalDpiY:
        return 96;
    case QPaintDevice::PdmDevicePixelRatio:
        return 1;
    case QPaintDevice::PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}

int DisplayList::metric(PaintDeviceMetric m) const
{
    return RecordingDeviceMetric(m, width, height);
}

namespace {

void ApplyFrame(QPainter& painter, const DisplayList::Frame& f, const QRect& band)
{
    painter.setTransform(QTransform());
    if (f.clipEnabled) {
        QPainterPath clip;
        clip.addRect(band);
        painter.setClipPath(clip.intersected(PrivateCopy(f.clip)));
    } else {
        painter.setClipRect(band);
    }
    painter.setTransform(f.transform);
    painter.setBrushOrigin(f.brushOrigin);
    painter.setRenderHints(f.hints, true);
    painter.setRenderHints(~f.hints, false);
    painter.setCompositionMode(f.composition);
    painter.setOpacity(f.opacity);
}

// Brings the painter to the state of a call, changing only what differs from
// the state it was last brought to.
class StateApplier
{
public:
    StateApplier(QPainter& painter, const QRect& band) : painter(painter), band(band) {}

    void Apply(int state, const std::vector<DisplayList::State>& states, const std::vector<DisplayList::Frame>& frames)
    {
        if (state == applied)
            return;
        const DisplayList::State& s = states[std::size_t(state)];
        if (s.frame != appliedFrame) {
            ApplyFrame(painter, frames[std::size_t(s.frame)], band);
            appliedFrame = s.frame;
        }
        painter.setPen(s.pen);
        painter.setBrush(s.brush);
        applied = state;
    }

private:
    QPainter& painter;
    QRect band;
    int applied = -1;
    int appliedFrame = -1;
};

struct Replayer
{
    QPainter& p;

    void operator()(const PathCall& c) const { p.drawPath(PrivateCopy(c.path)); }
    void operator()(const RectsCall& c) const { p.drawRects(c.rects.data(), int(c.rects.size())); }
    void operator()(const EllipseCall& c) const { p.drawEllipse(c.rect); }
    void operator()(const LinesCall& c) const { p.drawLines(c.lines.data(), int(c.lines.size())); }
    void operator()(const PointsCall& c) const { p.drawPoints(c.points.data(), int(c.points.size())); }
    void operator()(const ImageCall& c) const
    {
        p.drawImage(c.draw->target, c.draw->image, c.draw->source, c.draw->flags);
    }
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

// Draws path calls of a plain solid fill or outline straight into the pixels
// of a premultiplied image; everything else goes to the painter.
class DirectPainter
{
public:
    DirectPainter(uchar* bits, qsizetype bytesPerLine, QImage::Format format, const QRect& band)
        : bits(bits), bytesPerLine(bytesPerLine), format(format), raster(band)
    {
    }

    // Draws the call and answers true, or answers false when the painter has to.
    bool Draw(const DisplayList::State& s, const DisplayList::Frame& f, const PathCall& call, QPainter& painter)
    {
        if (!Usable(f))
            return false;
        if (s.brush.style() != Qt::NoBrush) {
            if (s.brush.style() == Qt::SolidPattern) {
                raster.AddPath(call.path, f.transform);
                raster.Fill(bits, bytesPerLine, call.path.fillRule(), Premultiplied(s.brush.color(), f.opacity));
            } else {
                painter.fillPath(PrivateCopy(call.path), s.brush);
            }
        }
        if (s.pen.style() == Qt::NoPen)
            return true;
        if (!DirectOutline(s.pen, f.transform)) {
            painter.strokePath(PrivateCopy(call.path), s.pen);
            return true;
        }
        QPainterPathStroker stroker(s.pen);
        stroker.setCurveThreshold(0.25 / TransformScale(f.transform));
        raster.AddPath(stroker.createStroke(PrivateCopy(call.path)), f.transform);
        raster.Fill(bits, bytesPerLine, Qt::WindingFill, Premultiplied(s.pen.color(), f.opacity));
        return true;
    }

private:
    bool Usable(const DisplayList::Frame& f) const
    {
        return format == QImage::Format_ARGB32_Premultiplied && !f.clipEnabled &&
               f.composition == QPainter::CompositionMode_SourceOver && f.hints.testFlag(QPainter::Antialiasing) &&
               f.transform.type() <= QTransform::TxShear;
    }

    // Hairlines (a pen of at most one pixel) keep the painter's own look.
    static bool DirectOutline(const QPen& pen, const QTransform& transform)
    {
        return pen.brush().style() == Qt::SolidPattern && !pen.isCosmetic() &&
               pen.widthF() * TransformScale(transform) > 1;
    }

    static qreal TransformScale(const QTransform& t)
    {
        return std::sqrt(std::fabs(t.determinant()));
    }

    static QRgb Premultiplied(const QColor& color, qreal opacity)
    {
        QRgb rgba = color.rgba();
        if (opacity < 1)
            rgba = qRgba(qRed(rgba), qGreen(rgba), qBlue(rgba), qRound(qAlpha(rgba) * std::max<qreal>(opacity, 0)));
        return qPremultiply(rgba);
    }

    uchar* bits;
    qsizetype bytesPerLine;
    QImage::Format format;
    CoverageRaster raster;
};

} // namespace

void DisplayList::Play(QPainter& painter) const
{
    StateApplier applier(painter, QRect(0, 0, width, height));
    for (const Command& command : commands) {
        applier.Apply(command.state, states, frames);
        std::visit(Replayer{painter}, command.call);
    }
}

void DisplayList::PlayInBands(QImage& image, int threads, const QRect& area, const std::atomic<bool>* stop) const
{
    const QRect painted = area.isEmpty() ? image.rect() : area.intersected(image.rect());
    if (painted.isEmpty())
        return;
    // More bands than threads, taken in turn: a thread whose bands were
    // light takes another instead of waiting for the slowest one.
    threads = std::max(threads, 1);
    const int bands = threads == 1 ? 1 : std::clamp(threads * 2, 1, std::max(1, painted.height() / 32));
    const int rowsPerBand = (painted.height() + bands - 1) / bands;

    // Every band paints through its own QImage header over the same pixels and
    // touches only its own rows, so the threads never write the same memory.
    image.detach(); // bits() below must not detach per thread
    uchar* const bits = image.bits();
    auto playBand = [this, &image, &painted, bits, stop](int top, int rows) {
        QImage view(bits, image.width(), image.height(), image.bytesPerLine(), image.format());
        QPainter painter(&view);
        const QRect band(painted.left(), top, painted.width(), rows);
        DirectPainter direct(bits, image.bytesPerLine(), image.format(), band);
        StateApplier applier(painter, band);
        for (const Command& command : commands) {
            // A call wholly outside the band would still run the stroker.
            if (!command.reach.intersects(band))
                continue;
            if (stop && stop->load(std::memory_order_relaxed))
                return;
            applier.Apply(command.state, states, frames);
            const State& state = states[std::size_t(command.state)];
            const auto* path = std::get_if<PathCall>(&command.call);
            if (!path || !direct.Draw(state, frames[std::size_t(state.frame)], *path, painter))
                std::visit(Replayer{painter}, command.call);
        }
    };
    std::atomic<int> nextBand{0};
    auto work = [&] {
        for (int b = nextBand++; b < bands; b = nextBand++) {
            const int top = painted.top() + b * rowsPerBand;
            const int rows = std::min(rowsPerBand, painted.bottom() + 1 - top);
            if (rows > 0)
                playBand(top, rows);
        }
    };

    std::vector<std::thread> workers;
    for (int t = 1; t < std::min(threads, bands); ++t)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();
}
