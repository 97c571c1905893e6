// The rules for a whole number typed into a field. Free of any window so it is tested natively.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace framework {

// A field's text as a number: optional blanks (spaces, tabs), an optional sign, one or more
// digits, optional trailing blanks. A value of 0 counts only when it is written with a leading
// digit 0 ("0", "00", not "+0" or "-0"). Values beyond the signed 32-bit range become the nearest
// limit. Nothing for any other text.
std::optional<std::int32_t> ParseDecimal(std::string_view text);

// Plain signed decimal: no leading zeros, a minus sign for negatives.
std::string FormatDecimal(std::int32_t value);

} // namespace framework
