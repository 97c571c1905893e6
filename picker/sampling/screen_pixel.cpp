#include "sampling/screen_pixel.h"

#include "handle_owner.h"

namespace picker {

std::optional<COLORREF> ReadScreenPixel(POINT point) {
    if (!MonitorFromPoint(point, MONITOR_DEFAULTTONULL)) {
        return std::nullopt;
    }
    // The screen's own context: see CScreenReader for why not one made by CreateDC.
    const framework::CWindowDc screen(nullptr);
    if (!screen.get()) {
        return std::nullopt;
    }
    const COLORREF colour = GetPixel(screen.get(), point.x, point.y);
    if (colour == CLR_INVALID) {
        return std::nullopt;
    }
    return colour;
}

} // namespace picker
