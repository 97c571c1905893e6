// "Snap" as a user uses it: Tintview in its own process, another program's window of known
// colours, real clicks and keys.
#include "tintview_process.h"

#include "colour_board.h"
#include "handle_owners.h"
#include "lens_view.h"
#include "message_pump.h"
#include "suspended_thread.h"
#include "resources/resource_ids.h"
#include "x_input.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace testing_support;
using colour_board::HexOf;

namespace {

size_t ButtonMessages(const ColourBoard& board) {
    const auto messages = board.MouseMessages();
    return std::count_if(messages.begin(), messages.end(), [](UINT message) {
        return message == WM_LBUTTONDOWN || message == WM_LBUTTONUP;
    });
}

size_t Count(const std::vector<UINT>& messages, UINT message) {
    return std::count(messages.begin(), messages.end(), message);
}

class SamplingTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The board sits above the picker, which starts centred on the screen.
        board_ = std::make_unique<ColourBoard>(POINT{40, 10});
        tintview_ = std::make_unique<TintviewProcess>();
        ASSERT_TRUE(tintview_->Shown());
        RECT picker;
        GetWindowRect(tintview_->Window(), &picker);
        RECT board;
        GetWindowRect(board_->Window(), &board);
        ASSERT_LT(board.bottom, picker.top) << "the windows overlap";
        board_->ClearLog();
    }
    void TearDown() override {
        tintview_.reset();
        board_.reset();
    }

    void ClickSnap() { xinput::Click(tintview_->Centre(IDC_SNAP)); }
    // Pixels of the "Snap" button's picture, to tell its two pictures apart.
    std::vector<COLORREF> SnapPicture() const {
        RECT button;
        GetWindowRect(tintview_->Control(IDC_SNAP), &button);
        std::vector<COLORREF> pixels;
        for (LONG y = button.top + 4; y < button.bottom - 4; y += 3) {
            for (LONG x = button.left + 4; x < button.right - 4; x += 3) {
                pixels.push_back(ScreenPixel(POINT{x, y}));
            }
        }
        return pixels;
    }
    bool WaitForHex(const std::string& hex) {
        return PumpUntil([&] { return tintview_->Text(IDC_HEX_FIELD) == hex; }, 3000);
    }
    void ExpectShown(COLORREF colour) {
        const TintviewProcess& t = *tintview_;
        EXPECT_EQ(t.Text(IDC_HEX_FIELD), HexOf(colour));
        EXPECT_EQ(t.Text(IDC_RED_FIELD), std::to_string(GetRValue(colour)));
        EXPECT_EQ(t.Text(IDC_GREEN_FIELD), std::to_string(GetGValue(colour)));
        EXPECT_EQ(t.Text(IDC_BLUE_FIELD), std::to_string(GetBValue(colour)));
        const auto slider = [&](UINT id) {
            return static_cast<int>(SendMessageA(t.Control(id), TBM_GETPOS, 0, 0));
        };
        EXPECT_EQ(slider(IDC_RED_SLIDER), GetRValue(colour));
        EXPECT_EQ(slider(IDC_GREEN_SLIDER), GetGValue(colour));
        EXPECT_EQ(slider(IDC_BLUE_SLIDER), GetBValue(colour));
        EXPECT_EQ(ScreenPixel(t.Centre(IDC_SWATCH)), colour) << "the swatch";
    }

    std::unique_ptr<ColourBoard> board_;
    std::unique_ptr<TintviewProcess> tintview_;
};

TEST_F(SamplingTest, EachReleaseLoadsThePixelUnderItAndNoWindowSeesTheMouse) {
    const std::vector<COLORREF> idlePicture = SnapPicture();
    ClickSnap();
    EXPECT_TRUE(PumpUntil([&] { return SnapPicture() != idlePicture; }, 3000))
        << "the Snap button kept its idle picture";
    for (int area = 0; area < colour_board::kAreas; ++area) {
        xinput::Click(board_->AreaCentre(area));
        ASSERT_TRUE(WaitForHex(HexOf(colour_board::kColours[area]))) << "area " << area;
        ExpectShown(colour_board::kColours[area]);
    }
    // A press alone loads nothing. It is made on the picker's own background and released over
    // the swatch, which lets the click through to that same window: the release then samples
    // the colour already shown, so a report of the press would still show afterwards. The
    // caret the release's sample puts at the end of the hexadecimal field says it was handled.
    const HWND hex = tintview_->Control(IDC_HEX_FIELD);
    SendMessageA(hex, EM_SETSEL, 0, 0);
    POINT background{3, 3};
    ClientToScreen(tintview_->Window(), &background);
    xinput::Press(background);
    xinput::MoveTo(tintview_->Centre(IDC_SWATCH));
    xinput::Release();
    EXPECT_TRUE(
        PumpUntil([&] { return SendMessageA(hex, EM_GETSEL, 0, 0) == MAKELONG(6, 6); }, 3000))
        << "the release over the swatch was not sampled";
    EXPECT_EQ(tintview_->Text(IDC_HEX_FIELD), HexOf(colour_board::kColours[3])) << "the press";
    EXPECT_TRUE(board_->MouseMessages().empty()) << "the board received the mouse";
}

TEST_F(SamplingTest, AReleaseOverExitSamplesItsPixelAndTheProgramGoesOn) {
    const POINT exit = tintview_->Centre(IDC_EXIT);
    const COLORREF under = ScreenPixel(exit);
    ClickSnap();
    xinput::Click(exit);
    EXPECT_TRUE(WaitForHex(HexOf(under)));
    // A later sample shows that the picker has handled everything that came before it.
    xinput::Click(board_->AreaCentre(2));
    EXPECT_TRUE(WaitForHex(HexOf(colour_board::kColours[2])));
    EXPECT_FALSE(tintview_->Process().WaitForExit(0).has_value()) << "EXIT acted";
}

TEST_F(SamplingTest, AReleaseOverSnapEndsTheModeAndKeepsTheColour) {
    const std::vector<COLORREF> idlePicture = SnapPicture();
    ClickSnap();
    xinput::Click(board_->AreaCentre(1));
    ASSERT_TRUE(WaitForHex(HexOf(colour_board::kColours[1])));
    EXPECT_TRUE(PumpUntil([&] { return VisibleLensOfProcess(tintview_->Process().Id()); }, 3000))
        << "no lens while sampling";
    ClickSnap();
    EXPECT_TRUE(PumpUntil([&] { return SnapPicture() == idlePicture; }, 3000))
        << "the idle picture did not come back";
    EXPECT_EQ(VisibleLensOfProcess(tintview_->Process().Id()), nullptr) << "the lens stayed";
    EXPECT_EQ(tintview_->Text(IDC_HEX_FIELD), HexOf(colour_board::kColours[1]));
    xinput::Click(board_->AreaCentre(2));
    EXPECT_TRUE(PumpUntil([&] { return ButtonMessages(*board_) == 2; }, 3000))
        << "clicks do not reach their window again";
    EXPECT_EQ(tintview_->Text(IDC_HEX_FIELD), HexOf(colour_board::kColours[1]));
}

TEST_F(SamplingTest, SnapPressedAgainFromTheKeyboardLeavesOneHook) {
    ClickSnap();
    xinput::Key("space"); // the focus is on "Snap"
    xinput::Click(board_->AreaCentre(3));
    ASSERT_TRUE(WaitForHex(HexOf(colour_board::kColours[3])));
    ClickSnap();
    xinput::Click(board_->AreaCentre(0));
    EXPECT_TRUE(PumpUntil([&] { return ButtonMessages(*board_) == 2; }, 3000))
        << "a hook outlived the mode";
}

TEST_F(SamplingTest, EveryKeyboardWayOutWhileSamplingRemovesTheHook) {
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Escape", [] { xinput::Key("Escape"); }},
        {"Alt+F4", [] { xinput::Key("alt+F4"); }},
        {"EXIT by keyboard", [] { xinput::Key("Tab space"); }}, // from "Snap" to "EXIT"
    };
    for (const auto& [name, leave] : ways) {
        if (!tintview_) {
            tintview_ = std::make_unique<TintviewProcess>();
            ASSERT_TRUE(tintview_->Shown());
        }
        ClickSnap();
        xinput::Click(board_->AreaCentre(2));
        ASSERT_TRUE(WaitForHex(HexOf(colour_board::kColours[2]))) << name;
        board_->ClearLog();
        leave();
        EXPECT_TRUE(tintview_->Process().WaitForExit(5000).has_value()) << name;
        tintview_.reset();
        xinput::Click(board_->AreaCentre(1));
        EXPECT_TRUE(PumpUntil([&] { return ButtonMessages(*board_) == 2; }, 3000))
            << "the hook outlived the program after " << name;
    }
}

TEST_F(SamplingTest,
       APickerThatStopsAnsweringGivesTheMouseBackAndWithdrawsItsLensUntilItAnswersAgain) {
    ClickSnap();
    xinput::Click(board_->AreaCentre(0));
    ASSERT_TRUE(WaitForHex(HexOf(colour_board::kColours[0])));
    // A point of the board where the lens stands beside the pointer.
    const DWORD process = tintview_->Process().Id();
    ASSERT_TRUE(PumpUntil([&] { return VisibleLensOfProcess(process) != nullptr; }, 3000));
    const HWND lens = VisibleLensOfProcess(process);
    RECT lensAt{};
    GetWindowRect(lens, &lensAt);
    const POINT underLens{lensAt.left + 10, lensAt.top + 10};
    ASSERT_TRUE(board_->ColourAt(underLens).has_value()) << "the lens is not over the board";
    board_->ClearLog();

    // Nothing may ask the picker's thread anything while it is suspended: it would not answer.
    SuspendedThread picker(GetWindowThreadProcessId(tintview_->Window(), nullptr));
    ASSERT_TRUE(picker.Suspended());
    const DWORD suspendedAt = GetTickCount();
    // First where the lens stands, as a user would: under Wine, input that lands on a window
    // goes through its thread, click-through or not.
    DWORD lensGoneMs = 0;
    const auto lensGone = [&] {
        if (!lensGoneMs && !IsWindowVisible(lens)) {
            lensGoneMs = GetTickCount() - suspendedAt;
        }
        return lensGoneMs != 0;
    };
    DWORD lensClickFreeMs = 0;
    while (!lensClickFreeMs && GetTickCount() - suspendedAt < 10000) {
        board_->ClearLog();
        xinput::Click(underLens);
        const bool through = PumpUntil(
            [&] {
                lensGone();
                return ButtonMessages(*board_) == 2;
            },
            2000);
        lensClickFreeMs = through ? GetTickCount() - suspendedAt : 0;
    }
    // The lens goes once the picker has left a question unanswered for half a second.
    EXPECT_TRUE(PumpUntil(lensGone, 1000)) << "the lens stayed over a stuck picker";
    EXPECT_NE(lensClickFreeMs, 0u)
        << "no click where the lens stood reached the board within 10 s of the suspension";
    DWORD releaseFreeMs = 0;
    DWORD clickFreeMs = 0;
    while (!clickFreeMs && GetTickCount() - suspendedAt < 10000) {
        board_->ClearLog();
        xinput::Click(board_->AreaCentre(1));
        // Longer than a release waits for its report.
        if (PumpUntil([&] { return Count(board_->MouseMessages(), WM_LBUTTONUP) > 0; }, 2000)) {
            const DWORD elapsed = GetTickCount() - suspendedAt;
            releaseFreeMs = releaseFreeMs ? releaseFreeMs : elapsed;
            clickFreeMs = Count(board_->MouseMessages(), WM_LBUTTONDOWN) > 0 ? elapsed : 0;
        }
    }
    ASSERT_NE(clickFreeMs, 0u) << "no whole click reached the board within 10 s of the suspension";
    RecordProperty("first_release_through_ms", static_cast<int>(releaseFreeMs));
    RecordProperty("first_click_through_ms", static_cast<int>(clickFreeMs));
    RecordProperty("lens_gone_ms", static_cast<int>(lensGoneMs));
    RecordProperty("first_click_where_the_lens_stood_ms", static_cast<int>(lensClickFreeMs));
    std::printf("after the suspension: the lens gone in %lu ms, the first whole click where it "
                "stood in %lu ms; elsewhere the first release through in %lu ms, the first whole "
                "click in %lu ms\n",
                lensGoneMs, lensClickFreeMs, releaseFreeMs, clickFreeMs);

    picker.Resume();
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(tintview_->Window(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer))
        << "the picker does not answer after its resumption";
    // The lens comes back with the answers.
    xinput::MoveTo(board_->AreaCentre(2));
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(lens) != FALSE; }, 3000))
        << "the lens did not come back";
    board_->ClearLog();
    xinput::Click(board_->AreaCentre(2));
    EXPECT_TRUE(WaitForHex(HexOf(colour_board::kColours[2]))) << "the next release was not sampled";
    // A later sample: the board's thread has handled all of the click before.
    xinput::Click(board_->AreaCentre(3));
    EXPECT_TRUE(WaitForHex(HexOf(colour_board::kColours[3])));
    EXPECT_EQ(ButtonMessages(*board_), 0u) << "the board still gets the clicks";
}

} // namespace
