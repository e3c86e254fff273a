#include "render_on_white.h"
#include "support/file_bytes.h"

#include "items/image_item.h"
#include "items/item_factory.h"
#include "items/text_item.h"
#include "platform/metafile_kind.h"
#include "platform/picture_cache.h"

#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

const QRgb Red = qRgb(255, 0, 0), Green = qRgb(0, 255, 0), Blue = qRgb(0, 0, 255), Yellow = qRgb(255, 255, 0);

// 64 x 32 in four coloured quadrants: red, green on top; blue, yellow below.
QImage Quadrants(int width = 64, int height = 32)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, y < height / 2 ? (x < width / 2 ? Red : Green) : (x < width / 2 ? Blue : Yellow));
    return image;
}

class ImageItemTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Working files carry no suffix: the content decides the format.
    std::string Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }

    std::string WriteImage(const char* name, const QImage& image, const char* format)
    {
        const std::string path = Path(name);
        QImageWriter writer(QString::fromStdString(path), format);
        writer.setQuality(100);
        EXPECT_TRUE(writer.write(image)) << format << ": " << writer.errorString().toStdString();
        return path;
    }

    std::string WriteBytes(const char* name, const std::string& bytes)
    {
        WriteFileBytes(Path(name), bytes);
        return Path(name);
    }

    static std::unique_ptr<ImageItem> Place(const std::string& path, PointF a, PointF b)
    {
        auto item = std::make_unique<ImageItem>();
        item->SetTextAttr(ATTR_CONTENT, path);
        EXPECT_TRUE(item->SetNodes({PathNode::AtPoint(a.x, a.y), PathNode::AtPoint(b.x, b.y)}));
        return item;
    }

    QTemporaryDir dir;
    // Placeable WMF of 64 x 32 units at 96 per inch, and an EMF of (0, 0)-(64, 32)
    // device pixels: each a red rectangle from (16, 8) to (48, 24). And a 2 x 1 GIF:
    // a red pixel, then a blue one.
    const std::string wmf = FileBytes(KORVANI_TEST_DATA_DIR "/red_rect.wmf");
    const std::string emf = FileBytes(KORVANI_TEST_DATA_DIR "/red_rect.emf");
    const std::string gif = FileBytes(KORVANI_TEST_DATA_DIR "/red_blue.gif");
};

} // namespace

TEST_F(ImageItemTest, ClickPlacesThePictureAtItsNaturalSizeAndABoxStretchesIt)
{
    const std::string png = WriteImage("quad", Quadrants(), "png");
    auto item = Place(png, {100, 50}, {101, 52});
    ASSERT_EQ(item->Nodes().size(), 2u);
    EXPECT_EQ(item->Nodes()[1].Anchor(), (PointF{164, 82}));
    EXPECT_EQ(item->Bounds(), (RectF{100, 50, 64, 32}));

    // A dragged box keeps its size; a box thin on one axis counts as a click.
    auto dragged = Place(png, {10, 10}, {110, 30});
    EXPECT_EQ(dragged->Bounds(), (RectF{10, 10, 100, 20}));
    auto thin = Place(png, {10, 10}, {110, 13});
    EXPECT_EQ(thin->Bounds(), (RectF{10, 10, 64, 32}));

    // A box dragged backwards draws mirrored: the top-left quadrant lands bottom-right.
    auto mirrored = Place(png, {200, 200}, {100, 100});
    EXPECT_EQ(mirrored->Bounds(), (RectF{100, 100, 100, 100}));
    const QImage image = Render(*mirrored);
    EXPECT_EQ(image.pixel(175, 175), Red);
    EXPECT_EQ(image.pixel(125, 175), Green);
}

TEST_F(ImageItemTest, ScaleGathersInTheMatrixAndDrawsWider)
{
    auto item = Place(WriteImage("quad", Quadrants(), "png"), {100, 100}, {101, 101});
    const NodeList nodes = item->Nodes();
    item->ScaleAbout(100, 100, 2, 1, ModeCommit);

    EXPECT_EQ(item->Nodes(), nodes);
    EXPECT_EQ(item->Bounds(), (RectF{100, 100, 128, 32}));
    // The turning centre went along with the picture.
    EXPECT_EQ(item->GetPointAttr(ATTR_CENTER), (PointF{164, 116}));

    const QImage image = Render(*item);
    EXPECT_EQ(image.pixel(160, 105), Red);   // would be green at natural width
    EXPECT_EQ(image.pixel(170, 105), Green);
}

TEST_F(ImageItemTest, MissingOrBrokenPictureDrawsNothingButHits)
{
    const std::string broken = WriteBytes("broken", "this is no picture at all");
    for (const std::string& path : {Path("missing"), broken}) {
        auto item = Place(path, {50, 50}, {150, 100});
        EXPECT_EQ(item->Bounds(), (RectF{50, 50, 100, 50}));
        EXPECT_EQ(Render(*item), Blank());
        EXPECT_EQ(item->HitTest({100, 75}), HitBody);
    }
}

TEST_F(ImageItemTest, EveryImportFormatLoadsAndMetafilesDrawInPlace)
{
    const QImage picture = Quadrants(24, 12);
    struct Case
    {
        const char* format;
        std::string path;
    };
    std::vector<Case> cases;
    for (const char* format : {"png", "jpeg", "bmp", "tiff", "ico"})
        cases.push_back({format, WriteImage(format, picture, format)});
    cases.push_back({"gif", WriteBytes("gif", gif)});
    cases.push_back({"wmf", WriteBytes("wmf", wmf)});
    cases.push_back({"emf", WriteBytes("emf", emf)});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        auto item = Place(c.path, {10, 20}, {10, 20});
        const std::string format = c.format;
        const RectF expected = format == "gif"                     ? RectF{10, 20, 2, 1}
                               : format == "wmf" || format == "emf" ? RectF{10, 20, 64, 32}
                                                                    : RectF{10, 20, 24, 12};
        EXPECT_EQ(item->Bounds(), expected);
        EXPECT_NE(Render(*item), Blank());
    }

    // The GIF's two pixels, stretched over a box.
    const QImage image = Render(*Place(cases[5].path, {0, 0}, {100, 50}));
    EXPECT_EQ(image.pixel(10, 25), Red);
    EXPECT_EQ(image.pixel(90, 25), Blue);

    const auto detect = [](const std::string& bytes) {
        return DetectMetafile(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    };
    EXPECT_EQ(detect(wmf), MetafileKind::Wmf);
    EXPECT_EQ(detect(emf), MetafileKind::Emf);
    EXPECT_EQ(detect("\x89PNG\r\n\x1A\n"), MetafileKind::None);
    EXPECT_EQ(detect(wmf.substr(22)), MetafileKind::Wmf); // without the placeable header

    for (const char* name : {"wmf", "emf"}) {
        SCOPED_TRACE(name);
        // Twice the natural size, at (100, 100): the rectangle covers (132, 116)-(196, 148).
        const std::string path = WriteBytes(name, *name == 'w' ? wmf : emf);
        const QImage image = Render(*Place(path, {100, 100}, {228, 164}));
        EXPECT_EQ(image.pixel(140, 122), Red);
        EXPECT_EQ(image.pixel(164, 105), qRgb(255, 255, 255));
    }
}

TEST_F(ImageItemTest, CacheDecodesOncePerFile)
{
    const std::string first = WriteImage("first", Quadrants(64, 32), "png");
    const std::string second = WriteImage("second", Quadrants(20, 40), "png");
    ClearPictureCache();
    const std::uint64_t start = PictureDecodeCount();

    auto item = Place(first, {0, 0}, {0, 0});
    for (int i = 0; i < 3; ++i)
        Render(*item);
    auto copy = Place(first, {100, 100}, {100, 100});
    Render(*copy);
    EXPECT_EQ(PictureDecodeCount(), start + 1);

    // A changed path is honoured; a file written anew under the same path is decoded again.
    item->SetTextAttr(ATTR_CONTENT, second);
    Render(*item);
    WriteImage("second", Quadrants(30, 10), "png");
    item->SetNodes({PathNode::AtPoint(0, 0), PathNode::AtPoint(0, 0)});
    EXPECT_EQ(item->Bounds(), (RectF{0, 0, 30, 10}));
    Render(*item);
    EXPECT_EQ(PictureDecodeCount(), start + 3);

    // A file that is gone no longer draws.
    QFile::remove(QString::fromStdString(second));
    EXPECT_EQ(CachedPicture(second), nullptr);
    EXPECT_EQ(Render(*item), Blank());

    // Past the bound the least recently used picture goes, not the oldest.
    const std::string a = WriteImage("a", Quadrants(), "png"), b = WriteImage("b", Quadrants(), "png"),
                      c = WriteImage("c", Quadrants(), "png");
    ClearPictureCache();
    const std::size_t oneEntry = [&] {
        CachedPicture(a);
        return PictureCacheBytes();
    }();
    const std::size_t oldLimit = SetPictureCacheLimit(2 * oneEntry + oneEntry / 2);
    const std::uint64_t before = PictureDecodeCount();
    CachedPicture(b);
    CachedPicture(a);
    CachedPicture(c);
    EXPECT_LE(PictureCacheBytes(), 2 * oneEntry + oneEntry / 2);
    CachedPicture(a);
    EXPECT_EQ(PictureDecodeCount(), before + 2) << "a stayed";
    CachedPicture(b);
    EXPECT_EQ(PictureDecodeCount(), before + 3) << "b went";
    SetPictureCacheLimit(oldLimit);
}

TEST_F(ImageItemTest, AMetafileTheConverterFailsOnIsAnEmptyBox)
{
    const std::string path = WriteBytes("wmf", wmf);
    auto script = [&](const char* name, const char* body) {
        const std::string file = WriteBytes(name, body);
        QFile::setPermissions(QString::fromStdString(file), QFile::ReadOwner | QFile::ExeOwner);
        return file;
    };
    struct Case
    {
        const char* what;
        MetafileHelper helper;
    };
    const Case cases[] = {
        {"missing", {Path("no-such-converter")}},
        {"crashing", {script("crash", "#!/bin/sh\ncat >/dev/null\nkill -SEGV $$\n")}},
        {"computing forever", {script("spin", "#!/bin/sh\nwhile :; do :; done\n"), 20000, 1}},
        {"waiting forever", {script("wait", "#!/bin/sh\nexec sleep 60\n"), 300}},
        {"writing no SVG", {script("junk", "#!/bin/sh\necho not svg\n")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearPictureCache();
        const MetafileHelper previous = SetMetafileHelper(c.helper);
        auto item = Place(path, {10, 10}, {11, 11});
        EXPECT_EQ(item->Bounds(), (RectF{10, 10, 1, 1}));
        item->SetNodes({PathNode::AtPoint(50, 50), PathNode::AtPoint(150, 100)});
        EXPECT_EQ(Render(*item), Blank());
        EXPECT_EQ(item->HitTest({100, 75}), HitBody);
        SetMetafileHelper(previous);
    }
    // With the converter back the same file draws.
    ClearPictureCache();
    EXPECT_NE(Render(*Place(path, {50, 50}, {150, 100})), Blank());
}
