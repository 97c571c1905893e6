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

POINT TintviewProcess::TitleBar() const {
    return TitleBarOf(window_);
}

POINT TintviewProcess::CloseBox() const {
    return CloseBoxOf(window_);
}

} // namespace testing_support
