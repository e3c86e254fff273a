// Broken and hostile input: bounded nesting, markup cut off at the end of the
// text, zero bytes, unclosed markers repeated many times.
#include "xml/xml_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Nested(int depth)
{
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<a>";
    for (int i = 0; i < depth; ++i)
        text += "</a>";
    return text;
}

int TreeDepth(const XmlNode& node)
{
    int deepest = 0;
    for (int i = 0; i < node.GetChildCount(); ++i)
        deepest = std::max(deepest, TreeDepth(*node.GetChild(i)));
    return deepest + 1;
}

} // namespace

TEST(XmlReaderHostile, NestingDepthIsBounded)
{
    for (int depth : {MaxXmlDepth, MaxXmlDepth + 1, 100000}) {
        XmlParseOptions options;
        XmlNode root;
        const std::string text = Nested(depth);
        if (depth == MaxXmlDepth) {
            EXPECT_EQ(root.Load(text, options), text.data() + text.size());
            EXPECT_EQ(TreeDepth(root), MaxXmlDepth);
            EXPECT_FALSE(options.errorOccurred);
            continue;
        }
        EXPECT_EQ(root.Load(text, options), nullptr);
        EXPECT_EQ(options.errorCode, XmlErrorTooDeep);
        EXPECT_EQ(options.errorMessage, "<a> is nested deeper than 256 levels");
        EXPECT_EQ(options.errorPosition, text.data() + 3 * MaxXmlDepth);
        EXPECT_EQ(TreeDepth(root), MaxXmlDepth); // the too-deep element is not kept
    }
}

TEST(XmlReaderHostile, MarkupCutOffAtTheEndOrByAZeroByte)
{
    for (const char* text : {"<", "<a", "<a ", "<a b", "<a b=", "<a b=\"", "<a b='x", "<a b=x", "<a/", "<!--",
             "<!-- open", "<![CDATA[", "<![CDATA[ x ]", "<?", "<?xml", "<a><!--", "<a><![CDATA[x", "<a><?pi",
             "<a><b", "<a></", "<a></a", "<a>\\", "<a b=\"\\", "<a><!-- \\"}) {
        XmlParseOptions options;
        XmlNode root;
        EXPECT_EQ(root.Load(text, options), nullptr) << text;
    }

    // A zero byte ends the text.
    XmlParseOptions options;
    XmlNode root;
    std::string text = "<a><b/>";
    text.push_back('\0');
    text += "<c/></a>";
    EXPECT_EQ(root.Load(text, options), text.data() + 7);
    EXPECT_EQ(root.GetChildCount(), 1);

    std::string inValue = "<a v=\"1";
    inValue.push_back('\0');
    inValue += "2\"/>";
    EXPECT_EQ(root.Load(inValue, options), nullptr);
    EXPECT_FALSE(options.errorOccurred);

    // The C string form reads to the first zero byte as well.
    EXPECT_EQ(root.Load(text.c_str(), options), text.data() + 7);
    EXPECT_EQ(root.Load(static_cast<const char*>(nullptr), options), nullptr);
}

TEST(XmlReaderHostile, RepeatedUnclosedMarkersParseAsElements)
{
    // Each unclosed "<!--" reads as an element named "!--"; a parse of many of
    // them must give the same tree as a parse of a few.
    std::string text = "<r>";
    for (int i = 0; i < 20000; ++i)
        text += "<!--/><?/><![CDATA[/>";
    text += "</r>";
    XmlParseOptions options;
    XmlNode root;
    EXPECT_EQ(root.Load(text, options), text.data() + text.size());
    ASSERT_EQ(root.GetChildCount(), 60000);
    EXPECT_EQ(root.GetChild(0)->name, "!--");
    EXPECT_EQ(root.GetChild(1)->name, "?");
    EXPECT_EQ(root.GetChild(59999)->name, "![CDATA[");
    EXPECT_FALSE(options.errorOccurred);
}
