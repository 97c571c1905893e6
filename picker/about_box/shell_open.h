// Asking the desktop shell to open something with the user's handler for it.
#pragma once

#include <windows.h>

namespace picker {

// ShellExecuteA(owner, "open", target, no parameters, no folder, SW_SHOW): its result, above 32
// on success. The shell library is loaded on the first call: most runs never open a link, and
// loading it with the program costs every start its time and memory.
INT_PTR ShellOpen(HWND owner, const char* target);

} // namespace picker
