#include "font_table.h"

namespace helpc {
namespace {

constexpr std::size_t kFaceNameWidth = 20;
constexpr std::uint8_t kBold = 0x01;
constexpr std::uint8_t kSwissFamily = 3;

struct Descriptor {
    std::uint8_t attributes;
    std::uint8_t halfPoints;
};

// Indexed by HelpFont.
constexpr Descriptor kDescriptors[kFontCount] = {{0, 20}, {kBold, 20}, {kBold, 28}, {kBold, 24}};

} // namespace

Bytes WriteFontTable() {
    CByteWriter out;
    constexpr std::uint16_t faceCount = 1;
    constexpr std::uint16_t faceNamesAt = 8; // below 12 marks the older layout
    out.U16(faceCount);
    out.U16(kFontCount);
    out.U16(faceNamesAt);
    out.U16(faceNamesAt + faceCount * kFaceNameWidth);
    out.FixedString("Arial", kFaceNameWidth);
    for (const Descriptor& font : kDescriptors) {
        out.U8(font.attributes);
        out.U8(font.halfPoints);
        out.U8(kSwissFamily);
        out.U16(0);   // face name index
        out.Zeros(3); // black text
        out.Zeros(3); // background colour (unused)
    }
    return out.Take();
}

} // namespace helpc
