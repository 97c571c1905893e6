// The rules a typed number and a typed colour follow, and how the colour is written back.
#include "rules/colour_text.h"
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

TEST(CssNotation, HexAndRgbWriteTheComponentsRedFirst) {
    EXPECT_EQ(picker::FormatCssHex({0, 160, 255}), "#00A0FF");
    EXPECT_EQ(picker::FormatCssHex({0xAB, 0xCD, 0xEF}), "#ABCDEF");
    EXPECT_EQ(picker::FormatCssHex({0, 0, 0}), "#000000");
    EXPECT_EQ(picker::FormatCssRgb({0, 160, 255}), "rgb(0, 160, 255)");
    EXPECT_EQ(picker::FormatCssRgb({255, 7, 0}), "rgb(255, 7, 0)");
    EXPECT_EQ(picker::FormatCssHsl({0, 160, 255}), "hsl(202, 100%, 50%)");
    // Never held by the window, but still a well-formed text.
    EXPECT_EQ(picker::FormatCssHex({300, -4, 255}), "#FF00FF");
    EXPECT_EQ(picker::FormatCssRgb({300, -4, 255}), "rgb(255, 0, 255)");
    EXPECT_EQ(picker::FormatCssHsl({300, -4, 255}), "hsl(300, 100%, 50%)");
}

// Hue, saturation, lightness as written: whole numbers, each the nearest to the exact value.
TEST(CssNotation, HslRoundsEachPartToTheNearest) {
    struct Case {
        Components colour;
        const char* text;
        const char* why;
    };
    const Case cases[] = {
        {{255, 0, 0}, "hsl(0, 100%, 50%)", "red"},
        {{0, 255, 0}, "hsl(120, 100%, 50%)", "green"},
        {{0, 0, 255}, "hsl(240, 100%, 50%)", "blue"},
        {{255, 255, 0}, "hsl(60, 100%, 50%)", "yellow"},
        {{0, 255, 255}, "hsl(180, 100%, 50%)", "cyan"},
        {{255, 0, 255}, "hsl(300, 100%, 50%)", "magenta"},
        {{0, 0, 0}, "hsl(0, 0%, 0%)", "black"},
        {{255, 255, 255}, "hsl(0, 0%, 100%)", "white"},
        {{128, 128, 128}, "hsl(0, 0%, 50%)", "grey: lightness 50.2"},
        {{255, 0, 1}, "hsl(0, 100%, 50%)", "hue 359.76 rounds to 360, which is 0"},
        {{120, 0, 1}, "hsl(0, 100%, 24%)", "hue exactly 359.5 goes up, to 0"},
        {{120, 1, 0}, "hsl(1, 100%, 24%)", "hue exactly 0.5 goes up"},
        {{0, 35, 56}, "hsl(203, 100%, 11%)", "hue exactly 202.5 goes up"},
        {{1, 15, 7}, "hsl(146, 88%, 3%)", "saturation exactly 87.5 goes up"},
        {{129, 157, 157}, "hsl(180, 13%, 56%)", "saturation exactly 12.5, above half light"},
        // Lightness is (highest + lowest) / 5.1 percent, never exactly a half: these are the
        // nearest below and above one.
        {{14, 14, 14}, "hsl(0, 0%, 5%)", "lightness 5.49 goes down"},
        {{12, 11, 11}, "hsl(0, 4%, 5%)", "lightness 4.51 goes up"},
        {{254, 255, 255}, "hsl(180, 100%, 100%)", "lightness 99.8 goes up to 100"},
        {{253, 254, 254}, "hsl(180, 33%, 99%)", "lightness 99.4 stays"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(picker::FormatCssHsl(c.colour), c.text) << c.why;
    }
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
