// The hourglass for the length of a blocking call; the previous pointer comes back afterwards.
#pragma once

#include <windows.h>

namespace framework {

class BusyPointer {
public:
    BusyPointer() : previous(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~BusyPointer() { SetCursor(previous); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    HCURSOR previous; // shared system shapes: nothing to free
};

} // namespace framework
