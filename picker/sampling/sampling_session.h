// Sampling: while a session lives, every left-button release on the desktop takes the colour
// under the pointer. Making one changes the desktop for it: the mouse hook reports to the main
// window, the dropper replaces the arrow everywhere, "Snap" shows its active picture and the lens
// follows the pointer. Destroying it undoes all of that. The main window holds one only while
// sampling.
#pragma once

#include "rules/sampling_keys.h"
#include "sampling/keyboard_watch.h"
#include "sampling/lens_window.h"

#include <windows.h>

#include <atomic>
#include <optional>

namespace picker {

// How a session was started: its picks also go to the clipboard when the shortcut started it.
enum class SamplingStart { BySnap, ByShortcut };

// What a session changes on the desktop, lent by the main window, which outlives its sessions.
struct SamplingDesktop {
    HWND target;           // gets the hook's reports
    HWND snapButton;       // shows which mode is on
    HBITMAP activePicture; // on "Snap" while sampling
    HBITMAP idlePicture;   // on "Snap" otherwise
    HCURSOR savedArrow;    // the private copy the arrow is restored from
    CLensWindow* lens;     // made once, at the first session: it shows only while one lives
};

class CSamplingSession {
public:
    // `held`: the colour the window holds, which the lens gives the contrast against.
    CSamplingSession(const SamplingDesktop& desktop, SamplingStart start, COLORREF held);
    // Removes the hooks, restores the arrow, hides the lens and puts the idle picture back.
    ~CSamplingSession();
    CSamplingSession(const CSamplingSession&) = delete;
    CSamplingSession& operator=(const CSamplingSession&) = delete;

    // The colour a pick at `point` (screen pixels) loads: what the screen shows there without
    // the lens, averaged over the sampled square. Nothing where no display shows the point.
    std::optional<COLORREF> PickAt(POINT point);
    // + and -: the sampled square one size up or down (1 x 1 at the start of each run up to 9 x 9).
    void ChangeSide(bool larger);
    // The window now holds `colour`.
    void Held(COLORREF colour) { lens.SetHeld(colour); }
    // An arrow key moves the pointer by a pixel (by ten with Shift); true when `key` was one.
    bool StepPointer(SamplingKey key, bool shift);
    bool StartedByShortcut() const { return start == SamplingStart::ByShortcut; }

    // Ends the live session, if any, from any thread: the crash path. It waits on no thread,
    // so a stuck one cannot hold the desktop; the process is about to end.
    static void EndFromAnyThread();
    // Puts back what sampling changes on every display: the mouse is its own again and the
    // arrow is the arrow. Harmless when nothing was changed.
    static void FreeMouse(HCURSOR savedArrow);

private:
    // Puts the desktop back, once, whichever way the session ends.
    void Undo();
    void MovePointerBy(LONG dx, LONG dy);

    SamplingDesktop desktop;
    SamplingStart start;
    std::int32_t side = kSmallestSampleSide;
    CLensWindow& lens;
    CKeyboardWatch keyboard;
    std::optional<POINT> lastStep; // where the last keyboard step put the pointer, and when
    POINT lastStepFrom{};
    DWORD lastStepAt = 0;
    std::atomic<bool> undone{false};
    static std::atomic<CSamplingSession*> live;
};

} // namespace picker
