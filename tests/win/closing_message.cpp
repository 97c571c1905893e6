#include "closing_message.h"

#include "child_process.h"
#include "message_pump.h"

#include <vector>

namespace uninstall_test {
namespace {

constexpr int kMessageTextId = 0xFFFF;

struct Search {
    DWORD processId;
    HWND box;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && std::string(className) == "#32770" &&
        IsWindowVisible(window)) {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CountVisibleButtons(HWND child, LPARAM lParam) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (std::string(className) == "Button" && IsWindowVisible(child)) {
        ++*reinterpret_cast<int*>(lParam);
    }
    return TRUE;
}

std::string TextOf(HWND window) {
    char text[512] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

} // namespace

UninstallerRun RunUninstaller(const std::string& program, const std::string& currentFolder) {
    UninstallerRun run;
    testing_support::ChildProcess uninstaller("\"" + program + "\"", currentFolder);
    if (!uninstaller.Started()) {
        return run;
    }
    Search search{uninstaller.Id(), nullptr};
    testing_support::PumpUntil(
        [&] {
            EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
            return search.box != nullptr;
        },
        10000);
    if (search.box) {
        run.messageShown = true;
        run.caption = TextOf(search.box);
        run.text = TextOf(GetDlgItem(search.box, kMessageTextId));
        EnumChildWindows(search.box, CountVisibleButtons,
                         reinterpret_cast<LPARAM>(&run.visibleButtons));
        SendMessageA(GetDlgItem(search.box, IDOK), BM_CLICK, 0, 0);
    }
    run.exitCode = uninstaller.WaitForExit(10000);
    return run;
}

} // namespace uninstall_test
