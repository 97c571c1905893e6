#include "sampling/screen_reader.h"

namespace picker {

CScreenReader::CScreenReader(LONG width, LONG height)
    : display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr)), scratch(width, height) {}

void CScreenReader::Read(const LensRect& area, CPixelBlock& into) {
    if (!Ready() || area.Width() > scratch.Width() || area.Height() > scratch.Height()) {
        into = CPixelBlock(area, kOffScreen);
        return;
    }
    BitBlt(scratch.Dc(), 0, 0, area.Width(), area.Height(), display.get(), area.left, area.top,
           SRCCOPY);
    scratch.CopyTo(LensPoint{area.left, area.top}, area.Width(), area.Height(), into);
    // What the display has there is undefined (black here): show it as no pixel at all.
    const LONG left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const LONG top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const LensRect screen{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                          top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    if (screen.Contains(LensPoint{area.left, area.top}) &&
        screen.Contains(LensPoint{area.right - 1, area.bottom - 1})) {
        return;
    }
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        for (std::int32_t x = area.left; x < area.right; ++x) {
            if (!screen.Contains(LensPoint{x, y})) {
                into.Set(LensPoint{x, y}, kOffScreen);
            }
        }
    }
}

} // namespace picker
