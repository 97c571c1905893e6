// Real pointer and keyboard input, made by xdotool on the X display that Wine draws on. Points
// are Windows screen coordinates. On Wine's virtual desktop they are given relative to its
// window, so they hold wherever that window sits on the display. Without one (a desktop of
// several displays, which the virtual desktop cannot show), the X root's top-left is the Windows
// virtual screen's, which lies at negative coordinates where a display is left of or above the
// primary.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support::xinput {

// xdotool's words for finding the X window of the prefix's virtual desktop, which is called
// "Prismel" (tests/harness/setup.sh): `xdotool search --name <this>`.
inline constexpr char kDesktopSearch[] = "'^Prismel - Wine desktop$'";

// Whether this prefix runs Wine's virtual desktop (asked once, then remembered).
bool OnVirtualDesktop();
// The Windows screen point at the X root's top-left, without a virtual desktop.
POINT RootOrigin();

// Where the pointer is now, in screen coordinates.
POINT Pointer();

void MoveTo(POINT point);
void Click(POINT point); // move, press and release the left button
void RightClick(POINT point);
void Press(POINT point); // move and press the left button
void Release();          // release the left button where the pointer is
void ClickHere();        // press and release the left button where the pointer is
void Drag(POINT from, POINT to);
void Key(const std::string& keys); // xdotool key names, e.g. "Escape", "alt+F4"
void Type(const std::string& text);

} // namespace testing_support::xinput
