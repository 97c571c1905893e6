// Bitmap files (.bmp) for the resource compiler: 256 colours, one byte per pixel.
#pragma once

#include "indexed_image.h"

#include <cstdint>
#include <vector>

namespace artwork {

std::vector<uint8_t> EncodeBitmapFile(const IndexedImage& image);

} // namespace artwork
