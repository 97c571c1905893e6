// Pictures as the resource files hold them: a palette and one palette index per pixel.
#pragma once

#include "raster.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace artwork {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;

    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
    bool operator<(const Rgb& other) const {
        return r != other.r ? r < other.r : g != other.g ? g < other.g : b < other.b;
    }
};

inline Rgb ColourOf(Rgba pixel) {
    return Rgb{pixel.r, pixel.g, pixel.b};
}

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    // Rows from the top.
    std::vector<uint8_t> indices;
    // Per pixel, rows from the top; empty for a picture without transparent parts.
    std::vector<bool> transparent;

    uint8_t IndexAt(int x, int y) const { return indices[static_cast<size_t>(y * width + x)]; }
    bool TransparentAt(int x, int y) const {
        return !transparent.empty() && transparent[static_cast<size_t>(y * width + x)];
    }
};

// The colours of an opaque picture, each once, in a fixed order.
std::vector<Rgb> DistinctColours(const CRaster& picture);

// Every pixel must be fully transparent or fully opaque in one of the palette's colours: the
// icon and the cursor are drawn in their fixed colours from the start.
IndexedImage WithFixedPalette(const CRaster& picture, const std::vector<Rgb>& palette);

// An opaque picture reduced to at most `size` colours. The colours in `exact` (at most `size`)
// keep their exact values, so the texture under a button picture stays the texture itself;
// smooth edges share the remaining entries.
IndexedImage WithOwnPalette(const CRaster& picture, const std::vector<Rgb>& exact, size_t size);

} // namespace artwork
