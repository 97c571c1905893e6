#include "sampling/pixel_canvas.h"

#include <algorithm>

namespace picker {

CPixelCanvas::CPixelCanvas(LONG width, LONG height)
    : dc(CreateCompatibleDC(nullptr)), columns(width), rows(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (dc && bitmap && bits) {
        selected.emplace(dc.get(), bitmap.get());
        pixels = static_cast<Rgb*>(bits);
    }
}

void CPixelCanvas::CopyTo(LensPoint origin, LONG width, LONG height, CPixelBlock& into) const {
    into.Reset(LensRect{origin.x, origin.y, origin.x + width, origin.y + height});
    CopyInto(origin, width, height, into);
}

void CPixelCanvas::CopyInto(LensPoint origin, LONG width, LONG height, CPixelBlock& into) const {
    if (!pixels) {
        return;
    }
    GdiFlush();
    const std::int32_t offset = origin.x - into.Area().left;
    for (LONG row = 0; row < height; ++row) {
        const Rgb* from = pixels + static_cast<size_t>(row) * columns;
        // The top byte is not part of the colour: a copy of the screen may leave anything there.
        std::transform(from, from + width, into.Row(origin.y + row) + offset,
                       [](Rgb pixel) { return pixel & 0xFFFFFF; });
    }
}

void CPixelCanvas::Put(const CPixelBlock& block) {
    if (!pixels) {
        return;
    }
    GdiFlush();
    const LensRect& area = block.Area();
    for (LONG row = 0; row < area.Height(); ++row) {
        std::copy_n(block.Row(area.top + row), area.Width(),
                    pixels + static_cast<size_t>(row) * columns);
    }
}

} // namespace picker
