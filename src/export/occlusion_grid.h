#pragma once

// Which pixels of an area are already painted over for good, so that items
// under them need not be drawn at all. Items are taken from the top of the
// list down: each one asks whether everything it could touch is covered,
// then adds the part of itself that it paints opaque. A pixel painted by an
// opaque fill with full coverage shows that fill whatever lay below it, so
// skipping the items wholly below such pixels leaves every pixel as it was.
//
// The area is kept as square tiles, one bit each; a tile counts as covered
// only when all of its pixels are.

#include <QRect>
#include <QRectF>
#include <QTransform>

#include <cstdint>
#include <vector>

class OcclusionGrid
{
public:
    // area: the pixels that will be painted (others never are).
    explicit OcclusionGrid(const QRect& area);

    // Whether every pixel of pixels inside the area is covered.
    bool Covers(const QRect& pixels) const;
    // opaque: a rectangle in pixel coordinates that is painted opaque with
    // full coverage. A pixel counts only when it lies a whole pixel inside,
    // so that anti-aliasing and the flattening of curves cannot reach it.
    void Add(const QRectF& opaque);

    static constexpr int TileShift = 3; // tiles of 8 x 8 pixels

private:
    QRect area;
    int columns = 0;
    int rows = 0;
    int wordsPerRow = 0;
    std::vector<std::uint64_t> bits;
};

class DrawItem;
struct RectF;

// Items taken from the top of the list down through an occlusion grid:
// tells for each whether it shows, and adds what it covers.
class CoveredItemFilter
{
public:
    // Items are drawn through toDevice (canvas units to pixels) inside clip.
    // Only a scale and a move keep boxes boxes: under any other transform,
    // or when on is false, every item shows.
    CoveredItemFilter(const QTransform& toDevice, const QRect& clip, bool on = true);

    // The next item down, with everything a draw of it can touch (canvas
    // units): false when all of that is covered by the items above.
    bool Shows(DrawItem& item, const RectF& reach);

private:
    QTransform toDevice;
    bool on;
    QRectF near;
    OcclusionGrid covered;
};
