#include "tintview_process.h"

#include "message_pump.h"
#include "test_paths.h"
#include "window_frame.h"

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

POINT TintviewProcess::TitleBar() const {
    return TitleBarOf(window_);
}

POINT TintviewProcess::CloseBox() const {
    return CloseBoxOf(window_);
}

} // namespace testing_support
