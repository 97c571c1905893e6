// Any text typed or pasted into the hexadecimal field, filtered and read as the picker reads it,
// then the colour written back as text and as the platform's colour value. Each result is
// checked against a reading made here in another way.
#include "colour_text.h"
#include "fuzz_rule.h"

#include <cstddef>
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

    // A pixel read from the screen (24 bits; an unreadable one never gets this far) comes back
    // whole through the components and their text.
    std::uint32_t pixel = 0;
    for (std::size_t at = 0; at < size && at < 3; ++at) {
        pixel = pixel << 8 | data[at];
    }
    const picker::Components sampled = picker::SplitColourValue(pixel);
    FUZZ_RULE(WithinByte(sampled.red) && WithinByte(sampled.green) && WithinByte(sampled.blue));
    CheckColourValue(sampled);
    const std::string sampledText = picker::FormatHexColour(sampled);
    FUZZ_RULE(sampledText.size() == kColourDigits);
    FUZZ_RULE(Same(picker::ParseHexDigits(picker::FilterHexDigits(sampledText)), sampled));
    return 0;
}
