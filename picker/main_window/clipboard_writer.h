// Putting text on the clipboard for other programs to paste.
#pragma once

#include <windows.h>

#include <string_view>

namespace picker {

// Replaces the clipboard's contents with `text` (in the ANSI code page) as both CF_TEXT and
// CF_UNICODETEXT, with `owner` as the clipboard's owner. False, with the clipboard untouched,
// when another program holds it open; nothing is shown either way.
bool PutTextOnClipboard(HWND owner, std::string_view text);

} // namespace picker
