// A thread of another process held suspended, as a debugger holds it, and resumed at the latest
// when this goes: a failing check never leaves the picker frozen.
#pragma once

#include "handle_owners.h"

#include <windows.h>

namespace testing_support {

class SuspendedThread {
public:
    explicit SuspendedThread(DWORD id) : thread_(OpenThread(THREAD_SUSPEND_RESUME, FALSE, id)) {
        suspended_ = thread_ && SuspendThread(thread_.get()) != static_cast<DWORD>(-1);
    }
    ~SuspendedThread() { Resume(); }
    SuspendedThread(const SuspendedThread&) = delete;
    SuspendedThread& operator=(const SuspendedThread&) = delete;

    bool Suspended() const { return suspended_; }
    void Resume() {
        if (suspended_) {
            ResumeThread(thread_.get());
            suspended_ = false;
        }
    }

private:
    CUniqueKernelObject thread_;
    bool suspended_ = false;
};

} // namespace testing_support
