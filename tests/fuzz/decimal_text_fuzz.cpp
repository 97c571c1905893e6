// Any text typed into a decimal field, read as the field exchange reads it, and the number that
// comes out carried on as the picker carries it: written back to the field and brought within
// 0 to 255. Each result is checked against a reading made here in another way.
#include "rules/colour_text.h"
#include "decimal_text.h"
#include "fuzz_rule.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
// The field exchange reads no more of a decimal field than this.
constexpr std::size_t kFieldCharacters = 31;

// The rules once more, the other way round: trim the blanks from both ends, then the rest must be
// a sign and digits. The size of the number is found by comparing its digits as text with the
// limits', so no arithmetic can overflow on the way.
std::optional<std::int64_t> ReferenceDecimal(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view body = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    const bool negative = body.front() == '-';
    if (body.front() == '+' || body.front() == '-') {
        body.remove_prefix(1);
    }
    if (body.empty() || body.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t significant = body.find_first_not_of('0');
    if (significant == std::string_view::npos) {
        // A zero counts only when it is written starting with the digit itself.
        return text[first] == '0' ? std::optional<std::int64_t>(0) : std::nullopt;
    }
    const std::string_view digits = body.substr(significant);
    const std::string_view limit = negative ? "2147483648" : "2147483647";
    if (digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit)) {
        return negative ? kLowest : kHighest;
    }
    std::int64_t magnitude = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    return negative ? -magnitude : magnitude;
}

// Dividing by ten until the value is at most 255 keeps its leading digits: three of them when
// they read 255 or less, otherwise two.
std::int32_t ReferenceTrim(std::int32_t value, const std::string& written) {
    if (value < 0) {
        return 0;
    }
    if (value <= 255) {
        return value;
    }
    const std::string leading =
        written.substr(0, 3) <= "255" ? written.substr(0, 3) : written.substr(0, 2);
    return std::stoi(leading);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> parsed = framework::ParseDecimal(text);
    const std::optional<std::int64_t> expected = ReferenceDecimal(text);
    FUZZ_RULE(parsed.has_value() == expected.has_value());
    if (!parsed) {
        return 0;
    }
    FUZZ_RULE(*parsed == *expected);

    // Written back: plain "%d" form, which fits the field's window and reads back unchanged.
    const std::string written = framework::FormatDecimal(*parsed);
    FUZZ_RULE(written.size() <= kFieldCharacters);
    const bool negative = *parsed < 0;
    const std::string_view magnitude = std::string_view(written).substr(negative ? 1 : 0);
    FUZZ_RULE((written.front() == '-') == negative);
    FUZZ_RULE(!magnitude.empty() && magnitude.find_first_not_of("0123456789") == std::string::npos);
    FUZZ_RULE(magnitude == "0" || magnitude.front() != '0');
    FUZZ_RULE(framework::ParseDecimal(written) == parsed);
    FUZZ_RULE(ReferenceDecimal(written) == expected);

    const std::int32_t component = picker::TrimComponent(*parsed);
    FUZZ_RULE(component >= 0 && component <= 255);
    FUZZ_RULE(component == ReferenceTrim(*parsed, written));
    return 0;
}
