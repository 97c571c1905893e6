#include "pixel_art.h"

#include <algorithm>

namespace artwork {

CRaster FromPixelArt(const std::vector<std::string>& rows, const std::map<char, Rgba>& legend) {
    size_t width = 1;
    for (const std::string& row : rows) {
        width = std::max(width, row.size());
    }
    CRaster picture(static_cast<int>(width), static_cast<int>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y) {
        for (size_t x = 0; x < rows[y].size(); ++x) {
            const auto found = legend.find(rows[y][x]);
            if (found != legend.end()) {
                picture.at(static_cast<int>(x), static_cast<int>(y)) = found->second;
            }
        }
    }
    return picture;
}

} // namespace artwork
