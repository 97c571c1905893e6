// How soon the lens answers real X input: how soon it shows once sampling is asked for, by
// "Snap" and by the shortcut, and how soon it follows the pointer moved by hand. A figure that
// cannot be measured ends the benchmark with a message.
#pragma once

#include <windows.h>

struct LensStartTimes {
    double snapMs;     // median: from the button's release over "Snap" to the lens drawn
    double shortcutMs; // median: from the shortcut's key press to the same
};

// `runs` of each, taken in turn, in the picker whose main window is `window`.
LensStartTimes LensStartMilliseconds(HWND window, int runs);

struct LensLatency {
    double p95;
    double median;
};

// Milliseconds from a real pointer move, as it enters the system, to the lens beside the new
// point showing its neighbourhood, over `moves` moves, in the picker whose main window is
// `window`, sampling meanwhile.
LensLatency LensLatencyMilliseconds(HWND window, int moves);
