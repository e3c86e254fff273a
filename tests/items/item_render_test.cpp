// Shapes painted into an image: fills, rotation, dashes, gradients, hidden
// items, previews and handles, checked on chosen pixels.

#include "render_on_white.h"

#include "items/ellipse_item.h"
#include "items/line_item.h"
#include "items/rectangle_item.h"
#include "support/geometry_expect.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QRgb At(const QImage& image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Red = 0xFFFF0000;

} // namespace

TEST(ItemRender, FilledOutlinedAndTurnedRectangles)
{
    RectangleItem rect;
    ASSERT_TRUE(rect.SetNodes(TwoPoints(20, 20, 120, 80)));
    rect.SetColorAttr(ATTR_FILL_COLOR, Red);
    rect.SetColorAttr(ATTR_LINE_COLOR, ColorOpaqueBlack);
    rect.SetFloatAttr(ATTR_LINE_WIDTH, 4);
    const QImage image = Render(rect);
    EXPECT_EQ(At(image, 70, 50), Red);
    EXPECT_EQ(At(image, 20, 50), 0xFF000000u);
    EXPECT_EQ(At(image, 70, 10), White);

    // Without colours an item is invisible; a clear fill is skipped.
    RectangleItem bare;
    ASSERT_TRUE(bare.SetNodes(TwoPoints(20, 20, 120, 80)));
    EXPECT_EQ(Render(bare), Blank());

    // Turned, it leaves the corners of its bounds blank.
    ASSERT_TRUE(bare.SetNodes(TwoPoints(50, 50, 150, 150)));
    bare.SetColorAttr(ATTR_FILL_COLOR, Red);
    bare.RotateAbout(45, ModeCommit);
    const QImage turned = Render(bare);
    ASSERT_TRUE(RectContains(bare.Bounds(), 40, 40));
    EXPECT_EQ(At(turned, 40, 40), White);
    EXPECT_EQ(At(turned, 100, 35), Red); // beyond the unrotated top edge
}

TEST(ItemRender, ThickDashedLineHasGaps)
{
    auto countAlong = [](DrawItem& item, int& dark, int& white) {
        const QImage image = Render(item);
        dark = white = 0;
        for (int x = 20; x <= 180; ++x) {
            const QRgb c = At(image, x, 100);
            if (c == White)
                ++white;
            else if (qRed(c) < 64)
                ++dark;
        }
    };
    LineItem line;
    ASSERT_TRUE(line.SetNodes(TwoPoints(10, 100, 190, 100)));
    line.SetColorAttr(ATTR_LINE_COLOR, ColorOpaqueBlack);
    line.SetFloatAttr(ATTR_LINE_WIDTH, 6);
    int dark = 0, white = 0;
    countAlong(line, dark, white);
    EXPECT_EQ(white, 0);

    line.SetIntAttr(ATTR_DASH_STYLE, 1);
    countAlong(line, dark, white);
    EXPECT_GT(dark, 40);
    EXPECT_GT(white, 20);
}

TEST(ItemRender, FillAndPenGradientsRunAlongTheirLines)
{
    RectangleItem rect;
    ASSERT_TRUE(rect.SetNodes(TwoPoints(0, 0, 200, 100)));
    rect.SetIntAttr(ATTR_FILL_GRADIENT, 1);
    rect.EnsureFillGradient();
    const QImage image = Render(rect);
    int previous = -1;
    for (int x : {5, 50, 100, 150, 195}) {
        const int grey = qGray(At(image, x, 50));
        EXPECT_GT(grey, previous) << "at x = " << x;
        previous = grey;
    }

    // An intermediate red stop in the middle, handed over out of order.
    rect.SetFillRamp({ColorOpaqueBlack, ColorOpaqueWhite, Red, 0xFF0000FF}, {0, 1, 0.5f, 0.25f});
    const QImage stops = Render(rect);
    const QRgb middle = At(stops, 100, 50);
    EXPECT_GT(qRed(middle), 230);
    EXPECT_LT(qGreen(middle), 25);
    const QRgb quarter = At(stops, 50, 50);
    EXPECT_GT(qBlue(quarter), 230);
    EXPECT_LT(qRed(quarter), 25);

    // Start and end on one point: painted in the start colour, not garbage.
    rect.SetPointAttr(ATTR_FILL_GRADIENT_END, rect.GetPointAttr(ATTR_FILL_GRADIENT_START));
    const QImage flat = Render(rect);
    EXPECT_EQ(At(flat, 100, 50), 0xFF000000u);

    // A line's pen takes its gradient the same way.
    LineItem line;
    ASSERT_TRUE(line.SetNodes(TwoPoints(0, 100, 200, 100)));
    line.SetFloatAttr(ATTR_LINE_WIDTH, 10);
    line.SetColorAttr(ATTR_LINE_COLOR, Red);
    line.SetIntAttr(ATTR_LINE_GRADIENT, 1);
    line.SetLineRamp({0xFF0000FF, 0xFF00FF00}, {0, 1});
    line.SetPointAttr(ATTR_LINE_GRADIENT_START, {0, 100});
    line.SetPointAttr(ATTR_LINE_GRADIENT_END, {200, 100});
    const QImage pen = Render(line);
    EXPECT_GT(qBlue(At(pen, 10, 100)), 200);
    EXPECT_GT(qGreen(At(pen, 190, 100)), 200);
    EXPECT_LT(qRed(At(pen, 100, 100)), 10);
}

TEST(ItemRender, WrapModesRepeatReflectOrClampBeyondTheLine)
{
    // Black to white from x = 50 to x = 100: 10 units before the start and
    // past the end tell repeating, reflecting and clamping apart.
    RectangleItem rect;
    ASSERT_TRUE(rect.SetNodes(TwoPoints(0, 0, 200, 100)));
    rect.SetIntAttr(ATTR_FILL_GRADIENT, 1);
    rect.SetFillRamp({ColorOpaqueBlack, ColorOpaqueWhite}, {0, 1});
    rect.SetPointAttr(ATTR_FILL_GRADIENT_START, {50, 50});
    rect.SetPointAttr(ATTR_FILL_GRADIENT_END, {100, 50});
    const struct
    {
        int wrap;
        int before, after; // grey at x = 40 and x = 110
    } modes[] = {{0, 204, 51}, {1, 51, 204}, {2, 204, 51}, {3, 51, 204}, {4, 0, 255}};
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.wrap);
        rect.SetIntAttr(ATTR_FILL_WRAP, mode.wrap);
        const QImage image = Render(rect);
        EXPECT_NEAR(qGray(At(image, 40, 50)), mode.before, 8);
        EXPECT_NEAR(qGray(At(image, 110, 50)), mode.after, 8);
        EXPECT_NEAR(qGray(At(image, 75, 50)), 128, 8);
    }
}

TEST(ItemRender, GradientHandlesShowEachStopInItsColour)
{
    RectangleItem rect;
    ASSERT_TRUE(rect.SetNodes(TwoPoints(10, 50, 190, 150)));
    auto handles = [&rect](std::int32_t selected) {
        QImage image = Blank();
        QPainter painter(&image);
        rect.DrawFillGradientHandles(painter, selected);
        return image;
    };
    EXPECT_EQ(handles(-1), Blank()); // no gradient, no handles

    rect.SetIntAttr(ATTR_FILL_GRADIENT, 1);
    rect.SetFillRamp({0xFF0000FF, 0xFF00FF00, Red}, {0, 1, 0.5f});
    rect.SetPointAttr(ATTR_FILL_GRADIENT_START, {20, 100});
    rect.SetPointAttr(ATTR_FILL_GRADIENT_END, {180, 100});
    const QImage plain = handles(-1);
    EXPECT_EQ(At(plain, 20, 100), 0xFF0000FFu);
    EXPECT_EQ(At(plain, 100, 100), Red);
    EXPECT_EQ(At(plain, 60, 100), 0xFF000000u); // the line between the ends
    EXPECT_NE(At(plain, 104, 100), Red);
    EXPECT_EQ(At(handles(2), 104, 100), Red); // the selected stop is drawn larger
}

TEST(ItemRender, PreviewOutlineInBlueAndNodeHandles)
{
    RectangleItem rect;
    ASSERT_TRUE(rect.SetNodes(TwoPoints(20, 20, 100, 100)));
    rect.SetColorAttr(ATTR_FILL_COLOR, Red);
    rect.Translate(60, 0, ModePreview);
    QImage image = Blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    rect.Draw(painter);
    EXPECT_TRUE(painter.testRenderHint(QPainter::Antialiasing)); // switched back on
    painter.end();
    EXPECT_EQ(At(image, 50, 50), Red);        // the committed shape stays put
    // The preview's right edge, one aliased pixel wide on either side of x = 160.
    EXPECT_TRUE(At(image, 159, 60) == ColorPreviewBlue || At(image, 160, 60) == ColorPreviewBlue);
    EXPECT_EQ(At(image, 130, 60), White);

    // Selection handles are the view's painting test's.
    LineItem line;
    ASSERT_TRUE(line.SetNodes(TwoPoints(20, 20, 180, 20)));
    const QImage nodes = PaintOnWhite([&line](QPainter& p) { line.DrawNodeHandles(p, {1}); });
    EXPECT_EQ(At(nodes, 180, 20), 0xFF000000u); // selected: filled
    EXPECT_EQ(At(nodes, 20, 20), White);        // unselected: hollow
    const QImage hot = PaintOnWhite([&line](QPainter& p) { line.DrawHotNode(p, {21, 21}); });
    EXPECT_EQ(At(hot, 20, 20), 0xFF000000u);
}

