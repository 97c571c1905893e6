// The device-independent bitmap layout shared by bitmap, icon and cursor files: a 40-byte
// header, the palette, and rows from the bottom up, each padded to four bytes.
#pragma once

#include "indexed_image.h"
#include "little_endian.h"

#include <cstddef>

namespace artwork {

using binary::CByteWriter;

constexpr uint32_t kInfoHeaderBytes = 40;

// Bytes in one row of `width` pixels at `bitsPerPixel`, padded to a multiple of four.
uint32_t RowBytes(int width, int bitsPerPixel);

// `rowsStored` is the image's height, or twice it for an icon image, whose header counts the
// transparency mask's rows too.
void WriteInfoHeader(CByteWriter& out, int width, int rowsStored, int bitsPerPixel,
                     uint32_t imageBytes, uint32_t paletteEntries);

// The palette filled up to `entries` with black.
void WritePalette(CByteWriter& out, const std::vector<Rgb>& palette, size_t entries);

// Pixels packed at `bitsPerPixel` (1, 4 or 8), highest bits first; `indexAt` gives each pixel.
template <typename IndexAt>
void WriteRows(CByteWriter& out, int width, int height, int bitsPerPixel, IndexAt indexAt) {
    const uint32_t rowBytes = RowBytes(width, bitsPerPixel);
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < width; ++x) {
            const int bit = x * bitsPerPixel;
            const int shift = 8 - bitsPerPixel - bit % 8;
            row[static_cast<size_t>(bit / 8)] |= static_cast<uint8_t>(indexAt(x, y) << shift);
        }
        out.Append(row);
    }
}

} // namespace artwork
