#include "window.h"

#include <unordered_map>
#include <utility>
#include <vector>

namespace framework {
namespace {

// The objects subclassing windows, looked up on every message: a window property would cost a
// round trip to the window server each time. One map for the process, behind a lock, since each
// thread subclasses its own windows (a per-thread map is no choice: this runtime frees a thread's
// storage before it runs the destructors of its thread-local objects).
class CSubclassMap {
public:
    CWnd* Find(HWND window) {
        AcquireSRWLockShared(&lock);
        const auto found = objects.find(window);
        CWnd* object = found != objects.end() ? found->second : nullptr;
        ReleaseSRWLockShared(&lock);
        return object;
    }
    void Add(HWND window, CWnd* object) {
        AcquireSRWLockExclusive(&lock);
        objects[window] = object;
        ReleaseSRWLockExclusive(&lock);
    }
    void Remove(HWND window) {
        AcquireSRWLockExclusive(&lock);
        objects.erase(window);
        ReleaseSRWLockExclusive(&lock);
    }

private:
    SRWLOCK lock = SRWLOCK_INIT;
    std::unordered_map<HWND, CWnd*> objects;
};

CSubclassMap subclassed;
// The object whose window this thread is creating, until its window's first message binds them.
thread_local CWnd* creating = nullptr;

bool IsControlColourRequest(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

} // namespace

const CMessageTable CCmdTarget::messageTable{nullptr};

CWnd::~CWnd() {
    Unsubclass();
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
    return window ? subclassed.Find(window) : nullptr;
}

bool CWnd::SubclassWindow(HWND window) {
    if (!window || FromHandlePermanent(window)) {
        return false;
    }
    Bind(window, reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                     window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProcedure))));
    return true;
}

void CWnd::Bind(HWND window, WNDPROC procedure) {
    hwnd = window;
    subclassed.Add(window, this);
    ownProcedure = procedure;
}

bool CWnd::CreateOwnWindow(const OwnWindowClass& windowClass, DWORD extendedStyle,
                           const char* title, DWORD style, const RECT& frame, HWND owner) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA registered{};
    registered.cbSize = sizeof registered;
    if (!GetClassInfoExA(instance, windowClass.name, &registered)) {
        registered.lpfnWndProc = &OwnWindowProcedure;
        registered.hInstance = instance;
        registered.hIcon = windowClass.icon;
        registered.hIconSm = windowClass.smallIcon;
        registered.hCursor = windowClass.cursor;
        registered.hbrBackground = windowClass.background;
        registered.lpszClassName = windowClass.name;
        if (!RegisterClassExA(&registered)) {
            return false;
        }
    }
    creating = this;
    const HWND window = CreateWindowExA(
        extendedStyle, windowClass.name, title, style, frame.left, frame.top,
        frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, instance, nullptr);
    creating = nullptr;
    return window != nullptr;
}

void CWnd::Unsubclass() {
    if (hwnd && ownProcedure) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ownProcedure));
        subclassed.Remove(hwnd);
    }
    ownProcedure = nullptr;
    hwnd = nullptr;
    children.clear();
}

HWND CWnd::GetDlgItem(UINT id) const {
    const auto known = children.find(id);
    if (known != children.end() && IsWindow(known->second) && GetParent(known->second) == hwnd) {
        return known->second;
    }
    const HWND child = ::GetDlgItem(hwnd, id);
    if (child) {
        children[id] = child;
    }
    return child;
}

void CWnd::BindToDlgItem(HWND parent, UINT id) {
    // Bound once per window: asking the dialog for its control each time costs a round trip.
    if (hwnd && IsWindow(hwnd) && GetParent(hwnd) == parent &&
        static_cast<UINT>(GetDlgCtrlID(hwnd)) == id) {
        return;
    }
    const HWND control = ::GetDlgItem(parent, id);
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

LRESULT CWnd::Default() {
    return CallWindowProcA(ownProcedure, hwnd, current.number, current.wParam, current.lParam);
}

LRESULT CALLBACK CWnd::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandlePermanent(window);
    return self ? self->Dispatch(message, wParam, lParam)
                : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::OwnWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandlePermanent(window);
    if (!self && creating) {
        self = std::exchange(creating, nullptr);
        self->Bind(window, &DefWindowProcA);
    }
    return self ? self->Dispatch(message, wParam, lParam)
                : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    const Message outer = current;
    current = Message{message, wParam, lParam};
    const LRESULT result = WindowProc(message, wParam, lParam);
    current = outer;
    if (message == WM_NCDESTROY) {
        Unsubclass();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        return HandleCommand(wParam, lParam) ? 0 : Default();
    }
    if (message == WM_NOTIFY && notificationsLocked) {
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
    if (lParam != 0 && notificationsLocked) {
        return true; // caused by the program's own writes to its fields
    }
    if (const MessageEntry* entry = GetMessageTable()->Find(WM_COMMAND, wParam)) {
        entry->thunk(*this, WM_COMMAND, wParam, lParam);
        return true;
    }
    return false;
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
