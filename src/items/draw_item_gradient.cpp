// Gradient ramps of an item: the brush built from a ramp, default ramps,
// stop accessors, the gradient line's angle and its on-canvas stop handles.

#include "items/draw_item.h"

#include "items/attribute_format.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159;

// The keys of one ramp's attributes.
struct RampKeys
{
    std::int32_t enabled;
    std::int32_t start;
    std::int32_t end;
};
constexpr RampKeys LineKeys{ATTR_LINE_GRADIENT, ATTR_LINE_GRADIENT_START, ATTR_LINE_GRADIENT_END};
constexpr RampKeys FillKeys{ATTR_FILL_GRADIENT, ATTR_FILL_GRADIENT_START, ATTR_FILL_GRADIENT_END};

std::size_t StopCount(const GradientRamp& ramp)
{
    return std::min(ramp.colors.size(), ramp.positions.size());
}

PointF StopPoint(PointF s, PointF e, float position)
{
    return {s.x + (e.x - s.x) * position, s.y + (e.y - s.y) * position};
}

QGradient::Spread SpreadForWrap(int wrap)
{
    switch (wrap) {
    case 1:
    case 3: return QGradient::ReflectSpread;
    case 4: return QGradient::PadSpread;
    default: return QGradient::RepeatSpread;
    }
}

void CopyRamp(const GradientRamp& ramp, std::vector<ArgbColor>& colors, std::vector<float>& positions)
{
    colors = ramp.colors;
    positions = ramp.positions;
}

// Keeps the ramp's two lists the same length whatever the caller hands in.
void StoreRamp(GradientRamp& ramp, const std::vector<ArgbColor>& colors, const std::vector<float>& positions)
{
    const std::size_t n = std::min(colors.size(), positions.size());
    ramp.colors.assign(colors.begin(), colors.begin() + std::ptrdiff_t(n));
    ramp.positions.assign(positions.begin(), positions.begin() + std::ptrdiff_t(n));
}

// The angle of the line s -> e in degrees, in (0, 360] plus the 0.5 that
// makes a truncating display round.
float LineAngle(PointF s, PointF e)
{
    const double dx = double(e.x) - s.x + 0.001;
    const double dy = double(e.y) - s.y + 0.001;
    double a;
    if (dx != 0)
        a = std::atan(dy / dx) * 180.0 / Pi;
    else
        a = dy > 0 ? 90.0 : (dy < 0 ? -90.0 : 0.0); // straight up or down, never 0/0
    a += dx < 0 ? 180.0 : 360.0;
    a = std::fmod(a, 360.0);
    if (a <= 0)
        a += 360.0;
    return float(a + 0.5);
}

} // namespace

// --- whole ramps ---

void DrawItem::GetLineRamp(std::vector<ArgbColor>& colors, std::vector<float>& positions) const
{
    CopyRamp(lineRamp, colors, positions);
}

void DrawItem::GetFillRamp(std::vector<ArgbColor>& colors, std::vector<float>& positions) const
{
    CopyRamp(fillRamp, colors, positions);
}

void DrawItem::SetLineRamp(const std::vector<ArgbColor>& colors, const std::vector<float>& positions)
{
    StoreRamp(lineRamp, colors, positions);
}

void DrawItem::SetFillRamp(const std::vector<ArgbColor>& colors, const std::vector<float>& positions)
{
    StoreRamp(fillRamp, colors, positions);
}

QBrush DrawItem::BuildGradientBrush(const GradientRamp& ramp, PointF start, PointF end, int wrap)
{
    auto colorAt = [&ramp](std::size_t i) {
        return QColor::fromRgba(i < ramp.colors.size() ? ramp.colors[i] : ColorAbsent);
    };
    // A gradient line of no length has no direction: paint its start colour.
    if (start == end)
        return QBrush(colorAt(0));

    QLinearGradient gradient(ToQPointF(start), ToQPointF(end));
    QGradientStops stops;
    stops.append({0.0, colorAt(0)});
    const std::size_t n = ramp.positions.size();
    for (std::size_t i = 2; i < n; ++i) {
        const float p = ramp.positions[i];
        if (std::isfinite(p))
            stops.append({std::clamp(double(p), 0.0, 1.0), colorAt(i)});
    }
    stops.append({1.0, colorAt(1)});
    // Stops are entered in ramp order, unsorted; Qt needs them ordered.
    std::stable_sort(stops.begin(), stops.end(), [](const QGradientStop& a, const QGradientStop& b) { return a.first < b.first; });
    gradient.setStops(stops);
    gradient.setSpread(SpreadForWrap(wrap));
    return QBrush(gradient);
}

// --- default ramps ---

void DrawItem::EnsureLineGradient()
{
    if (!lineRamp.positions.empty())
        return;
    const RectF b = Bounds(ModeCommit);
    SetPointAttr(ATTR_LINE_GRADIENT_START, {b.x, b.y + b.height * 0.5f});
    SetPointAttr(ATTR_LINE_GRADIENT_END, {b.x + b.width, b.y + b.height * 0.5f});
    lineRamp.positions = {0.0f, 1.0f};
    lineRamp.colors = {ColorOpaqueBlack, ColorOpaqueWhite};
}

void DrawItem::EnsureFillGradient()
{
    if (fillRamp.positions.empty()) {
        const RectF b = Bounds(ModeCommit);
        SetPointAttr(ATTR_FILL_GRADIENT_START, {b.x, b.y + b.height * 0.5f});
        SetPointAttr(ATTR_FILL_GRADIENT_END, {b.x + b.width, b.y + b.height * 0.5f});
        fillRamp.positions = {0.0f, 1.0f};
        fillRamp.colors = {ColorOpaqueBlack, ColorOpaqueWhite};
    }
    workColor = GetColorAttr(ATTR_LINE_COLOR);
}

// --- single stops ---

void DrawItem::SetLineStopColor(std::int32_t i, ArgbColor color)
{
    if (i >= 0 && std::size_t(i) < lineRamp.colors.size())
        lineRamp.colors[std::size_t(i)] = color;
}

void DrawItem::GetLineStopColor(std::int32_t i, ArgbColor& color)
{
    if (i >= 0 && std::size_t(i) < lineRamp.colors.size())
        color = lineRamp.colors[std::size_t(i)];
}

void DrawItem::SetFillStopColor(std::int32_t i, ArgbColor color)
{
    if (i >= 0 && std::size_t(i) < fillRamp.colors.size())
        fillRamp.colors[std::size_t(i)] = color;
}

void DrawItem::GetFillStopColor(std::int32_t i, ArgbColor& color)
{
    if (i >= 0 && std::size_t(i) < fillRamp.colors.size())
        color = fillRamp.colors[std::size_t(i)];
}

// The end stops sit at 0 and 1 for good; only intermediate stops move.
void DrawItem::SetLineStopPosition(std::int32_t i, float pos)
{
    if (i > 1 && std::size_t(i) < lineRamp.positions.size() && std::isfinite(pos))
        lineRamp.positions[std::size_t(i)] = pos;
}

void DrawItem::GetLineStopPosition(std::int32_t i, float& pos)
{
    if (i >= 0 && std::size_t(i) < lineRamp.positions.size())
        pos = lineRamp.positions[std::size_t(i)];
}

void DrawItem::SetFillStopPosition(std::int32_t i, float pos)
{
    if (i > 1 && std::size_t(i) < fillRamp.positions.size() && std::isfinite(pos))
        fillRamp.positions[std::size_t(i)] = pos;
}

void DrawItem::GetFillStopPosition(std::int32_t i, float& pos)
{
    if (i >= 0 && std::size_t(i) < fillRamp.positions.size())
        pos = fillRamp.positions[std::size_t(i)];
}

// --- angle of the gradient line ---

namespace {

void SetAngle(DrawItem& item, std::int32_t startAttr, std::int32_t endAttr, float angle)
{
    if (!std::isfinite(angle))
        return;
    const PointF s = item.GetPointAttr(startAttr);
    const PointF e = item.GetPointAttr(endAttr);
    // Turning by (90 - g) and then (angle - 90) is one turn by angle - g about s.
    Matrix m;
    m.Translate(-s.x, -s.y);
    m.Rotate(angle - LineAngle(s, e));
    m.Translate(s.x, s.y);
    // Both turned points are stored, the start too, as a file expects to find them.
    item.SetPointAttr(startAttr, m.Map(s));
    item.SetPointAttr(endAttr, m.Map(e));
}

} // namespace

void DrawItem::SetLineGradientAngle(float angle)
{
    SetAngle(*this, ATTR_LINE_GRADIENT_START, ATTR_LINE_GRADIENT_END, angle);
}

void DrawItem::GetLineGradientAngle(float& angle)
{
    angle = LineAngle(GetPointAttr(ATTR_LINE_GRADIENT_START), GetPointAttr(ATTR_LINE_GRADIENT_END));
}

void DrawItem::SetFillGradientAngle(float angle)
{
    SetAngle(*this, ATTR_FILL_GRADIENT_START, ATTR_FILL_GRADIENT_END, angle);
}

void DrawItem::GetFillGradientAngle(float& angle)
{
    angle = LineAngle(GetPointAttr(ATTR_FILL_GRADIENT_START), GetPointAttr(ATTR_FILL_GRADIENT_END));
}

// --- stop handles ---

namespace {

void HitStop(const GradientRamp& ramp, PointF s, PointF e, PointF point, std::int32_t& index)
{
    const std::size_t n = StopCount(ramp);
    for (std::size_t i = 0; i < n; ++i) {
        if (RectContainsHalfOpen(HandleSquare(6, StopPoint(s, e, ramp.positions[i]), 0), point.x, point.y)) {
            index = std::int32_t(i);
            return;
        }
    }
    index = -1;
}

// Where along s -> e a point falls, measured on the longer-enough axis;
// false when the line has no length to measure along.
bool FractionAlong(PointF s, PointF e, float offsetX, float offsetY, float& fraction)
{
    const float lengthX = e.x - s.x, lengthY = e.y - s.y;
    double f;
    if (std::fabs(lengthX) >= 6)
        f = double(offsetX) / lengthX;
    else if (lengthY != 0)
        f = double(offsetY) / lengthY;
    else if (lengthX != 0)
        f = double(offsetX) / lengthX;
    else
        return false;
    if (!std::isfinite(f))
        return false;
    fraction = float(f);
    return true;
}

std::int32_t ToggleStop(GradientRamp& ramp, PointF s, PointF e, PointF point, ArgbColor color)
{
    if (ramp.positions.size() <= 1)
        return -1;
    const RectF q = HandleSquare(4, point, 0);
    if (RectContainsHalfOpen(q, s.x, s.y) || RectContainsHalfOpen(q, e.x, e.y))
        return -1;
    const float left = std::min(s.x, e.x), top = std::min(s.y, e.y);
    const RectF box = InflateRect({left, top, std::max(s.x, e.x) - left, std::max(s.y, e.y) - top}, 4);
    if (!RectContains(box, point.x, point.y) || !PointNearSegment(point, s, e))
        return -1;

    const RectF near = HandleSquare(12, point, 0);
    const std::size_t n = StopCount(ramp);
    for (std::size_t i = 2; i < n; ++i) {
        const PointF p = StopPoint(s, e, ramp.positions[i]);
        if (RectContainsHalfOpen(near, p.x, p.y)) {
            ramp.colors.erase(ramp.colors.begin() + std::ptrdiff_t(i));
            ramp.positions.erase(ramp.positions.begin() + std::ptrdiff_t(i));
            return 0;
        }
    }
    float position;
    if (!FractionAlong(s, e, point.x - s.x, point.y - s.y, position))
        return -1;
    // Intermediate stops stay strictly between the ends, as a drag keeps them.
    ramp.positions.push_back(std::clamp(position, 0.01f, 0.99f));
    ramp.colors.push_back(color);
    return std::int32_t(ramp.positions.size() - 1);
}

void DragStop(DrawItem& item, GradientRamp& ramp, const RampKeys& keys, std::int32_t index, float dx, float dy)
{
    if (item.IsHidden() || item.IsLocked() || index < 0 || !std::isfinite(dx) || !std::isfinite(dy))
        return;
    const PointF s = item.GetPointAttr(keys.start);
    const PointF e = item.GetPointAttr(keys.end);
    if (index == 0) {
        item.SetPointAttr(keys.start, {s.x + dx, s.y + dy});
    } else if (index == 1) {
        item.SetPointAttr(keys.end, {e.x + dx, e.y + dy});
    } else if (std::size_t(index) < ramp.positions.size()) {
        float change;
        if (!FractionAlong(s, e, dx, dy, change))
            return;
        float& pos = ramp.positions[std::size_t(index)];
        const float moved = pos + change;
        pos = std::isfinite(moved) ? std::clamp(moved, 0.01f, 0.99f) : (change > 0 ? 0.99f : 0.01f);
    }
}

void DrawStops(QPainter& graphics, const GradientRamp& ramp, PointF s, PointF e, std::int32_t selected)
{
    const qreal pixel = ZoomFactor > 0 ? 1.0 / ZoomFactor : 1.0;
    QPen pen(QColor::fromRgba(ColorOpaqueBlack), pixel);
    graphics.setPen(pen);
    graphics.setBrush(Qt::NoBrush);
    graphics.drawLine(ToQPointF(s), ToQPointF(e));
    const std::size_t n = StopCount(ramp);
    for (std::size_t i = 0; i < n; ++i) {
        const QRectF square = ToQRectF(HandleSquare(std::int32_t(i) == selected ? 10 : 6, StopPoint(s, e, ramp.positions[i]), 1));
        graphics.fillRect(square, QColor::fromRgba(ramp.colors[i]));
        pen.setColor(QColor::fromRgba(ColorOpaqueWhite));
        graphics.setPen(pen);
        graphics.drawRect(square);
        pen.setColor(QColor::fromRgba(ColorOpaqueBlack));
        graphics.setPen(pen);
        graphics.drawRect(square.adjusted(-pixel, -pixel, pixel, pixel));
    }
}

} // namespace

void DrawItem::HitLineStop(PointF point, std::int32_t& index)
{
    HitStop(lineRamp, GetPointAttr(ATTR_LINE_GRADIENT_START), GetPointAttr(ATTR_LINE_GRADIENT_END), point, index);
}

void DrawItem::HitFillStop(PointF point, std::int32_t& index)
{
    HitStop(fillRamp, GetPointAttr(ATTR_FILL_GRADIENT_START), GetPointAttr(ATTR_FILL_GRADIENT_END), point, index);
}

std::int32_t DrawItem::ToggleLineStopAt(PointF point, ArgbColor color)
{
    return ToggleStop(lineRamp, GetPointAttr(ATTR_LINE_GRADIENT_START), GetPointAttr(ATTR_LINE_GRADIENT_END), point, color);
}

std::int32_t DrawItem::ToggleFillStopAt(PointF point, ArgbColor color)
{
    return ToggleStop(fillRamp, GetPointAttr(ATTR_FILL_GRADIENT_START), GetPointAttr(ATTR_FILL_GRADIENT_END), point, color);
}

void DrawItem::DragLineGradientHandle(std::int32_t index, float dx, float dy)
{
    DragStop(*this, lineRamp, LineKeys, index, dx, dy);
}

void DrawItem::DragFillGradientHandle(std::int32_t index, float dx, float dy)
{
    DragStop(*this, fillRamp, FillKeys, index, dx, dy);
}

void DrawItem::DrawLineGradientHandles(QPainter& graphics, std::int32_t selected)
{
    if (GetIntAttr(LineKeys.enabled) == 0)
        return;
    DrawStops(graphics, lineRamp, GetPointAttr(LineKeys.start), GetPointAttr(LineKeys.end), selected);
}

void DrawItem::DrawFillGradientHandles(QPainter& graphics, std::int32_t selected)
{
    if (GetIntAttr(FillKeys.enabled) == 0)
        return;
    DrawStops(graphics, fillRamp, GetPointAttr(FillKeys.start), GetPointAttr(FillKeys.end), selected);
}
