// Sampling: "Snap" takes the colour of any pixel on the screen. The mode is the installed mouse
// hook and the replaced arrow; it has no flag of its own. The lens shows the pixels around the
// pointer meanwhile, and the arrow keys move the pointer by one pixel.
#include "picker_dialog.h"

#include "Mousetap.h"
#include "app.h"
#include "lens_geometry.h"
#include "lens_window.h"
#include "resources/resource_ids.h"
#include "screen_pixel.h"
#include "system_cursor.h"

using namespace framework;

namespace {

constexpr LONG kShiftStep = 10;

bool KeyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

} // namespace

void CPickerDialog::OnSnapClicked() {
    InitHooksDll(GetSafeHwnd());
    // Pressed again while sampling (from the keyboard), this replaces the hook rather than
    // adding a second one, so the next release over "Snap" still ends the mode completely.
    InstallFilter(0, TRUE);
    // A cursor of our own (not the shared resource): the platform takes it over.
    picker::InstallSystemCursor(UniqueCursor(static_cast<HCURSOR>(LoadImageA(
                                    CWinApp::ResourceInstance(), MAKEINTRESOURCEA(IDC_DROPPER),
                                    IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE))),
                                picker::kNormalArrowCursor);
    snapButton.SetBitmap(snapActiveBitmap.get());
    if (!lens) {
        lens = std::make_unique<CLensWindow>();
    }
    lens->Start();
}

void CPickerDialog::EndSampling() {
    InstallFilter(0, FALSE);
    RestoreArrowCursor();
    if (lens) {
        lens->Stop();
    }
}

LRESULT CPickerDialog::OnPickPoint(LONG x, LONG y) {
    RECT snap;
    GetWindowRect(snapButton.GetSafeHwnd(), &snap);
    if (x >= snap.left && x < snap.right && y >= snap.top && y < snap.bottom) {
        EndSampling();
        snapButton.SetBitmap(snapBitmap.get());
        return 1;
    }
    // Read through the lens, which knows what it covers; a point no display shows leaves the
    // colour as it was.
    const POINT point{x, y};
    if (const auto colour = lens ? lens->ScreenPixel(point) : picker::ReadScreenPixel(point)) {
        LoadSampledColour(*colour);
    }
    return 1;
}

bool CPickerDialog::PreTranslateMessage(const MSG& message) {
    if (message.message != WM_KEYDOWN || !lens || !lens->Following() ||
        !TakesPointerKeys(message.hwnd)) {
        return false;
    }
    const LONG step = KeyDown(VK_SHIFT) ? kShiftStep : 1;
    switch (message.wParam) {
    case VK_LEFT:
        MovePointerBy(-step, 0);
        return true;
    case VK_RIGHT:
        MovePointerBy(step, 0);
        return true;
    case VK_UP:
        MovePointerBy(0, -step);
        return true;
    case VK_DOWN:
        MovePointerBy(0, step);
        return true;
    default:
        return false;
    }
}

bool CPickerDialog::TakesPointerKeys(HWND focus) const {
    // The fields and the sliders keep their arrow keys.
    return focus == GetSafeHwnd() || focus == snapButton.GetSafeHwnd() ||
           focus == exitButton.GetSafeHwnd() || focus == helpButton.GetSafeHwnd();
}

void CPickerDialog::MovePointerBy(LONG dx, LONG dy) {
    POINT at;
    if (!GetCursorPos(&at)) {
        return;
    }
    POINT to{at.x + dx, at.y + dy};
    // Onto a neighbouring display if there is one, else to the edge of this one.
    if (!MonitorFromPoint(to, MONITOR_DEFAULTTONULL)) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoA(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& edge = monitor.rcMonitor;
        const picker::LensPoint onto =
            picker::ClampOnto(picker::LensPoint{to.x, to.y},
                              picker::LensRect{edge.left, edge.top, edge.right, edge.bottom});
        to = POINT{onto.x, onto.y};
    }
    SetCursorPos(to.x, to.y);
    lens->Update();
}
