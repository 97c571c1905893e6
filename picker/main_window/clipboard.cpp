#include "main_window/clipboard.h"

#include "handle_owner.h"

#include <cstring>
#include <utility>

namespace picker {

using framework::CUniqueGlobalMemory;

namespace {

// The clipboard as opened by one window, closed again when this goes.
class COpenClipboardSession {
public:
    explicit COpenClipboardSession(HWND owner) : open(OpenClipboard(owner) != FALSE) {}
    ~COpenClipboardSession() {
        if (open) {
            CloseClipboard();
        }
    }
    COpenClipboardSession(const COpenClipboardSession&) = delete;
    COpenClipboardSession& operator=(const COpenClipboardSession&) = delete;
    bool IsOpen() const { return open; }

private:
    bool open;
};

// Movable memory of `size` bytes, as the clipboard wants its data, filled by `fill` while
// locked; none when it cannot be had.
template <class Fill> CUniqueGlobalMemory GlobalBlock(std::size_t size, Fill fill) {
    CUniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    void* at = memory ? GlobalLock(memory.get()) : nullptr;
    if (!at) {
        return {};
    }
    fill(at);
    GlobalUnlock(memory.get());
    return memory;
}

// The text and its terminator (the zeroed last byte).
CUniqueGlobalMemory AnsiText(std::string_view text) {
    return GlobalBlock(text.size() + 1,
                       [&](void* at) { std::memcpy(at, text.data(), text.size()); });
}

CUniqueGlobalMemory UnicodeText(std::string_view text) {
    const int length = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    return GlobalBlock((static_cast<std::size_t>(wide) + 1) * sizeof(WCHAR), [&](void* at) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), length, static_cast<WCHAR*>(at), wide);
    });
}

// Hands `memory` to the clipboard; it then belongs to the clipboard, unless it was refused.
bool Place(UINT format, CUniqueGlobalMemory memory) {
    if (!memory || !SetClipboardData(format, memory.get())) {
        return false;
    }
    memory.release();
    return true;
}

} // namespace

bool PutTextOnClipboard(HWND owner, std::string_view text) {
    // Both copies are made first, so a failed allocation leaves what the clipboard held.
    CUniqueGlobalMemory ansi = AnsiText(text);
    CUniqueGlobalMemory unicode = UnicodeText(text);
    if (!ansi || !unicode) {
        return false;
    }
    const COpenClipboardSession clipboard(owner);
    if (!clipboard.IsOpen() || !EmptyClipboard()) {
        return false;
    }
    // Both formats as written here: a program that reads either gets exactly the text.
    const bool placedAnsi = Place(CF_TEXT, std::move(ansi));
    const bool placedUnicode = Place(CF_UNICODETEXT, std::move(unicode));
    return placedAnsi && placedUnicode;
}

std::optional<std::string> TextOnClipboard(HWND owner, std::size_t limit) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        return std::nullopt;
    }
    const COpenClipboardSession clipboard(owner);
    const HANDLE data = clipboard.IsOpen() ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    const auto* wide = data ? static_cast<const WCHAR*>(GlobalLock(data)) : nullptr;
    if (!wide) {
        return std::nullopt;
    }
    // Within the block even where the text lacks its terminator.
    const std::size_t room = GlobalSize(data) / sizeof(WCHAR);
    std::optional<std::string> text{std::string()};
    for (std::size_t at = 0; at < room && wide[at] != L'\0'; ++at) {
        if (text->size() == limit) {
            text.reset();
            break;
        }
        text->push_back(wide[at] < 0x80 ? static_cast<char>(wide[at]) : '\x7F');
    }
    GlobalUnlock(data);
    return text;
}

} // namespace picker
