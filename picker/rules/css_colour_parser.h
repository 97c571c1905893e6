// A colour read from text that a style sheet, a design tool or a chat holds.
#pragma once

#include "rules/colour_text.h"

#include <optional>
#include <string_view>

namespace picker {

// The colour `text` holds when it is exactly one colour in a notation of CSS Color 4:
// - hex of 3, 4, 6 or 8 digits, with or without '#';
// - rgb(), rgba(), hsl(), hsla() in the comma syntax (numbers, or in rgb() all percentages; no
//   `none`) and the space syntax (numbers, percentages, `none`, mixed);
// - hwb(), lab(), lch(), oklab(), oklch(), with numbers, percentages and `none`;
// - color() in srgb, srgb-linear, display-p3, xyz-d50, xyz-d65 and xyz (xyz-d65);
// - hues as numbers (degrees) or in deg, grad, rad or turn;
// - the 148 named colours.
// Names, units and functions in any case; CSS blanks around the colour, and one ';' after it.
// Alpha must be well formed and is then ignored: the colour is opaque. A colour outside sRGB
// has each component clipped to 0..1, then rounded to the nearest of 0 to 255, halves up: no
// gamut mapping, so hue and lightness may shift where CSS would keep them.
// Nothing for anything else: more or less than one colour, other functions (calc()) or colour
// spaces, comments, a number beyond the range of a double, or a colour whose conversion leaves
// it; transparent and currentcolor name no colour. Linear in the length of the text, and it
// allocates nothing.
std::optional<Components> ParseCssColour(std::string_view text);

} // namespace picker
