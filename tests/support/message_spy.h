// Watches one window's messages from inside the test program: counts them as the window's own
// thread receives them, and may answer some itself before the window's procedure sees them.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <mutex>
#include <optional>

namespace testing_support {

class MessageSpy {
public:
    // An answer of the test's own instead of the window's, or nothing to let the window answer.
    using Override = std::function<std::optional<LRESULT>(UINT message, WPARAM, LPARAM)>;

    // `window` must belong to this process; it is watched until the spy goes.
    explicit MessageSpy(HWND window, Override answer = nullptr);
    ~MessageSpy();
    MessageSpy(const MessageSpy&) = delete;
    MessageSpy& operator=(const MessageSpy&) = delete;

    // How many `message`s the window has received so far.
    int Count(UINT message) const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_;
    Override answer_;
    WNDPROC watched_ = nullptr;
    mutable std::mutex mutex_;
    std::map<UINT, int> counts_;
};

} // namespace testing_support
