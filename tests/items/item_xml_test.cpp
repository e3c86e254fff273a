#include "platform/temp_files.h"
#include "items/attribute_format.h"
#include "items/curve_item.h"
#include "items/ellipse_item.h"
#include "items/group_item.h"
#include "items/image_item.h"
#include "items/item_factory.h"
#include "items/item_xml_format.h"
#include "items/line_item.h"
#include "items/rectangle_item.h"
#include "items/text_item.h"
#include "support/file_bytes.h"
#include "support/geometry_expect.h"
#include "xml/xml_reader.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// Items read from an element own nothing of their group's children: the
// test deletes whole trees.
struct TreeDeleter
{
    void operator()(DrawItem* item) const
    {
        if (item->TypeCode() == ItemGroup) {
            std::vector<DrawItem*> inside;
            for (std::int32_t i = 0; i < item->ChildCount(); ++i)
                inside.push_back(item->ChildAt(i));
            item->ReleaseChildren();
            for (DrawItem* child : inside)
                (*this)(child);
        }
        delete item;
    }
};
using ItemTree = std::unique_ptr<DrawItem, TreeDeleter>;

std::unique_ptr<XmlNode> Parse(const std::string& text)
{
    auto root = std::make_unique<XmlNode>();
    XmlParseOptions options;
    EXPECT_NE(root->Load(text, options), nullptr) << options.errorMessage;
    return root;
}

std::string Element(DrawItem& item)
{
    std::string text;
    item.WriteXml(text);
    return text;
}

// A new item of the element's kind, filled by ReadXml.
ItemTree ReadBack(const std::string& element)
{
    const auto node = Parse(element);
    const std::string* type = node->GetAttributeValue("type");
    ItemTree item(CreateItem(type ? ParseIntText(*type) : 0, 9000));
    EXPECT_TRUE(item);
    if (item)
        item->ReadXml(*node);
    return item;
}

// The copy has the same name and own attributes (a group keeps none in the
// file) and writes the same element: nodes, matrix and ramps to two
// decimals, children.
void ExpectSameItem(DrawItem& expected, DrawItem& actual, const std::string& element)
{
    ASSERT_EQ(expected.TypeCode(), actual.TypeCode());
    EXPECT_EQ(expected.ClassName(), actual.ClassName());
    if (expected.TypeCode() != ItemGroup) {
        EXPECT_EQ(expected.Attributes(), actual.Attributes());
    }
    EXPECT_EQ(Element(actual), element);
}

// What the golden drawing file lacks: Bezier controls and a smooth node
// beside a second subpath, and a text with markup, escapes and UTF-8. The
// other kinds round trip there, byte for byte.
std::vector<std::unique_ptr<DrawItem>> Samples()
{
    std::vector<std::unique_ptr<DrawItem>> samples;
    auto curve = std::make_unique<CurveItem>();
    NodeList outline = Polyline({{0, 0}, {50, 0}, {50, 50}});
    outline[1].lx = 30, outline[1].ly = -10, outline[1].rx = 70, outline[1].ry = 10, outline[1].type = NodeSmooth;
    outline.back().close = 1;
    NodeList second = Polyline({{100, 100}, {140, 120}});
    outline.insert(outline.end(), second.begin(), second.end());
    curve->SetColorAttr(ATTR_LINE_COLOR, 0xFF112233);
    curve->SetFloatAttr(ATTR_LINE_WIDTH, 2);
    curve->SetIntAttr(ATTR_LINE_GRADIENT, 1);
    curve->SetIntAttr(ATTR_DASH_STYLE, 4);
    EXPECT_TRUE(curve->SetNodes(outline));
    curve->EnsureLineGradient();
    curve->SetLineRamp({0xFF000000, 0xFFFFFFFF, 0xFF00FF00}, {0, 1, 0.5f});
    curve->SetClassName("Roof & \"eaves\" <left> \xC3\xBC\\");
    samples.push_back(std::move(curve));

    auto text = std::make_unique<TextItem>();
    text->SetTextAttr(ATTR_CONTENT, "He said \"Tom & Jerry\" <b>'s</b>\nC:\\dir\\ \xC3\xBC\xC3\xB1\xC3\xAF \xE6\xBC\xA2");
    text->SetTextAttr(ATTR_FONT_NAME, "Arial");
    text->SetIntAttr(ATTR_FONT_SIZE, 24);
    text->SetIntAttr(ATTR_BOLD, 1);
    text->SetColorAttr(ATTR_FILL_COLOR, 0xFF000080);
    EXPECT_TRUE(text->SetNodes({PathNode::AtPoint(30, 40)}));
    samples.push_back(std::move(text));

    return samples;
}

} // namespace

TEST(ItemXmlTest, CommonElementFollowsTheTemplateByteForByte)
{
    LineItem line;
    line.SetColorAttr(ATTR_LINE_COLOR, 0xFFFF0000);
    line.SetFloatAttr(ATTR_LINE_WIDTH, 2.5f);
    line.SetTextAttr(ATTR_CONTENT, "only a text item writes this");
    ASSERT_TRUE(line.SetNodes({PathNode::AtPoint(0, 0, NodeSymmetric), PathNode::AtPoint(100, 50, NodeCusp)}));

    const std::string expected =
        "\t<item type=\"102\"  309=\"255-255-000-000\"  310=\"2.5000\"  329=\"0\"  330=\"0\"  331=\"50.00|25.00\"  "
        "matrix=\"1.00,0.00,0.00,1.00,0.00,0.00\">\r\n"
        "\t\t<point x=\"0.00\" y=\"0.00\" lx=\"0.00\" ly=\"0.00\" rx=\"0.00\" ry=\"0.00\" type=\"0\" close=\"0\" break=\"0\"></point>\r\n"
        "\t\t<point x=\"100.00\" y=\"50.00\" lx=\"100.00\" ly=\"50.00\" rx=\"100.00\" ry=\"50.00\" type=\"2\" close=\"0\" break=\"0\"></point>\r\n"
        "\t</item>\r\n";
    EXPECT_EQ(Element(line), expected);

    // A text item writes its text, escaped; backslashes doubled.
    TextItem text;
    text.SetTextAttr(ATTR_CONTENT, "a\"b&c<d>e'f\\g");
    const std::string written = Element(text);
    EXPECT_NE(written.find("  305=\"a&quot;b&amp;c&lt;d&gt;e&apos;f\\\\g\"  "), std::string::npos) << written;

    // Closed outlines and committed moves of accumulating kinds land in the
    // flags and the matrix; negative numbers keep their sign.
    RectangleItem rect;
    ASSERT_TRUE(rect.SetNodes({PathNode::AtPoint(0, 0), PathNode::AtPoint(10, 10)}));
    rect.Translate(-2.5f, 7.125f, ModeCommit);
    EXPECT_NE(Element(rect).find("  matrix=\"1.00,0.00,0.00,1.00,-2.50,7.12\">\r\n"), std::string::npos);
}

TEST(ItemXmlTest, GroupsNestAndReadChildrenByTypeWithFreshIds)
{
    RectangleItem rect;
    ASSERT_TRUE(rect.SetNodes({PathNode::AtPoint(0, 0), PathNode::AtPoint(40, 40)}));
    LineItem line;
    ASSERT_TRUE(line.SetNodes({PathNode::AtPoint(50, 0), PathNode::AtPoint(90, 20)}));
    EllipseItem ellipse;
    ASSERT_TRUE(ellipse.SetNodes({PathNode::AtPoint(0, 50), PathNode::AtPoint(30, 70)}));
    GroupItem inner, outer, empty;
    inner.SetClassName("Door");
    inner.AddChild(&line);
    inner.AddChild(&ellipse);
    outer.AddChild(&rect);
    outer.AddChild(&inner);
    outer.AddChild(&empty);

    const std::string written = Element(outer);
    const std::string tail = "\t</item>\r\n\t</item>\r\n\t<item type=\"110\">\r\n\t</item>\r\n\t</item>\r\n";
    EXPECT_EQ(written.substr(written.size() - tail.size()), tail);

    const std::uint32_t firstId = NextItemId;
    ItemTree copy = ReadBack(written);
    ExpectSameItem(outer, *copy, written);
    // Children take ids in reading order: rectangle, inner group, line, ellipse, empty group.
    ASSERT_EQ(copy->ChildCount(), 3);
    EXPECT_EQ(copy->ChildAt(1)->ChildAt(1)->Id(), firstId + 3);
    EXPECT_EQ(copy->ChildAt(2)->Id(), firstId + 4);
    EXPECT_EQ(NextItemId, firstId + 5);

    // Children of no kind (109, none, unknown, a comment) are skipped without spending an id.
    const std::uint32_t before = NextItemId;
    ItemTree odd = ReadBack("<item type=\"110\"><item type=\"109\"/><item/><!-- note --><item type=\"4711\"/>"
                            "<item type=\"102\"><point x=\"1\" y=\"2\"/></item></item>");
    ASSERT_EQ(odd->ChildCount(), 1);
    EXPECT_EQ(NextItemId, before + 1);
}

TEST(ItemXmlTest, PictureBytesTravelAsHexThroughACodecOfEveryByteThatStopsAtBrokenDigits)
{
    const std::string path = WriteTempFile(3, "\x00\xAB\x10");
    ImageItem image;
    image.SetTextAttr(ATTR_CONTENT, path);
    ASSERT_TRUE(image.SetNodes({PathNode::AtPoint(0, 0), PathNode::AtPoint(20, 10)}));
    const std::string written = Element(image);
    EXPECT_NE(written.find("  imgsrc=\"00AB10\">\r\n"), std::string::npos) << written;
    EXPECT_EQ(written.find(path), std::string::npos) << "the working file's name stays private";

    // Lower-case digits read as well, into a working file of the item's own.
    const std::size_t listed = TempFileList().size();
    ItemTree read = ReadBack("<item type=\"107\" imgsrc=\"00ab10\"></item>");
    const std::string readPath = read->GetTextAttr(ATTR_CONTENT);
    EXPECT_EQ(FileBytes(readPath), std::string("\x00\xAB\x10", 3));
    EXPECT_EQ(TempFileList().size(), listed + 1);

    // A path written as a numbered attribute is not taken: the picture is the embedded bytes.
    ItemTree named = ReadBack("<item type=\"107\" 305=\"/etc/hostname\" imgsrc=\"4142\"></item>");
    EXPECT_EQ(FileBytes(named->GetTextAttr(ATTR_CONTENT)), "AB");
    ItemTree none = ReadBack("<item type=\"107\" 305=\"/etc/hostname\"></item>");
    EXPECT_EQ(none->GetTextAttr(ATTR_CONTENT), "");

    // A working file that is gone writes an empty value.
    ImageItem lost;
    lost.SetTextAttr(ATTR_CONTENT, "/nonexistent/picture.png");
    EXPECT_NE(Element(lost).find("  imgsrc=\"\">\r\n"), std::string::npos);

    // The hex codec covers every byte and stops at broken digits.
    // Block paths: lengths around the block sizes, either case; a broken digit
    // anywhere decodes exactly the pairs before it.
    std::string many;
    for (int i = 0; i < 1000; ++i)
        many += char((i * 37 + i / 7) & 0xFF);
    std::string longHex;
    AppendHexUpper(longHex, reinterpret_cast<const unsigned char*>(many.data()), many.size());
    for (std::size_t length : {15u, 16u, 17u, 31u, 32u, 33u, 1000u}) {
        std::string digits = longHex.substr(0, 2 * length);
        std::transform(digits.begin(), digits.begin() + length, digits.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        std::string decoded(length, '\0');
        ASSERT_EQ(DecodeHexPrefix(digits, reinterpret_cast<unsigned char*>(decoded.data())), length);
        EXPECT_EQ(decoded, many.substr(0, length));
    }
    for (std::size_t at = 0; at < 80; ++at) {
        for (char bad : {'g', '/', ':', '@', '`', '\xC1'}) {
            std::string broken = longHex.substr(0, 80);
            broken[at] = bad;
            unsigned char out[40];
            ASSERT_EQ(DecodeHexPrefix(broken, out), at / 2) << at << " " << int(bad);
            EXPECT_EQ(std::string(reinterpret_cast<char*>(out), at / 2), many.substr(0, at / 2));
        }
    }

    struct Case
    {
        const char* hex;
        std::string bytes;
    };
    const Case cases[] = {
        {"00AB1", std::string("\x00\xAB", 2)},  // odd digit count: the last digit goes
        {"00ZZ10", std::string("\x00", 1)},     // up to the first broken pair
        {"aBcD", "\xAB\xCD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hex);
        ItemTree image = ReadBack(std::string("<item type=\"107\" imgsrc=\"") + c.hex + "\"/>");
        EXPECT_EQ(FileBytes(image->GetTextAttr(ATTR_CONTENT)), c.bytes);
    }
}

TEST(ItemXmlTest, ReaderRulesOfTheElement)
{
    // fill closes the last node; points lacking close and break read 0.
    ItemTree curve = ReadBack("<item type=\"105\" fill=\"1\">"
                              "<point x=\"0\" y=\"0\" lx=\"0\" ly=\"0\" rx=\"0\" ry=\"0\" type=\"2\"></point>"
                              "<point x=\"10\" y=\"0\" lx=\"10\" ly=\"0\" rx=\"10\" ry=\"0\" type=\"2\"></point>"
                              "<point x=\"10\" y=\"10\" lx=\"10\" ly=\"10\" rx=\"10\" ry=\"10\" type=\"1\"></point>"
                              "</item>");
    ASSERT_EQ(curve->Nodes().size(), 3u);
    EXPECT_EQ(curve->Nodes()[0].close + curve->Nodes()[0].brk, 0);
    EXPECT_EQ(curve->Nodes()[2].close, 1);
    // The centre is the centre of the bounds, not what the file says.
    ItemTree line = ReadBack("<item type=\"102\" 310=\"2.0000\" 331=\"999.00|999.00\">"
                             "<point x=\"0\" y=\"0\"/><point x=\"40\" y=\"20\"/></item>");
    EXPECT_EQ(line->GetTextAttr(ATTR_CENTER), "20.00|10.00");

    // Numbered attributes come back unchecked, unknown ids kept; a name that
    // is no number lands under id 0; entities and escapes are decoded.
    ItemTree kept = ReadBack("<item type=\"104\" 310=\"wide\" 4711=\"future\" colour=\"red\" 305=\"&quot;q&quot; a\\\\b c\\d\"/>");
    EXPECT_EQ(kept->GetTextAttr(ATTR_LINE_WIDTH), "wide");
    EXPECT_EQ(kept->GetTextAttr(4711), "future");
    EXPECT_EQ(kept->GetTextAttr(0), "red");
    EXPECT_EQ(kept->GetTextAttr(ATTR_CONTENT), "\"q\" a\\b cd");
    EXPECT_EQ(kept->Attributes().count(ATTR_HIDDEN), 1u);

    // Ramp colours read alpha first; unknown children are ignored.
    ItemTree ramps = ReadBack("<item type=\"104\"><lcolor argb=\"80ff0000\"/><lpostion factor=\"0.00\"/>"
                              "<fcolor argb=\"00000001\"/><fpostion factor=\"0.75\"/><shadow depth=\"3\"/></item>");
    EXPECT_EQ(ramps->LineRamp().colors, std::vector<ArgbColor>{0x80FF0000});
    EXPECT_EQ(ramps->FillRamp().positions, std::vector<float>{0.75f});

}

TEST(ItemXmlTest, BrokenElementsReadAsDefinedDefaults)
{
    // Six numbers, or identity when fewer or none; more: the first six. An
    // empty field, like any malformed or non-finite number, reads 0.
    const std::pair<const char*, Matrix> matrices[] = {
        {" matrix=\"2.00,0.00,0.00,0.50,-3.25,4.00\"", Matrix(2, 0, 0, 0.5f, -3.25f, 4)},
        {"", Matrix()},
        {" matrix=\"1,0,0,1,9\"", Matrix()},
        {" matrix=\"2,0,0,2,5,6,7,8\"", Matrix(2, 0, 0, 2, 5, 6)},
        {" matrix=\"2,0,0,2,5,\"", Matrix(2, 0, 0, 2, 5, 0)},
        {" matrix=\"nan,0,0,inf,1e999,-inf\"", Matrix(0, 0, 0, 0, 0, 0)},
    };
    for (const auto& [attribute, matrix] : matrices)
        EXPECT_EQ(ReadBack(std::string("<item type=\"104\"") + attribute + "/>")->GetMatrix(), matrix) << attribute;

    // Non-finite and overflowing numbers read 0 in points too.
    ItemTree wild = ReadBack("<item type=\"105\"><point x=\"inf\" y=\"nan\" lx=\"1e400\" ly=\"-1e400\" rx=\"5\" "
                             "ry=\"abc\" type=\"x\"/></item>");
    ASSERT_EQ(wild->Nodes().size(), 1u);
    EXPECT_EQ(wild->Nodes()[0], (PathNode{0, 0, 0, 0, 5, 0, 0, 0, 0}));

    // A point lacking attributes: missing values 0, type 0.
    ItemTree sparse = ReadBack("<item type=\"105\"><point x=\"7\"></point><point/></item>");
    ASSERT_EQ(sparse->Nodes().size(), 2u);
    EXPECT_EQ(sparse->Nodes()[0], (PathNode{0, 0, 7, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(sparse->Nodes()[1], PathNode{});

    // Broken colours keep the bytes before the first broken pair; a ramp
    // keeps as many colours as positions.
    ItemTree ramp = ReadBack("<item type=\"104\"><fcolor argb=\"ff00\"/><fcolor argb=\"12zz5678\"/><fcolor/>"
                             "<fpostion factor=\"0\"/><fpostion factor=\"1\"/><lcolor argb=\"ff000000\"/></item>");
    EXPECT_EQ(ramp->FillRamp().colors, (std::vector<ArgbColor>{0xFF000000, 0x12000000}));
    EXPECT_EQ(ramp->FillRamp().positions, (std::vector<float>{0, 1}));
    EXPECT_TRUE(ramp->LineRamp().colors.empty());

    const std::string huge(1 << 20, 'w');
    ItemTree big = ReadBack("<item type=\"108\" 305=\"" + huge + "\" 4000=\"" + huge + "\"/>");
    EXPECT_EQ(big->GetTextAttr(ATTR_CONTENT), huge);
    const std::string written = Element(*big);
    EXPECT_NE(written.find("  305=\"" + huge + "\"  "), std::string::npos);
    EXPECT_NE(written.find("  4000=\"" + huge + "\"  "), std::string::npos);
}

TEST(ItemXmlTest, ControlsAndValuesComeBackExactlyWhateverTheyHold)
{
    for (const auto& sample : Samples()) {
        const std::string first = Element(*sample);
        ItemTree copy = ReadBack(first);
        ASSERT_TRUE(copy);
        ExpectSameItem(*sample, *copy, first);
    }

    // Backslashes are doubled on writing, so they survive the reader's escapes;
    // a zero byte, which would end the whole file for the reader, is dropped.
    const std::string tricky = "C:\\dir\\\\share\\ & &amp; <tag> \"quoted\" 'single' \\\" end\\";
    TextItem text;
    text.SetTextAttr(ATTR_CONTENT, tricky);
    text.SetTextAttr(ATTR_FONT_NAME, std::string("Odd\0Name", 8));
    ItemTree copy = ReadBack(Element(text));
    EXPECT_EQ(copy->GetTextAttr(ATTR_CONTENT), tricky);
    EXPECT_EQ(copy->GetTextAttr(ATTR_FONT_NAME), "OddName");

    // A single backslash of an older file reads the way the reader defines: it escapes.
    ItemTree old = ReadBack("<item type=\"108\" 305=\"C:\\dir\\file\"/>");
    EXPECT_EQ(old->GetTextAttr(ATTR_CONTENT), "C:dirfile");
}

TEST(ItemXmlTest, WriteToPathAppendsTheElement)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("items.xml").toStdString();
    LineItem first;
    ASSERT_TRUE(first.SetNodes({PathNode::AtPoint(0, 0), PathNode::AtPoint(10, 10)}));
    GroupItem group;
    group.AddChild(&first);
    EXPECT_TRUE(first.WriteXml(path));
    EXPECT_TRUE(group.WriteXml(path));
    EXPECT_EQ(FileBytes(path), Element(first) + Element(group));
    EXPECT_FALSE(first.WriteXml(dir.filePath("missing/items.xml").toStdString()));
}
