#include "bitmap_file.h"

#include "dib.h"

#include <stdexcept>

namespace artwork {

namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr int kBitsPerPixel = 8;
constexpr size_t kPaletteEntries = 256;

} // namespace

std::vector<uint8_t> EncodeBitmapFile(const IndexedImage& image) {
    if (image.palette.size() > kPaletteEntries) {
        throw std::invalid_argument("a bitmap has more than 256 colours");
    }
    const uint32_t pixelOffset =
        kFileHeaderBytes + kInfoHeaderBytes + static_cast<uint32_t>(kPaletteEntries * 4);
    const uint32_t pixelBytes =
        RowBytes(image.width, kBitsPerPixel) * static_cast<uint32_t>(image.height);

    CByteWriter out;
    out.U8('B');
    out.U8('M');
    out.U32(pixelOffset + pixelBytes);
    out.U32(0); // reserved
    out.U32(pixelOffset);
    WriteInfoHeader(out, image.width, image.height, kBitsPerPixel, pixelBytes, kPaletteEntries);
    WritePalette(out, image.palette, kPaletteEntries);
    WriteRows(out, image.width, image.height, kBitsPerPixel,
              [&](int x, int y) { return image.IndexAt(x, y); });
    return out.Take();
}

} // namespace artwork
