#include "about_box/shell_open.h"

#include <shellapi.h>

namespace picker {

INT_PTR ShellOpen(HWND owner, const char* target) {
    using Execute = decltype(&ShellExecuteA);
    static const auto execute = reinterpret_cast<Execute>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("shell32.dll"), "ShellExecuteA")));
    if (!execute) {
        return SE_ERR_DLLNOTFOUND;
    }
    return reinterpret_cast<INT_PTR>(execute(owner, "open", target, nullptr, nullptr, SW_SHOW));
}

} // namespace picker
