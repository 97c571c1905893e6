// What the lens says: its caption's lines, and the same on one line as its window text, which
// screen readers and tests read. Free of any window so it is tested natively.
#pragma once

#include "rules/lens_backdrop.h"
#include "rules/lens_geometry.h"
#include "rules/lens_picture.h"

#include <array>
#include <cstdint>
#include <string>

namespace picker {

struct LensReadout {
    Rgb colour;        // what a pick would load: the pointer's pixel or the square's average
    LensPoint pointer; // in physical screen pixels, negative left of or above the primary display
    Rgb held;          // the colour the window holds, which the contrast is against
    std::int32_t side; // of the sampled square
};

// Top to bottom: "#7F7F7F"; "R 127  G 127  B 127"; the contrast and the level it meets,
// "4.00:1  AA large"; the position, "x 120  y -30"; "5 × 5 average" for a square larger than one
// pixel, else empty. In code page 1252, as the lens draws it (× is 0xD7). Each line fits the
// caption's width in the platform's default font (the widest, the components, about 100 pixels
// of 120).
using LensCaption = std::array<std::string, kLensCaptionLines>;
LensCaption CaptionLines(const LensReadout& readout);

// "#7F7F7F, red 127, green 127, blue 127, at 120, 120, contrast 4.00 to 1, AA large, 5 by 5
// average": the level only where one is met, the average only for a square larger than one pixel.
std::string LensWindowText(const LensReadout& readout);

} // namespace picker
