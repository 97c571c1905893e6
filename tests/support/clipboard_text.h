// Putting text on the clipboard, as another program would before the user pastes it.
#pragma once

#include <string>

namespace testing_support {

// Replaces the clipboard's contents with `text` as CF_TEXT; false when the clipboard is busy.
bool PutTextOnClipboard(const std::string& text);

} // namespace testing_support
