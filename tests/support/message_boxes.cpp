#include "message_boxes.h"

#include "message_pump.h"
#include "window_frame.h"

namespace testing_support {
namespace {

HWND FindBox(const std::string& caption) {
    HWND found = nullptr;
    while ((found = FindWindowExA(nullptr, found, "#32770", caption.c_str()))) {
        if (IsWindowVisible(found) && GetDlgItem(found, 0xFFFF)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

std::optional<MessageBoxSeen> WaitForMessageBox(const std::string& caption, DWORD timeoutMs) {
    HWND box = nullptr;
    PumpUntil([&] { return (box = FindBox(caption)) != nullptr; }, timeoutMs);
    if (!box) {
        return std::nullopt;
    }
    // The icon is a static control showing one of the system's shared icons.
    HICON icon = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child && !icon;
         child = GetWindow(child, GW_HWNDNEXT)) {
        icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    }
    return MessageBoxSeen{box, caption, TextOf(GetDlgItem(box, 0xFFFF)), GetWindow(box, GW_OWNER),
                          icon};
}

bool DismissMessageBox(const MessageBoxSeen& box) {
    SendMessageA(GetDlgItem(box.window, IDOK), BM_CLICK, 0, 0);
    return PumpUntil([&] { return !IsWindow(box.window); }, 5000);
}

bool NoMessageBoxFor(const std::string& caption, DWORD milliseconds) {
    return !WaitForMessageBox(caption, milliseconds).has_value();
}

} // namespace testing_support
