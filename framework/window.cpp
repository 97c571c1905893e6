#include "window.h"

#include "app.h"
#include "gdi_objects.h"
#include "help.h"
#include "message_box.h"

#include <vector>

namespace framework {
namespace {

const char kObjectProperty[] = "Prismel.CWnd";

bool IsControlColourRequest(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

} // namespace

const MessageTable CCmdTarget::messageTable{nullptr};

CWnd::~CWnd() {
    Unsubclass();
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
    return window ? static_cast<CWnd*>(GetPropA(window, kObjectProperty)) : nullptr;
}

bool CWnd::SubclassWindow(HWND window) {
    if (!window || FromHandlePermanent(window)) {
        return false;
    }
    window_ = window;
    SetPropA(window, kObjectProperty, this);
    ownProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProcedure)));
    return true;
}

void CWnd::Unsubclass() {
    if (window_ && ownProcedure_) {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ownProcedure_));
        RemovePropA(window_, kObjectProperty);
    }
    ownProcedure_ = nullptr;
    window_ = nullptr;
}

void CWnd::BindToDlgItem(HWND parent, UINT id) {
    const HWND control = ::GetDlgItem(parent, id);
    if (control == window_) {
        return;
    }
    if (GetMessageTable()->HasEntries()) {
        SubclassWindow(control);
    } else {
        Attach(control);
    }
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::vector<char> text(static_cast<size_t>(length) + 1);
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    return std::string(text.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void CWnd::ShowHelp(DWORD_PTR data, UINT command) {
    CallHelpViewer(window_, data, command);
}

LRESULT CWnd::Default() {
    return CallWindowProcA(ownProcedure_, window_, current_.number, current_.wParam,
                           current_.lParam);
}

LRESULT CALLBACK CWnd::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandlePermanent(window);
    return self ? self->Dispatch(message, wParam, lParam)
                : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    const Message outer = current_;
    current_ = Message{message, wParam, lParam};
    LRESULT result = 0;
    try {
        result = WindowProc(message, wParam, lParam);
    } catch (const ResourceUnavailable&) {
        // The handler is abandoned where it failed; the program goes on.
        ShowResourceUnavailable();
    }
    current_ = outer;
    if (message == WM_NCDESTROY) {
        Unsubclass();
        PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        return HandleCommand(wParam, lParam) ? 0 : Default();
    }
    if (message == WM_NOTIFY && notificationsLocked_) {
        return 0;
    }
    if (IsControlColourRequest(message)) {
        CWnd* child = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        LRESULT answer = 0;
        if (child && child != this && child->OnChildNotify(message, wParam, lParam, answer)) {
            return answer;
        }
    }
    if (const MessageEntry* entry = GetMessageTable()->Find(message, wParam)) {
        return entry->thunk(*this, message, wParam, lParam);
    }
    return Default();
}

bool CWnd::HandleCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0 && notificationsLocked_) {
        return true; // caused by the program's own writes to its fields
    }
    if (const MessageEntry* entry = GetMessageTable()->Find(WM_COMMAND, wParam)) {
        entry->thunk(*this, WM_COMMAND, wParam, lParam);
        return true;
    }
    CWinApp* app = CWinApp::Current();
    return app && app->RouteCommand(wParam, lParam);
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const MessageEntry* entry = GetMessageTable()->Find(ReflectedMessage(message), wParam);
    if (!entry) {
        return false;
    }
    result = entry->thunk(*this, ReflectedMessage(message), wParam, lParam);
    return result != 0;
}

} // namespace framework
