// The framework's messages: modal boxes with one OK button, owned by the main window and
// captioned with the program's name.
#pragma once

#include <string>

namespace framework {

inline constexpr char kResourceUnavailable[] = "A required resource was unavailable.";

// With a warning icon.
void ShowWarning(const std::string& text);
// "A required resource was unavailable." with a stop icon.
void ShowResourceUnavailable();

} // namespace framework
