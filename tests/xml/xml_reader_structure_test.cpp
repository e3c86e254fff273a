// The tree the reader builds: elements, attributes, text, comments, CDATA,
// processing instructions and the position Load hands back.
#include "xml/xml_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string AttrValue(const XmlNode& node, const char* name)
{
    const std::string* value = node.GetAttributeValue(name);
    return value ? *value : std::string("<absent>");
}

} // namespace

TEST(XmlReaderStructure, ReturnedPositionOpenEndsAndReloading)
{
    XmlParseOptions options;
    XmlNode root;
    const char* text = "<item type=\"104\"/>  trailing";
    const char* rest = root.Load(text, options);
    ASSERT_NE(rest, nullptr);
    EXPECT_EQ(rest, text + std::strlen("<item type=\"104\"/>"));
    EXPECT_EQ(root.name, "item");
    ASSERT_EQ(root.GetAttributeCount(), 1);
    EXPECT_EQ(root.GetAttribute(0)->owner, &root);
    EXPECT_EQ(root.GetAttribute(1), nullptr);

    // A complete element with an end tag: the position is just behind it.
    const char* closed = "<a></a>rest";
    EXPECT_EQ(root.Load(closed, options), closed + 7);

    // An element left open at the end of the text is accepted.
    const std::string open = "<plimsa type=\"canvas\"><item/><group><item/></group>";
    EXPECT_EQ(root.Load(open, options), open.data() + open.size());
    ASSERT_EQ(root.GetChildCount(), 2);
    EXPECT_EQ(root.GetChild(1)->GetChildCount(), 1);
    EXPECT_FALSE(options.errorOccurred);

    // Loading again starts from nothing.
    ASSERT_NE(root.Load("<a v=\"1\">old text<b/><!--c--></a>", options), nullptr);
    ASSERT_EQ(root.GetChildCount(), 2);
    ASSERT_NE(root.Load("<c/>", options), nullptr);
    EXPECT_EQ(root.value, "");
    EXPECT_EQ(root.GetChildCount(), 0);
    EXPECT_EQ(root.GetAttributeCount(), 0);
}

TEST(XmlReaderStructure, AttributeQuotingAndMissingValues)
{
    XmlParseOptions options;
    XmlNode node;
    ASSERT_NE(node.Load("<a d=\"dq\" s='it\"s' u=bare flag  other = \"2\" v=last>text</a>", options), nullptr);
    ASSERT_EQ(node.GetAttributeCount(), 6);
    EXPECT_EQ(AttrValue(node, "s"), "it\"s");
    EXPECT_EQ(AttrValue(node, "flag"), ""); // no '=': empty, and the next attribute reads normally
    EXPECT_EQ(AttrValue(node, "other"), "2");
    EXPECT_EQ(AttrValue(node, "v"), "last"); // an unquoted value ends at '>'

    // Duplicates stay side by side; lookups are exact and case-sensitive.
    ASSERT_NE(node.Load("<a k=\"1\" k=\"2\" K=\"3\"/>", options), nullptr);
    ASSERT_EQ(node.GetAttributeCount(), 3);
    EXPECT_EQ(node.GetAttribute(1)->value, "2");
    EXPECT_EQ(node.FindAttribute("k"), node.GetAttribute(0));
    EXPECT_EQ(AttrValue(node, "K"), "3");

    // Only a space or '=' ends an attribute name; a tab belongs to it.
    ASSERT_NE(node.Load("<a b\tc=\"1\"/>", options), nullptr);
    EXPECT_EQ(node.GetAttribute(0)->name, "b\tc");
}

TEST(XmlReaderStructure, NestedElementsKnowTheirParents)
{
    XmlParseOptions options;
    XmlNode root;
    ASSERT_NE(root.Load("<plimsa type=\"canvas\">\r\n <item id=\"1\"><point x=\"1\"></point></item>\r\n"
                        " <item\tid=\"2\"\r\n/>\r\n</plimsa>",
                  options),
        nullptr);
    ASSERT_EQ(root.GetChildCount(), 2);
    EXPECT_EQ(root.GetChild(2), nullptr);
    XmlNode* first = root.GetChild(0);
    EXPECT_EQ(AttrValue(*root.GetChild(1), "id"), "2");
    EXPECT_EQ(first->parent, &root);
    ASSERT_EQ(first->GetChildCount(), 1);
    EXPECT_EQ(first->GetChild(0)->parent, first);
}

TEST(XmlReaderStructure, CommentsCdataAndProcessingInstructions)
{
    XmlParseOptions options;
    XmlNode root;
    const std::string text = "<?xml version=\"1.0\"?>\r\n<!-- in front -->\r\n"
                             "<root><!-- a\\b &amp; --><a/><?pi data?><b/><![CDATA[x<y]]></root>";
    ASSERT_NE(root.Load(text, options), nullptr);
    EXPECT_EQ(root.name, "root");
    ASSERT_EQ(root.GetChildCount(), 4); // the leading comment and both instructions are gone
    const XmlNode* comment = root.GetChild(0);
    EXPECT_EQ(comment->kind, XmlKindComment);
    EXPECT_EQ(comment->value, " a\\b &amp; "); // comment text is taken as it stands
    EXPECT_EQ(root.GetChild(2)->name, "b");
    EXPECT_EQ(root.GetChild(3)->kind, XmlKindCdata);
    EXPECT_EQ(root.GetChild(3)->value, "x<y");

    // The escape character hides a closing marker.
    ASSERT_NE(root.Load("<r><!-- a \\--> b --></r>", options), nullptr);
    ASSERT_EQ(root.GetChildCount(), 1);
    EXPECT_EQ(root.GetChild(0)->value, " a \\--> b ");

    // An instruction right before an end tag or text leaves nothing behind.
    ASSERT_NE(root.Load("<r><?pi?></r>", options), nullptr);
    EXPECT_EQ(root.GetChildCount(), 0);
    ASSERT_NE(root.Load("<?xml?> text <r/>", options), nullptr);
    EXPECT_EQ(root.name, "r");
    EXPECT_FALSE(options.errorOccurred);
}

TEST(XmlReaderStructure, OnlyTheFirstRunOfTextIsTheValue)
{
    XmlParseOptions options;
    XmlNode node;
    ASSERT_NE(node.Load("<a>first<b/>second<c/>third</a>", options), nullptr);
    EXPECT_EQ(node.value, "first");
    EXPECT_EQ(node.GetChildCount(), 2);

    // White space alone does not count: the first real text wins.
    ASSERT_NE(node.Load("<a>\r\n  <b/>  text  <c/>later</a>", options), nullptr);
    EXPECT_EQ(node.value, "  text  ");

    // A comment in between does not end the search for text.
    ASSERT_NE(node.Load("<a><!--c-->after</a>", options), nullptr);
    EXPECT_EQ(node.value, "after");
    EXPECT_FALSE(options.errorOccurred);
}

TEST(XmlReaderStructure, ChildrenTakenAsSoonAsTheyAreComplete)
{
    XmlParseOptions options;
    XmlNode root;
    std::vector<std::string> taken;
    bool rootKnown = false;
    std::vector<std::size_t> consumed;
    std::size_t stopAfter = 0; // 0: never stop
    auto take = [&](std::unique_ptr<XmlNode> child, std::size_t bytes) {
        rootKnown = AttrValue(root, "a") == "1"; // the root's own attributes come first
        taken.push_back(child->name + AttrValue(*child, "n") + std::to_string(child->GetChildCount()));
        consumed.push_back(bytes);
        return taken.size() != stopAfter;
    };
    const char* text = "<r a=\"1\"><x n=\"1\"><y/></x><!-- c --><x n=\"2\"/>tail</r>";
    ASSERT_NE(root.Load(text, options, take), nullptr);
    EXPECT_TRUE(rootKnown);
    EXPECT_EQ(taken, (std::vector<std::string>{"x11", "x20"}));
    EXPECT_EQ(root.GetChildCount(), 1); // the comment stays
    EXPECT_EQ(consumed, (std::vector<std::size_t>{26, 46})); // just behind each child

    // A sink that answers false stops the load there, with no error.
    taken.clear();
    stopAfter = 1;
    EXPECT_EQ(root.Load(text, options, take), nullptr);
    EXPECT_EQ(taken, (std::vector<std::string>{"x11"}));
    EXPECT_FALSE(options.errorOccurred);
    stopAfter = 0;

    // A child cut short by an error is not handed over.
    XmlParseOptions failing;
    taken.clear();
    EXPECT_EQ(root.Load("<r a=\"1\"><x n=\"1\"/><x n=\"2\"><y></x></r>", failing, take), nullptr);
    EXPECT_EQ(taken, (std::vector<std::string>{"x10"}));
    EXPECT_EQ(failing.errorCode, XmlErrorMismatch);
}
