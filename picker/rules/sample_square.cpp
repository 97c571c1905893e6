#include "rules/sample_square.h"

#include <algorithm>

namespace picker {
namespace {

bool OnADisplay(LensPoint point, const std::vector<LensRect>& displays) {
    return std::any_of(displays.begin(), displays.end(),
                       [point](const LensRect& display) { return display.Contains(point); });
}

// The mean of `count` values summing to `sum`, halves up.
std::uint32_t RoundedMean(std::uint32_t sum, std::uint32_t count) {
    return (2 * sum + count) / (2 * count);
}

} // namespace

std::int32_t LargerSampleSide(std::int32_t side) {
    return std::min(side + 2, kLargestSampleSide);
}

std::int32_t SmallerSampleSide(std::int32_t side) {
    return std::max(side - 2, kSmallestSampleSide);
}

LensRect SampleSquare(LensPoint pointer, std::int32_t side) {
    const std::int32_t reach = side / 2;
    return LensRect{pointer.x - reach, pointer.y - reach, pointer.x + reach + 1,
                    pointer.y + reach + 1};
}

std::optional<Rgb> AverageColour(const CPixelBlock& pixels, LensPoint pointer, std::int32_t side,
                                 const std::vector<LensRect>& displays) {
    const LensRect square = SampleSquare(pointer, side);
    const LensRect& held = pixels.Area();
    const LensRect read{std::max(square.left, held.left), std::max(square.top, held.top),
                        std::min(square.right, held.right), std::min(square.bottom, held.bottom)};
    std::uint32_t red = 0, green = 0, blue = 0, count = 0;
    for (std::int32_t y = read.top; y < read.bottom && read.left < read.right; ++y) {
        const Rgb* row = pixels.Row(y) + (read.left - held.left);
        for (std::int32_t x = read.left; x < read.right; ++x, ++row) {
            if (!OnADisplay(LensPoint{x, y}, displays)) {
                continue;
            }
            red += *row >> 16 & 0xFF;
            green += *row >> 8 & 0xFF;
            blue += *row & 0xFF;
            ++count;
        }
    }
    if (count == 0) {
        return std::nullopt;
    }
    return RoundedMean(red, count) << 16 | RoundedMean(green, count) << 8 |
           RoundedMean(blue, count);
}

} // namespace picker
