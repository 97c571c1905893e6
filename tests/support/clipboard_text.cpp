#include "clipboard_text.h"

#include <windows.h>

#include <cstring>

namespace testing_support {

bool PutTextOnClipboard(const std::string& text) {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    EmptyClipboard();
    // The clipboard owns the memory once it takes it.
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    bool placed = false;
    if (memory) {
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        placed = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!placed) {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
    return placed;
}

namespace {

// The terminated text of `format`, read while the clipboard is open for a moment.
template <class Text> std::optional<Text> Read(UINT format) {
    // Another program (Wine's own clipboard bridge, say) may hold it for a moment.
    bool open = false;
    for (int attempt = 0; attempt < 100 && !(open = OpenClipboard(nullptr)); ++attempt) {
        Sleep(10);
    }
    if (!open) {
        return std::nullopt;
    }
    std::optional<Text> text;
    if (const HANDLE data = GetClipboardData(format)) {
        if (const auto* chars = static_cast<const typename Text::value_type*>(GlobalLock(data))) {
            text = Text(chars);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace

std::optional<std::string> ClipboardText() {
    return Read<std::string>(CF_TEXT);
}

std::optional<std::wstring> ClipboardUnicodeText() {
    return Read<std::wstring>(CF_UNICODETEXT);
}

} // namespace testing_support
