#include "help_window/help_text.h"

#include <richedit.h>

#include <string>

namespace picker {

namespace {

// Version 4.1 and later of the control, on every Windows since XP.
constexpr wchar_t kRichEditClass[] = L"RICHEDIT50W";
// Room between the text and the pane's edges, in pixels.
constexpr int kMargin = 10;

bool RichEditLoaded() {
    static const bool loaded = [] {
        char folder[MAX_PATH];
        const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
        // By its full path: never a library of that name in the program's own folder. Kept for
        // the process: windows of its class may exist until the end.
        return length > 0 && length < MAX_PATH &&
               LoadLibraryA((std::string(folder) + "\\msftedit.dll").c_str()) != nullptr;
    }();
    return loaded;
}

struct StreamSource {
    const std::string* text;
    std::size_t read;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    const std::size_t left = source->text->size() - source->read;
    const std::size_t count = left < static_cast<std::size_t>(wanted) ? left : wanted;
    source->text->copy(reinterpret_cast<char*>(buffer), count, source->read);
    source->read += count;
    *given = static_cast<LONG>(count);
    return 0;
}

} // namespace

bool CHelpText::Create(HWND parent, UINT id) {
    if (!RichEditLoaded()) {
        return false;
    }
    window = CreateWindowExW(WS_EX_CLIENTEDGE, kRichEditClass, L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE |
                                 ES_READONLY | ES_AUTOVSCROLL,
                             0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                             GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        return false;
    }
    SendMessageW(window, EM_SETEVENTMASK, 0, ENM_LINK);
    return true;
}

void CHelpText::Place(const RECT& area) {
    MoveWindow(window, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
    RECT client{};
    GetClientRect(window, &client);
    RECT inset{client.left + kMargin, client.top + kMargin / 2, client.right - kMargin,
               client.bottom};
    if (inset.right > inset.left && inset.bottom > inset.top) {
        SendMessageW(window, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&inset));
    }
}

void CHelpText::Show(const picker::HelpPage& shown) {
    page = &shown;
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    StreamSource source{&shown.rtf, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, &ReadStream};
    SendMessageW(window, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    // Rich text has no word for a link: the jumps' places get it here.
    CHARFORMAT2W link{};
    link.cbSize = sizeof link;
    link.dwMask = CFM_LINK;
    link.dwEffects = CFE_LINK;
    for (const picker::HelpJump& jump : shown.jumps) {
        Select(jump.start, jump.start + jump.length);
        SendMessageW(window, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&link));
    }
    Select(0, 0);
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    ScrollTo(POINT{0, 0});
    InvalidateRect(window, nullptr, TRUE);
}

POINT CHelpText::ScrollPosition() const {
    POINT position{};
    SendMessageW(window, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&position));
    return position;
}

void CHelpText::ScrollTo(POINT position) {
    // In pixels: lines differ in height, and scrolling by lines is not exact everywhere.
    SendMessageW(window, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&position));
}

CHARRANGE CHelpText::Selection() const {
    CHARRANGE range{};
    SendMessageW(window, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

void CHelpText::Select(std::size_t start, std::size_t end) {
    CHARRANGE range{static_cast<LONG>(start), static_cast<LONG>(end)};
    SendMessageW(window, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

const picker::HelpJump* CHelpText::SelectedJump() const {
    const CHARRANGE range = Selection();
    const picker::HelpJump* jump =
        page && range.cpMin >= 0 ? picker::JumpAt(*page, static_cast<std::size_t>(range.cpMin))
                                 : nullptr;
    return jump && static_cast<LONG>(jump->start) == range.cpMin &&
                   static_cast<LONG>(jump->start + jump->length) == range.cpMax
               ? jump
               : nullptr;
}

bool CHelpText::SelectNextJump(bool forward) {
    const CHARRANGE range = Selection();
    if (!page || range.cpMin < 0) {
        return false;
    }
    const picker::HelpJump* next = picker::NextJump(*page, static_cast<std::size_t>(range.cpMin),
                                                    static_cast<std::size_t>(range.cpMax), forward);
    if (!next) {
        return false;
    }
    Select(next->start, next->start + next->length);
    SendMessageW(window, EM_SCROLLCARET, 0, 0);
    return true;
}

bool CHelpText::SelectEdgeJump(bool forward) {
    if (!page || page->jumps.empty()) {
        return false;
    }
    const picker::HelpJump& edge = forward ? page->jumps.front() : page->jumps.back();
    Select(edge.start, edge.start + edge.length);
    SendMessageW(window, EM_SCROLLCARET, 0, 0);
    return true;
}

} // namespace picker
