// Colours of the pictures while they are drawn: eight bits per channel and a coverage (alpha).
#pragma once

#include <cstdint>

namespace artwork {

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;

    bool operator==(const Rgba& other) const {
        return r == other.r && g == other.g && b == other.b && a == other.a;
    }
    bool operator!=(const Rgba& other) const { return !(*this == other); }
};

constexpr Rgba Opaque(uint8_t r, uint8_t g, uint8_t b) {
    return Rgba{r, g, b, 255};
}
constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kBlack = Opaque(0, 0, 0);
constexpr Rgba kWhite = Opaque(255, 255, 255);

// `over` laid on `under` with `coverage` (0 to 1) of it showing.
Rgba Composite(Rgba under, Rgba over, double coverage);

} // namespace artwork
