// The library is mapped into every process that receives mouse input while the hook is
// installed, so it carries nothing but the hook: no C or C++ runtime, only KERNEL32 and USER32.
#include "Mousetap.h"

// The one value all processes share. A window handle has 32 significant bits in 32- and 64-bit
// processes alike; it is stored as such and sign-extended back into a handle.
__attribute__((section("SHARDATA"), shared)) volatile UINT32 sharedTargetWindow = 0;

namespace {

// How long a release waits for the picker to take its report. A sample takes about a
// millisecond; a picker that has not answered in half a second is not sampling but stuck (or
// stopped in a debugger), and the desktop must not wait on it any longer than that.
constexpr UINT kReportBoundMs = 500;
// While the picker is silent one probe at a time is outstanding from a process; another goes
// only when it has had no answer for this long (the thread that sent it may have ended).
constexpr DWORD kProbeRetryMs = 1000;

HINSTANCE moduleInstance;
// Only the installing process holds a hook; in every other process this stays null.
HHOOK installedHook;

// Whether the picker answers is each process's own finding, made at its first unanswered
// release: it needs no second shared section, and no process's stale finding holds for all.
// Threads of one process may race on these; the worst outcome is one probe more.
volatile HWND silentTarget; // the target that left a report unanswered, until it answers again
volatile bool probing;      // a probe is outstanding
volatile DWORD probeSentAt;
volatile bool pinned; // this library stays mapped until the process ends

// What newer systems have for physical positions, looked up when first needed so that the
// library still loads where they are missing.
using LogicalToPhysical = BOOL(WINAPI*)(HWND, POINT*);
using CursorPosition = BOOL(WINAPI*)(POINT*);
volatile bool resolved;
LogicalToPhysical logicalToPhysicalPerMonitor; // Windows 8.1 and later
LogicalToPhysical logicalToPhysical;           // Windows Vista and later
CursorPosition physicalCursorPosition;         // Windows Vista and later

template <typename Function> Function Resolve(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

HWND TargetWindow() {
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<INT32>(sharedTargetWindow)));
}

// The release's position in physical screen pixels, the ones the picker reads. The record gives
// it in the terms of the program that gets the message: in one unaware of the display's scale,
// logical pixels, scaled down. The record's own point is converted rather than the pointer taken
// now, which may have moved on while the program was busy before it retrieved the release.
POINT PhysicalPosition(const MOUSEHOOKSTRUCT& mouse) {
    if (!resolved) {
        const HMODULE user32 = GetModuleHandleA("USER32.DLL");
        logicalToPhysicalPerMonitor =
            Resolve<LogicalToPhysical>(user32, "LogicalToPhysicalPointForPerMonitorDPI");
        logicalToPhysical = Resolve<LogicalToPhysical>(user32, "LogicalToPhysicalPoint");
        physicalCursorPosition = Resolve<CursorPosition>(user32, "GetPhysicalCursorPos");
        resolved = true;
    }
    POINT position = mouse.pt;
    // The window's terms are the record's when the hook runs on the window's own thread. It
    // does not for a program of the other bitness, whose hook calls run on the picker's thread.
    const LogicalToPhysical convert =
        logicalToPhysicalPerMonitor ? logicalToPhysicalPerMonitor : logicalToPhysical;
    if (convert && mouse.hwnd &&
        GetWindowThreadProcessId(mouse.hwnd, nullptr) == GetCurrentThreadId() &&
        convert(mouse.hwnd, &position)) {
        return position;
    }
    // Unconvertible (the release lies outside the window it goes to, as under another window's
    // capture): the pointer's physical position, where the release was unless it has moved
    // since. Without either function the system scales nothing, and the record is physical.
    POINT pointer;
    if (physicalCursorPosition && physicalCursorPosition(&pointer)) {
        return pointer;
    }
    return mouse.pt;
}

void CALLBACK ProbeAnswered(HWND target, UINT, ULONG_PTR, LRESULT) {
    if (target == silentTarget) {
        silentTarget = nullptr;
    }
    probing = false;
}

// Asks a silent picker, without waiting, whether it answers again: the answer comes back as a
// callback in this thread's own message retrieval, before the mouse message that follows it.
void Probe(HWND target) {
    const DWORD now = GetTickCount();
    if (probing && now - probeSentAt < kProbeRetryMs) {
        return;
    }
    // The answer may come after the hook has gone; the library then stays mapped in this
    // process, so that the callback always has its code.
    if (!pinned) {
        HMODULE self;
        pinned = GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                        GET_MODULE_HANDLE_EX_FLAG_PIN,
                                    reinterpret_cast<LPCSTR>(&ProbeAnswered), &self);
    }
    if (pinned && SendMessageCallbackA(target, WM_NULL, 0, 0, ProbeAnswered, 0)) {
        probing = true;
        probeSentAt = now;
    }
}

LRESULT CALLBACK MouseHookProcedure(int code, WPARAM message, LPARAM record) {
    const HWND target = TargetWindow();
    // A hook whose window is gone swallows nothing: a picker that was killed before it could
    // remove its hook must not leave the desktop without a mouse.
    if (code < 0 || !IsWindow(target)) {
        return CallNextHookEx(installedHook, code, message, record);
    }
    // Nor does one whose window stopped answering, until it answers again.
    if (target == silentTarget) {
        Probe(target);
        return CallNextHookEx(installedHook, code, message, record);
    }
    if (message == WM_LBUTTONUP || message == WM_NCLBUTTONUP) {
        const POINT position = PhysicalPosition(*reinterpret_cast<const MOUSEHOOKSTRUCT*>(record));
        SetFocus(target);
        DWORD_PTR answer;
        if (!SendMessageTimeoutA(target, WM_PICK_POINT, PickPointParam(position.x),
                                 static_cast<LPARAM>(PickPointParam(position.y)),
                                 SMTO_NORMAL | SMTO_ABORTIFHUNG, kReportBoundMs, &answer)) {
            silentTarget = target;
            probing = false;
            return CallNextHookEx(installedHook, code, message, record);
        }
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
