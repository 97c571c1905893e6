// What the lens shows: the magnified square, a frame around its centre block, and the centre
// pixel's colour as text below. Free of any window so it is tested natively; the window puts
// the text on with the platform's font.
#pragma once

#include "rules/lens_backdrop.h"

#include <string>

namespace picker {

// Each magnified pixel is a block of this many screen pixels a side: 15 x 15 become 120 x 120.
inline constexpr std::int32_t kLensBlock = 8;
inline constexpr std::int32_t kLensBorder = 1;
inline constexpr std::int32_t kLensMagnifiedSide = kLensSquare * kLensBlock;
inline constexpr std::int32_t kLensCaptionHeight = 34;
inline constexpr std::int32_t kLensWidth = kLensMagnifiedSide + 2 * kLensBorder;
// The border, the magnified square, a rule, the caption, the border.
inline constexpr std::int32_t kLensHeight =
    kLensBorder + kLensMagnifiedSide + kLensBorder + kLensCaptionHeight + kLensBorder;

inline constexpr Rgb kLensEdge = 0x404040;
inline constexpr Rgb kFrameDark = 0x000000;
inline constexpr Rgb kFrameLight = 0xFFFFFF;

// Where, in the lens, the block of the magnified square's pixel (column, row) lies.
constexpr LensRect MagnifiedBlock(std::int32_t column, std::int32_t row) {
    return LensRect{kLensBorder + column * kLensBlock, kLensBorder + row * kLensBlock,
                    kLensBorder + (column + 1) * kLensBlock, kLensBorder + (row + 1) * kLensBlock};
}
// The caption's area in the lens.
constexpr LensRect CaptionArea() {
    return LensRect{kLensBorder, kLensBorder + kLensMagnifiedSide + kLensBorder,
                    kLensWidth - kLensBorder,
                    kLensBorder + kLensMagnifiedSide + kLensBorder + kLensCaptionHeight};
}

// Draws `square` (kLensSquare x kLensSquare pixels, anywhere on the screen) magnified into
// `lens` (kLensWidth x kLensHeight, at 0, 0), with the lens's edges and the rule above the
// caption, and a frame of a dark and a light ring around the centre block, which shows on any
// colour. The caption's area is left for the text.
void DrawMagnified(const CPixelBlock& square, CPixelBlock& lens);

// The caption's two lines: "#RRGGBB" and the decimal components.
std::string HexCaption(Rgb colour);
std::string ComponentsCaption(Rgb colour);

} // namespace picker
