#include "message_box.h"

#include "app.h"

namespace framework {
namespace {

void Show(const std::string& text, UINT icon) {
    const CWinApp* app = CWinApp::Current();
    const CWnd* main = app ? app->MainWindow() : nullptr;
    const HWND owner = main ? main->GetSafeHwnd() : nullptr;
    MessageBoxA(owner, text.c_str(), app ? app->ProgramName().c_str() : "", icon | MB_OK);
}

} // namespace

void ShowWarning(const std::string& text) {
    Show(text, MB_ICONWARNING);
}

void ShowResourceUnavailable() {
    Show(kResourceUnavailable, MB_ICONSTOP);
}

} // namespace framework
