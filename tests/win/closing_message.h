// Runs an uninstaller as the user would and answers its closing message: the box is found among
// the program's own windows, read, and dismissed with its OK button.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace uninstall_test {

struct UninstallerRun {
    bool messageShown = false;
    std::string caption;
    std::string text;
    int visibleButtons = 0;
    bool warningIcon = false;      // the exclamation mark, as drawn on the screen
    std::optional<DWORD> exitCode; // nothing when it did not end after the box was dismissed
};

UninstallerRun RunUninstaller(const std::string& program, const std::string& currentFolder);

} // namespace uninstall_test
