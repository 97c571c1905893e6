// Sampling changes the whole desktop: a system-wide hook swallows the mouse and the arrow is
// replaced. If Tintview dies while sampling, this ends the session before it goes.
#pragma once

namespace picker {

class CCrashGuard {
public:
    CCrashGuard();
    ~CCrashGuard();
    CCrashGuard(const CCrashGuard&) = delete;
    CCrashGuard& operator=(const CCrashGuard&) = delete;
};

} // namespace picker
