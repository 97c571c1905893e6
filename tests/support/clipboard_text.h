// Putting text on the clipboard, as another program would before the user pastes it, and
// reading back what a program put there.
#pragma once

#include <optional>
#include <string>

namespace testing_support {

// Replaces the clipboard's contents with `text` as CF_TEXT; false when the clipboard is busy.
bool PutTextOnClipboard(const std::string& text);

// The clipboard's CF_TEXT and CF_UNICODETEXT texts; nothing when the format is not there or
// the clipboard stays busy for a second.
std::optional<std::string> ClipboardText();
std::optional<std::wstring> ClipboardUnicodeText();

} // namespace testing_support
