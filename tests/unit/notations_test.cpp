// The colour in each notation both ways: the texts "Copy as" writes, the colours "Paste colour"
// reads, and the nearest named colour.
//
// Reference figures come from colorjs.io 0.7.1 (npm), the colour library of the editors of CSS
// Color 4, whose conversions are that document's "Sample code for color conversions":
// - the texts: its "hwb", "lab", "lch", "oklab" and "oklch" coordinates of each sRGB colour,
//   rounded half away from zero by JavaScript's toFixed on the magnitude, a zero written 0;
// - the colours read: its own CSS parser, the result converted to sRGB, clipped to 0..1 and
//   rounded (Math.round);
// - the nearest names: Euclidean distance between its "oklab" coordinates of the colour and of
//   each of its CSS keywords (CSS Color 4, "Named Colors").
#include "rules/css_colour_parser.h"
#include "rules/css_notations.h"
#include "rules/named_colours.h"
#include "plain_zeros.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using picker::Components;
using picker::FormatNotation;
using picker::Notation;
using picker::ParseCssColour;

namespace {

std::string Text(const Components& c) {
    return std::to_string(c.red) + ' ' + std::to_string(c.green) + ' ' + std::to_string(c.blue);
}

struct ReferenceRow {
    Components colour;
    const char* texts[6]; // hwb, lab, lch, oklab, oklch, color(srgb)
};

const ReferenceRow kReference[] = {
    {{255, 0, 0},
     {"hwb(0 0% 0%)", "lab(54.29% 80.80 69.89)", "lch(54.29% 106.84 40.86)",
      "oklab(62.80% 0.22486 0.12585)", "oklch(62.80% 0.25768 29.23)", "color(srgb 1 0 0)"}},
    {{0, 255, 0},
     {"hwb(120.0 0% 0%)", "lab(87.82% -79.27 80.99)", "lch(87.82% 113.33 134.38)",
      "oklab(86.64% -0.23389 0.17950)", "oklch(86.64% 0.29483 142.50)", "color(srgb 0 1 0)"}},
    {{0, 0, 255},
     {"hwb(240.0 0% 0%)", "lab(29.57% 68.29 -112.03)", "lch(29.57% 131.20 301.36)",
      "oklab(45.20% -0.03246 -0.31153)", "oklch(45.20% 0.31321 264.05)", "color(srgb 0 0 1)"}},
    {{255, 255, 0},
     {"hwb(60.0 0% 0%)", "lab(97.61% -15.75 93.39)", "lch(97.61% 94.71 99.57)",
      "oklab(96.80% -0.07137 0.19857)", "oklch(96.80% 0.21101 109.77)", "color(srgb 1 1 0)"}},
    {{0, 255, 255},
     {"hwb(180.0 0% 0%)", "lab(90.67% -50.66 -14.96)", "lch(90.67% 52.82 196.45)",
      "oklab(90.54% -0.14944 -0.03940)", "oklch(90.54% 0.15455 194.77)", "color(srgb 0 1 1)"}},
    {{255, 0, 255},
     {"hwb(300.0 0% 0%)", "lab(60.17% 93.54 -60.50)", "lch(60.17% 111.40 327.11)",
      "oklab(70.17% 0.27457 -0.16916)", "oklch(70.17% 0.32249 328.36)", "color(srgb 1 0 1)"}},
    {{255, 255, 255},
     {"hwb(0 100.0% 0%)", "lab(100.00% 0 0)", "lch(100.00% 0 0)", "oklab(100.00% 0 0)",
      "oklch(100.00% 0 0)", "color(srgb 1 1 1)"}},
    {{0, 0, 0},
     {"hwb(0 0% 100.0%)", "lab(0% 0 0)", "lch(0% 0 0)", "oklab(0% 0 0)", "oklch(0% 0 0)",
      "color(srgb 0 0 0)"}},
    {{128, 128, 128},
     {"hwb(0 50.2% 49.8%)", "lab(53.59% 0 0)", "lch(53.59% 0 0)", "oklab(59.99% 0 0)",
      "oklch(59.99% 0 0)", "color(srgb 0.502 0.502 0.502)"}},
    {{0, 160, 255},
     {"hwb(202.4 0% 0%)", "lab(62.73% -8.86 -57.85)", "lch(62.73% 58.52 261.29)",
      "oklab(68.46% -0.07135 -0.16182)", "oklch(68.46% 0.17685 246.21)", "color(srgb 0 0.6275 1)"}},
    {{70, 130, 180},
     {"hwb(207.3 27.5% 29.4%)", "lab(51.99% -8.36 -32.83)", "lch(51.99% 33.88 255.71)",
      "oklab(58.80% -0.04082 -0.09057)", "oklch(58.80% 0.09934 245.74)",
      "color(srgb 0.2745 0.5098 0.7059)"}},
    {{102, 51, 153},
     {"hwb(270.0 20.0% 40.0%)", "lab(32.39% 38.42 -47.69)", "lch(32.39% 61.24 308.86)",
      "oklab(44.03% 0.08818 -0.13386)", "oklch(44.03% 0.16030 303.37)", "color(srgb 0.4 0.2 0.6)"}},
    {{255, 165, 0},
     {"hwb(38.8 0% 0%)", "lab(75.59% 27.52 79.12)", "lch(75.59% 83.77 70.82)",
      "oklab(79.27% 0.05661 0.16138)", "oklch(79.27% 0.17103 70.67)", "color(srgb 1 0.6471 0)"}},
    {{1, 2, 3},
     {"hwb(210.0 0.4% 98.8%)", "lab(0.50% -0.17 -0.48)", "lch(0.50% 0.51 250.65)",
      "oklab(8.23% -0.00393 -0.00701)", "oklch(8.23% 0.00804 240.75)",
      "color(srgb 0.0039 0.0078 0.0118)"}},
    {{0, 0, 1},
     {"hwb(240.0 0% 99.6%)", "lab(0.02% 0.10 -0.38)", "lch(0.02% 0.39 285.25)",
      "oklab(3.04% -0.00218 -0.02094)", "oklch(3.04% 0.02105 264.05)", "color(srgb 0 0 0.0039)"}},
    {{254, 254, 255},
     {"hwb(240.0 99.6% 0%)", "lab(99.68% 0.13 -0.48)", "lch(99.68% 0.50 285.28)",
      "oklab(99.73% 0.00037 -0.00126)", "oklch(99.73% 0.00132 286.38)",
      "color(srgb 0.9961 0.9961 1)"}},
    {{90, 90, 91},
     {"hwb(240.0 35.3% 64.3%)", "lab(38.27% 0.16 -0.58)", "lch(38.27% 0.60 285.33)",
      "oklab(46.79% 0.00045 -0.00153)", "oklch(46.79% 0.00159 286.34)",
      "color(srgb 0.3529 0.3529 0.3569)"}},
    {{75, 0, 130},
     {"hwb(274.6 0% 49.0%)", "lab(19.72% 47.03 -54.28)", "lch(19.72% 71.82 310.91)",
      "oklab(33.90% 0.09416 -0.15255)", "oklch(33.90% 0.17927 301.68)",
      "color(srgb 0.2941 0 0.5098)"}},
    {{255, 128, 1},
     {"hwb(30.0 0.4% 0%)", "lab(67.82% 45.49 74.70)", "lch(67.82% 87.46 58.66)",
      "oklab(73.19% 0.11192 0.14819)", "oklch(73.19% 0.18571 52.94)",
      "color(srgb 1 0.502 0.0039)"}},
};

TEST(CopyAs, MatchesTheReferenceLibrary) {
    const Notation notations[] = {Notation::Hwb,   Notation::Lab,   Notation::Lch,
                                  Notation::Oklab, Notation::Oklch, Notation::ColorSrgb};
    for (const ReferenceRow& row : kReference) {
        for (std::size_t at = 0; at < 6; ++at) {
            EXPECT_EQ(FormatNotation(notations[at], row.colour), row.texts[at]) << Text(row.colour);
        }
    }
}

TEST(CopyAs, WritesEachNotationOfTheMenu) {
    const Components colour{0, 160, 255};
    const char* expected[] = {
        "#00a0ff",
        "0x00A0FF",
        "0x00FFA000",
        "rgb(0 160 255)",
        "hwb(202.4 0% 0%)",
        "lab(62.73% -8.86 -57.85)",
        "lch(62.73% 58.52 261.29)",
        "oklab(68.46% -0.07135 -0.16182)",
        "oklch(68.46% 0.17685 246.21)",
        "color(srgb 0 0.6275 1)",
    };
    std::size_t at = 0;
    for (Notation notation : picker::kCopyNotations) {
        EXPECT_EQ(FormatNotation(notation, colour), expected[at++]);
    }
    EXPECT_EQ(FormatNotation(Notation::CHex, {0x12, 0xAB, 0xEF}), "0x12ABEF");
    EXPECT_EQ(FormatNotation(Notation::ColourRef, {0x12, 0xAB, 0xEF}), "0x00EFAB12");
    EXPECT_EQ(FormatNotation(Notation::CssHex, {0x12, 0xAB, 0xEF}), "#12abef");
    EXPECT_EQ(FormatNotation(Notation::CssRgb, {300, -4, 7}), "rgb(255 0 7)") << "limits";
}

TEST(CopyAs, GreysHaveHueZeroAndNoNegativeZero) {
    // Black and white are in the reference table; here every grey, against the rule itself.
    EXPECT_TRUE(WritesZerosPlainly("lab(0% 0 0)"));
    EXPECT_FALSE(WritesZerosPlainly("lab(50% -0 0)"));
    EXPECT_FALSE(WritesZerosPlainly("oklab(50% 0.0000 0)"));
    for (int level = 0; level < 256; ++level) {
        const Components grey{level, level, level};
        for (Notation notation : picker::kCopyNotations) {
            const std::string text = FormatNotation(notation, grey);
            EXPECT_TRUE(WritesZerosPlainly(text)) << text;
            // No chroma, so no hue: a and b, or C and H, are 0.
            if (notation >= Notation::Lab && notation <= Notation::Oklch) {
                EXPECT_EQ(text.substr(text.size() - 5), " 0 0)") << text;
            }
        }
        EXPECT_EQ(FormatNotation(Notation::Hwb, grey).substr(0, 6), "hwb(0 ");
    }
}

TEST(CopyAs, TheStatedPrecisionsOfHwbAndOklabLoseColours) {
    // What each reads back as at the precision the menu was first given: whole degrees and
    // percent for hwb(), 4 decimals for a, b and C of OKLab.
    EXPECT_EQ(FormatNotation(Notation::Hwb, {0, 160, 255}, {0, 0, 0}), "hwb(202 0% 0%)");
    EXPECT_EQ(Text(*ParseCssColour("hwb(202 0% 0%)")), "0 161 255");
    const Components lost{0, 166, 210};
    const std::string oklab = FormatNotation(Notation::Oklab, lost, {2, 4, 4});
    EXPECT_EQ(oklab, "oklab(67.49% -0.0901 -0.0912)");
    EXPECT_EQ(Text(*ParseCssColour(oklab)), "1 166 210");
}

TEST(NamedColours, AreTheCssListInAlphabeticalOrder) {
    EXPECT_EQ(picker::kNamedColourCount, 148u);
    for (std::size_t at = 1; at < picker::kNamedColourCount; ++at) {
        EXPECT_LT(std::strcmp(picker::kNamedColours[at - 1].name, picker::kNamedColours[at].name),
                  0)
            << picker::kNamedColours[at].name;
    }
    EXPECT_EQ(Text(*picker::FindNamedColour("RebeccaPurple")), "102 51 153");
    EXPECT_EQ(Text(*picker::FindNamedColour("lightgoldenrodyellow")), "250 250 210");
    for (const char* name : {"transparent", "currentcolor", "", "steel blue", "steelbluee",
                             "lightgoldenrodyellowx", "grey1"}) {
        EXPECT_FALSE(picker::FindNamedColour(name)) << name;
    }
}

TEST(NamedColours, NearestByOklabDistanceFirstNameOnTies) {
    struct Case {
        Components colour;
        const char* name;
        bool exact;
    };
    const Case cases[] = {
        {{0, 160, 255}, "dodgerblue", false}, // by sRGB distance: deepskyblue
        {{70, 130, 180}, "steelblue", true},
        {{71, 130, 180}, "steelblue", false},
        {{0, 255, 255}, "aqua", true},       // also cyan
        {{255, 0, 255}, "fuchsia", true},    // also magenta
        {{128, 128, 128}, "gray", true},     // also grey
        {{169, 169, 169}, "darkgray", true}, // also darkgrey
        {{119, 136, 153}, "lightslategray", true},
        {{47, 79, 79}, "darkslategray", true},
        {{1, 1, 1}, "black", false},
        {{52, 0, 0}, "maroon", false},         // by sRGB distance: black
        {{64, 0, 64}, "indigo", false},        // by sRGB distance: midnightblue
        {{128, 0, 64}, "maroon", false},       // by sRGB distance: brown
        {{0, 56, 32}, "darkslategray", false}, // by sRGB distance: darkgreen
    };
    for (const Case& c : cases) {
        const picker::NearestName nearest = picker::NearestNamedColour(c.colour);
        EXPECT_EQ(nearest.name, c.name) << Text(c.colour);
        EXPECT_EQ(nearest.exact, c.exact) << Text(c.colour);
    }
    for (const picker::NamedColour& named : picker::kNamedColours) {
        const picker::NearestName nearest = picker::NearestNamedColour(ComponentsOf(named));
        EXPECT_TRUE(nearest.exact) << named.name;
        EXPECT_LE(std::string(nearest.name), named.name) << "a duplicate names the first";
    }
}

struct Reading {
    const char* text;
    Components colour;
};

void ExpectReadings(std::initializer_list<Reading> readings) {
    for (const Reading& reading : readings) {
        const std::optional<Components> colour = ParseCssColour(reading.text);
        ASSERT_TRUE(colour) << reading.text;
        EXPECT_EQ(Text(*colour), Text(reading.colour)) << reading.text;
    }
}

void ExpectRefused(std::initializer_list<const char*> texts) {
    for (const char* text : texts) {
        EXPECT_FALSE(ParseCssColour(text)) << text;
    }
}

TEST(PasteColour, ReadsHex) {
    ExpectReadings({{"#00a0ff", {0, 160, 255}},
                    {"#00A0FF80", {0, 160, 255}},
                    {"00a0ff", {0, 160, 255}},
                    {"#abc", {170, 187, 204}},
                    {"ABCD", {170, 187, 204}},
                    {"123", {17, 34, 51}}});
    ExpectRefused({"#12345", "#1234567", "#", "#ggg", "# abc", "##abc", "0x00A0FF", "#abc def",
                   "#abcdef0011"});
}

TEST(PasteColour, ReadsRgbInBothSyntaxes) {
    ExpectReadings({{"rgb(0 160 255)", {0, 160, 255}},
                    {"rgb(0, 160, 255)", {0, 160, 255}},
                    {"RGBA(0,160,255,0.5)", {0, 160, 255}},
                    {"rgb(0 160 255 / 50%)", {0, 160, 255}},
                    {"rgb(none 160 255 / none)", {0, 160, 255}},
                    {"rgb(0% 62.745% 100%)", {0, 160, 255}},
                    {"rgb(0%, 50%, 100%)", {0, 128, 255}},
                    {"rgb(0 50% 255)", {0, 128, 255}},
                    {"rgb(300 -5 127.5)", {255, 0, 128}},
                    {"rgb(+1e2 2.5E1 .5)", {100, 25, 1}},
                    {"rgb(1-2-3)", {1, 0, 0}}, // three numbers, as CSS cuts them
                    {"rgb(\t1\n2 \f3\r)", {1, 2, 3}}});
    ExpectRefused(
        {"rgb(1, 2)",        "rgb(1 2)",        "rgb(1 2 3 4)",       "rgb(1,2,3,4,5)",
         "rgb(1, 2 3)",      "rgb(1 2, 3)",     "rgb(1 2 3 /)",       "rgb(1 2 3 / 1 / 1)",
         "rgb(1, 50%, 3)",   "rgb(none, 2, 3)", "rgb(1, 2, 3, none)", "rgb (1 2 3)",
         "rgb(1 2 3",        "rgb(1 2 3))",     "rgb(1deg 2 3)",      "rgb(calc(1) 2 3)",
         "rgb(1 2 3 / red)", "rgb(1e 2 3)",     "rgb(1. 2 3)",        "rgb(1 2 3/*c*/)",
         "rgb(1 2 3,)",      "rgb()",           "rgb(50 % 2 3)",      "rgb(nonenone 2 3)",
         "rgb(-none 2 3)"});
}

TEST(PasteColour, ReadsHslAndHwb) {
    ExpectReadings({{"hsl(202 100% 50%)", {0, 161, 255}},
                    {"hsla(202, 100%, 50%, 0.3)", {0, 161, 255}},
                    {"hsl(0.5turn 100% 50%)", {0, 255, 255}},
                    {"hsl(3.14159rad 100% 50%)", {0, 255, 255}},
                    {"hsl(200GRAD 100% 50%)", {0, 255, 255}},
                    {"hsl(-158 100% 50%)", {0, 161, 255}},
                    {"hsl(202 100 50)", {0, 161, 255}},
                    {"hsl(none 0% 50%)", {128, 128, 128}},
                    {"hsl(120 -10% 50%)", {128, 128, 128}},
                    {"hsl(120 60% 120%)", {255, 255, 255}},
                    {"hwb(202 0% 0%)", {0, 161, 255}},
                    {"hwb(202.4 0% 0%)", {0, 160, 255}},
                    {"hwb(0 50% 60%)", {116, 116, 116}},
                    {"hwb(120 12 20)", {31, 204, 31}},
                    {"hwb(none none none)", {255, 0, 0}}});
    // Exactly half of a step, 25.5, rounds up (the reference lands a hair below, through HSV).
    EXPECT_EQ(Text(*ParseCssColour("hwb(120 10% 20%)")), "26 204 26");
    ExpectRefused({"hsl(202, 100, 50)", "hsl(202%, 100%, 50%)", "hsl(202 100% 50% 1)",
                   "hsl(1e999 0 0)", "hsl(202deg, 100%)", "hsl(none, 100%, 50%)",
                   "hsl(202 100% 50% / 1deg)", "hsl(202px 100% 50%)", "hwb(202, 0%, 0%)",
                   "hwb(202 0% 0% 0%)", "hwb(202 0%)"});
}

TEST(PasteColour, ReadsLabLchOklabOklch) {
    ExpectReadings({{"lab(62.73% -8.86 -57.85)", {0, 160, 255}},
                    {"LAB(62.73 -8.86 -57.85 / 0.5)", {0, 160, 255}},
                    {"lab(50% 100% -100%)", {214, 0, 255}},
                    {"lab(150% 0 0)", {255, 255, 255}},
                    {"lab(30% 60 -90)", {75, 18, 218}},
                    {"lch(62.73% 58.52 261.29)", {0, 160, 255}},
                    {"lch(62.73 58.52 261.29deg)", {0, 160, 255}},
                    {"lch(50% 50% 0.5turn)", {0, 146, 117}},
                    {"lch(40% 80 30grad)", {195, 0, 42}},
                    {"oklab(68.46% -0.07135 -0.16182)", {0, 160, 255}},
                    {"oklab(0.6846 -0.07135 -0.16182)", {0, 160, 255}},
                    {"oklab(50% 25% -25%)", {129, 69, 154}},
                    {"oklch(68.46% 0.17685 246.21)", {0, 160, 255}},
                    {"oklch(0.7 40% 4.3rad)", {52, 165, 251}},
                    {"oklch(70% 0.1 none)", {210, 132, 156}},
                    {"oklch(45% 0.3 -60deg)", {119, 0, 221}}});
    // A negative chroma is none: grey.
    EXPECT_EQ(Text(*ParseCssColour("lch(50% -10 30)")), Text(*ParseCssColour("lch(50% 0 0)")));
    ExpectRefused({"lab(50%, 0, 0)", "lab(50% 0)", "lab(50% 0deg 0)", "lch(50% 10 10%)",
                   "lch(50% 10deg 10)", "oklab(68% -0.07 -0.16 / 1 / 1)", "oklch(70% 0.1)",
                   "oklch(70%, 0.1, 30)", "lab(50% 1e308 1e308)"});
}

TEST(PasteColour, ReadsColorFunction) {
    ExpectReadings({{"color(srgb 0 0.6275 1)", {0, 160, 255}},
                    {"color(SRGB 0% 62.75% 100% / 1)", {0, 160, 255}},
                    {"color(srgb-linear 0 0.35 1)", {0, 160, 255}},
                    {"color(display-p3 1 0 0)", {255, 0, 0}},
                    {"color(display-p3 0.5 0.6 0.7)", {121, 154, 181}},
                    {"color(display-p3 0.2 0.9 0.1)", {0, 234, 0}},
                    {"color(xyz-d50 0.3 0.4 0.5)", {62, 186, 208}},
                    {"color(xyz-d65 0.3 0.4 0.5)", {92, 184, 181}},
                    {"color(xyz 0.3 0.4 0.5)", {92, 184, 181}},
                    {"color(srgb none 1 none / none)", {0, 255, 0}}});
    ExpectRefused({"color(rec2020 0 0 0)", "color(srgb 0 0)", "color(srgb, 0, 0, 0)",
                   "color(0 0 0)", "color(srgb 0 0 0 0)", "color(display-p3 0deg 0 0)",
                   "color(srgb)", "color(--custom 0 0 0)"});
}

TEST(PasteColour, ReadsNamesBlanksAndOneSemicolon) {
    ExpectReadings({{"steelblue", {70, 130, 180}},
                    {"SteelBlue", {70, 130, 180}},
                    {" \t rebeccapurple ;\n", {102, 51, 153}},
                    {"red;", {255, 0, 0}},
                    {"red ; ", {255, 0, 0}},
                    {"\n#abc\n", {170, 187, 204}}});
    ExpectRefused({"", "   ", ";", "red;;", ";red", "red blue", "red,", "transparent",
                   "currentcolor", "CurrentColor", "color: red", "steel blue", "red\v"});
}

// Long texts are read whole, and only by what they hold (a reader that went back over them
// would not finish in the test's time).
TEST(PasteColour, AMegabyteIsReadByWhatItHolds) {
    const std::string megabyte(1 << 20, ' ');
    EXPECT_TRUE(ParseCssColour(megabyte + "red" + megabyte)) << "blanks around are blanks";
    EXPECT_FALSE(ParseCssColour(std::string(1 << 20, 'a')));
    EXPECT_FALSE(ParseCssColour("rgb(" + megabyte + "1 2 3 4)"));
    std::string repeated;
    for (int copy = 0; copy < 1 << 16; ++copy) {
        repeated += "rgb(1 2 3) ";
    }
    EXPECT_FALSE(ParseCssColour(repeated));
    // Many digits are one number: its value, not its length, counts.
    EXPECT_EQ(Text(*ParseCssColour("rgb(" + std::string(1 << 20, '0') + "7 2 3)")), "7 2 3");
    EXPECT_FALSE(ParseCssColour("rgb(1" + std::string(1 << 20, '0') + " 2 3)"))
        << "beyond a double";
    EXPECT_EQ(Text(*ParseCssColour("rgb(0." + std::string(1 << 20, '0') + "1 2 3)")), "0 2 3");
}

} // namespace
