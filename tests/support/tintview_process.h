// Tintview started as a user starts it: its own process, from the build's program folder.
#pragma once

#include "child_process.h"
#include "window_frame.h"

#include <windows.h>

#include <string>

namespace testing_support {

class TintviewProcess {
public:
    // `program` beside the test, given `arguments`: Tintview.exe, or a test build of it.
    explicit TintviewProcess(const std::string& program = "Tintview.exe",
                             const std::string& arguments = "");
    // Ends the program as Esc does. Under Wine a hook stays installed when its process is ended
    // by TerminateProcess (seen here), and would swallow the next test's clicks.
    ~TintviewProcess();

    bool Shown() const { return window_ != nullptr; }
    HWND Window() const { return window_; }
    HWND Control(UINT id) const { return GetDlgItem(window_, id); }
    std::string Text(UINT id) const { return TextOf(Control(id)); }
    // Centre of a control, in screen coordinates.
    POINT Centre(UINT id) const { return CentreOf(Control(id)); }
    // A point on the window's close box, and one on its title bar, clear of the buttons.
    POINT CloseBox() const;
    POINT TitleBar() const;
    ChildProcess& Process() { return process_; }

private:
    ChildProcess process_;
    HWND window_ = nullptr;
};

} // namespace testing_support
