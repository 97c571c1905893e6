// The hourglass for the length of a blocking call; the previous pointer comes back afterwards.
#pragma once

#include <windows.h>

namespace framework {

class CBusyPointer {
public:
    CBusyPointer() : previous(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~CBusyPointer() { SetCursor(previous); }
    CBusyPointer(const CBusyPointer&) = delete;
    CBusyPointer& operator=(const CBusyPointer&) = delete;

private:
    HCURSOR previous; // shared system shapes: nothing to free
};

} // namespace framework
