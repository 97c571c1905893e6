// Text on the clipboard: put there for other programs to paste, and read from it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace picker {

// Replaces the clipboard's contents with `text` (in the ANSI code page) as both CF_TEXT and
// CF_UNICODETEXT, with `owner` as the clipboard's owner. False, with the clipboard untouched,
// when another program holds it open; nothing is shown either way.
bool PutTextOnClipboard(HWND owner, std::string_view text);

// The clipboard's text, read as Unicode with every character beyond ASCII as DEL (0x7F), which
// no colour notation holds. Nothing when it holds no text, when another program holds it open,
// or when the text is longer than `limit` characters.
std::optional<std::string> TextOnClipboard(HWND owner, std::size_t limit);

} // namespace picker
