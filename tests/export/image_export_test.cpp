#include "export_fixture.h"
#include "export/display_list.h"
#include "export/image_export.h"
#include "support/pixel_difference.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

TEST_F(ExportFixture, WholeCanvasHasCanvasSizeBackgroundAndItemsCutAtTheEdge)
{
    AddBox(ItemRectangle, 10, 10, 40, 30, 0xFFFF0000);
    AddBox(ItemRectangle, 90, 50, 140, 80, 0xFF0000FF); // partly off the canvas
    AddBox(ItemEllipse, 1e30f, -1e30f, 3e30f, 2e30f, 0xFF00FF00); // nowhere near it
    const CanvasValues canvas{100, 60, 0xFF102030};

    const QImage image = RenderExportImage(doc, canvas, nullptr);
    ASSERT_EQ(image.size(), QSize(100, 60));
    EXPECT_EQ(image.pixel(0, 0), 0xFF102030u);
    EXPECT_EQ(image.pixel(25, 20), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(95, 55), 0xFF0000FFu);
}

TEST_F(ExportFixture, SelectionWhollyOffTheCanvasGivesNoPicture)
{
    DrawItem* selected = AddBox(ItemRectangle, 300, 300, 350, 350, 0xFFFF0000);
    EXPECT_TRUE(RenderExportImage(doc, CanvasValues{100, 100, 0xFFFFFFFF}, selected).isNull());
}

TEST_F(ExportFixture, BandsGiveOnePictureCloseToOnePainter)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coord(-20, 420);
    for (int i = 0; i < 300; ++i) {
        const float x = coord(random), y = coord(random);
        const ArgbColor fill = 0xFF000000u | (random() & 0xFFFFFF);
        DrawItem* item = AddBox(i % 2 ? ItemEllipse : ItemRectangle, x, y, x + 5 + float(random() % 90), y + 5 + float(random() % 90), fill);
        item->SetFloatAttr(ATTR_LINE_WIDTH, 0.5f + float(random() % 5));
        item->SetIntAttr(ATTR_DASH_STYLE, int(random() % 5));
        if (i % 7 == 0)
            item->RotateAbout(float(random() % 360), ModeCommit);
        if (i % 11 == 0) {
            item->SetIntAttr(ATTR_FILL_GRADIENT, 1);
            item->EnsureFillGradient();
        }
    }
    NodeList doodle;
    for (int i = 0; i < 50; ++i)
        doodle.push_back(PathNode::AtPoint(200 + 30 * std::sin(i * 0.3f), 10 + 8 * float(i), NodeSymmetric));
    Add(ItemDoodle, doodle, ColorAbsent, 0xFF00AA00, 3);

    const QRectF area(0, 0, 400, 400);
    QImage single(400, 400, QImage::Format_ARGB32_Premultiplied);
    single.fill(Qt::white);
    {
        QPainter painter(&single);
        painter.setRenderHint(QPainter::Antialiasing);
        for (DrawItem* item : doc.Items())
            item->Draw(painter);
    }
    const QImage banded = RenderItems(doc, area, 0xFFFFFFFF);
    ASSERT_EQ(banded.size(), single.size());
    // Plain fills and outlines are filled by the export's own rasterizer:
    // the same coverage rules as the painter's, so only edge pixels differ,
    // by a few levels.
    const PixelDifference d = ComparePixels(banded, single, 0, 48);
    EXPECT_LT(d.over, 400 * 400 / 500);
    EXPECT_LT(d.mean, 0.5);

    // The list replays in any number of bands with the same result.
    DisplayList list(400, 400);
    {
        QPainter recorder(&list);
        recorder.setRenderHint(QPainter::Antialiasing);
        for (DrawItem* item : doc.Items())
            item->Draw(recorder);
    }
    for (int bands : {1, 5}) {
        QImage replayed(400, 400, QImage::Format_ARGB32_Premultiplied);
        replayed.fill(Qt::white);
        list.PlayInBands(replayed, bands);
        EXPECT_EQ(replayed, banded) << bands << " bands";
    }
}

TEST_F(ExportFixture, ALargeDrawingIsPaintedInPartsAsOne)
{
    // More drawing calls than one recording holds: the picture is painted in
    // parts, each over the last, and comes out as one recording gives it.
    for (int i = 0; i < 6000; ++i) {
        const float x = float(i % 97), y = float((i * 7) % 89);
        AddBox(i % 2 ? ItemEllipse : ItemRectangle, x, y, x + 9.5f, y + 6.5f,
               0x80000000u | std::uint32_t(i * 2654435761u >> 8));
    }
    DisplayList whole(100, 100);
    {
        QPainter recorder(&whole);
        recorder.setRenderHint(QPainter::Antialiasing);
        for (DrawItem* item : doc.Items())
            item->Draw(recorder);
    }
    ASSERT_GT(whole.Size(), 8192);
    QImage expected(100, 100, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::white);
    whole.PlayInBands(expected, 2);
    EXPECT_EQ(RenderItems(doc, QRectF(0, 0, 100, 100), 0xFFFFFFFF), expected);
}

TEST_F(ExportFixture, SavesPngAndJpegAtomically)
{
    AddBox(ItemRectangle, 10, 10, 90, 50, 0xFFFF0000);
    const QImage image = RenderExportImage(doc, CanvasValues{100, 60, 0xFF00FF00}, nullptr);
    QTemporaryDir dir;
    const std::string png = dir.filePath("a.png").toStdString();
    const std::string jpg = dir.filePath("a.jpg").toStdString();
    std::string error;
    ASSERT_TRUE(SaveImage(image, png, "image/png", &error)) << error;
    ASSERT_TRUE(SaveImage(image, jpg, "image/jpeg", &error)) << error;

    const QImage readPng(QString::fromStdString(png));
    EXPECT_EQ(readPng.pixel(50, 30), 0xFFFF0000u);
    const QImage readJpg(QString::fromStdString(jpg));
    EXPECT_GT(qRed(readJpg.pixel(50, 30)), 240);

    // A failed save leaves the previous file untouched.
    EXPECT_FALSE(SaveImage(image, png, "image/gif", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(QImage(QString::fromStdString(png)), readPng);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

} // namespace
