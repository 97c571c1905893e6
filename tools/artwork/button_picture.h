// What the four button pictures share: the texture under them and the soft shadow that lifts
// each symbol off it.
#pragma once

#include "raster.h"

namespace artwork {

// A clear canvas of the button pictures' size to draw a symbol on.
CRaster SymbolCanvas();

// The symbol with its shadow over the texture, aligned as a pattern brush aligns it at the
// picture's top-left corner, so the picture's rim is the texture itself.
CRaster OnTexture(const CRaster& symbol);

} // namespace artwork
