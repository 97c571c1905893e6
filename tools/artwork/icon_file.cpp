#include "icon_file.h"

#include "little_endian.h"
#include "dib.h"

#include <algorithm>
#include <stdexcept>

namespace artwork {

namespace {

constexpr uint16_t kIconType = 1, kCursorType = 2;
constexpr uint32_t kDirectoryBytes = 6, kEntryBytes = 16;

struct Entry {
    const IndexedImage* image;
    int bitsPerPixel;
    // Planes and bits per pixel in an icon, the hot spot in a cursor.
    uint16_t fieldA, fieldB;
    std::vector<uint8_t> dib;
};

// A transparent pixel shows the screen only where its colour bits are zero (black): other
// colours would invert the screen under it.
uint8_t BlackIndex(const std::vector<Rgb>& palette) {
    const auto black = std::find(palette.begin(), palette.end(), Rgb{0, 0, 0});
    if (black == palette.end()) {
        throw std::invalid_argument("an icon's palette needs black for its transparent parts");
    }
    return static_cast<uint8_t>(black - palette.begin());
}

std::vector<uint8_t> MaskedDib(const IndexedImage& image, int bitsPerPixel) {
    const size_t colours = size_t{1} << bitsPerPixel;
    if (image.palette.size() > colours) {
        throw std::invalid_argument("an icon image has more colours than its depth holds");
    }
    const uint8_t black = BlackIndex(image.palette);
    const uint32_t colourBytes = RowBytes(image.width, bitsPerPixel) * image.height;
    const uint32_t maskBytes = RowBytes(image.width, 1) * image.height;
    CByteWriter out;
    WriteInfoHeader(out, image.width, image.height * 2, bitsPerPixel, colourBytes + maskBytes,
                    static_cast<uint32_t>(colours));
    WritePalette(out, image.palette, colours);
    WriteRows(out, image.width, image.height, bitsPerPixel, [&](int x, int y) {
        return image.TransparentAt(x, y) ? black : image.IndexAt(x, y);
    });
    WriteRows(out, image.width, image.height, 1,
              [&](int x, int y) { return image.TransparentAt(x, y) ? 1 : 0; });
    return out.Take();
}

std::vector<uint8_t> EncodeDirectory(uint16_t type, const std::vector<Entry>& entries) {
    CByteWriter out;
    out.U16(0);
    out.U16(type);
    out.U16(static_cast<uint16_t>(entries.size()));
    uint32_t offset = kDirectoryBytes + kEntryBytes * static_cast<uint32_t>(entries.size());
    for (const Entry& entry : entries) {
        if (entry.image->width > 256 || entry.image->height > 256) {
            throw std::invalid_argument("an icon image is larger than 256 pixels");
        }
        out.U8(static_cast<uint8_t>(entry.image->width)); // 256 is stored as 0
        out.U8(static_cast<uint8_t>(entry.image->height));
        out.U8(static_cast<uint8_t>(entry.bitsPerPixel < 8 ? 1 << entry.bitsPerPixel : 0));
        out.U8(0);
        out.U16(entry.fieldA);
        out.U16(entry.fieldB);
        out.U32(static_cast<uint32_t>(entry.dib.size()));
        out.U32(offset);
        offset += static_cast<uint32_t>(entry.dib.size());
    }
    for (const Entry& entry : entries) {
        out.Append(entry.dib);
    }
    return out.Take();
}

} // namespace

std::vector<uint8_t> EncodeIconFile(const std::vector<IndexedImage>& images) {
    constexpr int kBitsPerPixel = 4;
    std::vector<Entry> entries;
    for (const IndexedImage& image : images) {
        entries.push_back(
            Entry{&image, kBitsPerPixel, 1, kBitsPerPixel, MaskedDib(image, kBitsPerPixel)});
    }
    return EncodeDirectory(kIconType, entries);
}

std::vector<uint8_t> EncodeCursorFile(const IndexedImage& image, HotSpot hotSpot) {
    if (hotSpot.x < 0 || hotSpot.y < 0 || hotSpot.x >= image.width || hotSpot.y >= image.height) {
        throw std::invalid_argument("a cursor's hot spot lies outside it");
    }
    return EncodeDirectory(kCursorType,
                           {Entry{&image, 1, static_cast<uint16_t>(hotSpot.x),
                                  static_cast<uint16_t>(hotSpot.y), MaskedDib(image, 1)}});
}

} // namespace artwork
