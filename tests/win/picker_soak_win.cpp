// Long runs: thousands of colour changes through every kind of view and a thousand starts and
// stops of sampling, the lens moving in each, leave the process's GDI objects and private memory
// where they were, and at most one hook on the desktop. (The 32-bit build, whose code is the
// same, runs fewer of each.)
#include "picker_fixture.h"

#include "Mousetap.h"
#include "colour_board.h"
#include "cursor_recorder.h"
#include "gdi_object_count.h"
#include "lens_view.h"
#include "sampling/lens_window.h"
#include "message_pump.h"
#include "process_memory.h"
#include "resources/resource_ids.h"
#include "x_input.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

using namespace testing_support;

namespace {

#ifndef SOAK_CHANGES
#define SOAK_CHANGES 4000
#endif
#ifndef SOAK_SAMPLING_RUNS
#define SOAK_SAMPLING_RUNS 1000
#endif

class PickerSoakTest : public PickerWindowTest {
protected:
    // What this process holds; a probe that cannot measure leaves its figure empty.
    struct Holding {
        std::optional<size_t> objects;
        std::optional<SIZE_T> memory;
        bool Taken() const { return objects && memory; }
    };
    static Holding Measure() {
        Holding holding{CountGdiObjects(), PrivateMemory()};
        EXPECT_TRUE(holding.objects) << "the GDI objects could not be counted";
        EXPECT_TRUE(holding.memory) << "the private memory could not be read";
        return holding;
    }

    // One user change of the given kind, made on the window's thread as the controls make it.
    void Change(int serial) {
        ui_->Invoke([&] {
            const int value = serial * 7919 % 256;
            const UINT field = IDC_RED_FIELD + serial % 3;
            const HWND slider = Control(IDC_RED_SLIDER + serial % 3);
            char text[16];
            switch (serial % 4) {
            case 0:
                std::snprintf(text, sizeof text, "%06X", serial * 104729 % 0x1000000);
                SetWindowTextA(Control(IDC_HEX_FIELD), text);
                break;
            case 1:
                SetWindowTextA(Control(field), std::to_string(value).c_str());
                break;
            case 2: // as a thumb drag reports itself
                SendMessageA(slider, TBM_SETPOS, TRUE, value);
                SendMessageA(Window(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, value),
                             reinterpret_cast<LPARAM>(slider));
                break;
            default: // a sample of a point on the screen
                SendMessageA(Window(), WM_PICK_POINT, PickPointParam(serial % 1000),
                             static_cast<LPARAM>(PickPointParam(serial % 700)));
            }
        });
    }
    void ExpectValidViews() {
        for (UINT field : {IDC_RED_FIELD, IDC_GREEN_FIELD, IDC_BLUE_FIELD}) {
            const int component = std::stoi(Text(field));
            EXPECT_TRUE(component >= 0 && component <= 255) << Text(field);
        }
        EXPECT_LE(Text(IDC_HEX_FIELD).size(), 6u);
    }

    CursorRecorder cursors_;
};

TEST_F(PickerSoakTest, ThousandsOfChangesKeepGdiObjectsAndMemoryFlat) {
    for (int serial = 0; serial < 500; ++serial) { // caches and heaps settle first
        Change(serial);
    }
    const Holding before = Measure();
    ASSERT_TRUE(before.Taken());
    for (int serial = 500; serial < 500 + SOAK_CHANGES; ++serial) {
        Change(serial);
    }
    ExpectValidViews();
    const Holding after = Measure();
    ASSERT_TRUE(after.Taken());
    // Wine's own caches move by a few dozen objects either way; one object kept per change
    // would add thousands.
    EXPECT_LT(*after.objects, *before.objects + 64) << "GDI objects grew (Wine's handle table)";
    EXPECT_LT(*after.memory, *before.memory + 256 * 1024) << "private memory grew";
}

TEST_F(PickerSoakTest, HundredsOfSamplingRunsLeaveNoHookAndNothingBehind) {
    int lensMoves = 0;
    const auto cycle = [&] {
        SendMessageA(Control(IDC_SNAP), BM_CLICK, 0, 0);
        // The lens follows the pointer to a new place, at the ticks of its timer.
        static int serial = 0;
        ++serial;
        // Points where the lens fits below and right of the pointer (it is 194 pixels high).
        const POINT to{60 + serial * 37 % 700, 60 + serial * 53 % 400};
        SetCursorPos(to.x, to.y);
        // Wine may put the pointer back for a moment, where an older motion event of the last
        // move is handed in after this one: the move is made again until the lens is there.
        const HWND lens = LensOfProcess(GetCurrentProcessId());
        const bool followed = PumpUntil(
            [&] {
                SetCursorPos(to.x, to.y);
                SendMessageA(lens, WM_TIMER, picker::CLensWindow::kTimerId, 0);
                RECT at{};
                return GetWindowRect(lens, &at) && IsWindowVisible(lens) && at.left > to.x + 10 &&
                       at.left < to.x + 40 && at.top > to.y + 10 && at.top < to.y + 40;
            },
            1000);
        lensMoves += followed ? 1 : 0;
        const POINT snap = Centre(IDC_SNAP);
        SendMessageA(Window(), WM_PICK_POINT, PickPointParam(snap.x),
                     static_cast<LPARAM>(PickPointParam(snap.y)));
        ASSERT_TRUE(cursors_.LetGo());
    };
    constexpr int kSettlingRuns = 50; // caches and heaps settle first
    for (int run = 0; run < kSettlingRuns; ++run) {
        cycle();
    }
    const Holding before = Measure();
    ASSERT_TRUE(before.Taken());
    for (int run = 0; run < SOAK_SAMPLING_RUNS; ++run) {
        cycle();
    }
    const Holding after = Measure();
    ASSERT_TRUE(after.Taken());
    EXPECT_EQ(lensMoves, kSettlingRuns + SOAK_SAMPLING_RUNS)
        << "the lens did not follow the pointer in every run";
    EXPECT_LT(*after.objects, *before.objects + 10) << "GDI objects grew (Wine's handle table)";
    EXPECT_LT(*after.memory, *before.memory + 256 * 1024) << "private memory grew";

    // No hook is left: another program's window gets clicks. Started once more, exactly one
    // hook swallows them and reports each release once.
    ColourBoard board(POINT{40, 10});
    const auto buttonUps = [&] {
        const auto messages = board.MouseMessages();
        return std::count(messages.begin(), messages.end(), WM_LBUTTONUP);
    };
    xinput::Click(board.AreaCentre(0));
    EXPECT_TRUE(PumpUntil([&] { return buttonUps() == 1; }, 3000)) << "a hook was left behind";
    SendMessageA(Control(IDC_SNAP), BM_CLICK, 0, 0);
    board.ClearLog();
    xinput::Click(board.AreaCentre(1));
    EXPECT_TRUE(WaitForText(IDC_HEX_FIELD, "C8641E"));
    EXPECT_EQ(buttonUps(), 0);
    xinput::Click(Centre(IDC_SNAP));
    xinput::Click(board.AreaCentre(2));
    EXPECT_TRUE(PumpUntil([&] { return buttonUps() == 1; }, 3000)) << "the last hook stayed";
}

} // namespace
