// Every one of the 16,777,216 colours, written in each CSS notation of "Copy as", reads back as
// itself; and one decimal fewer in any part of a notation that has decimals makes some colour
// read back as another, so each precision is the least that holds.
#include "rules/css_colour_parser.h"
#include "rules/css_notations.h"
#include "plain_zeros.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

using picker::Components;
using picker::Notation;

namespace {

// Under the sanitizers the code runs many times slower: a sample, every 97th colour, still
// reaches every notation's every branch.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::uint32_t kStride = 97;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr std::uint32_t kStride = 97;
#else
constexpr std::uint32_t kStride = 1;
#endif
#else
constexpr std::uint32_t kStride = 1;
#endif

constexpr std::uint32_t kColours = 1u << 24;

Components ColourAt(std::uint32_t index) {
    return {static_cast<std::int32_t>(index >> 16), static_cast<std::int32_t>(index >> 8 & 0xFF),
            static_cast<std::int32_t>(index & 0xFF)};
}

bool ReadsBack(const std::string& text, const Components& colour) {
    const std::optional<Components> read = picker::ParseCssColour(text);
    return read && read->red == colour.red && read->green == colour.green &&
           read->blue == colour.blue;
}

struct Sweep {
    std::uint64_t colours = 0;
    std::uint64_t failures = 0;
    std::string firstFailure;
};

// Each colour of the sample written in `notation` and read back, on every core.
Sweep SweepAll(Notation notation) {
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<Sweep> parts(threads);
    std::vector<std::thread> workers;
    for (unsigned part = 0; part < threads; ++part) {
        workers.emplace_back([&, part] {
            Sweep& sweep = parts[part];
            for (std::uint32_t index = part * kStride; index < kColours;
                 index += threads * kStride) {
                const Components colour = ColourAt(index);
                const std::string text = picker::FormatNotation(notation, colour);
                ++sweep.colours;
                if (!ReadsBack(text, colour) || !WritesZerosPlainly(text)) {
                    if (sweep.failures++ == 0) {
                        sweep.firstFailure = text;
                    }
                }
            }
        });
    }
    Sweep total;
    for (unsigned part = 0; part < threads; ++part) {
        workers[part].join();
        total.colours += parts[part].colours;
        total.failures += parts[part].failures;
        if (total.firstFailure.empty()) {
            total.firstFailure = parts[part].firstFailure;
        }
    }
    return total;
}

class RoundTrip : public testing::TestWithParam<Notation> {};

TEST_P(RoundTrip, EveryColourReadsBackAsItself) {
    const Sweep sweep = SweepAll(GetParam());
    EXPECT_EQ(sweep.colours, (kColours + kStride - 1) / kStride);
    EXPECT_EQ(sweep.failures, 0u) << "first: " << sweep.firstFailure;
}

std::string NameOf(const testing::TestParamInfo<Notation>& notation) {
    static const char* const kNames[] = {"Hex", "CHex", "ColourRef", "Rgb",   "Hwb",
                                         "Lab", "Lch",  "Oklab",     "Oklch", "ColorSrgb"};
    return kNames[static_cast<int>(notation.param)];
}

INSTANTIATE_TEST_SUITE_P(CssNotations, RoundTrip,
                         testing::Values(Notation::CssHex, Notation::CssRgb, Notation::Hwb,
                                         Notation::Lab, Notation::Lch, Notation::Oklab,
                                         Notation::Oklch, Notation::ColorSrgb),
                         NameOf);

// The first colour, in an order that spreads over the whole cube, that does not read back
// when written at `decimals`; nothing when every colour does.
std::optional<std::string> FirstLost(Notation notation, const picker::PartDecimals& decimals) {
    for (std::uint32_t step = 0; step < kColours; ++step) {
        // An odd multiplier visits every colour once.
        const Components colour = ColourAt(step * 2654435761u % kColours);
        const std::string text = picker::FormatNotation(notation, colour, decimals);
        if (!ReadsBack(text, colour)) {
            return text;
        }
    }
    return std::nullopt;
}

TEST(Precision, OneDecimalFewerInAnyPartLosesColours) {
    for (Notation notation :
         {Notation::Hwb, Notation::Lab, Notation::Lch, Notation::Oklab, Notation::Oklch}) {
        const picker::PartDecimals least = picker::DefaultDecimals(notation);
        for (int picker::PartDecimals::*part :
             {&picker::PartDecimals::first, &picker::PartDecimals::second,
              &picker::PartDecimals::third}) {
            picker::PartDecimals fewer = least;
            --(fewer.*part);
            EXPECT_TRUE(FirstLost(notation, fewer))
                << picker::FormatNotation(notation, {0, 160, 255}, fewer);
        }
    }
}

} // namespace
