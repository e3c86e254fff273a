#include "export/occlusion_grid.h"

#include "items/draw_item.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int Tile = 1 << OcclusionGrid::TileShift;

// The bits from..to (inclusive) of word number `word`.
std::uint64_t WordMask(int word, int from, int to)
{
    const int lo = std::max(from - word * 64, 0), hi = std::min(to - word * 64, 63);
    const std::uint64_t upTo = hi == 63 ? ~std::uint64_t(0) : (std::uint64_t(1) << (hi + 1)) - 1;
    return upTo & ~((std::uint64_t(1) << lo) - 1);
}

} // namespace

OcclusionGrid::OcclusionGrid(const QRect& area) : area(area)
{
    if (area.isEmpty())
        return;
    columns = (area.width() + Tile - 1) / Tile;
    rows = (area.height() + Tile - 1) / Tile;
    wordsPerRow = (columns + 63) / 64;
    bits.assign(std::size_t(rows) * std::size_t(wordsPerRow), 0);
}

bool OcclusionGrid::Covers(const QRect& pixels) const
{
    const QRect r = pixels & area;
    if (r.isEmpty())
        return true;
    const int x0 = (r.left() - area.left()) >> TileShift, x1 = (r.right() - area.left()) >> TileShift;
    const int y0 = (r.top() - area.top()) >> TileShift, y1 = (r.bottom() - area.top()) >> TileShift;
    for (int y = y0; y <= y1; ++y) {
        const std::uint64_t* row = bits.data() + std::size_t(y) * std::size_t(wordsPerRow);
        for (int w = x0 >> 6; w <= x1 >> 6; ++w) {
            const std::uint64_t mask = WordMask(w, x0, x1);
            if ((row[w] & mask) != mask)
                return false;
        }
    }
    return true;
}

void OcclusionGrid::Add(const QRectF& opaque)
{
    if (bits.empty() || !(std::isfinite(opaque.left()) && std::isfinite(opaque.top()) &&
                          std::isfinite(opaque.right()) && std::isfinite(opaque.bottom())))
        return;
    // The pixels a whole pixel inside, as a half-open range. A side beyond
    // the area reaches the end of the tiles: the pixels past the area are
    // never painted, so the tiles on its edge may count as covered.
    const double left = area.left(), top = area.top();
    const double right = left + area.width(), bottom = top + area.height();
    const double endX = left + double(columns) * Tile, endY = top + double(rows) * Tile;
    double x0 = std::ceil(opaque.left()) + 1, x1 = std::floor(opaque.right()) - 1;
    double y0 = std::ceil(opaque.top()) + 1, y1 = std::floor(opaque.bottom()) - 1;
    x0 = x0 <= left ? left : std::min(x0, endX);
    y0 = y0 <= top ? top : std::min(y0, endY);
    x1 = x1 >= right ? endX : std::max(x1, left);
    y1 = y1 >= bottom ? endY : std::max(y1, top);
    // Tiles wholly inside.
    const int tx0 = int(std::ceil((x0 - left) / Tile)), tx1 = int(std::floor((x1 - left) / Tile)) - 1;
    const int ty0 = int(std::ceil((y0 - top) / Tile)), ty1 = int(std::floor((y1 - top) / Tile)) - 1;
    if (tx0 > tx1 || ty0 > ty1)
        return;
    for (int y = ty0; y <= ty1; ++y) {
        std::uint64_t* row = bits.data() + std::size_t(y) * std::size_t(wordsPerRow);
        for (int w = tx0 >> 6; w <= tx1 >> 6; ++w)
            row[w] |= WordMask(w, tx0, tx1);
    }
}

CoveredItemFilter::CoveredItemFilter(const QTransform& toDevice, const QRect& clip, bool on)
    : toDevice(toDevice), on(on && toDevice.type() <= QTransform::TxScale),
      // Beyond a pixel around the clip nothing shows: reaches are cut there
      // before they become whole pixels.
      near(QRectF(clip).adjusted(-2, -2, 2, 2)), covered(this->on ? clip : QRect())
{
}

bool CoveredItemFilter::Shows(DrawItem& item, const RectF& reach)
{
    if (!on)
        return true;
    // Anti-aliasing may touch the pixel around the reach.
    const QRect pixels = (toDevice.mapRect(ToQRectF(reach)) & near).toAlignedRect().adjusted(-1, -1, 1, 1);
    if (covered.Covers(pixels))
        return false;
    QRectF box;
    if (item.OpaqueBox(box))
        covered.Add(toDevice.mapRect(box));
    return true;
}
