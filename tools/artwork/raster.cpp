#include "raster.h"

#include <stdexcept>

namespace artwork {

CRaster::CRaster(int width, int height, Rgba fill) : columns(width), rows(height) {
    if (width <= 0 || height <= 0) {
        throw std::invalid_argument("a picture needs a positive size");
    }
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
}

void CRaster::Cover(int x, int y, Rgba colour, double coverage) {
    if (Contains(x, y) && coverage > 0.0) {
        at(x, y) = Composite(at(x, y), colour, coverage);
    }
}

void CRaster::Stamp(const CRaster& picture, int left, int top) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            Cover(left + x, top + y, picture.at(x, y), 1.0);
        }
    }
}

} // namespace artwork
