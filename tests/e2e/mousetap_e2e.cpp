// The hook library under real X input: a window of this test program is the target, the colour
// board is another process's window, and xdotool clicks on both.
#include "Mousetap.h"

#include "colour_board.h"
#include "message_pump.h"
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

LRESULT CALLBACK TargetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PICK_POINT) {
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
    }
    void TearDown() override { InstallFilter(0, FALSE); }

    static void StartHook() {
        EXPECT_EQ(InitHooksDll(target), 8);
        EXPECT_EQ(InstallFilter(0, TRUE), 1);
    }
    // Picks arrive synchronously, but the board's own queue may still hold a message.
    static void Settle() { PumpFor(300); }

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
        Settle();
        ASSERT_EQ(targetLog.picks.size(), static_cast<size_t>(area + 1));
        EXPECT_EQ(targetLog.picks.back().x, point.x);
        EXPECT_EQ(targetLog.picks.back().y, point.y);
    }
    EXPECT_TRUE(board->MouseMessages().empty()) << "the board received a mouse message";
}

TEST_F(MousetapTest, PressAloneIsNotReportedAndItsReleaseIs) {
    StartHook();
    const POINT point = board->AreaCentre(1);
    xinput::Press(point);
    Settle();
    EXPECT_TRUE(targetLog.picks.empty());
    xinput::Release();
    Settle();
    ASSERT_EQ(targetLog.picks.size(), 1u);
    EXPECT_EQ(targetLog.picks[0].x, point.x);
    EXPECT_TRUE(board->MouseMessages().empty());
}

TEST_F(MousetapTest, ReleaseOnATitleBarIsReported) {
    StartHook();
    const POINT point = board->TitleBarPoint();
    ASSERT_EQ(SendMessageA(board->Window(), WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)),
              HTCAPTION);
    xinput::Click(point);
    Settle();
    ASSERT_EQ(targetLog.picks.size(), 1u);
    EXPECT_EQ(targetLog.picks[0].x, point.x);
    EXPECT_EQ(targetLog.picks[0].y, point.y);
    EXPECT_TRUE(board->MouseMessages().empty());
}

TEST_F(MousetapTest, ReleaseOverTheTargetItselfIsReportedNotDelivered) {
    StartHook();
    const POINT point = TargetCentre();
    xinput::Click(point);
    Settle();
    ASSERT_EQ(targetLog.picks.size(), 1u);
    EXPECT_EQ(targetLog.picks[0].x, point.x);
    EXPECT_EQ(targetLog.picks[0].y, point.y);
    EXPECT_TRUE(targetLog.mouseMessages.empty());
}

TEST_F(MousetapTest, AfterRemovalClicksReachTheirWindowsAgain) {
    StartHook();
    EXPECT_EQ(InstallFilter(0, FALSE), 1);
    xinput::Click(board->AreaCentre(2));
    Settle();
    EXPECT_TRUE(targetLog.picks.empty());
    EXPECT_EQ(CountButtonMessages(board->MouseMessages()), 2u);
}

TEST_F(MousetapTest, RemovalWithoutAHookDoesNothing) {
    EXPECT_EQ(InstallFilter(0, FALSE), 1);
    EXPECT_EQ(InstallFilter(12345, FALSE), 1);
    xinput::Click(board->AreaCentre(0));
    Settle();
    EXPECT_EQ(CountButtonMessages(board->MouseMessages()), 2u);
}

TEST_F(MousetapTest, SecondInstallationReplacesTheFirst) {
    StartHook();
    EXPECT_EQ(InstallFilter(7, TRUE), 1);
    xinput::Click(board->AreaCentre(3));
    Settle();
    EXPECT_EQ(targetLog.picks.size(), 1u) << "two hooks would report the release twice";
    EXPECT_EQ(InstallFilter(0, FALSE), 1);
    board->ClearLog();
    xinput::Click(board->AreaCentre(3));
    Settle();
    EXPECT_EQ(targetLog.picks.size(), 1u);
    EXPECT_EQ(CountButtonMessages(board->MouseMessages()), 2u) << "a hook was left behind";
}

TEST_F(MousetapTest, AHookWhoseWindowIsGoneSwallowsNothing) {
    // As after a picker killed before it could remove its hook.
    const HWND doomed = CreateWindowA("MousetapTarget", "Gone", WS_POPUP, 0, 0, 1, 1, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(InitHooksDll(doomed), 8);
    EXPECT_EQ(InstallFilter(0, TRUE), 1);
    DestroyWindow(doomed);
    xinput::Click(board->AreaCentre(1));
    Settle();
    EXPECT_EQ(CountButtonMessages(board->MouseMessages()), 2u);
    EXPECT_TRUE(targetLog.picks.empty());
}

} // namespace
