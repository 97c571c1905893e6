// What the lens shows: the magnified square, a frame around the blocks of the sampled square,
// and the caption's lines below. Free of any window so it is tested natively; the window puts
// the text on with the platform's font.
#pragma once

#include "rules/lens_backdrop.h"

#include <string>

namespace picker {

// Each magnified pixel is a block of this many screen pixels a side: 15 x 15 become 120 x 120.
inline constexpr std::int32_t kLensBlock = 8;
inline constexpr std::int32_t kLensBorder = 1;
inline constexpr std::int32_t kLensMagnifiedSide = kLensSquare * kLensBlock;
// The caption's lines, one above the other, each as high as a line of the platform's default
// font (13 pixels), with a little room above and below.
inline constexpr std::int32_t kLensCaptionLines = 5;
inline constexpr std::int32_t kLensCaptionLineHeight = 13;
inline constexpr std::int32_t kLensCaptionMargin = 3;
inline constexpr std::int32_t kLensCaptionHeight =
    kLensCaptionLines * kLensCaptionLineHeight + 2 * kLensCaptionMargin;
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
// Where the caption's line `index` (0 the top one) lies, as wide as the caption.
constexpr LensRect CaptionLine(std::int32_t index) {
    const LensRect caption = CaptionArea();
    const std::int32_t top = caption.top + kLensCaptionMargin + index * kLensCaptionLineHeight;
    return LensRect{caption.left, top, caption.right, top + kLensCaptionLineHeight};
}

// Draws `square` (kLensSquare x kLensSquare pixels, anywhere on the screen) magnified into
// `lens` (kLensWidth x kLensHeight, at 0, 0), with the lens's edges and the rule above the
// caption, and a frame of a dark and a light ring around the centre `side` x `side` blocks, the
// sampled square, which shows on any colour. The caption's area is left for the text.
void DrawMagnified(const CPixelBlock& square, std::int32_t side, CPixelBlock& lens);

// The caption's two lines: "#RRGGBB" and the decimal components.
std::string HexCaption(Rgb colour);
std::string ComponentsCaption(Rgb colour);

} // namespace picker
