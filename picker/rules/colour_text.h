// How the colour is written as text and as a platform colour value. Free of any window so it is
// tested natively.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace picker {

struct Components {
    std::int32_t red;
    std::int32_t green;
    std::int32_t blue;
};

// Six upper-case hexadecimal digits, red first: "%06lX" of red * 65536 + green * 256 + blue.
std::string FormatHexColour(const Components& colour);

// The digits 0-9 and A-F of `text`, in order; everything else is dropped. A colour has six
// digits: of a longer run only the last six are kept, as the value reads right-aligned.
std::string FilterHexDigits(std::string_view text);

// Filtered digits read as a right-aligned number ("FF" is blue 255); nothing reads as 0.
Components ParseHexDigits(std::string_view digits);

// The platform's colour value: red in the low byte, then green, then blue.
std::uint32_t ColourValue(const Components& colour);
Components SplitColourValue(std::uint32_t colour);
// A pixel as the screen's bitmaps hold it, 0xRRGGBB, from the platform's colour value and back.
constexpr std::uint32_t RgbOf(std::uint32_t colourValue) {
    return (colourValue & 0xFFu) << 16 | (colourValue & 0xFF00u) | (colourValue >> 16 & 0xFFu);
}
constexpr std::uint32_t ColourValueOfRgb(std::uint32_t rgb) {
    return RgbOf(rgb); // the same exchange of the outer bytes
}

// The colour as style sheets write it, in the notations the context menu copies. Components
// outside 0 to 255 (which the window never holds) count as the nearest limit, so every text is
// well-formed.
std::string FormatCssHex(const Components& colour); // "#00A0FF": upper-case digits, red first
std::string FormatCssRgb(const Components& colour); // "rgb(0, 160, 255)"
std::string FormatCssHsl(const Components& colour); // "hsl(202, 100%, 50%)"

// Hue in whole degrees (0 to 359), saturation and lightness in whole percent, each the nearest
// to the exact value, halves away from zero; a hue that rounds to 360 is 0. Grey has hue 0 and
// saturation 0.
struct Hsl {
    std::int32_t hue;
    std::int32_t saturation;
    std::int32_t lightness;
};
Hsl HslOf(const Components& colour);

// A typed component brought within 0 to 255: larger values lose trailing digits (300 is 30,
// 999 is 99); a negative value becomes 0.
std::int32_t TrimComponent(std::int32_t component);

} // namespace picker
