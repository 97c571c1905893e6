#include "sampling/screen_reader.h"

#include <algorithm>

namespace picker {

CScreenReader::CScreenReader(LONG width, LONG height) : screenDc(nullptr), scratch(width, height) {}

void CScreenReader::Read(const LensRect& area, CPixelBlock& into) {
    if (!Ready() || area.Width() > scratch.Width() || area.Height() > scratch.Height()) {
        into = CPixelBlock(area, kOffScreen);
        return;
    }
    const std::int32_t left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const std::int32_t top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const std::int32_t right = left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const std::int32_t bottom = top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const LensRect shown{std::max(area.left, left), std::max(area.top, top),
                         std::min(area.right, right), std::min(area.bottom, bottom)};
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
