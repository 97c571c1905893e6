// Icon (.ico) and cursor (.cur) files: a directory of images, each a bitmap of colours followed
// by a one-bit mask that is set where the picture is transparent.
#pragma once

#include "indexed_image.h"

#include <cstdint>
#include <vector>

namespace artwork {

// Images of 16 colours each (four bits per pixel), smallest first.
std::vector<uint8_t> EncodeIconFile(const std::vector<IndexedImage>& images);

struct HotSpot {
    int x = 0, y = 0;
};

// One two-colour image (one bit per pixel), palette black then white.
std::vector<uint8_t> EncodeCursorFile(const IndexedImage& image, HotSpot hotSpot);

} // namespace artwork
