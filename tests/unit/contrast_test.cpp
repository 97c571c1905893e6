// The contrast of two colours and the levels it meets. Reference figures were worked out from the
// guidelines' formula with Python's decimal module at 60 digits.
#include "rules/contrast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace picker;

namespace {

std::string Written(Rgb first, Rgb second) {
    const std::int32_t hundredths = ContrastHundredths(first, second);
    const std::string level = LevelName(LevelOf(hundredths));
    return FormatContrast(hundredths) + (level.empty() ? "" : " " + level);
}

TEST(Contrast, MatchesPublishedFiguresEitherWayRound) {
    // The guidelines' definition: ratios range from 1 to 21, black on white.
    EXPECT_EQ(Written(0x000000, 0xFFFFFF), "21.00 AAA");
    EXPECT_EQ(Written(0xFFFFFF, 0x000000), "21.00 AAA");
    EXPECT_EQ(Written(0x3C8D2F, 0x3C8D2F), "1.00");
    // 4.478 (the figure) is cut, not rounded to 4.48, and fails AA; one step darker passes.
    EXPECT_EQ(Written(0x777777, 0xFFFFFF), "4.47 AA large");
    EXPECT_EQ(Written(0xFFFFFF, 0x767676), "4.54 AA");
    EXPECT_EQ(Written(0x00A0FF, 0xFFFFFF), "2.81");      // 2.8104
    EXPECT_EQ(Written(0x123456, 0xFFFFFF), "12.71 AAA"); // 12.7173
    EXPECT_EQ(FormatContrast(405), "4.05");
}

TEST(Contrast, IsCutAtTheEdgesOfEachLevel) {
    // The 8-bit colours closest to each edge on black, below and at it.
    EXPECT_EQ(Written(0x33642C, 0x000000), "2.99");          // 2.9999998737
    EXPECT_EQ(Written(0x960FB1, 0x000000), "3.00 AA large"); // 3.0000005610
    EXPECT_EQ(Written(0x458301, 0x000000), "4.49 AA large"); // 4.4999999323
    EXPECT_EQ(Written(0x9D5D9F, 0x000000), "4.50 AA");       // 4.5000006595
    EXPECT_EQ(Written(0xE969A1, 0x000000), "6.99 AA");       // 6.9999995497
    EXPECT_EQ(Written(0x989A30, 0x000000), "7.00 AAA");      // 7.0000005414
    // Ratios of exactly whole hundredths.
    EXPECT_EQ(Written(0xFF0202, 0x070209), "5.15 AA");
    EXPECT_EQ(Written(0x090801, 0x020009), "1.04");
}

// Colours whose ratios may be whole hundredths exactly (components on the straight part of the
// curve, 0 to 10, or 255: their luminance is rational), with every grey and pure primary.
std::vector<Rgb> ColoursNearExactRatios() {
    std::vector<Rgb> colours;
    const Rgb rational[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 255};
    for (const Rgb red : rational) {
        for (const Rgb green : rational) {
            for (const Rgb blue : rational) {
                colours.push_back(red << 16 | green << 8 | blue);
            }
        }
    }
    for (Rgb value = 0; value < 256; ++value) {
        colours.insert(colours.end(), {value * 0x010101, value << 16, value << 8, value});
    }
    std::sort(colours.begin(), colours.end());
    colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
    return colours;
}

long double ReferenceLuminance(Rgb colour) {
    const auto linear = [](Rgb component) {
        const long double value = component / 255.0L;
        return component <= 10 ? value / 12.92L : std::pow((value + 0.055L) / 1.055L, 2.4L);
    };
    return 0.2126L * linear(colour >> 16 & 0xFF) + 0.7152L * linear(colour >> 8 & 0xFF) +
           0.0722L * linear(colour & 0xFF);
}

// Against a reference in extended precision, where a ratio within a billionth of a hundredth
// counts as lying on it: a binary rounding error must not cut such a ratio a hundredth low.
TEST(Contrast, ExactRatiosAreNeverCutAHundredthLow) {
    const std::vector<Rgb> colours = ColoursNearExactRatios();
    std::vector<long double> luminance;
    for (const Rgb colour : colours) {
        luminance.push_back(ReferenceLuminance(colour));
    }
    std::size_t onAHundredth = 0, wrong = 0;
    for (std::size_t first = 0; first < colours.size(); ++first) {
        for (std::size_t second = first + 1; second < colours.size(); ++second) {
            const long double lighter = std::max(luminance[first], luminance[second]);
            const long double darker = std::min(luminance[first], luminance[second]);
            const long double ratio = 100 * (lighter + 0.05L) / (darker + 0.05L);
            const long double nearest = std::round(ratio);
            const bool exact = std::fabs(ratio - nearest) < 1e-9L;
            onAHundredth += exact && nearest != 100;
            const auto expected = static_cast<std::int32_t>(exact ? nearest : std::floor(ratio));
            if (ContrastHundredths(colours[first], colours[second]) != expected && ++wrong < 10) {
                ADD_FAILURE() << std::hex << colours[first] << " " << colours[second];
            }
        }
    }
    EXPECT_EQ(wrong, 0u);
    EXPECT_EQ(onAHundredth, 3u) << "21 to 1, 5.15 and 1.04 to 1, and no others";
}

} // namespace
