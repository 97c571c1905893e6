#include "tintview_process.h"

#include "message_pump.h"
#include "test_paths.h"

namespace testing_support {

TintviewProcess::TintviewProcess(const std::string& program, const std::string& arguments)
    : process_("\"" + BesideTest(program) + "\" " + arguments) {
    window_ = process_.WaitForWindow(10000, "#32770");
    if (window_) {
        SetForegroundWindow(window_);
        PumpFor(100);
    }
}

TintviewProcess::~TintviewProcess() {
    if (window_ && IsWindow(window_)) {
        PostMessageA(window_, WM_COMMAND, IDCANCEL, 0);
        process_.WaitForExit(5000);
    }
}

std::string TintviewProcess::Text(UINT id) const {
    char text[256] = "";
    SendMessageA(Control(id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

POINT TintviewProcess::Centre(UINT id) const {
    RECT frame;
    GetWindowRect(Control(id), &frame);
    return POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
}

LONG TintviewProcess::TitleBarMiddle() const {
    RECT frame;
    GetWindowRect(window_, &frame);
    return frame.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
}

POINT TintviewProcess::TitleBar() const {
    RECT frame;
    GetWindowRect(window_, &frame);
    return POINT{(frame.left + frame.right) / 2, TitleBarMiddle()};
}

POINT TintviewProcess::CloseBox() const {
    // The caption's buttons sit at its right end; ask the window which point is the close box.
    RECT frame;
    GetWindowRect(window_, &frame);
    const LONG y = TitleBarMiddle();
    for (LONG x = frame.right - 1; x > frame.left; --x) {
        if (SendMessageA(window_, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
            return POINT{x - GetSystemMetrics(SM_CXSIZE) / 3, y};
        }
    }
    return POINT{frame.right - 10, y};
}

} // namespace testing_support
