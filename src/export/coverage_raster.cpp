#include "export/coverage_raster.h"

#include <algorithm>
#include <cmath>

namespace {

// Positions are kept in 1/256 of a pixel.
constexpr int SubpixelBits = 8;
constexpr std::int32_t One = 1 << SubpixelBits;

// A flattened curve stays within a tenth of a pixel of the curve.
constexpr double FlatnessPixels = 0.1;
constexpr int MaxCurveSegments = 1024;

std::int32_t ToFixed(double v)
{
    return static_cast<std::int32_t>(std::floor(v * One + 0.5));
}

// The coverage (0..255) of a pixel from twice its covered area in sub-pixel
// units, by the fill rule.
int Coverage(std::int64_t doubleArea, Qt::FillRule rule)
{
    std::int64_t v = doubleArea >> (2 * SubpixelBits + 1 - 8);
    if (rule == Qt::WindingFill) {
        if (v < 0)
            v = -v;
        return v >= 256 ? 255 : int(v);
    }
    v &= 511;
    if (v > 256)
        return int(512 - v);
    return v == 256 ? 255 : int(v);
}

// x times a / 255 for each of the four bytes of x, rounded.
std::uint32_t ByteMul(std::uint32_t x, std::uint32_t a)
{
    std::uint32_t rb = (x & 0xff00ffu) * a;
    rb = ((rb + ((rb >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
    std::uint32_t ag = ((x >> 8) & 0xff00ffu) * a;
    ag = (ag + ((ag >> 8) & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
    return ag | rb;
}

void BlendSpan(std::uint32_t* pixels, int count, QRgb color, int coverage)
{
    if (coverage == 0)
        return;
    const std::uint32_t source = coverage == 255 ? color : ByteMul(color, std::uint32_t(coverage));
    const std::uint32_t keep = 255 - qAlpha(source);
    if (keep == 0) {
        std::fill_n(pixels, count, source);
        return;
    }
    for (int i = 0; i < count; ++i)
        pixels[i] = source + ByteMul(pixels[i], keep);
}

QPointF Cubic(const QPointF& p0, const QPointF& c1, const QPointF& c2, const QPointF& p3, double t)
{
    const double u = 1 - t;
    return u * u * u * p0 + 3 * u * u * t * c1 + 3 * u * t * t * c2 + t * t * t * p3;
}

} // namespace

CoverageRaster::CoverageRaster(const QRect& clip) : clip(clip.normalized()) {}

void CoverageRaster::AddPath(const QPainterPath& path, const QTransform& transform)
{
    const int count = path.elementCount();
    QPointF start, last;
    bool open = false;
    auto map = [&transform](const QPainterPath::Element& e) { return transform.map(QPointF(e.x, e.y)); };
    auto close = [&] {
        if (open)
            AddEdge(last.x(), last.y(), start.x(), start.y());
    };
    const double left = clip.left(), right = clip.left() + clip.width();
    const double top = clip.top(), bottom = clip.top() + clip.height();
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.type == QPainterPath::MoveToElement || !open) {
            close();
            start = last = map(e);
            open = true;
            continue;
        }
        if (e.type != QPainterPath::CurveToElement || i + 2 >= count) {
            const QPointF p = map(e);
            AddEdge(last.x(), last.y(), p.x(), p.y());
            last = p;
            continue;
        }
        const QPointF c1 = map(e), c2 = map(path.elementAt(i + 1)), end = map(path.elementAt(i + 2));
        i += 2;
        // A curve lies inside the hull of its points. Above, below or right
        // of the clip it covers no pixel; left of it only its rise counts,
        // which the chord has as well.
        const double xs[] = {last.x(), c1.x(), c2.x(), end.x()};
        const double ys[] = {last.y(), c1.y(), c2.y(), end.y()};
        const auto [minX, maxX] = std::minmax_element(xs, xs + 4);
        const auto [minY, maxY] = std::minmax_element(ys, ys + 4);
        int segments = 1;
        if (*maxY > top && *minY < bottom && *minX < right && *maxX > left) {
            const QPointF d1 = last - 2 * c1 + c2, d2 = c1 - 2 * c2 + end;
            const double bend = std::sqrt(std::max(QPointF::dotProduct(d1, d1), QPointF::dotProduct(d2, d2)));
            // A cubic cut into n equal steps strays at most 3/4 bend / n^2.
            const double needed = std::ceil(std::sqrt(0.75 * bend / FlatnessPixels));
            segments = std::isfinite(needed) ? int(std::clamp(needed, 1.0, double(MaxCurveSegments))) : 1;
        }
        QPointF from = last;
        for (int k = 1; k < segments; ++k) {
            const QPointF to = Cubic(last, c1, c2, end, double(k) / segments);
            AddEdge(from.x(), from.y(), to.x(), to.y());
            from = to;
        }
        AddEdge(from.x(), from.y(), end.x(), end.y());
        last = end;
    }
    close();
}

void CoverageRaster::AddEdge(double x0, double y0, double x1, double y1)
{
    if (!(std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1)) || y0 == y1)
        return;
    // Far beyond any picture an edge is cut, so that positions fit the fixed
    // point type. The cut does not depend on the clip: every band of one
    // picture walks the same edges and so gets the same pixels.
    constexpr double Far = 1 << 21;
    const double top = clip.top(), bottom = clip.top() + clip.height();
    if ((y0 <= top && y1 <= top) || (y0 >= bottom && y1 >= bottom))
        return; // no row of the clip
    if ((y0 < -Far && y1 < -Far) || (y0 > Far && y1 > Far))
        return;
    auto xAt = [=](double y) { return x0 + (x1 - x0) * ((y - y0) / (y1 - y0)); };
    double xa = x0, ya = y0, xb = x1, yb = y1;
    if (std::fabs(ya) > Far) {
        ya = std::copysign(Far, ya);
        xa = xAt(ya);
    }
    if (std::fabs(yb) > Far) {
        yb = std::copysign(Far, yb);
        xb = xAt(yb);
    }
    if (std::isfinite(xa) && std::isfinite(xb))
        AddClippedEdge(xa, ya, xb, yb);
}

void CoverageRaster::AddClippedEdge(double x0, double y0, double x1, double y1)
{
    const double left = clip.left(), right = clip.left() + clip.width();
    // An edge only adds to the pixels on its right: beyond the right side of
    // the clip it is dropped, and left of the clip it counts as an edge
    // along the clip's left side.
    if (x0 >= right && x1 >= right)
        return;
    auto yAt = [=](double x) { return y0 + (y1 - y0) * ((x - x0) / (x1 - x0)); };
    if (x0 > right) {
        y0 = yAt(right);
        x0 = right;
    } else if (x1 > right) {
        y1 = yAt(right);
        x1 = right;
    }
    const std::int32_t fixedLeft = ToFixed(left);
    if (x0 < left || x1 < left) {
        if (x0 <= left && x1 <= left) {
            AddFixedLine(fixedLeft, ToFixed(y0), fixedLeft, ToFixed(y1));
            return;
        }
        const std::int32_t crossing = ToFixed(yAt(left));
        if (x0 < left) {
            AddFixedLine(fixedLeft, ToFixed(y0), fixedLeft, crossing);
            AddFixedLine(fixedLeft, crossing, ToFixed(x1), ToFixed(y1));
        } else {
            AddFixedLine(ToFixed(x0), ToFixed(y0), fixedLeft, crossing);
            AddFixedLine(fixedLeft, crossing, fixedLeft, ToFixed(y1));
        }
        return;
    }
    AddFixedLine(ToFixed(x0), ToFixed(y0), ToFixed(x1), ToFixed(y1));
}

void CoverageRaster::AddFixedLine(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
{
    if (y0 == y1)
        return;
    const std::int32_t r0 = y0 >> SubpixelBits, r1 = y1 >> SubpixelBits;
    const std::int64_t dx = std::int64_t(x1) - x0, dy = std::int64_t(y1) - y0;
    const bool down = dy > 0;
    // Only the clip's rows are walked. Every crossing of a row boundary is
    // worked out from the line's ends, so a walk that starts further on
    // finds the very positions a whole walk would.
    const std::int32_t low = std::max(std::min(r0, r1), clip.top()), high = std::min(std::max(r0, r1), clip.bottom());
    if (low > high)
        return;
    auto xAt = [=](std::int32_t y) { return std::int32_t(x0 + dx * (std::int64_t(y) - y0) / dy); };
    const std::int32_t first = down ? low : high, last = down ? high : low;
    std::int32_t ya = first == r0 ? y0 : (down ? first : first + 1) * One;
    std::int32_t xa = first == r0 ? x0 : xAt(ya);
    for (std::int32_t row = first;; row += down ? 1 : -1) {
        const bool end = row == r1;
        // Where the line leaves the row: its bottom going down, its top going up.
        const std::int32_t yb = end ? y1 : (down ? row + 1 : row) * One;
        const std::int32_t xb = end ? x1 : xAt(yb);
        AddRowSegment(row, xa, ya - row * One, xb, yb - row * One);
        if (row == last)
            break;
        xa = xb;
        ya = yb;
    }
}

void CoverageRaster::AddRowSegment(std::int32_t row, std::int32_t x0, std::int32_t fy0, std::int32_t x1,
                                   std::int32_t fy1)
{
    if (fy0 == fy1 || row < clip.top() || row > clip.bottom())
        return;
    const std::int32_t c0 = x0 >> SubpixelBits, c1 = x1 >> SubpixelBits;
    if (c0 == c1) {
        const std::int32_t base = c0 * One;
        AddToCell(c0, row, fy1 - fy0, ((x0 - base) + (x1 - base)) * (fy1 - fy0));
        return;
    }
    const std::int64_t dx = std::int64_t(x1) - x0, dy = fy1 - fy0;
    const int step = dx > 0 ? 1 : -1;
    std::int32_t xa = x0, ya = fy0;
    for (std::int32_t c = c0;; c += step) {
        const bool last = c == c1;
        // Where the segment leaves the pixel: its right side going right, its left going left.
        const std::int32_t xb = last ? x1 : (dx > 0 ? (c + 1) * One : c * One);
        const std::int32_t yb = last ? fy1 : std::int32_t(fy0 + dy * (std::int64_t(xb) - x0) / dx);
        const std::int32_t base = c * One;
        AddToCell(c, row, yb - ya, ((xa - base) + (xb - base)) * (yb - ya));
        if (last)
            break;
        xa = xb;
        ya = yb;
    }
}

void CoverageRaster::AddToCell(std::int32_t x, std::int32_t row, std::int32_t cover, std::int32_t area)
{
    if ((cover == 0 && area == 0) || x > clip.right())
        return;
    x = std::max(x, clip.left());
    // A piece adds at most 512 x 256 to the area; an outline that circles
    // inside one pixel many times goes on in a new cell of the same pixel
    // rather than overflow this one.
    constexpr std::int32_t AreaLimit = 1 << 30;
    if (haveCell && cell.x == x && cell.row == row && std::abs(cell.area) < AreaLimit) {
        cell.cover += cover;
        cell.area += area;
        return;
    }
    FlushCell();
    haveCell = true;
    cell = Cell{x, row, cover, area};
}

void CoverageRaster::FlushCell()
{
    if (haveCell)
        cells.push_back(cell);
    haveCell = false;
}

void CoverageRaster::SortCells()
{
    // Counting sort by row, then each row by column.
    firstRow = lastRow = cells.front().row;
    for (const Cell& c : cells) {
        firstRow = std::min(firstRow, c.row);
        lastRow = std::max(lastRow, c.row);
    }
    const std::size_t rowCount = std::size_t(lastRow - firstRow) + 1;
    rowStart.assign(rowCount + 1, 0);
    for (const Cell& c : cells)
        ++rowStart[std::size_t(c.row - firstRow) + 1];
    for (std::size_t i = 1; i <= rowCount; ++i)
        rowStart[i] += rowStart[i - 1];
    sorted.resize(cells.size());
    std::vector<std::int32_t>& next = rowFill;
    next.assign(rowStart.begin(), rowStart.end() - 1);
    for (const Cell& c : cells)
        sorted[std::size_t(next[std::size_t(c.row - firstRow)]++)] = c;
    for (std::size_t i = 0; i < rowCount; ++i) {
        std::sort(sorted.begin() + rowStart[i], sorted.begin() + rowStart[i + 1],
                  [](const Cell& a, const Cell& b) { return a.x < b.x; });
    }
}

void CoverageRaster::Fill(uchar* bits, qsizetype bytesPerLine, Qt::FillRule rule, QRgb premultipliedColor)
{
    FlushCell();
    if (cells.empty())
        return;
    SortCells();
    for (std::int32_t row = firstRow; row <= lastRow; ++row) {
        const std::size_t i = std::size_t(row - firstRow);
        if (rowStart[i] == rowStart[i + 1])
            continue;
        auto* line = reinterpret_cast<std::uint32_t*>(bits + qsizetype(row) * bytesPerLine);
        SweepRow(line, sorted.data() + rowStart[i], sorted.data() + rowStart[i + 1], rule, premultipliedColor);
    }
    cells.clear();
}

void CoverageRaster::SweepRow(std::uint32_t* line, const Cell* begin, const Cell* end, Qt::FillRule rule,
                              QRgb color) const
{
    // The winding of the pixels between cells: the cover of every cell to their left.
    std::int64_t cover = 0;
    std::int32_t x = clip.left();
    constexpr int FullShift = SubpixelBits + 1;
    for (const Cell* c = begin; c != end;) {
        const std::int32_t cx = c->x;
        std::int64_t cellCover = 0, area = 0;
        for (; c != end && c->x == cx; ++c) {
            cellCover += c->cover;
            area += c->area;
        }
        if (cover != 0 && cx > x)
            BlendSpan(line + x, cx - x, color, Coverage(cover * (1 << FullShift), rule));
        cover += cellCover;
        const std::int64_t doubleArea = cover * (1 << FullShift) - area;
        if (doubleArea != 0)
            BlendSpan(line + cx, 1, color, Coverage(doubleArea, rule));
        x = cx + 1;
    }
    // Edges beyond the right side were dropped: what they would close runs to the clip's end.
    if (cover != 0 && x <= clip.right())
        BlendSpan(line + x, clip.right() + 1 - x, color, Coverage(cover * (1 << FullShift), rule));
}
