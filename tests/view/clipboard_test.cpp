// Copy, Cut and Paste through the offscreen platform's clipboard.

#include "view/view_fixture.h"

#include "view/clipboard_formats.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

class ClipboardTest : public ViewTest
{
protected:
    ClipboardTest()
    {
        QGuiApplication::clipboard()->clear();
        MakeCanvas();
    }
    ~ClipboardTest() override { QGuiApplication::clipboard()->clear(); }

    void SelectAll() { view.SelectInRect({0, 0, 500, 400}); }

    std::vector<RectF> AllBounds() const
    {
        std::vector<RectF> out;
        for (DrawItem* item : doc.Items())
            out.push_back(item->Bounds(ModeCommit));
        return out;
    }
};

TEST_F(ClipboardTest, CopyPasteCascadesCutPastesInPlaceEachOneUndoStep)
{
    AddRect(20, 30, 40, 50, 0xFFFF0000);
    AddRect(100, 30, 10, 10, 0xFF0000FF);
    SelectAll();
    const std::size_t start = UndoCount();
    driver.Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(UndoCount(), start);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    ASSERT_TRUE(mime->hasFormat(ItemsMimeType));
    // The picture holds the selection alone, on transparent, one unit of room around it.
    const QImage picture = qvariant_cast<QImage>(mime->imageData());
    ASSERT_EQ(picture.size(), QSize(92, 52));
    EXPECT_EQ(picture.pixel(10, 10), 0xFFFF0000u);
    EXPECT_EQ(qAlpha(picture.pixel(70, 10)), 0);
    // The SVG for other programs spans the same box and holds the two rectangles' fills.
    const QString svg = QString::fromUtf8(mime->data(QStringLiteral("image/svg+xml")));
    EXPECT_TRUE(svg.contains(QStringLiteral("viewBox=\"19 29 92 52\""))) << svg.left(400).toStdString();
    EXPECT_TRUE(svg.contains(QStringLiteral("#ff0000"), Qt::CaseInsensitive));
    EXPECT_TRUE(svg.contains(QStringLiteral("#0000ff"), Qt::CaseInsensitive));

    // Over the originals, each paste lands 10 further right and down, selected.
    driver.Key(Qt::Key_V, Qt::ControlModifier);
    driver.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(UndoCount(), start + 2);
    ASSERT_EQ(doc.GetItemCount(), 6);
    ExpectRect(view.Selection()->Bounds(ModeCommit), {40, 50, 90, 50}, 0.01f);
    ExpectRect(doc.GetItem(4)->Bounds(ModeCommit), {40, 50, 40, 50}, 0.01f);
    EXPECT_EQ(doc.GetItem(4)->GetColorAttr(ATTR_FILL_COLOR), 0xFFFF0000u);
    ExpectRect(doc.GetItem(5)->Bounds(ModeCommit), {120, 50, 10, 10}, 0.01f);
    view.DoCommand(CommandUndo);
    EXPECT_EQ(doc.GetItemCount(), 4);

    // Cut takes one undo step; its paste goes back where the items were.
    SelectAll();
    const std::vector<RectF> before = AllBounds();
    view.DoFileCommand(ID_EDIT_CUT);
    EXPECT_EQ(doc.GetItemCount(), 0);
    EXPECT_EQ(view.Selection(), nullptr);
    view.DoFileCommand(ID_EDIT_PASTE);
    EXPECT_EQ(AllBounds(), before);
    view.DoCommand(CommandUndo);
    view.DoCommand(CommandUndo);
    EXPECT_EQ(AllBounds(), before);
}

TEST_F(ClipboardTest, PasteIntoAnotherDrawingKeepsThePlace)
{
    AddText(50, 60, "copied");
    AddRect(30, 40, 10, 10);
    SelectAll();
    ASSERT_TRUE(view.CopySelection());

    TestHost otherHost;
    CKorvaniDoc other;
    CKorvaniView second(other, otherHost);
    second.OnResize(600, 500);
    ASSERT_TRUE(second.NewCanvas(500, 400, ColorOpaqueWhite));
    ASSERT_TRUE(second.PasteClipboard());
    ASSERT_EQ(other.GetItemCount(), 2);
    EXPECT_EQ(other.GetItem(0)->GetTextAttr(ATTR_CONTENT), "copied");
    for (int i = 0; i < 2; ++i)
        ExpectRect(other.GetItem(i)->Bounds(ModeCommit), doc.GetItem(i)->Bounds(ModeCommit), 0.01f);
    EXPECT_TRUE(second.SelectionIsGroup());
}

TEST_F(ClipboardTest, APictureIsPastedAsAnImageItemOfItsSize)
{
    QImage picture(30, 20, QImage::Format_ARGB32);
    picture.fill(0xFF00FF00u);
    QGuiApplication::clipboard()->setImage(picture);
    const std::size_t start = UndoCount();
    ASSERT_TRUE(view.PasteClipboard());
    EXPECT_EQ(UndoCount(), start + 1);
    ASSERT_EQ(doc.GetItemCount(), 1);
    DrawItem* item = doc.GetItem(0);
    EXPECT_EQ(view.Selection(), item);
    EXPECT_EQ(item->TypeCode(), ItemImage);
    const RectF b = item->Bounds(ModeCommit);
    EXPECT_FLOAT_EQ(b.width, 30);
    EXPECT_FLOAT_EQ(b.height, 20);
    EXPECT_EQ(view.PaintClient().pixel(view.ClientPoint(b.Center()).toPoint()), 0xFF00FF00u);
}

TEST_F(ClipboardTest, CommandStates)
{
    const auto enabled = [this](int id) { return view.CommandState(id).enabled; };
    EXPECT_FALSE(enabled(ID_EDIT_COPY));
    EXPECT_FALSE(enabled(ID_EDIT_CUT));
    EXPECT_FALSE(enabled(ID_EDIT_PASTE));
    // Plain text is nothing a paste can take; our type holding no item adds no undo step.
    QGuiApplication::clipboard()->setText(QStringLiteral("words"));
    EXPECT_FALSE(enabled(ID_EDIT_PASTE));
    auto* broken = new QMimeData;
    broken->setData(ItemsMimeType, "<plimsa type=\"items\"><item");
    QGuiApplication::clipboard()->setMimeData(broken);
    view.DoFileCommand(ID_EDIT_PASTE);
    EXPECT_EQ(UndoCount(), 0u);

    AddRect(10, 10, 20, 20);
    SelectAll();
    EXPECT_TRUE(enabled(ID_EDIT_COPY));
    EXPECT_TRUE(enabled(ID_EDIT_CUT));
    view.CopySelection();
    EXPECT_TRUE(enabled(ID_EDIT_PASTE));
}

TEST(ClipboardSourceTest, RoundTripsAndRefusesMalformed)
{
    const ClipboardSourceInfo info{4242, 7, {-0.1f, 1e-7f}};
    EXPECT_EQ(ParseClipboardSource(FormatClipboardSource(info)), info);
    for (const char* bad : {"", "1 2 3", "1 2 3 4 5", "1 2 x 4", "1 2 nan 4", "1 2 3 inf"})
        EXPECT_EQ(ParseClipboardSource(bad), std::nullopt) << bad;
}

} // namespace
