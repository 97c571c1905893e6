// A thread of its own for the windows under test, so that the test's thread can drive them the
// way a user does (real input, other programs' messages) while they run their modal loops.
#pragma once

#include <windows.h>

#include <functional>
#include <thread>

namespace testing_support {

class UiThread {
public:
    // Starts the thread and runs `body` on it (typically a modal run).
    explicit UiThread(std::function<void()> body);
    // Waits for `body` to end; the test must have ended it.
    ~UiThread();
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    // Runs `action` on the UI thread and waits for it; the thread's loops serve it.
    void Invoke(const std::function<void()>& action);
    bool WaitForEnd(DWORD timeoutMs);
    DWORD Id() const { return threadId_; }

private:
    HWND invoker_ = nullptr;
    HANDLE done_;
    DWORD threadId_ = 0;
    std::thread thread_;
};

} // namespace testing_support
