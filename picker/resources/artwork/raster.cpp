#include "raster.h"

#include <cstdlib>
#include <stdexcept>

namespace artwork {

Raster::Raster(int width, int height, Rgba fill) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) {
        throw std::invalid_argument("a picture needs a positive size");
    }
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
}

void Raster::Put(int x, int y, Rgba colour) {
    if (Contains(x, y)) {
        at(x, y) = colour;
    }
}

void Raster::Cover(int x, int y, Rgba colour, double coverage) {
    if (Contains(x, y) && coverage > 0.0) {
        at(x, y) = Composite(at(x, y), colour, coverage);
    }
}

void Raster::FillRect(int left, int top, int width, int height, Rgba colour) {
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            Put(x, y, colour);
        }
    }
}

void Raster::Line(int x0, int y0, int x1, int y1, Rgba colour) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int stepX = x0 < x1 ? 1 : -1, stepY = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        Put(x0, y0, colour);
        if (x0 == x1 && y0 == y1) {
            return;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y0 += stepY;
        }
    }
}

void Raster::Stamp(const Raster& picture, int left, int top) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            Cover(left + x, top + y, picture.at(x, y), 1.0);
        }
    }
}

} // namespace artwork
