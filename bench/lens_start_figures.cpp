#include "lens_start_figures.h"

#include "Mousetap.h"
#include "lens_beside.h"
#include "lens_view.h"
#include "process_figures.h"
#include "resources/resource_ids.h"
#include "x_input.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace testing_support;

namespace {

[[noreturn]] void CannotMeasure(const std::string& what) {
    std::fprintf(stderr, "cannot measure %s\n", what.c_str());
    std::exit(1);
}

// When the input arrived, by the high-resolution clock: low-level hooks see it as it enters the
// system, before any window does. 0 until then.
std::atomic<double> shortcutPressedAt{0};
std::atomic<double> buttonReleasedAt{0};
// A pointer move to `awaited` (x, y), when it arrives.
std::atomic<LONG> awaitedX{0}, awaitedY{0};
std::atomic<double> pointerArrivedAt{0};

LRESULT CALLBACK OnKey(int code, WPARAM message, LPARAM data) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    if (code == HC_ACTION && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) &&
        key->vkCode == 'C' && shortcutPressedAt == 0) {
        shortcutPressedAt = Seconds();
    }
    return CallNextHookEx(nullptr, code, message, data);
}

LRESULT CALLBACK OnMouse(int code, WPARAM message, LPARAM data) {
    const auto* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
    if (code == HC_ACTION && message == WM_LBUTTONUP && buttonReleasedAt == 0) {
        buttonReleasedAt = Seconds();
    }
    if (code == HC_ACTION && message == WM_MOUSEMOVE && pointerArrivedAt == 0 &&
        mouse->pt.x == awaitedX && mouse->pt.y == awaitedY) {
        pointerArrivedAt = Seconds();
    }
    return CallNextHookEx(nullptr, code, message, data);
}

// The hooks on a thread of their own, which serves them while the benchmark's thread waits on
// xdotool.
class CInputClock {
public:
    CInputClock()
        : thread([this] {
              const HINSTANCE module = GetModuleHandleA(nullptr);
              const HHOOK keys = SetWindowsHookExA(WH_KEYBOARD_LL, OnKey, module, 0);
              const HHOOK mouse = SetWindowsHookExA(WH_MOUSE_LL, OnMouse, module, 0);
              MSG message;
              PeekMessageA(&message, nullptr, 0, 0,
                           PM_NOREMOVE); // the queue PostThreadMessage needs
              threadId = keys && mouse ? GetCurrentThreadId() : 1;
              while (keys && mouse && GetMessageA(&message, nullptr, 0, 0) > 0) {
                  DispatchMessageA(&message);
              }
              for (const HHOOK hook : {keys, mouse}) {
                  if (hook) {
                      UnhookWindowsHookEx(hook);
                  }
              }
          }) {
        while (threadId == 0) {
            Sleep(1);
        }
        if (threadId == 1) {
            thread.join();
            CannotMeasure("the time of an input: no low-level hook");
        }
    }
    ~CInputClock() {
        PostThreadMessageA(threadId, WM_QUIT, 0, 0);
        thread.join();
    }
    CInputClock(const CInputClock&) = delete;
    CInputClock& operator=(const CInputClock&) = delete;

private:
    std::atomic<DWORD> threadId{0};
    std::thread thread;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds from the input `give` makes (its time read by `inputAt`) to the lens visible. The
// lens shows only once placed beside the pointer and drawn there, in one step.
double InputToLens(HWND lens, const std::function<void()>& give, const std::atomic<double>& inputAt,
                   const char* what) {
    std::atomic<double> shownAt{0};
    std::thread watch([&] {
        for (const double start = Seconds(); Seconds() - start < 5; Sleep(1)) {
            if (IsWindowVisible(lens)) {
                shownAt = Seconds();
                return;
            }
        }
    });
    give();
    watch.join();
    if (inputAt == 0) {
        CannotMeasure(std::string(what) + ": the input never arrived");
    }
    if (shownAt == 0 || shownAt < inputAt) {
        CannotMeasure(std::string(what) + ": the lens did not show after the input");
    }
    return (shownAt - inputAt) * 1e3;
}

} // namespace

LensStartTimes LensStartMilliseconds(HWND window, int runs) {
    const HWND snap = GetDlgItem(window, IDC_SNAP);
    RECT button{};
    GetWindowRect(snap, &button);
    const POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    if (WindowFromPoint(centre) != snap) {
        CannotMeasure("the lens's start: \"Snap\" is covered");
    }
    const HWND lens = LensOfProcess(GetCurrentProcessId()); // the picker runs in this process
    if (!lens) {
        CannotMeasure("the lens's start: no lens was made");
    }
    const CInputClock clock;
    const auto endSampling = [&] {
        SendMessageA(window, WM_PICK_POINT, PickPointParam(button.left + 1),
                     static_cast<LPARAM>(PickPointParam(button.top + 1)));
        for (const double start = Seconds(); IsWindowVisible(lens); Sleep(1)) {
            if (Seconds() - start > 5) {
                CannotMeasure("the lens's start: the lens did not hide when sampling ended");
            }
        }
    };
    std::vector<double> bySnap, byShortcut;
    for (int run = -1; run < runs; ++run) { // run -1 warms the caches
        SetCursorPos(centre.x, centre.y);
        buttonReleasedAt = 0;
        const double snapMs = InputToLens(
            lens, [&] { xinput::Click(centre); }, buttonReleasedAt, "snap_to_lens_ms");
        endSampling();
        // The pointer where the click left it, so that the lens shows in the same place.
        shortcutPressedAt = 0;
        const double shortcutMs = InputToLens(
            lens, [] { xinput::Key("super+shift+c"); }, shortcutPressedAt,
            "shortcut_to_lens_ms (is the shortcut held by another program?)");
        endSampling();
        if (run >= 0) {
            bySnap.push_back(snapMs);
            byShortcut.push_back(shortcutMs);
        }
    }
    return LensStartTimes{Median(bySnap), Median(byShortcut)};
}

LensLatency LensLatencyMilliseconds(HWND window, int moves) {
    const HWND lens = LensOfProcess(GetCurrentProcessId()); // the picker runs in this process
    if (!lens) {
        CannotMeasure("lens latency: no lens was made");
    }
    const CInputClock clock;
    xinput::MoveTo(POINT{180, 280}); // off the first point, so the first step is a move
    SendMessageA(GetDlgItem(window, IDC_SNAP), BM_CLICK, 0, 0);
    std::vector<double> times;
    for (int serial = 0; serial < moves; ++serial) {
        // Short steps up and to the left, as a hand moves, never onto the lens.
        const POINT to{170 - serial * 6 % 140, 270 - serial / 23 * 17 % 240};
        awaitedX = to.x;
        awaitedY = to.y;
        pointerArrivedAt = 0;
        std::atomic<double> besideAt{0};
        std::thread watch([&] {
            for (const double start = Seconds(); Seconds() - start < 3; Sleep(1)) {
                if (LensBeside(lens, to)) {
                    besideAt = Seconds();
                    return;
                }
            }
        });
        xinput::MoveTo(to);
        watch.join();
        if (pointerArrivedAt == 0) {
            CannotMeasure("lens latency: a pointer move never arrived");
        }
        if (besideAt == 0) {
            CannotMeasure("lens latency: the lens did not follow a move within 3 s");
        }
        if (besideAt < pointerArrivedAt) {
            CannotMeasure("lens latency: the lens stood at a point before the move there arrived");
        }
        times.push_back((besideAt - pointerArrivedAt) * 1e3);
        Sleep(static_cast<DWORD>(serial % 16)); // moves fall anywhere in the lens's frame
    }
    RECT snap{};
    GetWindowRect(GetDlgItem(window, IDC_SNAP), &snap);
    SendMessageA(window, WM_PICK_POINT, PickPointParam(snap.left + 1),
                 static_cast<LPARAM>(PickPointParam(snap.top + 1)));
    std::sort(times.begin(), times.end());
    return LensLatency{times[(times.size() * 95 + 99) / 100 - 1], times[times.size() / 2]};
}
