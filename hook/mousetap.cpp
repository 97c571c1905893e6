// The library is mapped into every process that receives mouse input while the hook is
// installed, so it carries nothing but the hook: no C or C++ runtime, only KERNEL32 and USER32.
#include "Mousetap.h"

// The one value all processes share. A window handle has 32 significant bits in 32- and 64-bit
// processes alike; it is stored as such and sign-extended back into a handle.
__attribute__((section("SHARDATA"), shared)) volatile UINT32 sharedTargetWindow = 0;

namespace {

HINSTANCE moduleInstance;
// Only the installing process holds a hook; in every other process this stays null.
HHOOK installedHook;

HWND TargetWindow() {
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<INT32>(sharedTargetWindow)));
}

LRESULT CALLBACK MouseHookProcedure(int code, WPARAM message, LPARAM record) {
    const HWND target = TargetWindow();
    // A hook whose window is gone swallows nothing: a picker that was killed before it could
    // remove its hook must not leave the desktop without a mouse.
    if (code < 0 || !IsWindow(target)) {
        return CallNextHookEx(installedHook, code, message, record);
    }
    if (message == WM_LBUTTONUP || message == WM_NCLBUTTONUP) {
        const POINT position = reinterpret_cast<const MOUSEHOOKSTRUCT*>(record)->pt;
        SetFocus(target);
        SendMessageA(target, WM_PICK_POINT, PickPointParam(position.x),
                     static_cast<LPARAM>(PickPointParam(position.y)));
    }
    return 1; // handled: the message reaches no window
}

void RemoveHook() {
    if (installedHook) {
        UnhookWindowsHookEx(installedHook);
        installedHook = nullptr;
    }
}

} // namespace

extern "C" BOOL WINAPI MousetapEntry(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        moduleInstance = instance;
    }
    return TRUE;
}

extern "C" LONG WINAPI InitHooksDll(HWND target) {
    sharedTargetWindow = static_cast<UINT32>(reinterpret_cast<ULONG_PTR>(target));
    return 8;
}

extern "C" LONG WINAPI InstallFilter(DWORD, BOOL install) {
    // A second installation replaces the first: a hook whose handle is overwritten could never
    // be removed and would swallow the desktop's mouse until the process ends.
    RemoveHook();
    if (install) {
        installedHook = SetWindowsHookExA(WH_MOUSE, MouseHookProcedure, moduleInstance, 0);
    }
    return 1;
}
