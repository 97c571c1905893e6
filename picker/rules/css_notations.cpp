#include "rules/css_notations.h"

#include "rules/colour_spaces.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace picker {
namespace {

constexpr int kMostDecimals = 6;
constexpr std::int64_t kPowersOfTen[kMostDecimals + 1] = {1, 10, 100, 1000, 10000, 100000, 1000000};

Components WithinBytes(const Components& colour) {
    const auto byte = [](std::int32_t component) { return std::clamp(component, 0, 255); };
    return Components{byte(colour.red), byte(colour.green), byte(colour.blue)};
}

// `value` as a whole count of 10^-decimals, the nearest, halves away from zero.
std::int64_t Scaled(double value, int decimals) {
    return std::llround(value * static_cast<double>(kPowersOfTen[decimals]));
}

// numerator / denominator (neither negative) to the nearest whole number, halves up. Exact where
// the value is rational: a floating division can land a hair below a half.
std::int64_t RoundedQuotient(std::int64_t numerator, std::int64_t denominator) {
    return (2 * numerator + denominator) / (2 * denominator);
}

// `scaled` / 10^decimals in plain decimal with `decimals` places, or fewer when trailing zeros
// are dropped. Zero is "0" whatever its sign or places. No library formatting: it would follow
// the locale and cost far more than this in the round trip of every colour.
void AppendDecimal(std::string& text, std::int64_t scaled, int decimals,
                   bool dropTrailingZeros = false) {
    if (scaled == 0) {
        text += '0';
        return;
    }
    if (scaled < 0) {
        text += '-';
        scaled = -scaled;
    }
    char digits[24]; // least significant first
    int count = 0;
    for (; scaled > 0 || count <= decimals; scaled /= 10) {
        digits[count++] = static_cast<char>('0' + scaled % 10);
    }
    int lowest = 0;
    while (dropTrailingZeros && lowest < decimals && digits[lowest] == '0') {
        ++lowest;
    }
    char written[26];
    int length = 0;
    for (int at = count - 1; at >= lowest; --at) {
        if (at == decimals - 1) {
            written[length++] = '.';
        }
        written[length++] = digits[at];
    }
    text.append(written, static_cast<std::size_t>(length));
}

void AppendHexByte(std::string& text, std::int32_t byte, const char* digits) {
    text += digits[byte >> 4];
    text += digits[byte & 15];
}

// A hue in degrees, already scaled, that rounds to a full turn is the turn's start.
std::int64_t WithinTurn(std::int64_t scaledHue, int decimals) {
    return scaledHue == 360 * kPowersOfTen[decimals] ? 0 : scaledHue;
}

Coordinates LabOf(const Components& colour) {
    return XyzD50ToLab(XyzD65ToD50(LinearSrgbToXyzD65(LinearSrgbOf(colour))));
}

Coordinates OklabOf(const Components& colour) {
    return XyzD65ToOklab(LinearSrgbToXyzD65(LinearSrgbOf(colour)));
}

std::string Started(const char* function) {
    std::string text;
    text.reserve(40);
    text += function;
    text += '(';
    return text;
}

// "name(62.73% -8.86 -57.85)": lightness as a percentage, the other two as numbers, each
// already scaled to its decimals.
std::string LightnessAndTwo(const char* function, const std::int64_t (&scaled)[3],
                            const PartDecimals& decimals) {
    std::string text = Started(function);
    AppendDecimal(text, scaled[0], decimals.first);
    text += "% ";
    AppendDecimal(text, scaled[1], decimals.second);
    text += ' ';
    AppendDecimal(text, scaled[2], decimals.third);
    text += ')';
    return text;
}

// Lab or OKLab (`lightnessScale` makes L a percentage), or with `polar` their LCh form.
std::string FormatLabLike(const char* function, const Coordinates& lab, double lightnessScale,
                          bool polar, const PartDecimals& decimals) {
    const Coordinates c = polar ? ToPolar(lab) : lab;
    std::int64_t scaled[3] = {Scaled(c[0] * lightnessScale, decimals.first),
                              Scaled(c[1], decimals.second), Scaled(c[2], decimals.third)};
    if (polar) {
        // A hue only means something where there is chroma to show it.
        scaled[2] = scaled[1] == 0 ? 0 : WithinTurn(scaled[2], decimals.third);
    }
    return LightnessAndTwo(function, scaled, decimals);
}

std::string FormatHwb(const Components& colour, const PartDecimals& decimals) {
    const std::int64_t high = std::max({colour.red, colour.green, colour.blue});
    const std::int64_t low = std::min({colour.red, colour.green, colour.blue});
    const std::int64_t chroma = high - low;
    // The hue as hsl() has it, times the chroma so that it stays whole (see HslOf).
    std::int64_t hue = 0;
    if (chroma > 0) {
        if (high == colour.red) {
            hue = 60 * (colour.green - colour.blue);
        } else if (high == colour.green) {
            hue = 60 * (colour.blue - colour.red) + 120 * chroma;
        } else {
            hue = 60 * (colour.red - colour.green) + 240 * chroma;
        }
        if (hue < 0) {
            hue += 360 * chroma;
        }
        hue =
            WithinTurn(RoundedQuotient(hue * kPowersOfTen[decimals.first], chroma), decimals.first);
    }
    std::string text = Started("hwb");
    AppendDecimal(text, hue, decimals.first);
    text += ' ';
    AppendDecimal(text, RoundedQuotient(low * 100 * kPowersOfTen[decimals.second], 255),
                  decimals.second);
    text += "% ";
    AppendDecimal(text, RoundedQuotient((255 - high) * 100 * kPowersOfTen[decimals.third], 255),
                  decimals.third);
    text += "%)";
    return text;
}

std::string FormatColorSrgb(const Components& colour, const PartDecimals& decimals) {
    std::string text = Started("color");
    text += "srgb";
    const std::int32_t components[] = {colour.red, colour.green, colour.blue};
    const int places[] = {decimals.first, decimals.second, decimals.third};
    for (std::size_t part = 0; part < 3; ++part) {
        text += ' ';
        AppendDecimal(text, RoundedQuotient(components[part] * kPowersOfTen[places[part]], 255),
                      places[part], true);
    }
    text += ')';
    return text;
}

std::string FormatRgb(const Components& colour) {
    std::string text = Started("rgb");
    for (const std::int32_t component : {colour.red, colour.green, colour.blue}) {
        AppendDecimal(text, component, 0);
        text += ' ';
    }
    text.back() = ')';
    return text;
}

std::string FormatHexNotation(const Components& colour, Notation notation) {
    static constexpr char kLower[] = "0123456789abcdef";
    static constexpr char kUpper[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(10);
    if (notation == Notation::CssHex) {
        text += '#';
        for (const std::int32_t component : {colour.red, colour.green, colour.blue}) {
            AppendHexByte(text, component, kLower);
        }
        return text;
    }
    // The platform's colour value has a zero byte above blue, green and red.
    const bool colourValue = notation == Notation::ColourRef;
    text += colourValue ? "0x00" : "0x";
    AppendHexByte(text, colourValue ? colour.blue : colour.red, kUpper);
    AppendHexByte(text, colour.green, kUpper);
    AppendHexByte(text, colourValue ? colour.red : colour.blue, kUpper);
    return text;
}

int WithinPlaces(int decimals) {
    return std::clamp(decimals, 0, kMostDecimals);
}

} // namespace

PartDecimals DefaultDecimals(Notation notation) {
    switch (notation) {
    // Hue, whiteness and blackness in whole degrees and percent, a and b of OKLab and its
    // chroma with 4 decimals: some colours would read back as others.
    case Notation::Hwb:
        return {1, 1, 1};
    case Notation::Lab:
    case Notation::Lch:
        return {2, 2, 2};
    case Notation::Oklab:
        return {2, 5, 5};
    case Notation::Oklch:
        return {2, 5, 2};
    case Notation::ColorSrgb:
        return {4, 4, 4};
    default:
        return {0, 0, 0};
    }
}

std::string FormatNotation(Notation notation, const Components& colour) {
    return FormatNotation(notation, colour, DefaultDecimals(notation));
}

std::string FormatNotation(Notation notation, const Components& colour,
                           const PartDecimals& decimals) {
    const Components c = WithinBytes(colour);
    const PartDecimals d{WithinPlaces(decimals.first), WithinPlaces(decimals.second),
                         WithinPlaces(decimals.third)};
    switch (notation) {
    case Notation::CssHex:
    case Notation::CHex:
    case Notation::ColourRef:
        return FormatHexNotation(c, notation);
    case Notation::CssRgb:
        return FormatRgb(c);
    case Notation::Hwb:
        return FormatHwb(c, d);
    case Notation::Lab:
        return FormatLabLike("lab", LabOf(c), 1, false, d);
    case Notation::Lch:
        return FormatLabLike("lch", LabOf(c), 1, true, d);
    case Notation::Oklab:
        return FormatLabLike("oklab", OklabOf(c), 100, false, d);
    case Notation::Oklch:
        return FormatLabLike("oklch", OklabOf(c), 100, true, d);
    case Notation::ColorSrgb:
        return FormatColorSrgb(c, d);
    }
    return {};
}

} // namespace picker
