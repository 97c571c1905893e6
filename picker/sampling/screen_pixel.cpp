#include "sampling/screen_pixel.h"

#include "handle_owner.h"

namespace picker {

std::optional<COLORREF> ReadScreenPixel(POINT point) {
    if (!MonitorFromPoint(point, MONITOR_DEFAULTTONULL)) {
        return std::nullopt;
    }
    const framework::CUniqueDeviceContext display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    if (!display) {
        return std::nullopt;
    }
    const COLORREF colour = GetPixel(display.get(), point.x, point.y);
    if (colour == CLR_INVALID) {
        return std::nullopt;
    }
    return colour;
}

} // namespace picker
