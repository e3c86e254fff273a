#include "export/coverage_raster.h"
#include "support/pixel_difference.h"

#include <QPainter>
#include <QPainterPathStroker>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr int Side = 200;

QImage White()
{
    QImage image(Side, Side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

QImage WithPainter(const QPainterPath& path, QColor color, const QTransform& transform = {})
{
    QImage image = White();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(transform);
    painter.fillPath(path, color);
    return image;
}

QImage WithRaster(const QPainterPath& path, QColor color, const QRect& clip = QRect(0, 0, Side, Side),
                  const QTransform& transform = {})
{
    QImage image = White();
    CoverageRaster raster(clip);
    raster.AddPath(path, transform);
    raster.Fill(image.bits(), image.bytesPerLine(), path.fillRule(), qPremultiply(color.rgba()));
    return image;
}

QPainterPath Star(Qt::FillRule rule)
{
    QPainterPath star;
    star.setFillRule(rule);
    for (int i = 0; i < 5; ++i) {
        const double angle = i * 4 * M_PI / 5 - M_PI / 2;
        const QPointF p(100 + 90 * std::cos(angle), 100 + 90 * std::sin(angle));
        i == 0 ? star.moveTo(p) : star.lineTo(p);
    }
    star.closeSubpath();
    return star;
}

TEST(CoverageRaster, CoversWhatThePainterCovers)
{
    QPainterPath rect;
    rect.addRect(QRectF(10.3, 20.6, 120.45, 70.2));
    QPainterPath ellipse;
    ellipse.addEllipse(QRectF(15.5, 30.25, 160, 110));
    QPainterPath curve;
    curve.moveTo(10, 190);
    curve.cubicTo(300, -120, -100, -50, 190, 180);
    QPainterPathStroker stroker;
    stroker.setWidth(3.5);
    QPainterPath outline = stroker.createStroke(curve);

    const struct
    {
        const char* what;
        QPainterPath path;
        QColor color;
        int largest; // straight edges agree to rounding; curves are flattened a little apart
        QTransform transform;
    } cases[] = {
        {"rectangle at fractions of a pixel", rect, QColor(200, 30, 40), 3, {}},
        {"star, odd-even", Star(Qt::OddEvenFill), QColor(0, 0, 0), 3, {}},
        {"stroke outline of a looping curve", outline, QColor(20, 160, 60), 24, {}},
        {"half-transparent ellipse", ellipse, QColor(255, 0, 0, 128), 24, {}},
        {"turned, stretched rectangle", rect, Qt::blue, 3, QTransform().translate(100, 0).rotate(30).scale(1.5, 0.75)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PixelDifference d = ComparePixels(WithRaster(c.path, c.color, QRect(0, 0, Side, Side), c.transform),
                                                WithPainter(c.path, c.color, c.transform));
        // Inside and outside agree exactly; edge pixels within a few levels.
        EXPECT_LE(d.largest, c.largest);
        EXPECT_LT(d.mean, 0.15);
    }
    // The centre of the odd-even star is a hole; the winding star fills it.
    EXPECT_EQ(WithRaster(Star(Qt::OddEvenFill), Qt::black).pixel(100, 100), 0xFFFFFFFFu);
    EXPECT_EQ(WithRaster(Star(Qt::WindingFill), Qt::black).pixel(100, 100), 0xFF000000u);
}

TEST(CoverageRaster, BandsMeetWithoutSeamsAndOddInputPaintsNothingWrong)
{
    // Shapes reaching far past the picture on every side, cut into bands:
    // each band paints only its rows, and together they give the very
    // pixels of one pass.
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addEllipse(QRectF(-500, 40.3, 900, 97.1));
    path.moveTo(-1e7, -3e6);
    path.lineTo(150.7, 1e8);
    path.lineTo(170.2, -1e8);
    path.closeSubpath();
    path.moveTo(20, 20);
    path.cubicTo(400, 0, -300, 250, 180, 199.5);
    path.closeSubpath();
    const QColor color(90, 10, 200, 200);

    const QImage whole = WithRaster(path, color);
    QImage banded = White();
    for (int top = 0; top < Side; top += 37) {
        const QRect band(0, top, Side, std::min(37, Side - top));
        CoverageRaster raster(band);
        raster.AddPath(path, {});
        raster.Fill(banded.bits(), banded.bytesPerLine(), path.fillRule(), qPremultiply(color.rgba()));
    }
    EXPECT_EQ(banded, whole);

    // A clip leaves the pixels outside it as they were.
    const QImage clipped = WithRaster(path, color, QRect(50, 60, 70, 80));
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            const bool inside = x >= 50 && x < 120 && y >= 60 && y < 140;
            ASSERT_EQ(clipped.pixel(x, y), inside ? whole.pixel(x, y) : 0xFFFFFFFFu) << x << "," << y;
        }
    }

    // Odd input paints nothing wrong.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QPainterPath broken;
    broken.moveTo(10, 10);
    broken.lineTo(nan, 50);
    broken.lineTo(inf, -inf);
    broken.lineTo(1e300, 1e300);
    EXPECT_EQ(WithRaster(broken, Qt::black), White());

    // An outline circling twenty thousand times inside one pixel adds more
    // area to its cell than one cell holds; the pixel is still painted and
    // its neighbours are not.
    QPainterPath circling;
    circling.setFillRule(Qt::WindingFill);
    circling.moveTo(50.1, 50.1);
    for (int i = 0; i < 20000; ++i) {
        circling.lineTo(50.9, 50.1);
        circling.lineTo(50.9, 50.9);
        circling.lineTo(50.1, 50.9);
        circling.lineTo(50.1, 50.1);
    }
    const QImage wound = WithRaster(circling, Qt::black);
    EXPECT_LT(qRed(wound.pixel(50, 50)), 100);
    EXPECT_EQ(wound.pixel(51, 50), 0xFFFFFFFFu);
}

} // namespace
