#include "dib.h"

namespace artwork {

uint32_t RowBytes(int width, int bitsPerPixel) {
    return static_cast<uint32_t>((width * bitsPerPixel + 31) / 32 * 4);
}

void WriteInfoHeader(CByteWriter& out, int width, int rowsStored, int bitsPerPixel,
                     uint32_t imageBytes, uint32_t paletteEntries) {
    out.U32(kInfoHeaderBytes);
    out.I32(width);
    out.I32(rowsStored); // positive: rows from the bottom up
    out.U16(1);          // planes
    out.U16(static_cast<uint16_t>(bitsPerPixel));
    out.U32(0); // no compression
    out.U32(imageBytes);
    out.I32(2835); // 72 dots per inch, in dots per metre
    out.I32(2835);
    out.U32(paletteEntries);
    out.U32(0); // every colour matters
}

void WritePalette(CByteWriter& out, const std::vector<Rgb>& palette, size_t entries) {
    for (size_t i = 0; i < entries; ++i) {
        const Rgb colour = i < palette.size() ? palette[i] : Rgb{};
        out.U8(colour.b);
        out.U8(colour.g);
        out.U8(colour.r);
        out.U8(0);
    }
}

} // namespace artwork
