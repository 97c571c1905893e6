#include "message_pump.h"

namespace testing_support {
namespace {

void DispatchPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Waits for `handle` (or just time, when null) while messages keep being dispatched.
bool Wait(HANDLE handle, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        DispatchPending();
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) {
            return handle && WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        }
        const DWORD handleCount = handle ? 1 : 0;
        const DWORD woken = MsgWaitForMultipleObjects(handleCount, &handle, FALSE,
                                                      timeoutMs - elapsed, QS_ALLINPUT);
        if (handle && woken == WAIT_OBJECT_0) {
            DispatchPending();
            return true;
        }
    }
}

} // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs) {
            return done();
        }
        Wait(nullptr, 10);
    }
    return true;
}

void PumpFor(DWORD milliseconds) {
    Wait(nullptr, milliseconds);
}

bool WaitPumping(HANDLE handle, DWORD timeoutMs) {
    return Wait(handle, timeoutMs);
}

} // namespace testing_support
