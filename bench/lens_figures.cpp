#include "lens_figures.h"

#include "Mousetap.h"
#include "rules/lens_geometry.h"
#include "rules/lens_picture.h"
#include "lens_beside.h"
#include "lens_view.h"
#include "sampling/lens_window.h"
#include "message_pump.h"
#include "message_spy.h"
#include "process_figures.h"
#include "resources/resource_ids.h"
#include "unix_command.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace testing_support;

namespace {

[[noreturn]] void CannotMeasure(const char* what) {
    std::fprintf(stderr, "cannot measure %s\n", what);
    std::exit(1);
}

// Points over the colour ramp at the screen's top-left corner, each new.
POINT PathPoint(int serial) {
    return POINT{30 + serial * 7 % 140, 30 + serial * 11 % 240};
}

// Sampling on in the picker of `window` (run on `ui`) for as long as it lives.
class CSamplingOn {
public:
    explicit CSamplingOn(HWND picker) : window(picker) {
        SendMessageA(GetDlgItem(window, IDC_SNAP), BM_CLICK, 0, 0);
        // The lens shows from its own thread, a moment after the click.
        for (DWORD start = GetTickCount(); GetTickCount() - start < 2000; Sleep(5)) {
            lens = LensOfProcess(GetCurrentProcessId());
            if (lens && IsWindowVisible(lens)) {
                break;
            }
        }
        if (!lens || !IsWindowVisible(lens)) {
            CannotMeasure("the lens: it did not show");
        }
    }
    ~CSamplingOn() {
        RECT snap;
        GetWindowRect(GetDlgItem(window, IDC_SNAP), &snap);
        SendMessageA(window, WM_PICK_POINT, PickPointParam(snap.left + 1),
                     static_cast<LPARAM>(PickPointParam(snap.top + 1)));
    }
    CSamplingOn(const CSamplingOn&) = delete;
    CSamplingOn& operator=(const CSamplingOn&) = delete;
    HWND Lens() const { return lens; }

private:
    HWND window;
    HWND lens = nullptr;
};

// A Wine process's CPU time as Linux counts it: under Wine, GetProcessTimes of another process
// keeps the figure it had at its start. The process is the one Linux lists with `program` (its
// Windows path) as its command line.
class CLinuxCpuClock {
public:
    explicit CLinuxCpuClock(const std::string& program) {
        const std::string list = UniqueTemporaryFile(".txt");
        if (RunUnixCommand("ps -eo pid=,args= >" + list + " && getconf CLK_TCK >>" + list) != 0) {
            CannotMeasure("idle sampling: Linux's list of processes");
        }
        std::ifstream in(WindowsPathOf(list));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        in.close();
        DeleteFileA(WindowsPathOf(list).c_str());
        if (lines.empty() || (ticksPerSecond = std::atof(lines.back().c_str())) <= 0) {
            CannotMeasure("idle sampling: Linux's clock ticks");
        }
        lines.pop_back();
        std::vector<std::string> found;
        for (const std::string& line : lines) {
            const size_t pid = line.find_first_not_of(' ');
            const size_t args = line.find(' ', pid);
            if (args != std::string::npos &&
                _stricmp(line.c_str() + args + 1, program.c_str()) == 0) {
                found.push_back(line.substr(pid, args - pid));
            }
        }
        if (found.size() != 1) {
            CannotMeasure("idle sampling: Tintview among Linux's processes");
        }
        stat = WindowsPathOf("/proc/" + found[0] + "/stat");
    }

    double Seconds() const {
        std::ifstream in(stat);
        std::string text;
        std::getline(in, text);
        // After the name in parentheses: the state, then fields 4 to 13, then user and system
        // time in clock ticks.
        std::istringstream fields(text.substr(text.rfind(')') + 1));
        std::string field;
        double user = -1, system = -1;
        for (int index = 3; fields >> field && index <= 15; ++index) {
            if (index == 14) {
                user = std::atof(field.c_str());
            } else if (index == 15) {
                system = std::atof(field.c_str());
            }
        }
        if (user < 0 || system < 0) {
            CannotMeasure("idle sampling: Tintview's CPU time");
        }
        return (user + system) / ticksPerSecond;
    }

private:
    std::string stat;
    double ticksPerSecond = 0;
};

} // namespace

double LensUpdateMicroseconds(UiThread& ui, HWND window, int updates, std::int32_t side) {
    const CSamplingOn sampling(window);
    const HWND lens = sampling.Lens();
    if (side != picker::kSmallestSampleSide) {
        // Found by its class, so the object behind it is the lens.
        ui.Invoke([&] {
            static_cast<picker::CLensWindow*>(framework::CWnd::FromHandlePermanent(lens))
                ->SetSide(side);
        });
        char text[512] = "";
        GetWindowTextA(lens, text, sizeof text);
        const std::string framed = std::to_string(side) + " by " + std::to_string(side);
        if (std::string(text).find(framed) == std::string::npos) {
            CannotMeasure("lens updates of a larger square: the lens does not sample it");
        }
    }
    std::vector<double> times;
    ui.Invoke([&] {
        const size_t wanted = static_cast<size_t>(updates);
        for (int serial = 0; times.size() < wanted && serial < 2 * updates; ++serial) {
            const POINT to = PathPoint(serial);
            SetCursorPos(to.x, to.y);
            // Wine may report the point before for a moment: an update that saw no move returns
            // at once, and one the lens's own timer made meanwhile is not timed either.
            for (int tries = 0; tries < 200 && !LensBeside(lens, to); ++tries) {
                const double start = Seconds();
                SendMessageA(lens, WM_TIMER, picker::CLensWindow::kTimerId, 0);
                const double took = Seconds() - start;
                if (LensBeside(lens, to)) {
                    times.push_back(took * 1e6);
                } else {
                    PumpFor(1); // the input that brings the new point along
                }
            }
        }
    });
    if (times.size() != static_cast<size_t>(updates)) {
        CannotMeasure("lens updates: the lens did not follow the pointer");
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double LensUpdatesPerSecond(UiThread& ui, HWND window, double seconds) {
    const CSamplingOn sampling(window);
    MessageSpy spy(sampling.Lens());
    std::atomic<bool> moving{true};
    std::thread hand([&] {
        for (int serial = 0; moving; ++serial) {
            const POINT to = PathPoint(serial);
            SetCursorPos(to.x, to.y);
            Sleep(2);
        }
    });
    const int before = spy.Count(WM_PAINT);
    const double start = Seconds();
    Sleep(static_cast<DWORD>(seconds * 1000));
    const int painted = spy.Count(WM_PAINT) - before;
    const double took = Seconds() - start;
    moving = false;
    hand.join();
    ui.Invoke([] {}); // the lens's thread has handled what the hand did
    if (painted <= 0) {
        CannotMeasure("lens updates a second: the lens did not redraw");
    }
    return painted / took;
}

double SamplingIdleCpuPercent(const std::string& program, double seconds) {
    const CStartedProgram started(program);
    if (!started.Window()) {
        CannotMeasure("idle sampling: Tintview did not show its window");
    }
    const CLinuxCpuClock cpu(program);
    if (cpu.Seconds() <= 0) {
        CannotMeasure("idle sampling: no CPU time counted even for Tintview's start");
    }
    const DWORD processId = GetProcessId(started.Process());
    // A still pointer over the plain desktop, clear of every window, with room for the lens
    // below it (where LensBeside looks for it).
    const POINT still{40,
                      GetSystemMetrics(SM_CYSCREEN) - picker::kLensGap - picker::kLensHeight - 40};
    SetCursorPos(still.x, still.y);
    SendMessageA(GetDlgItem(started.Window(), IDC_SNAP), BM_CLICK, 0, 0);
    HWND lens = nullptr;
    if (!PumpUntil(
            [&] { return (lens = VisibleLensOfProcess(processId)) && LensBeside(lens, still); },
            5000)) {
        CannotMeasure("idle sampling: no lens beside the pointer");
    }
    PumpFor(500); // the lens has drawn; nothing changes from here on
    const double cpuBefore = cpu.Seconds();
    const double start = Seconds();
    Sleep(static_cast<DWORD>(seconds * 1000));
    const double used = cpu.Seconds() - cpuBefore;
    const double took = Seconds() - start;
    // It was sampling all along: the lens still follows a move.
    const POINT moved{still.x + 30, still.y - 30};
    SetCursorPos(moved.x, moved.y);
    if (!PumpUntil([&] { return LensBeside(lens, moved); }, 3000)) {
        CannotMeasure("idle sampling: the lens was not following the pointer");
    }
    return used / took * 100;
}
