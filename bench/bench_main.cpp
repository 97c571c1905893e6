// make bench: Tintview's figures beside those of a bare dialog program, measured in one run
// under the same Wine and display. One line per figure, "name value", then a summary.
#include "Mousetap.h"
#include "clipboard_text.h"
#include "gdi_object_count.h"
#include "handle_owners.h"
#include "lens_figures.h"
#include "lens_floor.h"
#include "lens_start_figures.h"
#include "app/picker_app.h"
#include "process_figures.h"
#include "process_memory.h"
#include "resources/resource_ids.h"
#include "test_paths.h"
#include "ui_thread.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

constexpr int kStartRuns = 21;
constexpr int kChanges = 10000;
constexpr int kTimedChanges = 2000;
constexpr int kLensUpdates = 2000;
constexpr int kLensStarts = 20;
constexpr int kLensMoves = 200;

// A figure that cannot be taken ends the run: it must never read as zero.
[[noreturn]] void CannotMeasure(const std::string& what) {
    std::fprintf(stderr, "cannot measure %s\n", what.c_str());
    std::exit(1);
}

template <typename T> T Required(std::optional<T> figure, const std::string& what) {
    if (!figure) {
        CannotMeasure(what);
    }
    return *figure;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long long FileBytes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        CannotMeasure("the size of " + path);
    }
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string HexColour(int serial) {
    char text[8];
    std::snprintf(text, sizeof text, "%06X", serial * 104729 % 0x1000000);
    return text;
}

// Median seconds from process start to the visible window of each program, runs of the
// programs taken in turn so that all see the same machine.
std::vector<double> StartupTimes(const std::vector<std::string>& programs) {
    std::vector<std::vector<double>> times(programs.size());
    for (int run = -1; run < kStartRuns; ++run) { // run -1 warms the caches
        for (size_t program = 0; program < programs.size(); ++program) {
            const CStartedProgram started(programs[program]);
            if (!started.Window()) {
                std::fprintf(stderr, "%s did not show its window\n", programs[program].c_str());
                std::exit(1);
            }
            if (run >= 0) {
                times[program].push_back(started.SecondsToWindow());
            }
        }
    }
    std::vector<double> medians;
    for (const auto& programTimes : times) {
        medians.push_back(Median(programTimes));
    }
    return medians;
}

struct HoldingFigures {
    SIZE_T tintviewMemory; // the larger of after start and after the changes
    SIZE_T bareMemory;
    long long gdiGrowth;
};

// A running program's GDI objects once it is idle: a count taken while it paints would include
// the paint's passing objects.
size_t IdleGdiObjects(const CStartedProgram& started) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(started.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer)) {
        CannotMeasure("the GDI objects of a program that does not answer");
    }
    Sleep(300);
    return Required(CountGdiObjects(started.Process()), "the GDI objects (Wine's handle table)");
}

// Tintview in its own process, given ten thousand hexadecimal values as the field's text, beside
// the bare dialog (given `bareArguments`).
HoldingFigures Holding(const std::string& tintview, const std::string& bare,
                       const std::string& bareArguments) {
    SIZE_T afterStart = 0;
    SIZE_T afterChanges = 0;
    size_t objectsBefore = 0;
    size_t objectsAfter = 0;
    {
        const CStartedProgram started(tintview);
        const HWND hex = GetDlgItem(started.Window(), IDC_HEX_FIELD);
        IdleGdiObjects(started);
        afterStart = Required(PrivateMemory(started.Process()), "Tintview's private memory");
        // The first change makes the drawing objects that every later one reuses.
        SendMessageA(hex, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("123456"));
        objectsBefore = IdleGdiObjects(started);
        for (int serial = 0; serial < kChanges; ++serial) {
            SendMessageA(hex, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(HexColour(serial).c_str()));
        }
        objectsAfter = IdleGdiObjects(started);
        afterChanges = Required(PrivateMemory(started.Process()), "Tintview's private memory");
    } // ended before the bare dialog starts

    const CStartedProgram bareStarted(bare + bareArguments);
    IdleGdiObjects(bareStarted);
    const SIZE_T bareMemory =
        Required(PrivateMemory(bareStarted.Process()), "the bare dialog's private memory");
    return HoldingFigures{std::max(afterStart, afterChanges), bareMemory,
                          static_cast<long long>(objectsAfter) -
                              static_cast<long long>(objectsBefore)};
}

struct ChangeTimes {
    double throughViews; // median µs until every view holds the change and the swatch is painted
    double withRepaints; // median µs until the platform has also repainted every control touched
};

// Times `change` on the window's own thread, as its handlers run it.
ChangeTimes TimeChanges(UiThread& ui, HWND window, const std::function<void(int)>& prepare,
                        const std::function<void(int)>& change) {
    std::vector<double> through, repainted;
    ui.Invoke([&] {
        for (int serial = 0; serial < kTimedChanges; ++serial) {
            prepare(serial);
            const double start = Seconds();
            change(serial);
            through.push_back((Seconds() - start) * 1e6);
            RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            repainted.push_back((Seconds() - start) * 1e6);
        }
    });
    return ChangeTimes{Median(through), Median(repainted)};
}

// A window of many colours for the samples to read: one colour per row of 4 pixels.
LRESULT CALLBACK RampProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    for (LONG y = 0; y < client.bottom; y += 4) {
        const CUniqueBrush brush(CreateSolidBrush(RGB(y * 7 % 256, y * 13 % 256, y * 29 % 256)));
        const RECT row{0, y, client.right, y + 4};
        FillRect(dc, &row, brush.get());
    }
    EndPaint(window, &paint);
    return 0;
}

HWND ShowColourRamp() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RampProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "BenchColourRamp";
    RegisterClassA(&windowClass);
    const HWND ramp = CreateWindowA("BenchColourRamp", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 300,
                                    nullptr, nullptr, windowClass.hInstance, nullptr);
    UpdateWindow(ramp);
    return ramp;
}

} // namespace

int main() {
    const std::string tintview = BesideTest("Tintview.exe");
    const std::string bare = BesideTest("bare_dialog.exe");

    // Beside the bare dialog: the same with the common controls loaded, and with those and the
    // picker's own template (its seventeen controls, none of its code).
    const std::vector<double> starts = StartupTimes(
        {tintview, bare, bare + " common-controls", bare + " common-controls picker-template"});
    const double tintviewStart = starts[0];
    const double bareStart = starts[1];
    const HoldingFigures holding = Holding(tintview, bare, "");
    const HoldingFigures withControls = Holding(tintview, bare, " common-controls");

    picker::CPickerApp app;
    HWND window = nullptr;
    HWND ramp = nullptr;
    UiThread ui([&] { app.StartProgram(); });
    for (const DWORD start = GetTickCount();
         !(window = FindWindowA("#32770", "Prismel")) || !IsWindowVisible(window); Sleep(10)) {
        if (GetTickCount() - start > 20000) {
            std::fprintf(stderr, "the picker's window did not show within 20 s\n");
            std::exit(1);
        }
    }
    ui.Invoke([&] { ramp = ShowColourRamp(); });
    const HWND hex = GetDlgItem(window, IDC_HEX_FIELD);
    const ChangeTimes update = TimeChanges(
        ui, window, [&](int serial) { PutTextOnClipboard(HexColour(serial)); },
        [&](int) {
            SendMessageA(hex, EM_SETSEL, 0, -1);
            SendMessageA(hex, WM_PASTE, 0, 0);
        });
    const ChangeTimes sample = TimeChanges(
        ui, window, [](int) {},
        [&](int serial) {
            SendMessageA(window, WM_PICK_POINT, PickPointParam(10 + serial % 180),
                         static_cast<LPARAM>(PickPointParam(serial % 300)));
        });
    const double lensUpdate = LensUpdateMicroseconds(ui, window, kLensUpdates);
    const double lensRate = LensUpdatesPerSecond(ui, window, 3);
    const double lensUpdate9x9 = LensUpdateMicroseconds(ui, window, kLensUpdates, 9);
    const double lensFloor = LensUpdateFloorMicroseconds(ui, kLensUpdates);
    const LensLatency lensLatency = LensLatencyMilliseconds(window, kLensMoves);
    const LensStartTimes lensStart = LensStartMilliseconds(window, kLensStarts);
    ui.Invoke([&] { DestroyWindow(ramp); });
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    if (!ui.WaitForEnd(10000)) {
        std::fprintf(stderr, "the picker's window did not end within 10 s\n");
        std::exit(1);
    }

    const double idleCpu = SamplingIdleCpuPercent(tintview, 5);

    const double startupRatio = tintviewStart / bareStart;
    const auto ratio = [](SIZE_T a, SIZE_T b) {
        return static_cast<double>(a) / static_cast<double>(b);
    };
    const double memoryRatio = ratio(holding.tintviewMemory, holding.bareMemory);
    const long long tintviewBytes = FileBytes(tintview);
    const long long mousetapBytes = FileBytes(BesideTest("Mousetap.dll"));
    std::printf("startup_ratio %.3f\n", startupRatio);
    std::printf("update_us %.0f\n", update.throughViews);
    std::printf("sample_us %.0f\n", sample.throughViews);
    std::printf("memory_ratio %.3f\n", memoryRatio);
    std::printf("gdi_growth_10k %lld\n", holding.gdiGrowth);
    std::printf("tintview_bytes %lld\n", tintviewBytes);
    std::printf("mousetap_bytes %lld\n", mousetapBytes);
    std::printf("lens_update_us %.0f\n", lensUpdate);
    std::printf("lens_updates_per_s %.1f\n", lensRate);
    std::printf("sampling_idle_cpu_pct %.2f\n", idleCpu);
    std::printf("snap_to_lens_ms %.1f\n", lensStart.snapMs);
    std::printf("shortcut_to_lens_ms %.1f\n", lensStart.shortcutMs);
    std::printf("lens_latency_ms_p95 %.1f\n", lensLatency.p95);
    std::printf("lens_update_floor_us %.0f\n", lensFloor);
    std::printf("lens_update_floor_ratio %.2f\n", lensUpdate / lensFloor);
    std::printf("lens_update_9x9_us %.0f\n", lensUpdate9x9);
    std::printf("startup_floor_ratio %.3f\n", tintviewStart / starts[3]);
    std::printf("memory_floor_ratio %.3f\n",
                ratio(holding.tintviewMemory, withControls.bareMemory));

    const std::pair<const char*, bool> goals[] = {
        {"startup_ratio<=1.15", startupRatio <= 1.15},
        {"memory_ratio<=1.2", memoryRatio <= 1.2},
        {"gdi_growth_10k==0", holding.gdiGrowth == 0},
        {"tintview_bytes<=300KB", tintviewBytes <= 300 * 1024},
        {"mousetap_bytes<=16KB", mousetapBytes <= 16 * 1024},
        {"lens_updates_per_s>=30", lensRate >= 30},
        {"sampling_idle_cpu_pct<=1", idleCpu <= 1},
        {"shortcut_to_lens_ms<=1.1*snap_to_lens_ms",
         lensStart.shortcutMs <= 1.1 * lensStart.snapMs},
        {"lens_latency_ms_p95<=33", lensLatency.p95 <= 33},
        {"lens_update_floor_ratio<=1.5", lensUpdate <= 1.5 * lensFloor},
        {"lens_update_9x9_us<=1.1*lens_update_us", lensUpdate9x9 <= 1.1 * lensUpdate},
    };
    int met = 0;
    std::string missed;
    for (const auto& [goal, ok] : goals) {
        met += ok;
        if (!ok) {
            missed += std::string(" ") + goal;
        }
    }
    std::printf(
        "summary: %d of %zu goals met%s%s; starts in %.0f ms (bare dialog %.0f ms, with "
        "the common controls %.0f ms, with those and the picker's template %.0f ms: ratio %.3f); "
        "%.2f MB private (bare dialog %.2f MB, with the common controls loaded %.2f MB: "
        "ratio %.3f); with every control repainted update %.0f us, sample %.0f us; lens latency "
        "median %.1f ms\n",
        met, std::size(goals), missed.empty() ? "" : ", missed:", missed.c_str(),
        tintviewStart * 1e3, bareStart * 1e3, starts[2] * 1e3, starts[3] * 1e3,
        tintviewStart / starts[3], holding.tintviewMemory / 1048576.0,
        holding.bareMemory / 1048576.0, withControls.bareMemory / 1048576.0,
        ratio(holding.tintviewMemory, withControls.bareMemory), update.withRepaints,
        sample.withRepaints, lensLatency.median);
    return 0;
}
