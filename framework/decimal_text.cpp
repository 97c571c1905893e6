#include "decimal_text.h"

#include <algorithm>
#include <limits>

namespace framework {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    const std::size_t start = at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    const std::size_t digits = at;
    // Stop counting once past the range; the limit is all that remains of a larger value.
    constexpr std::int64_t kBeyond = std::int64_t{1} << 32;
    std::int64_t magnitude = 0;
    while (at < text.size() && IsDigit(text[at])) {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[at] - '0'), kBeyond);
        ++at;
    }
    if (at == digits) {
        return std::nullopt;
    }
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    if (at != text.size() || (magnitude == 0 && text[start] != '0')) {
        return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value < kMin ? kMin : value > kMax ? kMax : value);
}

std::string FormatDecimal(std::int32_t value) {
    return std::to_string(value);
}

} // namespace framework
