#include "rules/contrast.h"

#include <array>
#include <cmath>
#include <utility>

namespace picker {
namespace {

std::int32_t Red(Rgb colour) {
    return colour >> 16 & 0xFF;
}
std::int32_t Green(Rgb colour) {
    return colour >> 8 & 0xFF;
}
std::int32_t Blue(Rgb colour) {
    return colour & 0xFF;
}

// Components up to this one lie on the straight part of the sRGB curve (10 / 255 = 0.0392). The
// guidelines put its end at 0.03928 and sRGB at 0.04045: no 8-bit component lies between them.
constexpr std::int32_t kLastStraightComponent = 10;

// The luminance weights in ten-thousandths, and the 0.05 added to each luminance.
constexpr std::int64_t kRedWeight = 2126;
constexpr std::int64_t kGreenWeight = 7152;
constexpr std::int64_t kBlueWeight = 722;
constexpr std::int64_t kFlareTenThousandths = 500;

const std::array<double, 256>& LinearComponents() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> linear{};
        for (std::int32_t component = 0; component < 256; ++component) {
            const double value = component / 255.0;
            linear[component] = component <= kLastStraightComponent
                                    ? value / 12.92
                                    : std::pow((value + 0.055) / 1.055, 2.4);
        }
        return linear;
    }();
    return table;
}

// A component on the straight part, or full, has a rational linear value: 10 c / 32946, or 1. The
// others' are distinct rational numbers to the power 2.4, irrational and independent of one
// another over the rationals; and no ratio of two sums of luminance weights other than 1 is a
// whole number of hundredths. So a ratio is a whole number of hundredths, other than 1, only
// between two colours of rational components alone (21 to 1 is one). There a floating-point
// result a hair low would lose a hundredth: those ratios are worked out exactly.
bool IsRationalComponent(std::int32_t component) {
    return component <= kLastStraightComponent || component == 255;
}

bool HasRationalLuminance(Rgb colour) {
    return IsRationalComponent(Red(colour)) && IsRationalComponent(Green(colour)) &&
           IsRationalComponent(Blue(colour));
}

constexpr std::int64_t kStraightDenominator = 32946; // 255 * 12.92 * 10

// (L + 0.05) * 10000 * 32946: a whole number for a colour of rational luminance.
std::int64_t ScaledLuminanceAndFlare(Rgb colour) {
    const auto scaled = [](std::int32_t component) -> std::int64_t {
        return component == 255 ? kStraightDenominator : 10 * component;
    };
    return kRedWeight * scaled(Red(colour)) + kGreenWeight * scaled(Green(colour)) +
           kBlueWeight * scaled(Blue(colour)) + kFlareTenThousandths * kStraightDenominator;
}

} // namespace

double RelativeLuminance(Rgb colour) {
    const std::array<double, 256>& linear = LinearComponents();
    return 0.2126 * linear[Red(colour)] + 0.7152 * linear[Green(colour)] +
           0.0722 * linear[Blue(colour)];
}

std::int32_t ContrastHundredths(Rgb first, Rgb second) {
    if (HasRationalLuminance(first) && HasRationalLuminance(second)) {
        std::int64_t lighter = ScaledLuminanceAndFlare(first);
        std::int64_t darker = ScaledLuminanceAndFlare(second);
        if (lighter < darker) {
            std::swap(lighter, darker);
        }
        return static_cast<std::int32_t>(100 * lighter / darker);
    }
    double lighter = RelativeLuminance(first);
    double darker = RelativeLuminance(second);
    if (lighter < darker) {
        std::swap(lighter, darker);
    }
    // The quotient first: equal luminances give exactly 1, never a hair below.
    return static_cast<std::int32_t>(std::floor(100 * ((lighter + 0.05) / (darker + 0.05))));
}

std::string FormatContrast(std::int32_t hundredths) {
    const std::int32_t fraction = hundredths % 100;
    return std::to_string(hundredths / 100) + (fraction < 10 ? ".0" : ".") +
           std::to_string(fraction);
}

ContrastLevel LevelOf(std::int32_t hundredths) {
    if (hundredths >= 700) {
        return ContrastLevel::Aaa;
    }
    if (hundredths >= 450) {
        return ContrastLevel::Aa;
    }
    if (hundredths >= 300) {
        return ContrastLevel::AaLarge;
    }
    return ContrastLevel::None;
}

const char* LevelName(ContrastLevel level) {
    switch (level) {
    case ContrastLevel::Aaa:
        return "AAA";
    case ContrastLevel::Aa:
        return "AA";
    case ContrastLevel::AaLarge:
        return "AA large";
    case ContrastLevel::None:
        break;
    }
    return "";
}

} // namespace picker
