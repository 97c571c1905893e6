// Any text typed or pasted into the hexadecimal field, filtered and read as the picker reads it,
// then the colour written back as text, as the platform's colour value and in the notations the
// context menu copies. Each result is checked against a reading made here in another way.
#include "rules/colour_text.h"
#include "fuzz_rule.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::size_t kColourDigits = 6;

bool IsSubsequence(std::string_view part, std::string_view whole) {
    std::size_t at = 0;
    for (char c : part) {
        at = whole.find(c, at);
        if (at == std::string_view::npos) {
            return false;
        }
        ++at;
    }
    return true;
}

bool WithinByte(std::int32_t component) {
    return component >= 0 && component <= 255;
}

bool Same(const picker::Components& a, const picker::Components& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// The colour value as the platform lays it out, byte by byte: red lowest.
void CheckColourValue(const picker::Components& colour) {
    const std::uint32_t value = picker::ColourValue(colour);
    FUZZ_RULE((value & 0xFFu) == static_cast<std::uint32_t>(colour.red));
    FUZZ_RULE((value >> 8 & 0xFFu) == static_cast<std::uint32_t>(colour.green));
    FUZZ_RULE((value >> 16) == static_cast<std::uint32_t>(colour.blue));
    FUZZ_RULE(Same(picker::SplitColourValue(value), colour));
}

// The three numbers of `text`, read by `layout` (a scanf format ending in %n) to its end.
bool ReadThree(const std::string& text, const char* layout, long (&numbers)[3]) {
    int end = -1;
    return std::sscanf(text.c_str(), layout, &numbers[0], &numbers[1], &numbers[2], &end) == 3 &&
           end == static_cast<int>(text.size()) && numbers[0] >= 0 && numbers[1] >= 0 &&
           numbers[2] >= 0;
}

// A style sheet's reading of hsl(): the components it stands for, 0 to 255 but not rounded.
void HslToRgb(double hue, double saturation, double lightness, double (&rgb)[3]) {
    const double chroma = (1 - std::fabs(2 * lightness - 1)) * saturation;
    const double sector = std::fmod(hue / 60, 6);
    const double middle = chroma * (1 - std::fabs(std::fmod(sector, 2) - 1));
    const int at = static_cast<int>(sector);
    const double order[6][3] = {{chroma, middle, 0}, {middle, chroma, 0}, {0, chroma, middle},
                                {0, middle, chroma}, {middle, 0, chroma}, {chroma, 0, middle}};
    for (int c = 0; c < 3; ++c) {
        rgb[c] = (order[at][c] + lightness - chroma / 2) * 255;
    }
}

// Each notation reads back as the same components: exactly for hex and rgb(); for hsl(), each
// part is the exact value to the nearest whole number, and what it stands for lies as near the
// components as that rounding allows.
void CheckNotations(const picker::Components& colour) {
    const std::string hex = picker::FormatCssHex(colour);
    FUZZ_RULE(hex.size() == 1 + kColourDigits && hex[0] == '#');
    FUZZ_RULE(hex.find_first_not_of(kHexDigits, 1) == std::string::npos);
    const unsigned long number = std::strtoul(hex.c_str() + 1, nullptr, 16);
    FUZZ_RULE(Same(picker::Components{static_cast<std::int32_t>(number >> 16),
                                      static_cast<std::int32_t>(number >> 8 & 0xFF),
                                      static_cast<std::int32_t>(number & 0xFF)},
                   colour));

    long rgb[3];
    FUZZ_RULE(ReadThree(picker::FormatCssRgb(colour), "rgb(%ld, %ld, %ld)%n", rgb));
    FUZZ_RULE(rgb[0] == colour.red && rgb[1] == colour.green && rgb[2] == colour.blue);

    long hsl[3];
    FUZZ_RULE(ReadThree(picker::FormatCssHsl(colour), "hsl(%ld, %ld%%, %ld%%)%n", hsl));
    FUZZ_RULE(hsl[0] <= 359 && hsl[1] <= 100 && hsl[2] <= 100);
    // The exact values, from the components as fractions of 255.
    const double r = colour.red / 255.0, g = colour.green / 255.0, b = colour.blue / 255.0;
    const double high = std::max({r, g, b}), low = std::min({r, g, b});
    const double chroma = high - low;
    const double lightness = (high + low) / 2;
    constexpr double kHalf = 0.5 + 1e-9; // a half, give or take the floating arithmetic
    FUZZ_RULE(std::fabs(hsl[2] - lightness * 100) <= kHalf);
    if (chroma == 0) {
        FUZZ_RULE(hsl[0] == 0 && hsl[1] == 0);
    } else {
        const double saturation = chroma / (1 - std::fabs(2 * lightness - 1));
        FUZZ_RULE(std::fabs(hsl[1] - saturation * 100) <= kHalf);
        const double hue = high == r   ? 60 * std::fmod((g - b) / chroma + 6, 6)
                           : high == g ? 60 * ((b - r) / chroma + 2)
                                       : 60 * ((r - g) / chroma + 4);
        const double apart = std::fabs(hsl[0] - hue);
        FUZZ_RULE(std::min(apart, 360 - apart) <= kHalf);
    }
    // Half a unit in each part moves a component by at most 255 times: 0.01 through the
    // lightness (the chroma follows it), 0.0025 through the saturation, 1/120 through the hue.
    constexpr double kComponentsApart = 255 * (0.01 + 0.0025 + 1.0 / 120) + 1e-6;
    double back[3];
    HslToRgb(hsl[0], hsl[1] / 100.0, hsl[2] / 100.0, back);
    FUZZ_RULE(std::fabs(back[0] - colour.red) <= kComponentsApart);
    FUZZ_RULE(std::fabs(back[1] - colour.green) <= kComponentsApart);
    FUZZ_RULE(std::fabs(back[2] - colour.blue) <= kComponentsApart);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // Filtering keeps the upper-case hexadecimal digits in order, the last six of a longer run.
    const std::string digits = picker::FilterHexDigits(text);
    std::string allDigits;
    for (char c : text) {
        if (c != '\0' && std::strchr(kHexDigits, c) != nullptr) {
            allDigits += c;
        }
    }
    const std::size_t dropped =
        allDigits.size() > kColourDigits ? allDigits.size() - kColourDigits : 0;
    FUZZ_RULE(digits == allDigits.substr(dropped));
    FUZZ_RULE(digits.size() <= kColourDigits);
    FUZZ_RULE(digits.find_first_not_of(kHexDigits) == std::string::npos);
    FUZZ_RULE(IsSubsequence(digits, text));

    // Read right-aligned: the components are the bytes of the number the digits spell.
    const picker::Components colour = picker::ParseHexDigits(digits);
    FUZZ_RULE(WithinByte(colour.red) && WithinByte(colour.green) && WithinByte(colour.blue));
    const unsigned long number = std::strtoul(digits.c_str(), nullptr, 16);
    FUZZ_RULE(static_cast<unsigned long>(colour.red) * 65536 +
                  static_cast<unsigned long>(colour.green) * 256 +
                  static_cast<unsigned long>(colour.blue) ==
              number);

    // Written from the components, the text is the filtered digits padded to six.
    FUZZ_RULE(picker::FormatHexColour(colour) ==
              std::string(kColourDigits - digits.size(), '0') + digits);
    CheckColourValue(colour);
    CheckNotations(colour);

    // A pixel read from the screen (24 bits; an unreadable one never gets this far) comes back
    // whole through the components and their text.
    std::uint32_t pixel = 0;
    for (std::size_t at = 0; at < size && at < 3; ++at) {
        pixel = pixel << 8 | data[at];
    }
    const picker::Components sampled = picker::SplitColourValue(pixel);
    FUZZ_RULE(WithinByte(sampled.red) && WithinByte(sampled.green) && WithinByte(sampled.blue));
    CheckColourValue(sampled);
    CheckNotations(sampled);
    const std::string sampledText = picker::FormatHexColour(sampled);
    FUZZ_RULE(sampledText.size() == kColourDigits);
    FUZZ_RULE(Same(picker::ParseHexDigits(picker::FilterHexDigits(sampledText)), sampled));
    return 0;
}
