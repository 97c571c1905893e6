// A check the notation tests share: every number in a text that is zero is written "0".
#pragma once

#include <string_view>

// No "-0", "0.00", "-0.0" or the like among the numbers of `text` (those parts that start with a
// digit or a minus sign, up to a blank, '%', ',' or a parenthesis).
inline bool WritesZerosPlainly(std::string_view text) {
    const auto ends = [](char c) {
        return c == ' ' || c == '%' || c == ',' || c == '(' || c == ')';
    };
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::size_t start = at;
        bool number = text[at] == '-' || (text[at] >= '0' && text[at] <= '9');
        bool zero = true;
        for (; at < text.size() && !ends(text[at]); ++at) {
            zero = zero && (text[at] == '-' || text[at] == '0' || text[at] == '.');
        }
        if (number && zero && text.substr(start, at - start) != "0") {
            return false;
        }
    }
    return true;
}
