// A Windows program a test starts, ended by its handle when the owner goes. (Linux programs go
// through RunUnixCommand: Wine cannot wait for them.)
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace testing_support {

class ChildProcess {
public:
    // Starts `commandLine`; the first word is the program. It runs in `currentFolder`, or in
    // the test's own when that is empty. Check Started() before use.
    explicit ChildProcess(const std::string& commandLine, const std::string& currentFolder = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    // The exit code once the program has ended within `timeoutMs`, dispatching this thread's
    // messages meanwhile; nothing if it still runs.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs);
    // A visible top-level window of the program (of `className` when one is given) once it
    // shows within `timeoutMs`, dispatching this thread's messages meanwhile; null otherwise.
    HWND WaitForWindow(DWORD timeoutMs, const char* className = nullptr) const;
    // Such a window as things stand, or null.
    HWND VisibleWindow(const char* className = nullptr) const;
    void Terminate();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// A visible top-level window of the process (of `className` when one is given), or null.
HWND VisibleWindowOfProcess(DWORD processId, const char* className = nullptr);

// Runs `commandLine` to its end (at most `timeoutMs`) and returns its exit code, or nothing.
std::optional<DWORD> RunToEnd(const std::string& commandLine, DWORD timeoutMs = 10000);

} // namespace testing_support
