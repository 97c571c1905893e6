// Whether a window of another thread still answers, asked without ever waiting on it: the
// threads that must go on while the main window's is stuck (the keyboard watch, the lens) ask
// it this way. A question left unanswered for half a second, the mouse hook's bound
// (hook/mousetap.cpp), counts the window as stuck until it answers again, so that mouse,
// keyboard and lens come free together.
#pragma once

#include <windows.h>

namespace picker {

class CAnswerProbe {
public:
    static constexpr DWORD kAnswerBoundMs = 500;
    // A window that answers is asked again about ten times a second (a little under 100 ms, so
    // that a caller's timer of 100 ms asks at each tick).
    static constexpr DWORD kAskEveryMs = 90;

    explicit CAnswerProbe(HWND window) : target(window) {}
    CAnswerProbe(const CAnswerProbe&) = delete;
    CAnswerProbe& operator=(const CAnswerProbe&) = delete;

    // Called often from the asking thread, which must retrieve its messages (the answer comes as
    // a callback there): asks again when the last question was answered long enough ago, and
    // counts the window stuck when one has waited too long.
    void Ask();
    bool Stuck() const { return stuck; }

private:
    static void CALLBACK Answered(HWND, UINT, ULONG_PTR self, LRESULT);

    HWND target;
    bool asking = false;
    DWORD askedAt = 0;
    bool stuck = false;
};

} // namespace picker
