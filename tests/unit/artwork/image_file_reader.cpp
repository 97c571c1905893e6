#include "image_file_reader.h"

#include "artwork.h"
#include "little_endian.h"

#include <cmath>
#include <stdexcept>

namespace artwork_test {

namespace {

using Reader = binary::CByteReader;

int RowBytes(int width, int bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// `bits` rows of `width` pixels from the bottom up, returned from the top down.
std::vector<int> ReadRows(const std::vector<uint8_t>& bytes, size_t at, int width, int height,
                          int bits) {
    std::vector<int> values(static_cast<size_t>(width * height));
    for (int row = 0; row < height; ++row) {
        const size_t rowStart = at + static_cast<size_t>(row * RowBytes(width, bits));
        const int y = height - 1 - row;
        for (int x = 0; x < width; ++x) {
            const size_t byte = rowStart + static_cast<size_t>(x * bits / 8);
            if (byte >= bytes.size()) {
                throw std::runtime_error("pixel rows run past the file's end");
            }
            const int shift = 8 - bits - x * bits % 8;
            values[static_cast<size_t>(y * width + x)] = (bytes[byte] >> shift) & ((1 << bits) - 1);
        }
    }
    return values;
}

// A header and palette at `at`; `height` is the height the pixels have.
Dib ReadDibHeader(const std::vector<uint8_t>& bytes, size_t at) {
    Reader in(bytes, at);
    Dib dib;
    dib.headerBytes = in.U32();
    dib.width = in.I32();
    dib.storedHeight = in.I32();
    dib.planes = static_cast<int>(in.U16());
    dib.bitsPerPixel = static_cast<int>(in.U16());
    dib.compression = in.U32();
    in.U32(); // image bytes
    in.U32(); // resolution
    in.U32();
    dib.paletteEntries = in.U32();
    in.U32(); // important colours
    if (dib.headerBytes != 40) {
        throw std::runtime_error("not a 40-byte bitmap header");
    }
    const uint32_t entries =
        dib.paletteEntries != 0 ? dib.paletteEntries : uint32_t{1} << dib.bitsPerPixel;
    for (uint32_t i = 0; i < entries; ++i) {
        const int blue = static_cast<int>(in.U8()), green = static_cast<int>(in.U8()),
                  red = static_cast<int>(in.U8());
        in.U8();
        dib.palette.push_back(Colour{red, green, blue});
    }
    return dib;
}

size_t PixelsStart(const Dib& dib, size_t headerAt) {
    return headerAt + dib.headerBytes + 4 * dib.palette.size();
}

} // namespace

void PrintTo(const Colour& colour, std::ostream* out) {
    *out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}

double Distance(Colour a, Colour b) {
    return std::sqrt(static_cast<double>((a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) +
                                         (a.b - b.b) * (a.b - b.b)));
}

BitmapFile ReadBitmapFile(const std::vector<uint8_t>& bytes) {
    Reader in(bytes, 0);
    if (in.U8() != 'B' || in.U8() != 'M') {
        throw std::runtime_error("not a bitmap file");
    }
    BitmapFile file;
    file.declaredSize = in.U32();
    in.U32();
    file.pixelOffset = in.U32();
    file.dib = ReadDibHeader(bytes, in.At());
    file.dib.height = file.dib.storedHeight;
    file.dib.indices =
        ReadRows(bytes, file.pixelOffset, file.dib.width, file.dib.height, file.dib.bitsPerPixel);
    return file;
}

IconFile ReadIconFile(const std::vector<uint8_t>& bytes) {
    Reader in(bytes, 0);
    IconFile file;
    if (in.U16() != 0) {
        throw std::runtime_error("not an icon directory");
    }
    file.type = static_cast<int>(in.U16());
    const uint32_t count = in.U16();
    for (uint32_t i = 0; i < count; ++i) {
        IconImage image;
        image.width = static_cast<int>(in.U8());
        image.height = static_cast<int>(in.U8());
        image.colourCount = static_cast<int>(in.U8());
        in.U8();
        image.fieldA = static_cast<int>(in.U16());
        image.fieldB = static_cast<int>(in.U16());
        image.size = in.U32();
        image.offset = in.U32();
        if (image.offset + image.size > bytes.size()) {
            throw std::runtime_error("an icon image lies past the file's end");
        }
        image.colours = ReadDibHeader(bytes, image.offset);
        Dib& dib = image.colours;
        dib.height = dib.storedHeight / 2;
        const size_t pixels = PixelsStart(dib, image.offset);
        dib.indices = ReadRows(bytes, pixels, dib.width, dib.height, dib.bitsPerPixel);
        const size_t mask =
            pixels + static_cast<size_t>(RowBytes(dib.width, dib.bitsPerPixel) * dib.height);
        for (int bit : ReadRows(bytes, mask, dib.width, dib.height, 1)) {
            image.transparent.push_back(bit == 1);
        }
        if (mask + static_cast<size_t>(RowBytes(dib.width, 1) * dib.height) !=
            image.offset + image.size) {
            throw std::runtime_error("an icon image's size disagrees with its contents");
        }
        file.images.push_back(std::move(image));
    }
    return file;
}

std::vector<uint8_t> GeneratedFile(const std::string& name) {
    for (const artwork::ArtworkFile& file : artwork::ArtworkFiles()) {
        if (file.name == name) {
            return file.encode();
        }
    }
    throw std::runtime_error("the generator makes no file " + name);
}

} // namespace artwork_test
