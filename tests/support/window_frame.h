// A window as a user meets it: the points where a user clicks, in screen coordinates, and the
// text it shows.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// The middle of a window (a control, say).
POINT CentreOf(HWND window);
// A window's or control's text, asked of the window itself, so that it works across threads and
// processes.
std::string TextOf(HWND window);

// The middle of the title bar, clear of its buttons.
POINT TitleBarOf(HWND window);
// A point on the close box.
POINT CloseBoxOf(HWND window);

} // namespace testing_support
