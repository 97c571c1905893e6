#include "dialog.h"

#include "app.h"
#include "data_exchange.h"
#include "gdi_objects.h"
#include "help.h"
#include "message_box.h"
#include "message_crackers.h"

#include <algorithm>

namespace framework {
namespace {

thread_local CDialog* activeModal = nullptr;

// Restores a flag when an exchange ends, whichever way it ends.
class CNotificationLockout {
public:
    explicit CNotificationLockout(bool& flag) : locked(flag), previous(flag) { locked = true; }
    ~CNotificationLockout() { locked = previous; }
    CNotificationLockout(const CNotificationLockout&) = delete;
    CNotificationLockout& operator=(const CNotificationLockout&) = delete;

private:
    bool& locked;
    bool previous;
};

} // namespace

const CMessageTable CDialog::messageTable{&CCmdTarget::messageTable,
                                          {
                                              WhenCommand<&CDialog::OnOK>(IDOK),
                                              WhenCommand<&CDialog::OnCancel>(IDCANCEL),
                                          }};

CDialog::CDialog(UINT templateNumber, CWnd* owner) : templateId(templateNumber), parent(owner) {}

CDialog* CDialog::ActiveModal() {
    return activeModal;
}

HWND CDialog::Owner() const {
    if (parent) {
        return parent->GetSafeHwnd();
    }
    const CWinApp* app = CWinApp::Current();
    CWnd* main = app ? app->MainWindow() : nullptr;
    return main && main != this ? main->GetSafeHwnd() : nullptr;
}

INT_PTR CDialog::DoModal() {
    const HINSTANCE instance = CWinApp::ResourceInstance();
    const HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    const auto* dialogTemplate =
        found ? static_cast<LPCDLGTEMPLATEA>(LockResource(LoadResource(instance, found))) : nullptr;
    if (!dialogTemplate) {
        return -1;
    }
    const HWND owner = Owner();
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) {
        EnableWindow(owner, FALSE);
    }
    runEnding = false;
    runResult = -1;
    const HWND window = CreateDialogIndirectParamA(
        instance, dialogTemplate, owner, &DialogProcedure, reinterpret_cast<LPARAM>(this));
    if (window) {
        CentreOver(owner);
        outerModal = activeModal;
        activeModal = this;
        ShowWindow(window, SW_SHOWNORMAL);
        RunModalLoop();
        activeModal = outerModal;
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (ownerWasEnabled) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    if (window) {
        DestroyWindow(window);
    }
    return runResult;
}

void CDialog::RunModalLoop() {
    MSG message;
    while (!runEnding) {
        if (!GetMessageA(&message, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(message.wParam));
            runResult = -1;
            return;
        }
        CWinApp* app = CWinApp::Current();
        // The application offers keys to their window first (CWnd::PreTranslateMessage), before
        // the platform's dialog keys (Tab, arrows, Enter, Esc) act on them.
        if ((app && app->PreTranslateMessage(message)) ||
            IsDialogMessageA(GetSafeHwnd(), &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void CDialog::EndDialog(INT_PTR result) {
    runResult = result;
    runEnding = true;
    PostMessageA(GetSafeHwnd(), WM_NULL, 0, 0); // wakes the modal loop
}

void CDialog::CentreOver(HWND owner) {
    const HWND window = GetSafeHwnd();
    RECT frame;
    GetWindowRect(window, &frame);
    // Over a visible owner, else in the middle of the work area of this window's monitor.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT area = monitor.rcWork;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
    }
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    LONG left = area.left + (area.right - area.left - width) / 2;
    LONG top = area.top + (area.bottom - area.top - height) / 2;
    // Never off the work area.
    left = std::max(monitor.rcWork.left, std::min(left, monitor.rcWork.right - width));
    top = std::max(monitor.rcWork.top, std::min(top, monitor.rcWork.bottom - height));
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CDialog::DialogProcedure(HWND window, UINT message, WPARAM, LPARAM lParam) {
    // Every other message reaches the object through its subclassing, and what it leaves
    // comes back here to get the platform's dialog handling.
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->SubclassWindow(window);
    try {
        return dialog->InitialiseWindow();
    } catch (const CResourceUnavailable&) {
        ShowResourceUnavailable();
        return TRUE;
    }
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return CWnd::WindowProc(message, wParam, lParam);
    } catch (const CResourceUnavailable&) {
        ShowResourceUnavailable();
        return 0;
    }
}

bool CDialog::HandleCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::HandleCommand(wParam, lParam)) {
        return true;
    }
    CWinApp* app = CWinApp::Current();
    return app && app->RouteCommand(wParam, lParam);
}

void CDialog::ShowHelp(DWORD_PTR data, UINT command) {
    CallHelpViewer(GetSafeHwnd(), data, command);
}

BOOL CDialog::InitialiseWindow() {
    UpdateData(false);
    return TRUE;
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CNotificationLockout lockout(notificationsLocked);
    CDataExchange exchange(*this, saveAndValidate);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

void CDialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

} // namespace framework
