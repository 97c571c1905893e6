// The square of screen pixels a pick averages, centred on the pointer's pixel, and its average.
// Free of any window so it is tested natively.
#pragma once

#include "rules/lens_backdrop.h"
#include "rules/lens_geometry.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace picker {

// Odd sides only, so the square centres on the pointer's pixel. Every run starts at one pixel.
inline constexpr std::int32_t kSmallestSampleSide = 1;
inline constexpr std::int32_t kLargestSampleSide = 9;
// The lens reads the magnified square anyway: the largest sampled square lies within it.
static_assert(kLargestSampleSide <= kLensSquare);

// The next side up or down (1, 3, 5, 7, 9), staying at either end.
std::int32_t LargerSampleSide(std::int32_t side);
std::int32_t SmallerSampleSide(std::int32_t side);

// The pixels of the square of `side` around `pointer`.
LensRect SampleSquare(LensPoint pointer, std::int32_t side);

// The colour a pick loads: each component the mean of the square's pixels, to the nearest whole
// number, halves up. Only pixels on one of `displays` (which may overlap) and within `pixels`
// count: a pixel off every display has no colour, whatever value the read gave it. Nothing when no
// pixel counts. Allocates nothing, as the lens works it out at every frame.
std::optional<Rgb> AverageColour(const CPixelBlock& pixels, LensPoint pointer, std::int32_t side,
                                 const std::vector<LensRect>& displays);

} // namespace picker
