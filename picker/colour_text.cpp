#include "colour_text.h"

#include <cstdio>

namespace picker {

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

std::int32_t TrimComponent(std::int32_t component) {
    while (component > 255) {
        component /= 10;
    }
    return component < 0 ? 0 : component;
}

} // namespace picker
