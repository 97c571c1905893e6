#include "sampling/screen_reader.h"

#include <algorithm>

namespace picker {

CScreenReader::CScreenReader(LONG width, LONG height)
    : screenDc(nullptr), scratch(width, height), screen{GetSystemMetrics(SM_XVIRTUALSCREEN),
                                                        GetSystemMetrics(SM_YVIRTUALSCREEN),
                                                        GetSystemMetrics(SM_XVIRTUALSCREEN) +
                                                            GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                                        GetSystemMetrics(SM_YVIRTUALSCREEN) +
                                                            GetSystemMetrics(SM_CYVIRTUALSCREEN)} {}

void CScreenReader::Read(const LensRect& area, CPixelBlock& into) {
    if (!Ready() || area.Width() > scratch.Width() || area.Height() > scratch.Height()) {
        into = CPixelBlock(area, kOffScreen);
        return;
    }
    const LensRect shown{std::max(area.left, screen.left), std::max(area.top, screen.top),
                         std::min(area.right, screen.right), std::min(area.bottom, screen.bottom)};
    if (shown == area) {
        BitBlt(scratch.Dc(), 0, 0, area.Width(), area.Height(), screenDc.get(), area.left, area.top,
               SRCCOPY);
        scratch.CopyTo(LensPoint{area.left, area.top}, area.Width(), area.Height(), into);
        return;
    }
    // Only the part on the screen is copied: a copy that reaches past the screen's edge reads
    // black throughout under Wine, the part on the screen too. What lies beyond shows as no
    // pixel at all.
    into.Reset(area);
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        std::fill_n(into.Row(y), area.Width(), kOffScreen);
    }
    if (shown.Width() > 0 && shown.Height() > 0) {
        BitBlt(scratch.Dc(), 0, 0, shown.Width(), shown.Height(), screenDc.get(), shown.left,
               shown.top, SRCCOPY);
        scratch.CopyInto(LensPoint{shown.left, shown.top}, shown.Width(), shown.Height(), into);
    }
}

} // namespace picker
