// How stretches of text become values: the backslash escape, the entity
// table, trimming, and the options that switch them off.
#include "xml/xml_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Value of attribute v of <a v=...> under the given options.
std::string ReadAttr(const std::string& quotedValue, XmlParseOptions options = XmlParseOptions())
{
    XmlNode node;
    const std::string text = "<a v=" + quotedValue + "/>";
    if (!node.Load(text, options))
        return "<failed: " + options.errorMessage + ">";
    const std::string* value = node.GetAttributeValue("v");
    return value ? *value : "<absent>";
}

std::string ReadText(const std::string& body)
{
    XmlParseOptions options;
    XmlNode node;
    if (!node.Load("<a>" + body + "</a>", options))
        return "<failed: " + options.errorMessage + ">";
    return node.value;
}

} // namespace

TEST(XmlValueText, BackslashEscapesThenEntitiesOfTheTableAndNothingElse)
{
    EXPECT_EQ(ReadAttr(R"("a\b\c")"), "abc");
    EXPECT_EQ(ReadAttr(R"("say \"hi\"")"), R"(say "hi")"); // an escaped quote does not end the value
    EXPECT_EQ(ReadAttr(R"("a\\")"), R"(a\)");              // an escaped backslash does not hide the quote
    EXPECT_EQ(ReadAttr(R"(a\ b )"), "a b");                // nor does an escaped space end an unquoted value

    // In text, an escaped '<' is text, not the next tag.
    EXPECT_EQ(ReadText(R"(1 \< 2)"), "1 < 2");

    XmlParseOptions none;
    none.escapeCharacter = 0;
    EXPECT_EQ(ReadAttr(R"("a\b\\c")", none), R"(a\b\\c)");

    EXPECT_EQ(ReadAttr(R"("&lt;&amp;&gt;&quot;&apos;")"), R"(<&>"')");
    EXPECT_EQ(ReadAttr(R"("x &#60; &#x3C; y")"), "x &#60; &#x3C; y"); // numeric references stay
    EXPECT_EQ(ReadAttr(R"("&amp;lt;")"), "&lt;");                      // one pass only
    EXPECT_EQ(ReadAttr(R"("&AMP; &lt &nbsp;")"), "&AMP; &lt &nbsp;");  // exact, whole entity texts
    EXPECT_EQ(ReadText("a &lt; b &amp;&amp; c"), "a < b && c");
    // Escapes go first, then entities.
    EXPECT_EQ(ReadAttr(R"("\&amp;")"), "&");

    XmlParseOptions raw;
    raw.decodeEntities = false;
    EXPECT_EQ(ReadAttr(R"("&lt;")", raw), "&lt;");
}

TEST(XmlValueText, LongValuesReadLikeShortOnesAndOtherTablesAndTrimmingApply)
{
    // Short plain values take a quicker scan; lengths around its limit must
    // read exactly as the general path reads them.
    for (std::size_t length = 0; length <= 140; ++length) {
        const std::string lead(length, 'x');
        EXPECT_EQ(ReadAttr("\"" + lead + "\""), lead) << length;
        EXPECT_EQ(ReadAttr("\"" + lead + R"(\"q&amp;\\")"), lead + "\"q&\\") << length;
    }

    const XmlEntityTable custom{{'*', "&star;"}, {'#', "%hash;"}};
    XmlParseOptions options;
    options.entities = &custom;
    EXPECT_EQ(ReadAttr(R"("a&star;%hash;&amp;%hash")", options), "a*#&amp;%hash");
    EXPECT_EQ(ReadAttr(R"("  x y  ")"), "  x y  ");
    options = {};
    options.trim = true;
    EXPECT_EQ(ReadAttr("\" \t x y \r\n\"", options), "x y");
    EXPECT_EQ(ReadAttr(R"("   ")", options), ""); // an empty stretch leaves the value as it was
}

// Another table (an entity need not start with '&'), and trimming, which is off unless asked for.
// A value that is not UTF-8 comes from a single-byte code page and is read as
// Windows-1252; a value that is UTF-8 stays as it is, each value on its own.
TEST(XmlValueText, BytesThatAreNotUtf8AreWindows1252)
{
    const struct
    {
        std::string raw, read;
    } cases[] = {
        {"Caf\xE9", "Caf\xC3\xA9"},                                     // Latin-1 range
        {"\x80 \x93q\x94 \x8A\x9F", "\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xC5\xA0\xC5\xB8"}, // the 0x80..0x9F block
        {"Caf\xC3\xA9 \xE2\x82\xAC", "Caf\xC3\xA9 \xE2\x82\xAC"},       // UTF-8 stays
        {"\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"},                   // one stray byte makes the whole value single-byte
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},               // a surrogate is no UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadAttr("\"" + c.raw + "\""), c.read) << c.raw;
        EXPECT_EQ(ReadText(c.raw), c.read) << c.raw;
    }
}
