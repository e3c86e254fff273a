// Failures: the four codes with their exact messages and positions, the
// first error winning, force-parse, and failures that record nothing.
#include "xml/xml_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Outcome
{
    bool loaded;
    int code;
    std::string message;
    std::ptrdiff_t offset; // of the error position in the text, -1 without one
};

Outcome Parse(const std::string& text, bool forceParse = false)
{
    XmlParseOptions options;
    options.forceParse = forceParse;
    XmlNode root;
    const bool loaded = root.Load(text, options) != nullptr;
    return {loaded, options.errorCode, options.errorMessage,
        options.errorOccurred ? options.errorPosition - text.data() : -1};
}

} // namespace

TEST(XmlReaderErrors, EachCodeWithItsMessageAndPosition)
{
    Outcome slash = Parse("<a/x>");
    EXPECT_FALSE(slash.loaded);
    EXPECT_EQ(slash.code, XmlErrorSlash);
    EXPECT_EQ(slash.message, "Element must be closed.");
    EXPECT_EQ(slash.offset, 3); // behind the '/'

    Outcome open = Parse("<plimsa type=\"canvas\">text");
    EXPECT_FALSE(open.loaded);
    EXPECT_EQ(open.code, XmlErrorNotClosed);
    EXPECT_EQ(open.message, "plimsa must be closed with </plimsa>");
    EXPECT_EQ(open.offset, 22);

    Outcome endTag = Parse("<a><b/></a");
    EXPECT_FALSE(endTag.loaded);
    EXPECT_EQ(endTag.code, XmlErrorNotClosed);
    EXPECT_EQ(endTag.message, "it must be closed with </a>");
    EXPECT_EQ(endTag.offset, 7);

    Outcome tail = Parse("<a><b/>tail");
    EXPECT_FALSE(tail.loaded);
    EXPECT_EQ(tail.code, XmlErrorNotClosed);
    EXPECT_EQ(tail.message, "it must be closed with </a>");
    EXPECT_EQ(tail.offset, 7);

    Outcome mismatch = Parse("<a><b></c></a>");
    EXPECT_FALSE(mismatch.loaded);
    EXPECT_EQ(mismatch.code, XmlErrorMismatch);
    EXPECT_EQ(mismatch.message, "'<b> ... </c>' is not wel-formed.");
    EXPECT_EQ(mismatch.offset, 6);

    Outcome attribute = Parse("<item x=\"1\" hidden>");
    EXPECT_FALSE(attribute.loaded);
    EXPECT_EQ(attribute.code, XmlErrorAttribute);
    EXPECT_EQ(attribute.message, "<item> attribute has error "); // trailing space included
    EXPECT_EQ(attribute.offset, 12);
}

TEST(XmlReaderErrors, OnlyTheFirstErrorIsKept)
{
    XmlParseOptions options;
    XmlNode root;
    const std::string first = "<a><b></c></a>";
    EXPECT_EQ(root.Load(first, options), nullptr);
    const char* position = options.errorPosition;

    const std::string second = "<a/x>";
    EXPECT_EQ(root.Load(second, options), nullptr);
    EXPECT_TRUE(options.errorOccurred);
    EXPECT_EQ(options.errorCode, XmlErrorMismatch);
    EXPECT_EQ(options.errorMessage, "'<b> ... </c>' is not wel-formed.");
    EXPECT_EQ(options.errorPosition, position);

    // A later successful parse does not clear the record either.
    EXPECT_NE(root.Load("<ok/>", options), nullptr);
    EXPECT_EQ(options.errorCode, XmlErrorMismatch);
}

TEST(XmlReaderErrors, ForceParseSkipsMismatchedEndTags)
{
    const std::string text = "<a><b>x</c></b><d/></a>";
    EXPECT_EQ(Parse(text).code, XmlErrorMismatch);

    XmlParseOptions options;
    options.forceParse = true;
    XmlNode root;
    EXPECT_EQ(root.Load(text, options), text.data() + text.size());
    EXPECT_FALSE(options.errorOccurred);
    ASSERT_EQ(root.GetChildCount(), 2);
    EXPECT_EQ(root.GetChild(0)->name, "b");
    EXPECT_EQ(root.GetChild(0)->value, "x");
    EXPECT_EQ(root.GetChild(1)->name, "d");

    // Other errors are not forgiven.
    Outcome slash = Parse("<a><b/x></a>", true);
    EXPECT_FALSE(slash.loaded);
    EXPECT_EQ(slash.code, XmlErrorSlash);
}

TEST(XmlReaderErrors, FailedParseKeepsTheNodesBuiltSoFar)
{
    XmlParseOptions options;
    XmlNode root;
    EXPECT_EQ(root.Load("<a x=\"1\"><b/><c y=\"2\"></d></a>", options), nullptr);
    EXPECT_EQ(root.name, "a");
    ASSERT_EQ(root.GetChildCount(), 2);
    EXPECT_EQ(root.GetChild(1)->name, "c");
    EXPECT_EQ(root.GetChild(1)->attributes.size(), 1u);
}

TEST(XmlReaderErrors, FailuresThatRecordNothing)
{
    // No element at all, an end tag only, a start tag cut short, text after
    // children with no '<' anywhere when the element already has text.
    for (const char* text : {"", "no markup here", "<a b=\"1\"", "<a x=\"1\" ", "<a>x<b/>tail"}) {
        Outcome outcome = Parse(text);
        EXPECT_FALSE(outcome.loaded) << text;
        EXPECT_EQ(outcome.offset, -1) << text;
        EXPECT_EQ(outcome.code, XmlErrorNone) << text;
    }

    // An end tag where an element is expected is handed back, not an error.
    XmlParseOptions options;
    XmlNode root;
    const char* text = "  </a>";
    EXPECT_EQ(root.Load(text, options), text + 2);
    EXPECT_TRUE(root.name.empty());
    EXPECT_FALSE(options.errorOccurred);
}
