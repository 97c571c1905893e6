// Every picture the picker carries, each drawn at its one fixed size.
#pragma once

#include "indexed_image.h"
#include "raster.h"

#include <vector>

namespace artwork {

constexpr int kButtonWidth = 38;
constexpr int kButtonHeight = 28;
constexpr int kCursorSize = 32;
// The pipette's tip, at the lower left of the cursor's drawn part.
constexpr int kDropperHotSpotX = 0;
constexpr int kDropperHotSpotY = 15;

// Button pictures: a symbol on the background texture.
CRaster SnapActivePicture(); // an arrow pointer: shown while sampling
CRaster SnapPicture();       // a blue pipette letting a drop fall
CRaster ExitPicture();       // a red prohibition sign
CRaster HelpPicture();       // an open white book

// The program icon at 16 or 32 pixels square, in IconPalette's colours, clear around it.
CRaster ProgramIcon(int size);
// The sixteen colours of the classic display palette, black first.
const std::vector<Rgb>& IconPalette();

// The dropper cursor: black outline, white inside, clear around it.
CRaster DropperCursor();

} // namespace artwork
