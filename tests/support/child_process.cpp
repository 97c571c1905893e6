#include "child_process.h"

#include "message_pump.h"

#include <vector>

namespace testing_support {
namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && IsWindowVisible(window) &&
        (!search->className || std::string(className) == search->className)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

ChildProcess::ChildProcess(const std::string& commandLine, const std::string& currentFolder) {
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
    }
}

ChildProcess::~ChildProcess() {
    Terminate();
    if (process_) {
        CloseHandle(process_);
    }
}

std::optional<DWORD> ChildProcess::WaitForExit(DWORD timeoutMs) {
    if (!process_ || !WaitPumping(process_, timeoutMs)) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

HWND ChildProcess::WaitForWindow(DWORD timeoutMs, const char* className) const {
    HWND found = nullptr;
    PumpUntil([&] { return (found = VisibleWindow(className)) != nullptr; }, timeoutMs);
    return found;
}

HWND ChildProcess::VisibleWindow(const char* className) const {
    return VisibleWindowOfProcess(id_, className);
}

HWND VisibleWindowOfProcess(DWORD processId, const char* className) {
    WindowSearch search{processId, className, nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void ChildProcess::Terminate() {
    if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
}

std::optional<DWORD> RunToEnd(const std::string& commandLine, DWORD timeoutMs) {
    ChildProcess child(commandLine);
    return child.WaitForExit(timeoutMs);
}

} // namespace testing_support
