#include "rules/lens_picture.h"

#include "rules/colour_text.h"

#include <algorithm>

namespace picker {
namespace {

void Fill(CPixelBlock& lens, const LensRect& area, Rgb value) {
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        std::fill_n(lens.Row(y) + (area.left - lens.Area().left), area.Width(), value);
    }
}

// A ring one pixel wide along the inside of `area`.
void Ring(CPixelBlock& lens, const LensRect& area, Rgb value) {
    Fill(lens, LensRect{area.left, area.top, area.right, area.top + 1}, value);
    Fill(lens, LensRect{area.left, area.bottom - 1, area.right, area.bottom}, value);
    Fill(lens, LensRect{area.left, area.top, area.left + 1, area.bottom}, value);
    Fill(lens, LensRect{area.right - 1, area.top, area.right, area.bottom}, value);
}

LensRect Grown(const LensRect& area, std::int32_t by) {
    return LensRect{area.left - by, area.top - by, area.right + by, area.bottom + by};
}

Components ComponentsOf(Rgb colour) {
    return Components{static_cast<std::int32_t>(colour >> 16 & 0xFF),
                      static_cast<std::int32_t>(colour >> 8 & 0xFF),
                      static_cast<std::int32_t>(colour & 0xFF)};
}

} // namespace

void DrawMagnified(const CPixelBlock& square, std::int32_t side, CPixelBlock& lens) {
    const LensRect whole = lens.Area();
    Ring(lens, whole, kLensEdge);
    const LensRect caption = CaptionArea();
    Fill(lens, LensRect{whole.left, caption.top - kLensBorder, whole.right, caption.top},
         kLensEdge);
    const LensRect from = square.Area();
    for (std::int32_t row = 0; row < kLensSquare; ++row) {
        for (std::int32_t column = 0; column < kLensSquare; ++column) {
            Fill(lens, MagnifiedBlock(column, row),
                 square.At(LensPoint{from.left + column, from.top + row}));
        }
    }
    // Drawn over the outer blocks' edges, so the sampled ones keep their whole size.
    const std::int32_t first = kLensReach - side / 2;
    const std::int32_t last = kLensReach + side / 2;
    const LensRect sampled{MagnifiedBlock(first, first).left, MagnifiedBlock(first, first).top,
                           MagnifiedBlock(last, last).right, MagnifiedBlock(last, last).bottom};
    Ring(lens, Grown(sampled, 1), kFrameDark);
    Ring(lens, Grown(sampled, 2), kFrameLight);
}

std::string HexCaption(Rgb colour) {
    return "#" + FormatHexColour(ComponentsOf(colour));
}

std::string ComponentsCaption(Rgb colour) {
    const Components components = ComponentsOf(colour);
    return "R " + std::to_string(components.red) + "  G " + std::to_string(components.green) +
           "  B " + std::to_string(components.blue);
}

} // namespace picker
