// The background texture: a light bluish-grey speckle that repeats without seams, and areas
// covered with it the way a pattern brush covers them.
#pragma once

#include "raster.h"

namespace artwork {

constexpr int kTileWidth = 27;
constexpr int kTileHeight = 28;

// The colour most of the texture has; its speckles are lighter and darker shades of it.
constexpr Rgba kTextureColour = Opaque(178, 188, 197);

CRaster BackgroundTile();

// An area filled with the tile repeated from the area's top-left corner.
CRaster TexturedArea(int width, int height);

} // namespace artwork
