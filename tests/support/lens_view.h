// The lens as a test sees it: its window among a process's, and where on the
// screen it shows each magnified pixel.
#pragma once

#include <windows.h>

namespace testing_support {

// The lens window of process `processId`, shown or not; null when none was made.
HWND LensOfProcess(DWORD processId);
// The visible lens window of process `processId`, or null.
HWND VisibleLensOfProcess(DWORD processId);

// The middle of the block in which the lens at `lens` (its window rectangle) shows the pixel
// `dx`, `dy` from the pointer's (each -7 to 7).
POINT LensBlockCentre(const RECT& lens, int dx, int dy);
// A point in the middle of the caption's left part, where only its background shows.
POINT LensCaptionMargin(const RECT& lens);

} // namespace testing_support
