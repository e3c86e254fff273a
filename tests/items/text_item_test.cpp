#include "render_on_white.h"

#include "items/text_item.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

std::unique_ptr<TextItem> MakeText(const std::string& content, int size = 40, PointF origin = {20, 20})
{
    auto item = std::make_unique<TextItem>();
    item->SetTextAttr(ATTR_FONT_NAME, "Arial");
    item->SetIntAttr(ATTR_FONT_SIZE, size);
    item->SetTextAttr(ATTR_CONTENT, content);
    item->SetColorAttr(ATTR_FILL_COLOR, ColorOpaqueBlack);
    item->SetColorAttr(ATTR_LINE_COLOR, ColorAbsent);
    item->SetFloatAttr(ATTR_LINE_WIDTH, 0);
    item->SetNodes({PathNode::AtPoint(origin.x, origin.y)});
    return item;
}

bool IsInk(QRgb pixel)
{
    return qGray(pixel) < 128;
}

int InkInRow(const QImage& image, int y)
{
    int count = 0;
    for (int x = 0; x < image.width(); ++x)
        count += IsInk(image.pixel(x, y)) ? 1 : 0;
    return count;
}

int InkCount(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        count += InkInRow(image, y);
    return count;
}

// Bounding box of the dark pixels; empty when there are none.
QRect InkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsInk(image.pixel(x, y)))
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

// Runs of consecutive rows that hold ink.
std::vector<std::pair<int, int>> InkBands(const QImage& image)
{
    std::vector<std::pair<int, int>> bands;
    for (int y = 0; y < image.height(); ++y) {
        if (InkInRow(image, y) == 0)
            continue;
        if (!bands.empty() && bands.back().second == y - 1)
            bands.back().second = y;
        else
            bands.push_back({y, y});
    }
    return bands;
}

} // namespace

TEST(TextItem, LinesStackDownFromTheOrigin)
{
    auto one = MakeText("HHHH");
    auto two = MakeText("HHHH\nHHHH");
    auto crlf = MakeText("HHHH\r\nHHHH");

    const QImage image = Render(*two);
    const auto bands = InkBands(image);
    ASSERT_EQ(bands.size(), 2u); // the second line below the first
    // The origin is the top of the layout box: glyphs hang below it, within one line.
    EXPECT_GE(bands[0].first, 20);
    EXPECT_LT(bands[0].second, 20 + 40);

    const RectF b1 = one->Bounds(), b2 = two->Bounds(), b3 = crlf->Bounds();
    EXPECT_GT(b2.height, 2 * b1.height);
    // A CR before the LF neither draws nor shifts anything.
    EXPECT_EQ(b3, b2);
}

TEST(TextItem, StyleFlagsShapeTheOutlineAndAClearFillDrawsHollowGlyphs)
{
    auto plain = MakeText("HHH");
    // The underline is part of the outline: "H" has no descender, so the
    // underline alone reaches below the baseline.
    auto underlined = MakeText("HHH");
    underlined->SetIntAttr(ATTR_UNDERLINE, 1);
    EXPECT_GT(underlined->Bounds().Bottom(), plain->Bounds().Bottom() + 0.5f);
    NodeList plainNodes, underNodes;
    plain->GetNodes(plainNodes);
    underlined->GetNodes(underNodes);
    EXPECT_EQ(underNodes.size(), plainNodes.size() + 4); // one closed rectangle more

    // Bold strokes are heavier.
    auto bold = MakeText("HHH");
    bold->SetIntAttr(ATTR_BOLD, 1);
    EXPECT_GT(InkCount(Render(*bold)), InkCount(Render(*plain)) * 11 / 10);

    // A clear fill with a black line draws hollow glyphs.
    auto filled = MakeText("I", 200, {50, 10});
    filled->SetIntAttr(ATTR_BOLD, 1);
    auto hollow = MakeText("I", 200, {50, 10});
    hollow->SetIntAttr(ATTR_BOLD, 1);
    hollow->SetColorAttr(ATTR_FILL_COLOR, 0x00FF0000); // transparent, with a colour in it
    hollow->SetColorAttr(ATTR_LINE_COLOR, ColorOpaqueBlack);
    hollow->SetFloatAttr(ATTR_LINE_WIDTH, 1);

    const RectF stem = filled->Bounds();
    const int cx = int(stem.Center().x), cy = int(stem.Center().y);
    const QImage filledImage = Render(*filled), hollowImage = Render(*hollow);
    EXPECT_EQ(hollowImage.pixel(cx, cy), qRgb(255, 255, 255));
    // The outline is there: ink along the middle row, at the stem's edges only.
    EXPECT_GT(InkInRow(hollowImage, cy), 0);
    EXPECT_LT(InkInRow(hollowImage, cy), InkInRow(filledImage, cy) / 3);
}

TEST(TextItem, RotationGathersInTheMatrix)
{
    auto item = MakeText("HHHHHH", 30, {150, 100});
    const RectF before = item->Bounds();
    item->RotateAbout(90, ModeCommit);

    const RectF after = item->Bounds();
    EXPECT_NEAR(after.height, before.width, 0.5f);
    EXPECT_NEAR(after.Center().y, before.Center().y, 0.5f); // turned in place

    const QRect ink = InkBox(Render(*item));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GT(ink.height(), 3 * ink.width()); // the line of text now runs down

    // Moving afterwards moves the cached outline too.
    item->Translate(10, 0, ModeCommit);
    EXPECT_NEAR(item->Bounds().x, after.x + 10, 0.01f);
    EXPECT_EQ(InkBox(Render(*item)), ink.translated(10, 0));

    // Forgotten outlines are laid out again, turned as before.
    const QImage kept = Render(*item);
    item->ForgetOutlines();
    EXPECT_EQ(Render(*item), kept);
}

TEST(TextItem, LayoutTakesTheWholeTextInUtf8)
{
    const std::string half(1500, 'x');
    auto shorter = MakeText(half, 10);
    auto longer = MakeText(half + half, 10);
    const float ratio = longer->Bounds().width / shorter->Bounds().width;
    EXPECT_NEAR(ratio, 2.0f, 0.05f);

    // Changing the text lays it out anew.
    shorter->SetTextAttr(ATTR_CONTENT, half + half);
    EXPECT_EQ(shorter->Bounds(), longer->Bounds());

    // Non-ASCII letters are outlined, one letter each, not two bytes read as two.
    auto umlaut = MakeText("\xC3\xBC"); // u with diaeresis, UTF-8
    auto plain = MakeText("u");
    NodeList umlautNodes, plainNodes;
    umlaut->GetNodes(umlautNodes);
    plain->GetNodes(plainNodes);
    EXPECT_GT(umlautNodes.size(), plainNodes.size()); // the two dots
    EXPECT_NEAR(umlaut->Bounds().width, plain->Bounds().width, 1.0f);

    // Text without glyphs stays at its origin.
    auto empty = MakeText("", 40, {80, 60});
    EXPECT_EQ(empty->Bounds().y, 60);
    empty->SetIntAttr(ATTR_FONT_SIZE, 0);
    empty->SetTextAttr(ATTR_CONTENT, "abc");
    EXPECT_EQ(empty->Bounds().x, 80);
    EXPECT_EQ(InkCount(Render(*empty)), 0);
}

TEST(TextItem, NodesTraceTheMappedOutline)
{
    auto item = MakeText("O", 60, {0, 0});
    NodeList here;
    item->GetNodes(here);
    ASSERT_FALSE(here.empty());
    int figures = 0;
    for (const PathNode& n : here) {
        EXPECT_EQ(n.Right(), n.Anchor());
        figures += n.brk && n.close;
    }
    EXPECT_EQ(figures, 2); // outer and inner ring of the O

    item->Translate(100, 50, ModeCommit);
    NodeList moved;
    item->GetNodes(moved);
    ASSERT_EQ(moved.size(), here.size());
    EXPECT_NEAR(moved[0].y, here[0].y + 50, 1e-3f);
}

// A copy shares its original's laid-out glyphs; moved, it must measure
// exactly what the same text, made and moved alike, measures when laid out afresh.
TEST(TextItem, MovedCopyMeasuresAsLaidOutAfresh)
{
    const auto make = [] {
        auto item = MakeText("Sale Free shipping", 18, {101.37f, 68.24f});
        item->SetFloatAttr(ATTR_LINE_WIDTH, 1.5f);
        item->RotateAbout(17, ModeCommit);
        return item;
    };
    const auto original = make();
    for (const PointF move : {PointF{8, 8}, PointF{-0.1f, 1e-3f}, PointF{1000.5f, -333.25f}}) {
        TextItem copy;
        copy.CopyFrom(*original);
        copy.Translate(move.x, move.y, ModeCommit);
        const auto fresh = make();
        fresh->Translate(move.x, move.y, ModeCommit);
        fresh->ForgetOutlines();
        const RectF shared = copy.Bounds();
        const RectF laidOut = fresh->Bounds();
        EXPECT_EQ(std::memcmp(&shared, &laidOut, sizeof shared), 0) << move.x;
    }
}
