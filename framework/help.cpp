#include "help.h"

#include "app.h"
#include "message_box.h"

namespace framework {
namespace {

class BusyPointer {
public:
    BusyPointer() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~BusyPointer() { SetCursor(previous_); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    HCURSOR previous_;
};

} // namespace

void CallHelpViewer(HWND window, DWORD_PTR data, UINT command) {
    const CWinApp* app = CWinApp::Current();
    if (!app) {
        return;
    }
    BusyPointer busy;
    const HWND topLevel = window ? GetAncestor(window, GA_ROOT) : nullptr;
    if (topLevel) {
        SendMessageA(topLevel, WM_CANCELMODE, 0, 0);
    }
    if (const HWND capture = GetCapture()) {
        SendMessageA(capture, WM_CANCELMODE, 0, 0);
        ReleaseCapture();
    }
    const CWnd* main = app->MainWindow();
    const HWND owner = main && main->GetSafeHwnd() ? main->GetSafeHwnd() : topLevel;
    if (!WinHelpA(owner, app->HelpFilePath().c_str(), command, data)) {
        ShowWarning(kFailedToLaunchHelp);
    }
}

} // namespace framework
