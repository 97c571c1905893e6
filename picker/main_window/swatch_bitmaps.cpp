#include "main_window/swatch_bitmaps.h"

#include "gdi_objects.h"

namespace picker {

HBITMAP CSwatchBitmaps::Add(COLORREF colour, int side) {
    const framework::CWindowDc screen(nullptr);
    framework::CUniqueGdiObject bitmap(CreateCompatibleBitmap(screen.get(), side, side));
    const framework::CUniqueDeviceContext dc(CreateCompatibleDC(screen.get()));
    if (!bitmap || !dc) {
        return nullptr;
    }
    {
        const framework::CSelectedObject selected(dc.get(), bitmap.get());
        const RECT whole{0, 0, side, side};
        SetDCBrushColor(dc.get(), RGB(0x40, 0x40, 0x40));
        FillRect(dc.get(), &whole, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        const RECT inside{1, 1, side - 1, side - 1};
        SetDCBrushColor(dc.get(), colour);
        FillRect(dc.get(), &inside, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    bitmaps.push_back(std::move(bitmap));
    return static_cast<HBITMAP>(bitmaps.back().get());
}

} // namespace picker
