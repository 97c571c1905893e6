// The rules a typed number and a typed colour follow, and how the colour is written back.
#include "colour_text.h"
#include "decimal_text.h"

#include <gtest/gtest.h>

using framework::ParseDecimal;
using picker::Components;

namespace {

TEST(DecimalText, AcceptsDigitsWithBlanksAndOneSign) {
    EXPECT_EQ(ParseDecimal("255"), 255);
    EXPECT_EQ(ParseDecimal("  \t42\t "), 42);
    EXPECT_EQ(ParseDecimal("+7"), 7);
    EXPECT_EQ(ParseDecimal("-12"), -12);
    EXPECT_EQ(ParseDecimal("025"), 25);
    EXPECT_EQ(ParseDecimal(" 0 "), 0);
    EXPECT_EQ(ParseDecimal("000"), 0);
}

TEST(DecimalText, RefusesWhatIsNotAWholeNumber) {
    for (const char* text : {"", " ", "\t", "+", "-", "abc", "12a", "1 2", "1.5", "0x10", "--1",
                             "+-1", " - 1", "1e3", "\n5", "5\n", "\xC3\xA9"}) {
        EXPECT_FALSE(ParseDecimal(text).has_value()) << '"' << text << '"';
    }
}

TEST(DecimalText, ZeroCountsOnlyWrittenWithALeadingZeroDigit) {
    EXPECT_FALSE(ParseDecimal("+0").has_value());
    EXPECT_FALSE(ParseDecimal("-0").has_value());
    EXPECT_FALSE(ParseDecimal(" -000").has_value());
    EXPECT_EQ(ParseDecimal("00"), 0);
    EXPECT_EQ(ParseDecimal("-01"), -1) << "only a value of zero needs the leading digit";
}

TEST(DecimalText, ValuesBeyond32BitsBecomeTheNearestLimit) {
    EXPECT_EQ(ParseDecimal("2147483647"), 2147483647);
    EXPECT_EQ(ParseDecimal("2147483648"), 2147483647);
    EXPECT_EQ(ParseDecimal("99999999999999999999999999999"), 2147483647);
    EXPECT_EQ(ParseDecimal("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseDecimal("-2147483649"), -2147483647 - 1);
    EXPECT_EQ(ParseDecimal("-99999999999999999999999999999"), -2147483647 - 1);
}

TEST(DecimalText, FormatsPlainSignedDecimal) {
    EXPECT_EQ(framework::FormatDecimal(0), "0");
    EXPECT_EQ(framework::FormatDecimal(255), "255");
    EXPECT_EQ(framework::FormatDecimal(-2147483647 - 1), "-2147483648");
}

TEST(HexText, FormatsSixUpperCaseDigitsRedFirst) {
    EXPECT_EQ(picker::FormatHexColour({0, 0, 0}), "000000");
    EXPECT_EQ(picker::FormatHexColour({255, 0, 0}), "FF0000");
    EXPECT_EQ(picker::FormatHexColour({0, 160, 255}), "00A0FF");
    EXPECT_EQ(picker::FormatHexColour({0x12, 0x34, 0x56}), "123456");
}

TEST(HexText, FilterKeepsUpperCaseHexDigitsInOrder) {
    EXPECT_EQ(picker::FilterHexDigits("12G4"), "124");
    EXPECT_EQ(picker::FilterHexDigits(" #a0FF-z"), "0FF") << "lower case arrives upper-cased";
    EXPECT_EQ(picker::FilterHexDigits(""), "");
    EXPECT_EQ(picker::FilterHexDigits("\x01\xFF\xA0"), "");
}

TEST(HexText, FilterKeepsTheLastSixOfALongerRun) {
    EXPECT_EQ(picker::FilterHexDigits("1234567"), "234567");
    EXPECT_EQ(picker::FilterHexDigits("FFFFFFFFFFFFFFFFFFFF12"), "FFFF12");
}

TEST(HexText, DigitsReadRightAligned) {
    auto expect = [](const char* digits, int red, int green, int blue) {
        const Components colour = picker::ParseHexDigits(digits);
        EXPECT_EQ(colour.red, red) << digits;
        EXPECT_EQ(colour.green, green) << digits;
        EXPECT_EQ(colour.blue, blue) << digits;
    };
    expect("", 0, 0, 0);
    expect("FF", 0, 0, 255);
    expect("FF0", 0, 15, 240);
    expect("00A0FF", 0, 160, 255);
    expect("FFFFFF", 255, 255, 255);
}

TEST(ColourValue, RedSitsInTheLowByte) {
    EXPECT_EQ(picker::ColourValue({0, 160, 255}), 0xFFA000u);
    EXPECT_EQ(picker::ColourValue({0x12, 0x34, 0x56}), 0x563412u);
    const Components back = picker::SplitColourValue(0x563412u);
    EXPECT_EQ(back.red, 0x12);
    EXPECT_EQ(back.green, 0x34);
    EXPECT_EQ(back.blue, 0x56);
}

TEST(TrimComponent, DropsTrailingDigitsAbove255AndRaisesNegativesToZero) {
    EXPECT_EQ(picker::TrimComponent(255), 255);
    EXPECT_EQ(picker::TrimComponent(256), 25);
    EXPECT_EQ(picker::TrimComponent(999), 99);
    EXPECT_EQ(picker::TrimComponent(300), 30);
    EXPECT_EQ(picker::TrimComponent(2147483647), 214);
    EXPECT_EQ(picker::TrimComponent(0), 0);
    EXPECT_EQ(picker::TrimComponent(-1), 0);
    EXPECT_EQ(picker::TrimComponent(-2147483647 - 1), 0);
}

} // namespace
