// Where the benchmark expects the lens: beside the pointer, as the lens places itself away from
// the screen's edges.
#pragma once

#include "rules/lens_geometry.h"

#include <windows.h>

// The lens in its place for `pointer`: to the lower right, away from the screen's edges.
inline bool LensBeside(HWND lens, POINT pointer) {
    RECT at{};
    return IsWindowVisible(lens) && GetWindowRect(lens, &at) &&
           at.left == pointer.x + picker::kLensGap && at.top == pointer.y + picker::kLensGap;
}
