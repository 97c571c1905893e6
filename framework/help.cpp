#include "help.h"

#include "app.h"
#include "busy_pointer.h"
#include "message_box.h"

namespace framework {

void CallHelpViewer(HWND window, DWORD_PTR data, UINT command) {
    const CWinApp* app = CWinApp::Current();
    if (!app) {
        return;
    }
    CBusyPointer busy;
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
