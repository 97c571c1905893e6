#include "windows1252.h"

#include <cstdint>
#include <cstdio>

namespace helpc {
namespace {

// Code points of 0x80 to 0x9F; 0 where Windows-1252 has no character.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string Describe(char32_t codePoint) {
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(codePoint));
    return number;
}

// Decodes the code point starting at `at` and advances past it.
char32_t NextCodePoint(const std::string& text, std::size_t& at) {
    const auto lead = static_cast<std::uint8_t>(text[at]);
    int continuation = 0;
    char32_t codePoint = 0;
    if (lead < 0x80) {
        codePoint = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        continuation = 1;
        codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        continuation = 2;
        codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        continuation = 3;
        codePoint = lead & 0x07;
    } else {
        throw CEncodingError("the text is not valid UTF-8");
    }
    ++at;
    for (int i = 0; i < continuation; ++i, ++at) {
        if (at >= text.size() || (static_cast<std::uint8_t>(text[at]) & 0xC0) != 0x80) {
            throw CEncodingError("the text is not valid UTF-8");
        }
        codePoint = (codePoint << 6) | (static_cast<std::uint8_t>(text[at]) & 0x3F);
    }
    static constexpr char32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[continuation] || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        throw CEncodingError("the text is not valid UTF-8");
    }
    return codePoint;
}

// `written` is the character as the source has it, for the message.
char ToByte(char32_t codePoint, const std::string& written) {
    if (codePoint < 0x20 || codePoint == 0x7F) {
        throw CEncodingError("control character " + Describe(codePoint) + " in the text");
    }
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == codePoint) {
            return static_cast<char>(0x80 + i);
        }
    }
    throw CEncodingError("'" + written + "' (" + Describe(codePoint) +
                         ") has no Windows-1252 form");
}

} // namespace

std::string ToWindows1252(const std::string& utf8) {
    std::string result;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t start = at;
        const char32_t codePoint = NextCodePoint(utf8, at);
        result += ToByte(codePoint, utf8.substr(start, at - start));
    }
    return result;
}

std::u32string CodePoints(const std::string& utf8) {
    std::u32string result;
    for (std::size_t at = 0; at < utf8.size();) {
        result += NextCodePoint(utf8, at);
    }
    return result;
}

std::size_t CharacterCount(const std::string& utf8) {
    std::size_t count = 0;
    for (char c : utf8) {
        if ((static_cast<std::uint8_t>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

} // namespace helpc
