// Running a Linux program from a Windows test under Wine. Wine starts a native program given by
// its Unix path, but its process handle neither waits for it nor carries its exit code, so the
// command reports its end through a file that the test waits for.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace testing_support {

// Runs `shellCommand` with /bin/sh and returns its exit status, or nothing when it has not ended
// within `timeoutMs`. This thread's messages are dispatched while it runs.
std::optional<int> RunUnixCommand(const std::string& shellCommand, DWORD timeoutMs = 15000);

// `text` quoted for the shell as one word.
std::string ShellQuoted(const std::string& text);

} // namespace testing_support
