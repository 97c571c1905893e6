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

// The Windows path by which this program reaches the file `unixPath` (Wine's drive Z:).
std::string WindowsPathOf(const std::string& unixPath);

// A name for a temporary file of this test program's own under /tmp, new at each call.
std::string UniqueTemporaryFile(const std::string& suffix);

// `text` quoted for the shell as one word.
std::string ShellQuoted(const std::string& text);

} // namespace testing_support
