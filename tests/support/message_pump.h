// Waiting in a Windows test without starving the test's own windows: a window of this thread
// may be the target of another process's synchronous send while the test waits.
#pragma once

#include <windows.h>

#include <functional>

namespace testing_support {

// Dispatches this thread's messages until `done` holds or `timeoutMs` passes; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

// Dispatches this thread's messages for `milliseconds`.
void PumpFor(DWORD milliseconds);

// Waits for `handle` to be signalled while dispatching messages; false on timeout.
bool WaitPumping(HANDLE handle, DWORD timeoutMs);

} // namespace testing_support
