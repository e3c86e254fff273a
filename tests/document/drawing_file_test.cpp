#include "record_fixture.h"

#include "document/drawing_file.h"
#include "document/korvani_doc.h"
#include "items/attribute_format.h"
#include "items/curve_item.h"
#include "items/ellipse_item.h"
#include "items/group_item.h"
#include "items/image_item.h"
#include "items/line_item.h"
#include "items/rectangle_item.h"
#include "support/file_bytes.h"
#include "support/geometry_expect.h"
#include "xml/xml_reader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The golden files sit beside the tests' sources.
const std::string GoldenCanvas = KORVANI_TEST_DATA_DIR "/drawing_canvas.xml";
const std::string GoldenItems = KORVANI_TEST_DATA_DIR "/drawing_items.xml";

std::vector<std::int32_t> Types(const std::vector<DrawItem*>& items)
{
    std::vector<std::int32_t> types;
    for (DrawItem* item : items)
        types.push_back(item->TypeCode());
    return types;
}

class DrawingFileTest : public ::testing::Test
{
protected:
    ~DrawingFileTest() override
    {
        doc.Items().RemoveAll();
        ReleaseReadItems(held);
    }

    std::string TempPath(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }

    // Reads into doc (or into) and keeps the items alive until the test ends.
    ReadItemsResult Read(const std::string& path, PointF start = {}, PointF end = {}, int mode = 0,
                         CKorvaniDoc* into = nullptr)
    {
        ReadItemsResult result = ReadItemsFile(into ? *into : doc, start, end, path, mode);
        held.insert(held.end(), result.items.begin(), result.items.end());
        return result;
    }

    void AddAll(const std::vector<DrawItem*>& items)
    {
        for (DrawItem* item : items)
            doc.AddItem(item);
    }

    template <class Item>
    Item* Add(std::initializer_list<PointF> corners, float lineWidth = 1)
    {
        auto* item = new Item();
        item->AddRef();
        held.push_back(item);
        item->SetColorAttr(ATTR_LINE_COLOR, ColorOpaqueBlack);
        item->SetFloatAttr(ATTR_LINE_WIDTH, lineWidth);
        EXPECT_TRUE(item->SetNodes(Polyline(corners)));
        doc.AddItem(item);
        return item;
    }

    CanvasValues DocCanvas() const
    {
        return {doc.GetCanvasWidth(), doc.GetCanvasHeight(), 0xFF000000 | doc.GetCanvasColor()};
    }

    QTemporaryDir dir;
    CKorvaniDoc doc;
    std::vector<DrawItem*> held;
};

} // namespace

TEST_F(DrawingFileTest, GoldenDrawingReadsAndWritesBackByteForByte)
{
    const std::string golden = FileBytes(GoldenCanvas);
    const ReadItemsResult read = Read(GoldenCanvas);
    ASSERT_TRUE(read.opened && read.parsed) << read.errorMessage;

    EXPECT_EQ(doc.GetCanvasColor(), 0x000114FFu); // 001-020-255
    GuideLine guide;
    doc.GetGuide(1, guide);
    EXPECT_EQ(guide, (GuideLine{1, 33.5f}));
    // What the items hold shows in the bytes written back; the picture is decoded.
    ASSERT_EQ(read.items.size(), 7u);
    EXPECT_EQ(FileBytes(read.items[6]->GetTextAttr(ATTR_CONTENT)).substr(0, 4), "\x89PNG");

    AddAll(read.items);
    EXPECT_EQ(DrawingFileText(doc, DocCanvas()), golden);
    // The temporary folder cleaned under the drawing: the picture is still saved.
    ASSERT_TRUE(QFile::remove(QString::fromStdString(read.items[6]->GetTextAttr(ATTR_CONTENT))));
    const std::string saved = TempPath("saved.xml");
    const FileWriteResult write = WriteDrawingFile(saved, doc, DocCanvas());
    ASSERT_TRUE(write.ok) << write.errorMessage;
    EXPECT_EQ(FileBytes(saved), golden);

    // A file with bare line feeds reads the same.
    WriteFileBytes(saved, QByteArray::fromStdString(golden).replace("\r", "").toStdString());
    CKorvaniDoc other;
    for (DrawItem* item : Read(saved, {}, {}, 0, &other).items)
        other.AddItem(item);
    EXPECT_EQ(DrawingFileText(other, DocCanvas()), golden);
    other.Items().RemoveAll();
}

TEST_F(DrawingFileTest, GoldenSelectionFileReadsAndWritesBack)
{
    const std::string golden = FileBytes(GoldenItems);
    const ReadItemsResult read = Read(GoldenItems);
    ASSERT_EQ(Types(read.items), (std::vector<std::int32_t>{ItemRectangle, ItemLine}));
    AddAll(read.items);
    EXPECT_EQ(SelectionFileText(doc, read.items, RectF{0, 0, 60, 40}), golden);
    EXPECT_EQ(doc.GetCanvasWidth(), 0) << "an items file leaves the canvas values alone";
    EXPECT_EQ(doc.GetGuideCount(), 0);
}

TEST_F(DrawingFileTest, SelectionWriterWritesChosenItemsRelativeAndLeavesThemAlone)
{
    DrawItem* a = Add<RectangleItem>({{100.3f, 50.7f}, {140.1f, 80.9f}});
    Add<LineItem>({{0, 0}, {500, 500}});
    DrawItem* c = Add<EllipseItem>({{200.25f, 120.5f}, {260.75f, 150.125f}}, 2);
    Add<CurveItem>({{1000.1f, 1000.2f}, {1040.3f, 1003.4f}, {1020.5f, 1030.6f}}); // not written
    c->RotateAbout(90, ModeCommit);
    GroupItem group;
    DrawItem* inner = Add<CurveItem>({{150.15f, 90.35f}, {170.45f, 95.55f}});
    doc.RemoveItem(inner);
    group.AddChild(inner);
    doc.AddItem(&group);

    const RectF bounds = UnionRect(UnionRect(a->Bounds(), c->Bounds()), group.Bounds());
    const std::string before = DrawingState(doc);

    // Out of order and with an item that is not in the document: document order wins.
    LineItem stranger;
    ASSERT_TRUE(stranger.SetNodes({PathNode::AtPoint(0, 0), PathNode::AtPoint(9, 9)}));
    const std::string text = SelectionFileText(doc, {&group, c, &stranger, a}, bounds);

    EXPECT_EQ(DrawingState(doc), before) << "written items are left exactly as they were";

    const std::string path = TempPath("selection.xml");
    ASSERT_TRUE(WriteSelectionFile(path, doc, {a, c, &group}, bounds).ok);
    EXPECT_EQ(FileBytes(path), text);
    EXPECT_EQ(text.rfind("<plimsa version=\"2.0.0.1\" type=\"items\">\r\n\t<item type=\"104\"  ", 0), 0u);
    EXPECT_EQ(text.find("type=\"118\""), std::string::npos);

    CKorvaniDoc other;
    const ReadItemsResult read = Read(path, {}, {}, 0, &other);
    ASSERT_EQ(Types(read.items), (std::vector<std::int32_t>{ItemRectangle, ItemEllipse, ItemGroup}));
    const DrawItem* originals[] = {a, c, &group};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        RectF expected = const_cast<DrawItem*>(originals[i])->Bounds();
        expected.x -= bounds.x;
        expected.y -= bounds.y;
        ExpectRectNear(read.items[i]->Bounds(), expected, 0.05f);
    }
}

TEST_F(DrawingFileTest, ImportPlacesIntoTheDraggedRectangle)
{
    Add<RectangleItem>({{0, 0}, {100, 50}});
    Add<RectangleItem>({{20, 60}, {60, 100}});
    const std::string two = TempPath("two.xml");
    ASSERT_TRUE(WriteSelectionFile(two, doc, held, RectF{-0.5f, -0.5f, 101, 101}).ok);
    doc.Items().RemoveAll();

    // Several items: one new group, scaled so that its bottom-right lands on
    // the pointer less the handle's offset.
    const std::uint32_t firstId = NextItemId;
    ReadItemsResult read = Read(two, {100, 100}, {304, 204}, 1);
    ASSERT_EQ(Types(read.items), std::vector<std::int32_t>{ItemGroup});
    EXPECT_EQ(read.items[0]->Id(), firstId) << "the group takes its id before its members";
    ASSERT_EQ(read.items[0]->ChildCount(), 2);
    EXPECT_EQ(read.items[0]->RefCount(), 1);
    EXPECT_EQ(read.items[0]->ChildAt(0)->RefCount(), 0);
    ExpectRectNear(read.items[0]->Bounds(), RectF{100, 100, 200, 100}, 1.0f);

    // Less than 5 units in one direction: moved, not scaled.
    read = Read(two, {10, 20}, {14, 300}, 1);
    ASSERT_EQ(read.items.size(), 1u);
    ExpectRectNear(read.items[0]->Bounds(), RectF{10, 20, 101, 101}, 0.01f);

    // One item: no group, the item itself is placed.
    read = Read(two, {5, 5}, {5, 5}, 0);
    const std::string one = TempPath("one.xml");
    doc.AddItem(read.items[1]);
    ASSERT_TRUE(WriteSelectionFile(one, doc, {read.items[1]}, read.items[1]->Bounds()).ok);
    read = Read(one, {0, 0}, {86, 46}, 1);
    ASSERT_EQ(Types(read.items), std::vector<std::int32_t>{ItemRectangle});
    ExpectRectNear(read.items[0]->Bounds(), RectF{0, 0, 82, 42}, 1.0f);
}

TEST_F(DrawingFileTest, CanvasValuesAndGuides)
{
    const std::string path = TempPath("canvas.xml");
    WriteFileBytes(path, "<plimsa type=\"canvas\" width=\" +640px\" color=\"-01-300-abc\">\n"
                   "<item type=\"118\"><point type=\"1\" value=\"12.5\"/><line type=\"0\" value=\"3\"/>"
                   "<point value=\"nan\"/></item>\n"
                   "<item type=\"102\"><point x=\"0\" y=\"0\"/><point x=\"10\" y=\"0\"/></item>\n</plimsa>\n");
    // A canvas file imported (mode 1) still sets the canvas and adds its guides,
    // and its guide section counts as a child: the one item comes in a group.
    const ReadItemsResult read = Read(path, {}, {}, 1);
    EXPECT_EQ(doc.GetCanvasWidth(), 640);
    EXPECT_EQ(doc.GetCanvasHeight(), 0);
    EXPECT_EQ(doc.GetCanvasColor(), 0x00FF2C00u); // low 8 bits of -1, 300 and nothing
    ASSERT_EQ(doc.GetGuideCount(), 2);
    GuideLine second;
    doc.GetGuide(1, second);
    EXPECT_EQ(second, (GuideLine{0, 0}));
    ASSERT_EQ(Types(read.items), std::vector<std::int32_t>{ItemGroup});
    EXPECT_EQ(read.items[0]->ChildCount(), 1);

    // Guides round trip in order, to two decimals.
    CKorvaniDoc guided;
    const std::vector<GuideLine> guides = {{0, 12.344f}, {1, -3.5f}, {0, 1000}, {1, 0.006f}};
    for (const GuideLine& g : guides)
        guided.AddGuide(g);
    const std::string saved = TempPath("guides.xml");
    ASSERT_TRUE(WriteDrawingFile(saved, guided, {300, 200, ColorOpaqueWhite}).ok);
    EXPECT_NE(FileBytes(saved).find("\r\n<item type=\"118\">\r\n<point type=\"0\" value=\"12.34\"></point>\r\n"),
              std::string::npos);
    CKorvaniDoc back;
    ReadItemsFile(back, {}, {}, saved, 0);
    ASSERT_EQ(back.GetGuideCount(), 4);
    GuideLine last;
    back.GetGuide(3, last);
    EXPECT_EQ(last.orientation, 1);
    EXPECT_NEAR(last.position, 0.01f, 1e-6f);
}

TEST_F(DrawingFileTest, OnlyKnownRootsAndKindsLoad)
{
    doc.SetCanvasWidth(7);
    for (const char* root : {"<plimsa type=\"Canvas\" width=\"5\">", "<plimsa width=\"5\">"}) {
        SCOPED_TRACE(root);
        const std::string path = TempPath("root.xml");
        WriteFileBytes(path, std::string(root) + "<item type=\"118\"><point type=\"0\" value=\"1\"/></item>"
                                           "<item type=\"102\"/></plimsa>");
        const ReadItemsResult read = Read(path, {}, {}, 1);
        EXPECT_TRUE(read.parsed);
        EXPECT_TRUE(read.items.empty());
        EXPECT_EQ(doc.GetCanvasWidth(), 7);
    }

    // The root's name does not matter.
    const std::string path = TempPath("kinds.xml");
    WriteFileBytes(path, "<drawing type=\"items\"><item type=\"103\"><point/><point x=\"8\" y=\"8\"/></item></drawing>");
    EXPECT_EQ(Types(Read(path).items), std::vector<std::int32_t>{ItemEllipse});
}

TEST_F(DrawingFileTest, FilesThatCannotBeReadSaySo)
{
    const std::string missing = TempPath("missing.xml");
    ReadItemsResult read = Read(missing);
    EXPECT_FALSE(read.opened);
    EXPECT_NE(read.errorMessage.find(missing), std::string::npos) << read.errorMessage;

    // Items, guides and canvas values read before the error are all dropped,
    // and the ids of the dropped items are not spent.
    const std::string late = TempPath("late.xml");
    WriteFileBytes(late, "<plimsa type=\"canvas\" width=\"50\"><item type=\"118\"><point type=\"0\" value=\"3\"/></item>"
                   "<item type=\"104\"><point/><point x=\"9\" y=\"9\"/></item><item type=\"102\"></plimsa>");
    const std::uint32_t before = NextItemId;
    read = Read(late);
    EXPECT_FALSE(read.parsed);
    EXPECT_TRUE(read.items.empty());
    EXPECT_EQ(NextItemId, before);
    EXPECT_EQ(doc.GetGuideCount(), 0);
    EXPECT_NE(doc.GetCanvasWidth(), 50);
    // Each read reports its own parse error, not the first one of the run.
    const std::string slash = TempPath("slash.xml");
    WriteFileBytes(slash, "<plimsa type=\"items\"/ >");
    EXPECT_EQ(Read(slash).errorMessage, "Element must be closed.");

    // A zero byte ends the text.
    const std::string zero = TempPath("zero.xml");
    WriteFileBytes(zero, std::string("<plimsa type=\"items\"><item type=\"104\"><point/><point x=\"9\" y=\"9\"/></item></plimsa>") +
                       std::string(1, '\0') + "<<<garbage");
    read = Read(zero);
    EXPECT_TRUE(read.parsed);
    EXPECT_EQ(read.items.size(), 1u);
}

TEST_F(DrawingFileTest, SavingReplacesTheFileOnlyWhenComplete)
{
    const std::string target = TempPath("drawing.xml");
    WriteFileBytes(target, "previous drawing");

    // The file size limit makes the write fail part way: the previous file stays.
    FileWriteResult failed;
    {
        const FileSizeLimit limit(4096);
        failed = SaveTextFile(target, std::string(1 << 20, 'x'));
    }
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.errorMessage.find(target), std::string::npos) << failed.errorMessage;
    EXPECT_EQ(FileBytes(target), "previous drawing");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"drawing.xml"}) << "no half-written file left";

    // A picture whose bytes cannot be read fails the save, named.
    const std::string lost = TempPath("lost-picture");
    auto* picture = Add<ImageItem>({{0, 0}, {10, 10}});
    picture->SetTextAttr(ATTR_CONTENT, lost);
    const FileWriteResult unreadable = WriteDrawingFile(target, doc, DocCanvas());
    EXPECT_FALSE(unreadable.ok);
    EXPECT_NE(unreadable.errorMessage.find(lost), std::string::npos) << unreadable.errorMessage;
    EXPECT_EQ(FileBytes(target), "previous drawing");
    doc.RemoveItem(picture);

    // Long names are used whole.
    std::string longDir = dir.path().toStdString();
    for (int i = 0; i < 4; ++i)
        longDir += "/" + std::string(100, char('a' + i));
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(longDir)));
    const std::string longPath = longDir + "/" + std::string(200, 'z') + ".xml";
    Add<LineItem>({{0, 0}, {30, 40}});
    ASSERT_TRUE(WriteDrawingFile(longPath, doc, {10, 10, ColorOpaqueWhite}).ok);
    CKorvaniDoc back;
    EXPECT_EQ(Types(Read(longPath, {}, {}, 0, &back).items), std::vector<std::int32_t>{ItemLine});
}
