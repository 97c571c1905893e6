#include "sampling/sampling_session.h"

#include "Mousetap.h"
#include "app.h"
#include "resources/resource_ids.h"
#include "rules/lens_geometry.h"
#include "sampling/system_cursor.h"

namespace picker {
namespace {

constexpr LONG kShiftStep = 10;
// How long a keyboard step is remembered as where the pointer is.
constexpr DWORD kStepMemoryMs = 250;

framework::CUniqueCursor LoadDropper() {
    // A cursor of our own (not the shared resource): the platform takes it over.
    return framework::CUniqueCursor(static_cast<HCURSOR>(
        LoadImageA(framework::CWinApp::ResourceInstance(), MAKEINTRESOURCEA(IDC_DROPPER),
                   IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
}

// Sent on the button's own thread; posted from any other, which must not wait on it.
void ShowPicture(HWND button, HBITMAP picture) {
    const auto bitmap = reinterpret_cast<LPARAM>(picture);
    if (GetWindowThreadProcessId(button, nullptr) == GetCurrentThreadId()) {
        SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, bitmap);
    } else {
        PostMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, bitmap);
    }
}

} // namespace

std::atomic<CSamplingSession*> CSamplingSession::live{nullptr};

CSamplingSession::CSamplingSession(const SamplingDesktop& lent, SamplingStart how, COLORREF held)
    : desktop(lent), start(how), lens(*lent.lens), keyboard(lent.target) {
    // Each run starts at one pixel, against the colour the window holds now.
    lens.SetSide(side);
    lens.SetHeld(held);
    InitHooksDll(desktop.target);
    InstallFilter(0, TRUE);
    InstallSystemCursor(LoadDropper(), kNormalArrowCursor);
    ShowPicture(desktop.snapButton, desktop.activePicture);
    lens.Start();
    live = this;
}

CSamplingSession::~CSamplingSession() {
    CSamplingSession* self = this;
    live.compare_exchange_strong(self, nullptr);
    Undo();
}

void CSamplingSession::EndFromAnyThread() {
    if (CSamplingSession* session = live.exchange(nullptr)) {
        session->Undo();
    }
}

void CSamplingSession::Undo() {
    if (undone.exchange(true)) {
        return;
    }
    keyboard.Stop();
    FreeMouse(desktop.savedArrow);
    lens.Stop();
    ShowPicture(desktop.snapButton, desktop.idlePicture);
}

void CSamplingSession::FreeMouse(HCURSOR savedArrow) {
    InstallFilter(0, FALSE);
    RestoreArrow(savedArrow);
}

std::optional<COLORREF> CSamplingSession::PickAt(POINT point) {
    // Read through the lens, which knows what it covers; a point no display shows leaves the
    // colour as it was.
    return lens.ScreenAverage(point, side);
}

void CSamplingSession::ChangeSide(bool larger) {
    side = larger ? LargerSampleSide(side) : SmallerSampleSide(side);
    lens.SetSide(side);
}

bool CSamplingSession::StepPointer(SamplingKey key, bool shift) {
    const LONG step = shift ? kShiftStep : 1;
    switch (key) {
    case SamplingKey::Left:
        MovePointerBy(-step, 0);
        return true;
    case SamplingKey::Right:
        MovePointerBy(step, 0);
        return true;
    case SamplingKey::Up:
        MovePointerBy(0, -step);
        return true;
    case SamplingKey::Down:
        MovePointerBy(0, step);
        return true;
    default:
        return false;
    }
}

void CSamplingSession::MovePointerBy(LONG dx, LONG dy) {
    POINT at;
    if (!GetCursorPos(&at)) {
        return;
    }
    // A display server may report the pointer back where the last step started, just after the
    // step (Wine's X11 driver lets another program's thread apply a motion event older than the
    // step): stepping from there would lose that step. Soon after a step, a pointer found exactly
    // where it started counts as where the step put it.
    if (lastStep && GetTickCount() - lastStepAt < kStepMemoryMs && at.x == lastStepFrom.x &&
        at.y == lastStepFrom.y) {
        at = *lastStep;
    }
    POINT to{at.x + dx, at.y + dy};
    // Onto a neighbouring display if there is one, else to the edge of this one.
    if (!MonitorFromPoint(to, MONITOR_DEFAULTTONULL)) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoA(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& edge = monitor.rcMonitor;
        const LensPoint onto = ClampOnto(LensPoint{to.x, to.y},
                                         LensRect{edge.left, edge.top, edge.right, edge.bottom});
        to = POINT{onto.x, onto.y};
    }
    SetCursorPos(to.x, to.y);
    lastStepFrom = at;
    lastStep = to;
    lastStepAt = GetTickCount();
    lens.Update();
}

} // namespace picker
