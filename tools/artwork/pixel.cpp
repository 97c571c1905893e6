#include "pixel.h"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

uint8_t Channel(double value) {
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

} // namespace

Rgba Composite(Rgba under, Rgba over, double coverage) {
    const double top = std::clamp(coverage, 0.0, 1.0) * over.a / 255.0;
    const double bottom = under.a / 255.0 * (1.0 - top);
    const double alpha = top + bottom;
    if (alpha <= 0.0) {
        return kClear;
    }
    const auto channel = [&](uint8_t below, uint8_t above) {
        return Channel((above * top + below * bottom) / alpha);
    };
    return Rgba{channel(under.r, over.r), channel(under.g, over.g), channel(under.b, over.b),
                Channel(alpha * 255.0)};
}

} // namespace artwork
