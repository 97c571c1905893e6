// The colour written in each notation the "Copy as" menu offers. Every CSS notation here reads
// back through ParseCssColour as exactly the colour written, for all 16,777,216 colours.
#pragma once

#include "rules/colour_text.h"

#include <string>

namespace picker {

// How each writes red 0, green 160, blue 255. Fractions keep the stated number of decimals,
// trailing zeros included (4.00), except in color(srgb), which drops them (1, 0.6, 0.6275).
// Every value is the nearest at its precision, halves away from zero; one that rounds to zero
// is written 0 (never -0 nor 0.00). Where the chroma rounds to zero at its precision (greys),
// the hue is written 0; a hue that rounds to 360 is written 0.
enum class Notation {
    CssHex,    // #00a0ff                         lower case
    CHex,      // 0x00A0FF                        a C constant, red first
    ColourRef, // 0x00FFA000                      the platform's colour value: blue, green, red
    CssRgb,    // rgb(0 160 255)
    Hwb,       // hwb(202.4 0% 0%)                hue, whiteness, blackness: 1 decimal each
    Lab,       // lab(62.73% -8.86 -57.85)        2 decimals each
    Lch,       // lch(62.73% 58.52 261.29)        2 decimals each
    Oklab,     // oklab(68.46% -0.07135 -0.16182) L 2, a and b 5
    Oklch,     // oklch(68.46% 0.17685 246.21)    L 2, C 5, H 2
    ColorSrgb, // color(srgb 0 0.6275 1)          4 decimals, trailing zeros dropped
};

// The notations in the menu's order; all but the two C constants are CSS.
inline constexpr Notation kCopyNotations[] = {
    Notation::CssHex, Notation::CHex, Notation::ColourRef, Notation::CssRgb, Notation::Hwb,
    Notation::Lab,    Notation::Lch,  Notation::Oklab,     Notation::Oklch,  Notation::ColorSrgb,
};
constexpr bool IsCssNotation(Notation notation) {
    return notation != Notation::CHex && notation != Notation::ColourRef;
}

// The decimals of a notation's three numbers, in the order written.
struct PartDecimals {
    int first;
    int second;
    int third;
};

// The precision each notation is written at. For hwb(), lab(), lch(), oklab() and oklch() it is
// the least at which every colour reads back as itself: one decimal fewer in any part loses
// some. color(srgb) keeps 4 decimals, one more than it needs. Hex and rgb() have none.
PartDecimals DefaultDecimals(Notation notation);

// Components outside 0 to 255 count as the nearest limit.
std::string FormatNotation(Notation notation, const Components& colour);

// At another precision, 0 to 6 decimals a part (what the tests measure the defaults by).
std::string FormatNotation(Notation notation, const Components& colour,
                           const PartDecimals& decimals);

} // namespace picker
