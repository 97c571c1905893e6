#include "rules/colour_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace picker {
namespace {

Components WithinBytes(const Components& colour) {
    const auto byte = [](std::int32_t component) { return std::clamp(component, 0, 255); };
    return Components{byte(colour.red), byte(colour.green), byte(colour.blue)};
}

// numerator / denominator to the nearest whole number, halves up (both are non-negative).
// Exact: a floating division can land a hair below a half and round it the wrong way.
std::int32_t RoundedQuotient(std::int32_t numerator, std::int32_t denominator) {
    return (2 * numerator + denominator) / (2 * denominator);
}

} // namespace

std::string FormatHexColour(const Components& colour) {
    const auto value = static_cast<unsigned long>(colour.red) * 65536ul +
                       static_cast<unsigned long>(colour.green) * 256ul +
                       static_cast<unsigned long>(colour.blue);
    char text[16];
    std::snprintf(text, sizeof text, "%06lX", value & 0xFFFFFFFFul);
    return text;
}

std::string FilterHexDigits(std::string_view text) {
    std::string digits;
    for (char c : text) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) {
            digits += c;
        }
    }
    constexpr std::size_t kColourDigits = 6;
    return digits.size() > kColourDigits ? digits.substr(digits.size() - kColourDigits) : digits;
}

Components ParseHexDigits(std::string_view digits) {
    std::uint32_t value = 0;
    for (char c : digits) {
        value = value * 16 + static_cast<std::uint32_t>(c <= '9' ? c - '0' : c - 'A' + 10);
    }
    return Components{static_cast<std::int32_t>(value / 65536),
                      static_cast<std::int32_t>(value % 65536 / 256),
                      static_cast<std::int32_t>(value % 256)};
}

std::uint32_t ColourValue(const Components& colour) {
    return static_cast<std::uint32_t>(colour.red) +
           static_cast<std::uint32_t>(colour.green) * 256u +
           static_cast<std::uint32_t>(colour.blue) * 65536u;
}

Components SplitColourValue(std::uint32_t colour) {
    return Components{static_cast<std::int32_t>(colour % 256),
                      static_cast<std::int32_t>(colour % 65536 / 256),
                      static_cast<std::int32_t>(colour / 65536)};
}

std::string FormatCssHex(const Components& colour) {
    return "#" + FormatHexColour(WithinBytes(colour));
}

std::string FormatCssRgb(const Components& colour) {
    const Components c = WithinBytes(colour);
    char text[32];
    std::snprintf(text, sizeof text, "rgb(%d, %d, %d)", static_cast<int>(c.red),
                  static_cast<int>(c.green), static_cast<int>(c.blue));
    return text;
}

Hsl HslOf(const Components& colour) {
    const Components c = WithinBytes(colour);
    const std::int32_t high = std::max({c.red, c.green, c.blue});
    const std::int32_t low = std::min({c.red, c.green, c.blue});
    const std::int32_t chroma = high - low;
    // Lightness is the middle of the highest and lowest component: (high + low) / 510.
    const std::int32_t lightness = RoundedQuotient((high + low) * 100, 2 * 255);
    if (chroma == 0) {
        return Hsl{0, 0, lightness};
    }
    // Saturation is the chroma over the largest chroma a colour of this lightness can have.
    const std::int32_t widest = 255 - std::abs(high + low - 255);
    const std::int32_t saturation = RoundedQuotient(chroma * 100, widest);
    // The hue in degrees, times the chroma so it stays whole: 0 at red, 120 at green, 240 at
    // blue, and between two of them by how far the third component lies from the lowest.
    std::int32_t hue;
    if (high == c.red) {
        hue = 60 * (c.green - c.blue);
    } else if (high == c.green) {
        hue = 60 * (c.blue - c.red) + 120 * chroma;
    } else {
        hue = 60 * (c.red - c.green) + 240 * chroma;
    }
    if (hue < 0) {
        hue += 360 * chroma;
    }
    return Hsl{RoundedQuotient(hue, chroma) % 360, saturation, lightness};
}

std::string FormatCssHsl(const Components& colour) {
    const Hsl hsl = HslOf(colour);
    char text[32];
    std::snprintf(text, sizeof text, "hsl(%d, %d%%, %d%%)", static_cast<int>(hsl.hue),
                  static_cast<int>(hsl.saturation), static_cast<int>(hsl.lightness));
    return text;
}

std::int32_t TrimComponent(std::int32_t component) {
    while (component > 255) {
        component /= 10;
    }
    return component < 0 ? 0 : component;
}

} // namespace picker
