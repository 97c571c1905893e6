// The contrast of two colours as the Web Content Accessibility Guidelines 2.x define it, and the
// levels it meets for normal text. Free of any window so it is tested natively.
#pragma once

#include "rules/lens_backdrop.h"

#include <cstdint>
#include <string>

namespace picker {

// The relative luminance of an sRGB colour: 0 for black to 1 for white.
double RelativeLuminance(Rgb colour);

// (L1 + 0.05) / (L2 + 0.05) with the lighter colour's luminance as L1, in whole hundredths cut
// toward zero, never rounded up: 100 (1 to 1) to 2100 (21 to 1). Exact where the ratio is a whole
// number of hundredths.
std::int32_t ContrastHundredths(Rgb first, Rgb second);

// "4.49": two decimals.
std::string FormatContrast(std::int32_t hundredths);

enum class ContrastLevel { None, AaLarge, Aa, Aaa };
// The highest level the ratio meets: AAA from 7, AA from 4.5, AA large from 3.
ContrastLevel LevelOf(std::int32_t hundredths);
// "AAA", "AA", "AA large"; empty for none.
const char* LevelName(ContrastLevel level);

} // namespace picker
