#include "app.h"

#include "dialog.h"

namespace framework {
namespace {

CWinApp* currentApp = nullptr;

bool KeyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

} // namespace

const CMessageTable CWinApp::messageTable{&CCmdTarget::messageTable};

CWinApp::CWinApp() {
    currentApp = this;
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path, length);
    const size_t dot = program.find_last_of('.');
    helpFilePath = program.substr(0, dot) + ".HLP";
    const size_t nameStart = program.find_last_of("\\/") + 1;
    const size_t nameEnd = dot != std::string::npos && dot > nameStart ? dot : program.size();
    programName = program.substr(nameStart, nameEnd - nameStart);
}

CWinApp::~CWinApp() {
    if (currentApp == this) {
        currentApp = nullptr;
    }
}

CWinApp* CWinApp::Current() {
    return currentApp;
}

HINSTANCE CWinApp::ResourceInstance() {
    return GetModuleHandleA(nullptr);
}

int CWinApp::Run() {
    StartProgram();
    // A quit request that ended the main window's modal run was posted again to end the thread.
    MSG quit;
    if (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        return static_cast<int>(quit.wParam);
    }
    return 0;
}

bool CWinApp::PreTranslateMessage(const MSG& message) {
    if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST && message.hwnd) {
        CWnd* topLevel = CWnd::FromHandlePermanent(GetAncestor(message.hwnd, GA_ROOT));
        if (topLevel && topLevel->PreTranslateMessage(message)) {
            return true;
        }
    }
    if (message.message != WM_KEYDOWN || message.wParam != VK_F1 || !mainWindow) {
        return false;
    }
    const HWND main = mainWindow->GetSafeHwnd();
    if (message.hwnd != main && !IsChild(main, message.hwnd)) {
        return false;
    }
    if (!KeyDown(VK_SHIFT) && !KeyDown(VK_CONTROL) && !KeyDown(VK_MENU)) {
        SendMessageA(main, WM_COMMAND, ID_HELP, 0);
    }
    return true; // with a modifier held, F1 does nothing
}

bool CWinApp::RouteCommand(WPARAM wParam, LPARAM lParam) {
    if (const MessageEntry* entry = GetMessageTable()->Find(WM_COMMAND, wParam)) {
        entry->thunk(*this, WM_COMMAND, wParam, lParam);
        return true;
    }
    return false;
}

void CWinApp::OnHelp() {
    CDialog* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(GetActiveWindow()));
    if (!dialog) {
        dialog = CDialog::ActiveModal();
    }
    if (dialog) {
        dialog->ShowHelp(dialog->HelpContext(), HELP_CONTEXT);
    }
}

} // namespace framework
