#pragma once

// Anti-aliased filling of outlines with one solid colour, written straight
// into the pixels of a premultiplied ARGB32 image.
//
// QPainter's anti-aliased filler keeps its edge cells in a small fixed pool;
// a long stroke outline overflows it, and the filler then walks the whole
// outline again for every few rows, which made strokes of large curves cost
// five times their fill. This filler keeps every cell of an outline (one per
// pixel an edge passes through, with the share of the pixel it covers), sorts
// them by row and sweeps each row once, so its cost follows the length of the
// edges. It applies QPainter's coverage rules: inside and outside the pixels
// are QPainter's, edge pixels differ by a few levels (more at single pixels
// where a curve is flattened a little apart).

#include <QRgb>
#include <QPainterPath>
#include <QRect>
#include <QTransform>

#include <cstdint>
#include <vector>

class CoverageRaster
{
public:
    // Paints only inside clip (device pixels).
    explicit CoverageRaster(const QRect& clip);

    // Flattens path through transform (an affine one) into edges; subpaths
    // are closed, as for a fill.
    void AddPath(const QPainterPath& path, const QTransform& transform);
    // Blends color (premultiplied) over the pixels wherever the edges added
    // since the last Fill cover them by rule, then forgets the edges. bits
    // are the rows of a premultiplied ARGB32 image that contains the clip
    // (taken once, so that threads painting other rows never detach it).
    void Fill(uchar* bits, qsizetype bytesPerLine, Qt::FillRule rule, QRgb premultipliedColor);

private:
    // One pixel an edge passes through: how far the edges inside it rise
    // (cover) and twice the area they leave on their left (area), both in
    // sub-pixel units.
    struct Cell
    {
        std::int32_t x;
        std::int32_t row;
        std::int32_t cover;
        std::int32_t area;
    };

    void AddEdge(double x0, double y0, double x1, double y1);
    void AddClippedEdge(double x0, double y0, double x1, double y1);
    void AddFixedLine(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);
    void AddRowSegment(std::int32_t row, std::int32_t x0, std::int32_t fy0, std::int32_t x1, std::int32_t fy1);
    void AddToCell(std::int32_t x, std::int32_t row, std::int32_t cover, std::int32_t area);
    void FlushCell();
    void SortCells();
    void SweepRow(std::uint32_t* line, const Cell* begin, const Cell* end, Qt::FillRule rule, QRgb color) const;

    QRect clip;
    // The cells of the edges added since the last fill, and the same cells
    // ordered by row and column for the sweep; both are reused.
    std::vector<Cell> cells;
    std::vector<Cell> sorted;
    // The rows that have cells; where each row's cells begin in sorted (one
    // entry more than rows), and where the next cell of each row goes.
    std::int32_t firstRow = 0;
    std::int32_t lastRow = -1;
    std::vector<std::int32_t> rowStart;
    std::vector<std::int32_t> rowFill;
    // The cell being added to: consecutive pieces of an edge mostly fall
    // into the same pixel, so they are summed before being stored.
    bool haveCell = false;
    Cell cell{};
};
