#include "clipboard_writer.h"

#include "handle_owner.h"

#include <cstring>
#include <string>
#include <utility>

using framework::UniqueGlobalMemory;

namespace {

// The clipboard as opened by one window, closed again when this goes.
class OpenClipboardSession {
public:
    explicit OpenClipboardSession(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardSession() {
        if (open_) {
            CloseClipboard();
        }
    }
    OpenClipboardSession(const OpenClipboardSession&) = delete;
    OpenClipboardSession& operator=(const OpenClipboardSession&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

// `size` bytes of movable memory holding `bytes`, as the clipboard wants its data.
UniqueGlobalMemory GlobalCopy(const void* bytes, std::size_t size) {
    UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, size));
    if (memory) {
        void* at = GlobalLock(memory.get());
        if (!at) {
            return {};
        }
        std::memcpy(at, bytes, size);
        GlobalUnlock(memory.get());
    }
    return memory;
}

UniqueGlobalMemory AnsiText(std::string_view text) {
    std::string terminated(text);
    return GlobalCopy(terminated.c_str(), terminated.size() + 1);
}

UniqueGlobalMemory UnicodeText(std::string_view text) {
    const int length = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring converted(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, converted.data(), wide);
    return GlobalCopy(converted.c_str(), (converted.size() + 1) * sizeof(wchar_t));
}

// Hands `memory` to the clipboard; it then belongs to the clipboard, unless it was refused.
bool Place(UINT format, UniqueGlobalMemory memory) {
    if (!memory || !SetClipboardData(format, memory.get())) {
        return false;
    }
    memory.release();
    return true;
}

} // namespace

bool PutTextOnClipboard(HWND owner, std::string_view text) {
    // Both copies are made first, so a failed allocation leaves what the clipboard held.
    UniqueGlobalMemory ansi = AnsiText(text);
    UniqueGlobalMemory unicode = UnicodeText(text);
    if (!ansi || !unicode) {
        return false;
    }
    const OpenClipboardSession clipboard(owner);
    if (!clipboard.IsOpen() || !EmptyClipboard()) {
        return false;
    }
    // Both formats as written here: a program that reads either gets exactly the text.
    const bool placedAnsi = Place(CF_TEXT, std::move(ansi));
    const bool placedUnicode = Place(CF_UNICODETEXT, std::move(unicode));
    return placedAnsi && placedUnicode;
}
