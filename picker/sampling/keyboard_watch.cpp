#include "sampling/keyboard_watch.h"

#include "rules/sampling_keys.h"

#include <utility>

namespace picker {
namespace {

// How often the thread asks whether the main window answers.
constexpr UINT kProbeEveryMs = 100;
// How long starting may wait for the thread to have its hook in place.
constexpr DWORD kStartBoundMs = 2000;

// The watch of this thread: the hook procedure has no other way to find it.
thread_local CKeyboardWatch* watchOfThread = nullptr;

KeyFocus FocusFor(HWND target, DWORD targetThread) {
    const HWND foreground = GetForegroundWindow();
    if (!foreground || GetWindowThreadProcessId(foreground, nullptr) != targetThread) {
        return KeyFocus::OtherProgram;
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const bool known = GetGUIThreadInfo(targetThread, &info) != FALSE;
    // A menu open in Tintview (its copy menu, its window menu) keeps its keys.
    if (known && ((info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) ||
                  info.hwndMenuOwner)) {
        return KeyFocus::PickerOtherWindow;
    }
    const HWND focus = known && info.hwndFocus ? info.hwndFocus : foreground;
    if (focus == target) {
        return KeyFocus::PickerWindow;
    }
    if (GetParent(focus) != target) {
        return KeyFocus::PickerOtherWindow;
    }
    char className[16] = "";
    GetClassNameA(focus, className, sizeof className);
    return lstrcmpiA(className, "Button") == 0 ? KeyFocus::PickerWindow : KeyFocus::PickerField;
}

} // namespace

CKeyboardWatch::CKeyboardWatch(HWND window)
    : target(window), targetThread(GetWindowThreadProcessId(window, nullptr)), probe(window) {
    ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread = CreateThread(nullptr, 0, &Run, this, 0, &threadId);
    if (thread && ready) {
        WaitForSingleObject(ready, kStartBoundMs);
    }
}

CKeyboardWatch::~CKeyboardWatch() {
    Stop();
    if (thread) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    if (ready) {
        CloseHandle(ready);
    }
}

void CKeyboardWatch::Stop() {
    stopping = true;
    if (threadId) {
        PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    }
}

DWORD WINAPI CKeyboardWatch::Run(LPVOID parameter) {
    auto* self = static_cast<CKeyboardWatch*>(parameter);
    watchOfThread = self;
    // A thread's queue exists once it asks for a message: made before anyone posts to it.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    const HHOOK hook =
        SetWindowsHookExA(WH_KEYBOARD_LL, &KeyboardProcedure, GetModuleHandleA(nullptr), 0);
    self->hooked = hook != nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, kProbeEveryMs, nullptr);
    if (self->ready) {
        SetEvent(self->ready);
    }
    while (!self->stopping && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) {
            self->probe.Ask();
            continue;
        }
        DispatchMessageA(&message);
    }
    KillTimer(nullptr, timer);
    if (hook) {
        UnhookWindowsHookEx(hook);
    }
    self->hooked = false;
    watchOfThread = nullptr;
    return 0;
}

LRESULT CALLBACK CKeyboardWatch::KeyboardProcedure(int code, WPARAM message, LPARAM record) {
    CKeyboardWatch* self = watchOfThread;
    if (code == HC_ACTION && self &&
        self->TakesKey(message, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(record))) {
        return 1; // taken: the program with the focus never sees it
    }
    return CallNextHookEx(nullptr, code, message, record);
}

bool CKeyboardWatch::TakesKey(WPARAM message, const KBDLLHOOKSTRUCT& key) {
    const unsigned virtualKey = key.vkCode & 0xFF;
    const bool press = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    // Shift as this hook sees it: the system's own state of the key may not have caught up with
    // a Shift pressed a moment before the key it modifies.
    if (virtualKey == VK_SHIFT || virtualKey == VK_LSHIFT || virtualKey == VK_RSHIFT) {
        shiftDown = press;
        return false;
    }
    if (!press) {
        // The release of a key whose press was taken is taken too, so that no program sees a
        // release without its press; every other release passes.
        return std::exchange(taken[virtualKey], false);
    }
    // A key pressed while the main window is stuck passes on; so does one with Ctrl, Alt or
    // the Windows key held (the program's own shortcuts).
    if (stopping || probe.Stuck() || (key.flags & LLKHF_ALTDOWN) ||
        (GetAsyncKeyState(VK_CONTROL) < 0) || GetAsyncKeyState(VK_LWIN) < 0 ||
        GetAsyncKeyState(VK_RWIN) < 0) {
        return false;
    }
    const SamplingKey role = RoleOfKey(virtualKey, FocusFor(target, targetThread));
    if (role == SamplingKey::None) {
        return false;
    }
    const bool shift = shiftDown || GetAsyncKeyState(VK_SHIFT) < 0;
    PostMessageA(target, WM_SAMPLING_KEY, static_cast<WPARAM>(role), shift ? 1 : 0);
    taken[virtualKey] = true;
    return true;
}

} // namespace picker
