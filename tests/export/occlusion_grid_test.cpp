// The covered-pixel grid that lets a paint skip items hidden under opaque ones.

#include "export/occlusion_grid.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Whether pixel (x, y) lies a whole pixel inside one of the rectangles.
bool DeepInside(const std::vector<QRectF>& opaque, int x, int y)
{
    for (const QRectF& r : opaque) {
        if (r.left() + 1 <= x && x + 1 <= r.right() - 1 && r.top() + 1 <= y && y + 1 <= r.bottom() - 1)
            return true;
    }
    return false;
}

} // namespace

TEST(OcclusionGridTest, CoversOnlyPixelsAWholePixelInsideAnOpaqueRectangle)
{
    // Random opaque rectangles over an area that starts off the origin and
    // takes two words of tiles a row; every pixel and every larger query the
    // grid calls covered must be so.
    const QRect area(13, -7, 701, 203);
    std::mt19937 random(3);
    std::uniform_real_distribution<double> x(-40, 730), y(-50, 210), size(0, 140);
    std::uniform_int_distribution<int> corner(-20, 720), side(1, 200);
    OcclusionGrid grid(area);
    // Four that stop just short of the area's sides.
    std::vector<QRectF> opaque{QRectF(0, 0, area.right() - 0.5, 60), QRectF(100, 0, 60, area.bottom() + 0.5),
                               QRectF(area.left() + 0.5, 80, 60, 40), QRectF(300, area.top() + 0.5, 40, 60)};
    for (const QRectF& r : opaque)
        grid.Add(r);
    int covered = 0;
    for (int round = 0; round < 8; ++round) {
        for (int i = 0; i < 25; ++i) {
            opaque.emplace_back(x(random), y(random), size(random), size(random) / 2);
            grid.Add(opaque.back());
        }
        for (int py = area.top(); py <= area.bottom(); ++py) {
            for (int px = area.left(); px <= area.right(); ++px) {
                if (grid.Covers(QRect(px, py, 1, 1))) {
                    ++covered;
                    ASSERT_TRUE(DeepInside(opaque, px, py)) << px << ", " << py;
                }
            }
        }
        for (int q = 0; q < 400; ++q) {
            const QRect query(corner(random), corner(random) / 3 - 30, side(random), side(random) / 4);
            if (!grid.Covers(query))
                continue;
            const QRect inside = query & area;
            for (int py = inside.top(); py <= inside.bottom(); ++py) {
                for (int px = inside.left(); px <= inside.right(); ++px)
                    ASSERT_TRUE(grid.Covers(QRect(px, py, 1, 1))) << px << ", " << py;
            }
        }
    }
    // The grid is of use: much of the area was found covered.
    EXPECT_GT(covered, 200000);

    // A rectangle reaching past the area's edges covers the tiles along them;
    // nothing is covered from a rectangle that is not finite.
    OcclusionGrid edges(area);
    edges.Add(QRectF(-1e30, -1e30, 2e30, 2e30));
    EXPECT_TRUE(edges.Covers(area));
    OcclusionGrid broken(area);
    broken.Add(QRectF(0, 0, qInf(), 50));
    EXPECT_FALSE(broken.Covers(QRect(20, 0, 8, 8)));
    // Outside the area there is nothing to paint.
    EXPECT_TRUE(OcclusionGrid(area).Covers(QRect(-100, -100, 10, 10)));
}
