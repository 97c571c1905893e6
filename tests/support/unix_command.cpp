#include "unix_command.h"

#include "message_pump.h"

#include <atomic>
#include <fstream>
#include <vector>

namespace testing_support {

// Wine maps the Unix root to drive Z:.
std::string WindowsPathOf(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

std::string UniqueTemporaryFile(const std::string& suffix) {
    static std::atomic<int> serial{0};
    return "/tmp/prismel-test-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++serial) + suffix;
}

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::optional<int> RunUnixCommand(const std::string& shellCommand, DWORD timeoutMs) {
    const std::string status = UniqueTemporaryFile(".status");
    const std::string script =
        "(" + shellCommand + "); echo $? >" + status + ".part && mv " + status + ".part " + status;
    // Windows command-line quoting: one argument for sh -c, with any '"' escaped.
    std::string commandLine = "/bin/sh -c \"";
    for (char c : script) {
        if (c == '"' || c == '\\') {
            commandLine += '\\';
        }
        commandLine += c;
    }
    commandLine += '"';

    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return std::nullopt;
    }
    // For a Unix program Wine reports success but hands back no process or thread: the
    // "handles" are stray numbers, at times equal to handles this program holds (closing one
    // closed the cached registry root that the shell looks up associations under). Only a
    // handle that really is the started process or thread is closed.
    if (info.dwProcessId != 0 && GetProcessId(info.hProcess) == info.dwProcessId) {
        CloseHandle(info.hProcess);
    }
    if (info.dwThreadId != 0 && GetThreadId(info.hThread) == info.dwThreadId) {
        CloseHandle(info.hThread);
    }

    const std::string statusFile = WindowsPathOf(status);
    std::optional<int> result;
    PumpUntil(
        [&] {
            std::ifstream in(statusFile);
            int code = 0;
            if (in >> code) {
                result = code;
            }
            return result.has_value();
        },
        timeoutMs);
    DeleteFileA(statusFile.c_str());
    return result;
}

} // namespace testing_support
