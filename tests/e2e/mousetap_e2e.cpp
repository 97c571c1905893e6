// The hook library under real X input: a window of this test program is the target, the colour
// board is another process's window, and xdotool clicks on both.
#include "Mousetap.h"

#include "colour_board.h"
#include "message_pump.h"
#include "window_frame.h"
#include "x_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace testing_support;

namespace {

struct TargetLog {
    std::vector<POINT> picks;
    std::vector<UINT> mouseMessages;
} targetLog;

// How long the target takes over each report, as a busy picker would.
DWORD answerDelayMs = 0;

LRESULT CALLBACK TargetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PICK_POINT) {
        Sleep(answerDelayMs);
        targetLog.picks.push_back(
            POINT{PickPointCoordinate(wParam), PickPointCoordinate(static_cast<WPARAM>(lParam))});
        return 1;
    }
    if (colour_board::IsMouseMessage(message)) {
        targetLog.mouseMessages.push_back(message);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

size_t CountButtonMessages(const std::vector<UINT>& messages) {
    return std::count_if(messages.begin(), messages.end(), [](UINT message) {
        return message == WM_LBUTTONDOWN || message == WM_LBUTTONUP;
    });
}

class MousetapTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = TargetProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "MousetapTarget";
        RegisterClassA(&windowClass);
        target = CreateWindowA("MousetapTarget", "Mousetap target",
                               WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 600, 420, 300, 200, nullptr,
                               nullptr, windowClass.hInstance, nullptr);
        board = new ColourBoard(POINT{40, 40});
    }
    static void TearDownTestSuite() {
        InstallFilter(0, FALSE);
        delete board;
        DestroyWindow(target);
    }
    void SetUp() override {
        ASSERT_NE(target, nullptr);
        ASSERT_NE(board->Window(), nullptr);
        PumpFor(100);
        board->ClearLog();
        targetLog = TargetLog{};
        answerDelayMs = 0;
    }
    void TearDown() override { InstallFilter(0, FALSE); }

    static void StartHook() {
        EXPECT_EQ(InitHooksDll(target), 8);
        EXPECT_EQ(InstallFilter(0, TRUE), 1);
    }
    static bool WaitForPicks(size_t count) {
        return PumpUntil([&] { return targetLog.picks.size() >= count; }, 3000);
    }
    // A click on the board whose report arrives: the board's thread has handled every input
    // before it, so whatever those did to the board shows in its log by then.
    static void SentinelClick() {
        const size_t before = targetLog.picks.size();
        xinput::Click(board->AreaCentre(0));
        ASSERT_TRUE(WaitForPicks(before + 1)) << "the sentinel click was not reported";
    }
    static bool WaitForBoardButtons(size_t count) {
        return PumpUntil([&] { return CountButtonMessages(board->MouseMessages()) >= count; },
                         3000);
    }

    static POINT TargetCentre() {
        RECT frame;
        GetWindowRect(target, &frame);
        return POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2 + 10};
    }

    static inline HWND target = nullptr;
    static inline ColourBoard* board = nullptr;
};

TEST_F(MousetapTest, ReleaseOverAnotherProgramIsReportedOnceAndSwallowed) {
    StartHook();
    for (int area = 0; area < colour_board::kAreas; ++area) {
        const POINT point = board->AreaCentre(area);
        xinput::Click(point);
        ASSERT_TRUE(WaitForPicks(area + 1)) << "area " << area;
        EXPECT_EQ(targetLog.picks.back().x, point.x);
        EXPECT_EQ(targetLog.picks.back().y, point.y);
    }
    SentinelClick();
    EXPECT_EQ(targetLog.picks.size(), static_cast<size_t>(colour_board::kAreas + 1));
    EXPECT_TRUE(board->MouseMessages().empty()) << "the board received a mouse message";
}

TEST_F(MousetapTest, PressAloneIsNotReportedAndItsReleaseIs) {
    StartHook();
    const POINT point = board->AreaCentre(1);
    xinput::Press(point);
    xinput::Release();
    // The release's report comes after the board's thread has handled the press.
    ASSERT_TRUE(WaitForPicks(1));
    SentinelClick();
    ASSERT_EQ(targetLog.picks.size(), 2u) << "the press was reported";
    EXPECT_EQ(targetLog.picks[0].x, point.x);
    EXPECT_EQ(targetLog.picks[0].y, point.y);
    EXPECT_TRUE(board->MouseMessages().empty());
}

TEST_F(MousetapTest, ReleaseOnATitleBarIsReported) {
    StartHook();
    const POINT point = board->TitleBarPoint();
    ASSERT_EQ(SendMessageA(board->Window(), WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)),
              HTCAPTION);
    xinput::Click(point);
    ASSERT_TRUE(WaitForPicks(1));
    EXPECT_EQ(targetLog.picks[0].x, point.x);
    EXPECT_EQ(targetLog.picks[0].y, point.y);
    SentinelClick();
    EXPECT_EQ(targetLog.picks.size(), 2u);
    EXPECT_TRUE(board->MouseMessages().empty());
}

TEST_F(MousetapTest, ReleaseOverTheTargetItselfIsReportedNotDelivered) {
    StartHook();
    const POINT point = TargetCentre();
    xinput::Click(point);
    // The hook runs on this thread: a message it let through would be dispatched by the same
    // pump that delivers the report, before the report is seen here.
    ASSERT_TRUE(WaitForPicks(1));
    EXPECT_EQ(targetLog.picks[0].x, point.x);
    EXPECT_EQ(targetLog.picks[0].y, point.y);
    EXPECT_TRUE(targetLog.mouseMessages.empty());
}

TEST_F(MousetapTest, AReleaseUnderAnotherWindowsCaptureIsReportedWhereItHappened) {
    // The release over a second window of this thread goes to the target, which holds the
    // capture: its point lies outside the window it goes to, so the hook cannot convert it in
    // that window's terms and takes the pointer's position instead. (Wine gives the capture
    // only the clicks on windows of the capturing program.)
    const HWND pad = CreateWindowA("MousetapTarget", "Pad", WS_POPUP | WS_VISIBLE, 600, 200, 200,
                                   150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(pad, nullptr);
    StartHook();
    SetForegroundWindow(target);
    SetCapture(target);
    const POINT point = CentreOf(pad);
    xinput::Click(point);
    const bool reported = WaitForPicks(1);
    ReleaseCapture();
    DestroyWindow(pad);
    ASSERT_TRUE(reported);
    EXPECT_EQ(targetLog.picks[0].x, point.x);
    EXPECT_EQ(targetLog.picks[0].y, point.y);
    EXPECT_TRUE(targetLog.mouseMessages.empty());
}

TEST_F(MousetapTest, ATargetSlowerThanASampleStillGetsEveryReport) {
    answerDelayMs = 200; // two hundred samples' time
    StartHook();
    const POINT point = board->AreaCentre(3);
    xinput::Click(point);
    ASSERT_TRUE(WaitForPicks(1));
    EXPECT_EQ(targetLog.picks[0].x, point.x);
    SentinelClick();
    EXPECT_TRUE(board->MouseMessages().empty()) << "a slow answer let the click through";
}

TEST_F(MousetapTest, AfterRemovalClicksReachTheirWindowsAgain) {
    StartHook();
    EXPECT_EQ(InstallFilter(0, FALSE), 1);
    xinput::Click(board->AreaCentre(2));
    // The board logs the release after any report of it would have been made.
    EXPECT_TRUE(WaitForBoardButtons(2)) << "the click did not reach the board";
    EXPECT_TRUE(targetLog.picks.empty());
}

TEST_F(MousetapTest, RemovalWithoutAHookDoesNothing) {
    EXPECT_EQ(InstallFilter(0, FALSE), 1);
    EXPECT_EQ(InstallFilter(12345, FALSE), 1);
    xinput::Click(board->AreaCentre(0));
    EXPECT_TRUE(WaitForBoardButtons(2));
    EXPECT_TRUE(targetLog.picks.empty());
}

TEST_F(MousetapTest, SecondInstallationReplacesTheFirst) {
    StartHook();
    EXPECT_EQ(InstallFilter(7, TRUE), 1);
    xinput::Click(board->AreaCentre(3));
    ASSERT_TRUE(WaitForPicks(1));
    SentinelClick();
    EXPECT_EQ(targetLog.picks.size(), 2u) << "two hooks would report each release twice";
    EXPECT_EQ(InstallFilter(0, FALSE), 1);
    board->ClearLog();
    xinput::Click(board->AreaCentre(3));
    EXPECT_TRUE(WaitForBoardButtons(2)) << "a hook was left behind";
    EXPECT_EQ(targetLog.picks.size(), 2u);
}

TEST_F(MousetapTest, AHookWhoseWindowIsGoneSwallowsNothing) {
    // As after a picker killed before it could remove its hook.
    const HWND doomed = CreateWindowA("MousetapTarget", "Gone", WS_POPUP, 0, 0, 1, 1, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(InitHooksDll(doomed), 8);
    EXPECT_EQ(InstallFilter(0, TRUE), 1);
    DestroyWindow(doomed);
    xinput::Click(board->AreaCentre(1));
    EXPECT_TRUE(WaitForBoardButtons(2));
    EXPECT_TRUE(targetLog.picks.empty());
}

} // namespace
