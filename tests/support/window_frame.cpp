#include "window_frame.h"

namespace testing_support {
namespace {

LONG TitleBarMiddle(HWND window) {
    RECT frame;
    GetWindowRect(window, &frame);
    return frame.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
}

} // namespace

POINT CentreOf(HWND window) {
    RECT frame;
    GetWindowRect(window, &frame);
    return POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
}

std::string TextOf(HWND window) {
    const auto length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const auto copied =
        SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

POINT TitleBarOf(HWND window) {
    RECT frame;
    GetWindowRect(window, &frame);
    return POINT{(frame.left + frame.right) / 2, TitleBarMiddle(window)};
}

POINT CloseBoxOf(HWND window) {
    // The caption's buttons sit at its right end; ask the window which point is the close box.
    RECT frame;
    GetWindowRect(window, &frame);
    const LONG y = TitleBarMiddle(window);
    for (LONG x = frame.right - 1; x > frame.left; --x) {
        if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
            return POINT{x - GetSystemMetrics(SM_CXSIZE) / 3, y};
        }
    }
    return POINT{frame.right - 10, y};
}

} // namespace testing_support
