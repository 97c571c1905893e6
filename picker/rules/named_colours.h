// The 148 named colours of CSS Color 4 (transparent and currentcolor name no colour here): read
// by name, and the nearest of them named for any colour.
#pragma once

#include "rules/colour_text.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace picker {

struct NamedColour {
    const char* name;  // lower case
    std::uint32_t rgb; // 0xRRGGBB
};

// In alphabetical order. Some colours have two names (aqua and cyan, gray and grey).
inline constexpr std::size_t kNamedColourCount = 148;
extern const NamedColour kNamedColours[kNamedColourCount];

Components ComponentsOf(const NamedColour& named);

// The colour a name stands for, in any case; nothing for any other text.
std::optional<Components> FindNamedColour(std::string_view name);

// The named colour nearest `colour` by Euclidean distance in OKLab; of equally near names, the
// first in alphabetical order. `exact` when it is that very colour.
struct NearestName {
    std::string_view name;
    bool exact;
};
NearestName NearestNamedColour(const Components& colour);

} // namespace picker
