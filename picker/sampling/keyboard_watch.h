// While sampling, sampling's keys (rules/sampling_keys.h) are taken wherever the keyboard focus
// is. A system-wide keyboard hook swallows them and posts each to the main window. It runs on a
// thread of its own, so it answers every key at once whatever the main window's thread is
// doing: a hook that keeps a key waiting holds the whole desktop's keyboard (and on Windows is
// removed without notice). Once the main window has left a question unanswered for half a
// second, as the mouse hook's rule has it, every key passes on as with no picker, until it
// answers again.
#pragma once

#include "sampling/answer_probe.h"

#include <windows.h>

#include <atomic>

namespace picker {

// Posted to the main window for each key sampling takes: wParam the SamplingKey, lParam 1 when
// Shift was down.
inline constexpr UINT WM_SAMPLING_KEY = WM_APP + 9;

class CKeyboardWatch {
public:
    // Watches the keyboard for `target`, the main window, from now on (ready when this returns).
    explicit CKeyboardWatch(HWND target);
    // Stops and waits for the thread, which never waits on anything of the main window's.
    ~CKeyboardWatch();
    CKeyboardWatch(const CKeyboardWatch&) = delete;
    CKeyboardWatch& operator=(const CKeyboardWatch&) = delete;

    // From any thread, waiting on none: every key passes on from now on, and the thread ends.
    void Stop();
    // Whether the hook is in place (the platform may refuse one).
    bool Watching() const { return hooked; }

private:
    static DWORD WINAPI Run(LPVOID self);
    static LRESULT CALLBACK KeyboardProcedure(int code, WPARAM message, LPARAM record);
    bool TakesKey(WPARAM message, const KBDLLHOOKSTRUCT& key);

    HWND target;
    DWORD targetThread;
    HANDLE thread = nullptr;
    DWORD threadId = 0;
    HANDLE ready = nullptr;
    std::atomic<bool> stopping{false};
    std::atomic<bool> hooked{false};
    // The watch thread's own: the keys whose press it took, whose release it takes too.
    bool taken[256] = {};
    bool shiftDown = false;
    CAnswerProbe probe;
};

} // namespace picker
