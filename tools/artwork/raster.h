// A small picture being drawn: pixels in rows from the top, drawing clipped to the picture.
#pragma once

#include "pixel.h"

#include <cstddef>
#include <vector>

namespace artwork {

class CRaster {
public:
    CRaster(int width, int height, Rgba fill = kClear);

    int width() const { return columns; }
    int height() const { return rows; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < columns && y < rows; }

    Rgba& at(int x, int y) { return pixels[static_cast<size_t>(y * columns + x)]; }
    const Rgba& at(int x, int y) const { return pixels[static_cast<size_t>(y * columns + x)]; }

    // `colour` laid over the pixel with `coverage` (0 to 1) of it showing; dropped outside.
    void Cover(int x, int y, Rgba colour, double coverage);
    // `picture` laid over this one with its top-left corner at (left, top).
    void Stamp(const CRaster& picture, int left, int top);

private:
    int columns;
    int rows;
    std::vector<Rgba> pixels;
};

} // namespace artwork
