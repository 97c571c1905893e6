// The pictures a window test expects to see on the screen, and how much of a screenshot shows
// them: bitmaps and icons as Windows draws them, a tile repeated by a pattern brush.
#pragma once

#include "screenshot.h"

#include <windows.h>

#include <vector>

namespace screen_pictures {

// Colours in rows from the top.
struct Picture {
    LONG width = 0;
    LONG height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(LONG x, LONG y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// Bitmap `id` from this program's resources (the window tests carry Tintview's), as the display
// shows it.
Picture BitmapResource(UINT id);
// One colour all over.
Picture Filled(LONG width, LONG height, COLORREF colour);
// `tile` repeated over an area whose top-left corner falls on the tile's pixel `start`.
Picture Repeated(const Picture& tile, LONG width, LONG height, POINT start);
// `icon` as DrawIcon draws it (at the system's icon size) over `backdrop`, of that size too.
Picture DrawnIcon(HICON icon, const Picture& backdrop);

// The share (0 to 1) of the pixels of `area` (screen coordinates) showing exactly `picture`
// placed with its top-left at `origin`; pixels of the area that the picture does not cover
// are not counted.
double ShareShowing(const testing_support::Screenshot& shot, const RECT& area,
                    const Picture& picture, POINT origin);
// The best share over the placements within `slack` pixels of `origin` either way.
double BestShareNear(const testing_support::Screenshot& shot, const RECT& area,
                     const Picture& picture, POINT origin, LONG slack);

// How `area` shows a tile repeated by a pattern brush, at the alignment that fits it best
// (each control's brush starts its repeat at its own corner).
struct TileFit {
    double share = 0;                   // of the area's pixels showing the tile
    std::vector<POINT> others;          // the pixels that do not
    std::vector<COLORREF> tileAtOthers; // what the tile has there
};
TileFit FitTile(const testing_support::Screenshot& shot, const RECT& area, const Picture& tile);

// Text ink over a background: no channel brighter than the background's (solid or smoothed
// glyph edges), which a filled box behind the text, light grey or white, never is.
bool IsInkOver(COLORREF pixel, COLORREF background);

// A rectangle of a window in screen coordinates: its client area, or the whole window.
RECT ClientOnScreen(HWND window);
RECT WindowOnScreen(HWND window);

} // namespace screen_pictures
