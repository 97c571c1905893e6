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

// A typed component brought within 0 to 255: larger values lose trailing digits (300 is 30,
// 999 is 99); a negative value becomes 0.
std::int32_t TrimComponent(std::int32_t component);

} // namespace picker
