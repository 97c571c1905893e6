// "Snap" while sampling: an arrow pointer, placed pixel by pixel as pointers are.
#include "pictures.h"

#include "button_picture.h"
#include "pixel_art.h"

namespace artwork {

CRaster SnapActivePicture() {
    const CRaster arrow = FromPixelArt(
        {
            "X",           "XX",           "X.X",           "X..X",       "X...X",
            "X....X",      "X.....X",      "X......X",      "X.......X",  "X........X",
            "X.........X", "X..........X", "X......XXXXXX", "X...X..X",   "X..XX..X",
            "X.X  X..X",   "XX   X..X",    "X     X..X",    "      X..X", "       XX",
        },
        {{'X', kBlack}, {'.', kWhite}});
    CRaster symbol = SymbolCanvas();
    symbol.Stamp(arrow, (kButtonWidth - arrow.width()) / 2, (kButtonHeight - arrow.height()) / 2);
    return OnTexture(symbol);
}

} // namespace artwork
