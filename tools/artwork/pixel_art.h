// Pictures written out pixel by pixel as rows of characters, for shapes that read best when
// every pixel is placed by hand.
#pragma once

#include "raster.h"

#include <map>
#include <string>
#include <vector>

namespace artwork {

// One character per pixel; characters missing from `legend` are left transparent.
CRaster FromPixelArt(const std::vector<std::string>& rows, const std::map<char, Rgba>& legend);

} // namespace artwork
