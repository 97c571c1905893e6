// The framework's standard help call.
#pragma once

#include <windows.h>

namespace framework {

inline constexpr char kFailedToLaunchHelp[] = "Failed to launch help.";

// Shows the busy pointer while it runs, cancels any capture or tracking in `window`, and asks
// the help viewer to run `command` on the program's help file, owned by the main window.
// "Failed to launch help." when the viewer cannot be started.
void CallHelpViewer(HWND window, DWORD_PTR data, UINT command);

} // namespace framework
