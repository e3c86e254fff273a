#include "items/attribute_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

namespace {

TEST(AttributeFormatTest, WritesTheFixedTextFormsAndReadsForgivinglyLikeTheCConversions)
{
    EXPECT_EQ(FormatInt(-42), "-42");
    EXPECT_EQ(FormatFloatAttr(2.5f), "2.5000");
    EXPECT_EQ(FormatFixed(1.005, 2), "1.00"); // the double nearest 1.005 lies below it
    // Alpha first, then red, green and blue: every channel different.
    EXPECT_EQ(FormatColorAttr(0x80FF1020), "128-255-016-032");
    EXPECT_EQ(FormatColorAttr(0x0102A0FF), "001-002-160-255");
    EXPECT_EQ(FormatPointAttr({12.345f, -3}), "12.35|-3.00");
    // Nothing that is not a number ever reaches a file.
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 2), "0.00");

    // Reading forgives as the C conversions do.
    EXPECT_EQ(ParseIntText("  -17xyz"), -17);
    EXPECT_EQ(ParseIntText("abc"), 0);
    EXPECT_EQ(ParseIntText("99999999999999"), std::numeric_limits<std::int32_t>::max());
    EXPECT_FLOAT_EQ(ParseFloatText(" +2.75px"), 2.75f);
    EXPECT_FLOAT_EQ(ParseFloatText("1e2"), 100.0f);
    EXPECT_EQ(ParseFloatText("nan"), 0.0f);
    EXPECT_EQ(ParseFloatText("inf"), 0.0f);
    EXPECT_EQ(ParseFloatText("1e300"), 0.0f); // beyond float: no infinity
    EXPECT_EQ(ParseColorText("128-255-016-032"), 0x80FF1020u);
    EXPECT_EQ(ParseColorText("255-001-002"), 0xFF010200u); // short text: missing fields are 0
    EXPECT_EQ(ParsePointText("1.50|-2.25"), (PointF{1.5f, -2.25f}));
    EXPECT_EQ(ParsePointText("7"), (PointF{7, 0}));
}

TEST(AttributeFormatTest, IgnoresTheUsersNumericLocale)
{
    const char* german = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        if (std::setlocale(LC_NUMERIC, name)) {
            german = name;
            break;
        }
    }
    if (!german)
        GTEST_SKIP() << "no German locale installed";
    EXPECT_EQ(FormatFloatAttr(2.5f), "2.5000");
    EXPECT_FLOAT_EQ(ParseFloatText("2.5"), 2.5f);
    EXPECT_EQ(FormatPointAttr({1.5f, 2}), "1.50|2.00");
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace
