// Any text pasted as a colour: it never crashes the reader; a colour read is within bytes, reads
// the same with blanks around it and one ';' after it, and written in each CSS notation reads
// back as itself; its nearest named colour is one of the names.
#include "rules/css_colour_parser.h"
#include "rules/css_notations.h"
#include "fuzz_rule.h"
#include "rules/named_colours.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

bool WithinByte(std::int32_t component) {
    return component >= 0 && component <= 255;
}

bool Same(const std::optional<picker::Components>& a, const std::optional<picker::Components>& b) {
    if (!a || !b) {
        return !a && !b;
    }
    return a->red == b->red && a->green == b->green && a->blue == b->blue;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<picker::Components> colour = picker::ParseCssColour(text);

    // Blanks around the text change nothing, whether it holds a colour or not; nor does one ';'
    // after a text that has none at its end.
    const std::string padded = " \t" + std::string(text) + "\n\f";
    FUZZ_RULE(Same(picker::ParseCssColour(padded), colour));
    std::size_t last = text.size();
    while (last > 0 && IsBlank(text[last - 1])) {
        --last;
    }
    if (last > 0 && text[last - 1] != ';') {
        FUZZ_RULE(Same(picker::ParseCssColour("\r\n" + std::string(text) + " ; "), colour));
    }

    if (!colour) {
        return 0;
    }
    FUZZ_RULE(WithinByte(colour->red) && WithinByte(colour->green) && WithinByte(colour->blue));
    for (picker::Notation notation : picker::kCopyNotations) {
        if (picker::IsCssNotation(notation)) {
            FUZZ_RULE(
                Same(picker::ParseCssColour(picker::FormatNotation(notation, *colour)), colour));
        }
    }
    const picker::NearestName nearest = picker::NearestNamedColour(*colour);
    const std::optional<picker::Components> named = picker::FindNamedColour(nearest.name);
    FUZZ_RULE(named.has_value());
    FUZZ_RULE(nearest.exact == Same(named, colour));
    return 0;
}
