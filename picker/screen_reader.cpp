#include "screen_reader.h"

#include <algorithm>

using picker::LensPoint;
using picker::LensRect;
using picker::PixelBlock;

ScreenReader::ScreenReader(LONG width, LONG height)
    : display_(CreateDCA("DISPLAY", nullptr, nullptr, nullptr)), scratch_(width, height) {}

PixelBlock ScreenReader::Read(const LensRect& area) {
    if (!Ready() || area.Width() > scratch_.Width() || area.Height() > scratch_.Height()) {
        return PixelBlock(area, kOffScreen);
    }
    BitBlt(scratch_.Dc(), 0, 0, area.Width(), area.Height(), display_.get(), area.left, area.top,
           SRCCOPY);
    PixelBlock block = scratch_.Pixels(LensPoint{area.left, area.top}, area.Width(), area.Height());
    // What the display has there is undefined (black here): show it as no pixel at all.
    const LensRect screen{
        GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
        GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
        GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        for (std::int32_t x = area.left; x < area.right; ++x) {
            if (!screen.Contains(LensPoint{x, y})) {
                block.Set(LensPoint{x, y}, kOffScreen);
            }
        }
    }
    return block;
}
