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
    const struct
    {
        const char* text;
        int code;
        const char* message;
        std::ptrdiff_t offset;
    } cases[] = {
        {"<a/x>", XmlErrorSlash, "Element must be closed.", 3}, // behind the '/'
        {"<plimsa type=\"canvas\">text", XmlErrorNotClosed, "plimsa must be closed with </plimsa>", 22},
        {"<a><b/></a", XmlErrorNotClosed, "it must be closed with </a>", 7},
        {"<a><b/>tail", XmlErrorNotClosed, "it must be closed with </a>", 7},
        {"<a><b></c></a>", XmlErrorMismatch, "'<b> ... </c>' is not wel-formed.", 6},
        {"<item x=\"1\" hidden>", XmlErrorAttribute, "<item> attribute has error ", 12}, // trailing space included
    };
    for (const auto& c : cases) {
        const Outcome outcome = Parse(c.text);
        EXPECT_FALSE(outcome.loaded) << c.text;
        EXPECT_EQ(outcome.code, c.code) << c.text;
        EXPECT_EQ(outcome.message, c.message);
        EXPECT_EQ(outcome.offset, c.offset) << c.text;
    }
}

TEST(XmlReaderErrors, OnlyTheFirstErrorIsKeptAndTheNodesBuiltSoFar)
{
    XmlParseOptions options;
    XmlNode root;
    const std::string first = "<a><b></c></a>";
    EXPECT_EQ(root.Load(first, options), nullptr);
    const char* position = options.errorPosition;

    const std::string second = "<a/x>";
    EXPECT_EQ(root.Load(second, options), nullptr);
    EXPECT_EQ(options.errorCode, XmlErrorMismatch);
    EXPECT_EQ(options.errorPosition, position);

    // A later successful parse does not clear the record either.
    EXPECT_NE(root.Load("<ok/>", options), nullptr);
    EXPECT_EQ(options.errorCode, XmlErrorMismatch);

    // A failed parse keeps the nodes built so far.
    EXPECT_EQ(root.Load("<a x=\"1\"><b/><c y=\"2\"></d></a>", options), nullptr);
    ASSERT_EQ(root.GetChildCount(), 2);
    EXPECT_EQ(root.GetChild(1)->name, "c");
    EXPECT_EQ(root.GetChild(1)->attributes.size(), 1u);
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
    EXPECT_EQ(root.GetChild(0)->value, "x");

    // Other errors are not forgiven.
    EXPECT_EQ(Parse("<a><b/x></a>", true).code, XmlErrorSlash);
}

TEST(XmlReaderErrors, FailuresThatRecordNothing)
{
    // No element at all, an end tag only, a start tag cut short, text after
    // children with no '<' anywhere when the element already has text.
    for (const char* text : {"", "no markup here", "<a b=\"1\"", "<a x=\"1\" ", "<a>x<b/>tail"}) {
        Outcome outcome = Parse(text);
        EXPECT_FALSE(outcome.loaded) << text;
        EXPECT_EQ(outcome.code, XmlErrorNone) << text;
    }

    // An end tag where an element is expected is handed back, not an error.
    XmlParseOptions options;
    XmlNode root;
    const char* text = "  </a>";
    EXPECT_EQ(root.Load(text, options), text + 2);
    EXPECT_FALSE(options.errorOccurred);
}
