// Points on a top-level window's frame where a user clicks, in screen coordinates.
#pragma once

#include <windows.h>

namespace testing_support {

// The middle of the title bar, clear of its buttons.
POINT TitleBarOf(HWND window);
// A point on the close box.
POINT CloseBoxOf(HWND window);

} // namespace testing_support
