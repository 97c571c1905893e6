// Replacing one of the system's standard cursors for every window on the desktop.
#pragma once

#include "handle_owner.h"

namespace picker {

inline constexpr DWORD kNormalArrowCursor = 32512; // OCR_NORMAL

// Installs `cursor` as the system cursor `id`. The platform owns an installed cursor from then
// on; one it refused is destroyed here.
void InstallSystemCursor(framework::CUniqueCursor cursor, DWORD id);

// Puts the standard arrow back as the normal pointer from `savedArrow`, a private copy of it.
// The platform takes over whatever it installs, so each restore hands over a new copy and the
// private one stays valid for the next.
void RestoreArrow(HCURSOR savedArrow);

// The platform call, replaceable by a test: Wine's SetSystemCursor changes nothing, so a test
// records what the picker hands over instead (and must then own it, as the platform would).
using SystemCursorSetter = BOOL(WINAPI*)(HCURSOR cursor, DWORD id);
extern SystemCursorSetter setSystemCursor;

} // namespace picker
