// The hourglass for the length of a blocking call; the previous pointer comes back afterwards.
#pragma once

#include <windows.h>

namespace framework {

class BusyPointer {
public:
    BusyPointer() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~BusyPointer() { SetCursor(previous_); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    HCURSOR previous_; // shared system shapes: nothing to free
};

} // namespace framework
