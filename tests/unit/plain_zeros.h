// A check the notation tests share: every number in a text that is zero is written "0".
#pragma once

#include <string_view>

// No "-0", "0.00", "-0.0" or the like among the numbers of `text` (those parts that start with a
// digit or a minus sign, up to a blank, '%', ',' or a parenthesis).
inline bool WritesZerosPlainly(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = at;
        while (at < text.size() && text[at] != ' ' && text[at] != '%' && text[at] != ',' &&
               text[at] != '(' && text[at] != ')') {
            ++at;
        }
        const std::string_view part = text.substr(start, at - start);
        if (!part.empty() && (part[0] == '-' || (part[0] >= '0' && part[0] <= '9')) &&
            part.find_first_not_of("-0.") == std::string_view::npos && part != "0") {
            return false;
        }
        ++at;
    }
    return true;
}
