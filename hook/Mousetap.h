// Mousetap: a system-wide mouse hook that swallows all mouse input and reports each left-button
// release, with its screen position, to one window.
#pragma once

#include <windows.h>

// Sent synchronously to the target window for every left-button release (client or non-client
// area) while the hook is installed. wParam: x, lParam: y, in physical screen pixels (those of a
// per-monitor aware program, whatever the awareness of the program under the pointer), signed
// 32-bit; read them with PickPointCoordinate, never as unsigned words. A report the target has
// not taken within half a second goes no further: that release and every mouse message after it
// reach their windows, as with no hook, until the target answers again.
#define WM_PICK_POINT (WM_APP + 8)

#ifdef __cplusplus
extern "C" {
#endif

// Makes `target` the window that receives WM_PICK_POINT, for every process. Returns 8.
LONG WINAPI InitHooksDll(HWND target);

// A non-zero `install` installs the hook for all threads of the desktop, first removing one this
// process installed before; zero removes it, if any. `unused` is ignored. Returns 1.
LONG WINAPI InstallFilter(DWORD unused, BOOL install);

#ifdef __cplusplus
}

// A coordinate travels sign-extended and is read back from its low 32 bits, so a position left
// of or above the primary display stays negative whichever bitness sends or receives it.
inline WPARAM PickPointParam(LONG coordinate) {
    return static_cast<WPARAM>(static_cast<LONG_PTR>(coordinate));
}
inline LONG PickPointCoordinate(WPARAM param) {
    return static_cast<LONG>(static_cast<INT32>(static_cast<UINT32>(param)));
}
#endif
