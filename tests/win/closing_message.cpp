#include "closing_message.h"

#include "child_process.h"
#include "handle_owners.h"
#include "message_pump.h"
#include "window_frame.h"

#include <vector>

namespace uninstall_test {
namespace {

using namespace testing_support;

constexpr int kMessageTextId = 0xFFFF;

BOOL CALLBACK CountVisibleButtons(HWND child, LPARAM lParam) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (std::string(className) == "Button" && IsWindowVisible(child)) {
        ++*reinterpret_cast<int*>(lParam);
    }
    return TRUE;
}

BOOL CALLBACK FindIconStatic(HWND child, LPARAM lParam) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (std::string(className) == "Static" &&
        (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HWND*>(lParam) = child;
        return FALSE;
    }
    return TRUE;
}

// The pixels of a rectangle of `dc`, row by row.
std::vector<COLORREF> Pixels(HDC dc, const RECT& area) {
    std::vector<COLORREF> pixels;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            pixels.push_back(GetPixel(dc, x, y));
        }
    }
    return pixels;
}

// A system icon as drawn over `background` in a rectangle of `size`.
std::vector<COLORREF> DrawnIcon(LPCSTR icon, SIZE size, COLORREF background) {
    const ScreenDc screen;
    const CUniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    const CUniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
    const CUniqueBrush brush(CreateSolidBrush(background));
    const Selection drawing(memory.get(), bitmap.get());
    const RECT all{0, 0, size.cx, size.cy};
    FillRect(memory.get(), &all, brush.get());
    DrawIcon(memory.get(), 0, 0, LoadIconA(nullptr, icon));
    return Pixels(memory.get(), all);
}

// The box's icon is compared, pixel for pixel, with the system's warning and information icons
// drawn over the same background; it is read from the screen, as it may not be painted yet.
bool ShowsWarningIcon(HWND box) {
    HWND icon = nullptr;
    EnumChildWindows(box, FindIconStatic, reinterpret_cast<LPARAM>(&icon));
    RECT area{};
    if (!icon || !GetWindowRect(icon, &area) || IsRectEmpty(&area)) {
        return false;
    }
    const SIZE size{area.right - area.left, area.bottom - area.top};
    bool warning = false;
    testing_support::PumpUntil(
        [&] {
            const std::vector<COLORREF> shown = Pixels(ScreenDc().get(), area);
            warning = shown == DrawnIcon(IDI_WARNING, size, shown.front());
            return warning || shown == DrawnIcon(IDI_INFORMATION, size, shown.front());
        },
        2000);
    return warning;
}

} // namespace

UninstallerRun RunUninstaller(const std::string& program, const std::string& currentFolder) {
    UninstallerRun run;
    testing_support::ChildProcess uninstaller("\"" + program + "\"", currentFolder);
    if (!uninstaller.Started()) {
        return run;
    }
    const HWND box = uninstaller.WaitForWindow(10000, "#32770");
    if (box) {
        run.messageShown = true;
        run.caption = testing_support::TextOf(box);
        run.text = testing_support::TextOf(GetDlgItem(box, kMessageTextId));
        EnumChildWindows(box, CountVisibleButtons, reinterpret_cast<LPARAM>(&run.visibleButtons));
        run.warningIcon = ShowsWarningIcon(box);
        SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    }
    run.exitCode = uninstaller.WaitForExit(10000);
    return run;
}

} // namespace uninstall_test
