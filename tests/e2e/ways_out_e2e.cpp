// Every way out while sampling leaves the desktop as it was: the hook gone (another program's
// window gets clicks again), the arrow restored and the lens gone from the screen. Tintview runs as
// its own process in a test build that logs each system cursor it installs (Wine's SetSystemCursor
// does nothing).
#include "tintview_process.h"

#include "colour_board.h"
#include "handle_owners.h"
#include "lens_view.h"
#include "message_pump.h"
#include "resources/resource_ids.h"
#include "screenshot.h"
#include "test_paths.h"
#include "x_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <vector>

using namespace testing_support;

namespace {

struct InstalledCursor {
    unsigned long id, hotX, hotY;
};

class WaysOutTest : public ::testing::Test {
protected:
    void SetUp() override {
        board_ = std::make_unique<ColourBoard>(POINT{40, 10});
        logPath_ = ScratchFolder("cursors") + "\\cursors.log";
        tintview_ = std::make_unique<TintviewProcess>("tintview_cursor_log.exe", logPath_);
        ASSERT_TRUE(tintview_->Shown());
        // Sampling, with one sample taken.
        xinput::Click(tintview_->Centre(IDC_SNAP));
        xinput::Click(board_->AreaCentre(0));
        ASSERT_TRUE(PumpUntil([&] { return tintview_->Text(IDC_HEX_FIELD) == "123456"; }, 3000));
        ASSERT_EQ(Cursors().size(), 1u) << "the dropper";
        // The lens beside the pointer, over the board.
        const POINT pointer = board_->AreaCentre(0);
        ASSERT_TRUE(PumpUntil(
            [&] {
                const HWND lens = VisibleLensOfProcess(tintview_->Process().Id());
                return lens && GetWindowRect(lens, &lens_) && lens_.left > pointer.x &&
                       lens_.top > pointer.y;
            },
            3000))
            << "no lens beside the pointer";
        lensMiddle_ = POINT{(lens_.left + lens_.right) / 2, (lens_.top + lens_.bottom) / 2};
        ASSERT_TRUE(board_->ColourAt(lensMiddle_)) << "the lens is not over the board";
        board_->ClearLog();
    }

    // No lens of Tintview's remains, and where it was the board shows again. The hide is posted
    // to the lens's own thread, so it may come a moment after the way out returns.
    void ExpectLensGone(const char* way) {
        EXPECT_TRUE(PumpUntil(
            [&] { return VisibleLensOfProcess(tintview_->Process().Id()) == nullptr; }, 3000))
            << way;
        const COLORREF board = *board_->ColourAt(lensMiddle_);
        const Screenshot shot =
            TakeScreenshotWhen([&](const Screenshot& s) { return s.Pixel(lensMiddle_) == board; });
        EXPECT_EQ(shot.Pixel(lensMiddle_), board) << way << ": the lens is still on the screen";
    }

    std::vector<InstalledCursor> Cursors() const {
        std::ifstream log(logPath_);
        std::vector<InstalledCursor> cursors;
        InstalledCursor cursor{};
        while (log >> cursor.id >> cursor.hotX >> cursor.hotY) {
            cursors.push_back(cursor);
        }
        return cursors;
    }

    // After the way out: the arrow was the last cursor installed, the lens is gone, and the
    // mouse is free.
    void ExpectDesktopRestored(const char* way) {
        ExpectLensGone(way);
        const auto cursors = Cursors();
        ASSERT_GE(cursors.size(), 2u) << way << ": the arrow was not restored";
        const ICONINFO arrow = IconBitmaps(LoadCursorA(nullptr, IDC_ARROW)).info;
        EXPECT_EQ(cursors.back().id, 32512u) << way;
        EXPECT_EQ(cursors.back().hotX, arrow.xHotspot) << way;
        EXPECT_EQ(cursors.back().hotY, arrow.yHotspot) << way;
        xinput::Click(board_->AreaCentre(1));
        EXPECT_TRUE(PumpUntil(
            [&] {
                const auto messages = board_->MouseMessages();
                return std::count(messages.begin(), messages.end(), WM_LBUTTONUP) == 1;
            },
            3000))
            << way << ": the hook is still there";
    }

    bool Ends() { return tintview_->Process().WaitForExit(10000).has_value(); }

    std::unique_ptr<ColourBoard> board_;
    std::string logPath_;
    std::unique_ptr<TintviewProcess> tintview_;
    RECT lens_{};
    POINT lensMiddle_{};
};

TEST_F(WaysOutTest, Escape) {
    xinput::Key("Escape");
    ASSERT_TRUE(Ends());
    ExpectDesktopRestored("Escape");
}

TEST_F(WaysOutTest, AltF4) {
    xinput::Key("alt+F4");
    ASSERT_TRUE(Ends());
    ExpectDesktopRestored("Alt+F4");
}

TEST_F(WaysOutTest, ExitFromTheKeyboard) {
    xinput::Key("Tab space"); // from "Snap" to "EXIT"; a click there would be a sample
    ASSERT_EQ(tintview_->Process().WaitForExit(10000), 0u);
    ExpectDesktopRestored("EXIT");
}

TEST_F(WaysOutTest, TheCloseBox) {
    // What the close box sends; a click on it while sampling would be a sample.
    PostMessageA(tintview_->Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(Ends());
    ExpectDesktopRestored("the close box");
}

TEST_F(WaysOutTest, TheSystemMenusClose) {
    xinput::Key("alt+space");
    ASSERT_TRUE(PumpUntil(
        [] {
            const HWND menu = FindWindowA("#32768", nullptr); // the platform's pop-up menus
            return menu && IsWindowVisible(menu);
        },
        3000))
        << "the system menu did not open";
    xinput::Key("c");
    ASSERT_TRUE(Ends());
    ExpectDesktopRestored("the system menu");
}

TEST_F(WaysOutTest, TheSessionEnding) {
    // After this the session may stop the process without another message.
    ASSERT_TRUE(SendMessageA(tintview_->Window(), WM_QUERYENDSESSION, 0, 0));
    SendMessageA(tintview_->Window(), WM_ENDSESSION, TRUE, 0);
    ExpectDesktopRestored("the session's end");
}

TEST_F(WaysOutTest, ACrash) {
    // A thread of the picker's own that runs into an invalid address.
    const CUniqueKernelObject fault(CreateRemoteThread(tintview_->Process().Handle(), nullptr, 0,
                                                       reinterpret_cast<LPTHREAD_START_ROUTINE>(16),
                                                       nullptr, 0, nullptr));
    ASSERT_TRUE(fault);
    ASSERT_TRUE(Ends());
    ExpectDesktopRestored("a crash");
}

} // namespace
