// How soon the lens shows once sampling is asked for, by "Snap" and by the shortcut, both with
// real X input. A figure that cannot be measured ends the benchmark with a message.
#pragma once

#include <windows.h>

struct LensStartTimes {
    double snapMs;     // median: from the button's release over "Snap" to the lens drawn
    double shortcutMs; // median: from the shortcut's key press to the same
};

// `runs` of each, taken in turn, in the picker whose main window is `window`.
LensStartTimes LensStartMilliseconds(HWND window, int runs);
