// Finding the message boxes a program shows, reading them and answering them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace testing_support {

struct MessageBoxSeen {
    HWND window;
    std::string caption;
    std::string text;
    HWND owner;
    HICON icon; // compare with LoadIcon(nullptr, IDI_WARNING) or IDI_ERROR
};

// The first visible message box (class "#32770") with `caption`, within `timeoutMs`.
std::optional<MessageBoxSeen> WaitForMessageBox(const std::string& caption, DWORD timeoutMs = 5000);

// Presses its OK button and waits for it to go.
bool DismissMessageBox(const MessageBoxSeen& box);

// True if no box with `caption` shows up within `milliseconds`.
bool NoMessageBoxFor(const std::string& caption, DWORD milliseconds);

} // namespace testing_support
