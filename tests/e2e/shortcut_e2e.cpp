// Sampling from anywhere: Win+Shift+C pressed in another program, and the keys that belong to
// sampling, as a user presses them (real X keys), with Tintview in its own process and another
// program's window of known colours that records every key it gets.
#include "tintview_process.h"

#include "clipboard_text.h"
#include "colour_board.h"
#include "handle_owners.h"
#include "lens_view.h"
#include "message_pump.h"
#include "suspended_thread.h"
#include "resources/resource_ids.h"
#include "x_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace testing_support;
using colour_board::HexOf;
using xinput::Pointer;

namespace {

class ShortcutTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The board sits above the picker, which starts centred on the screen.
        board_ = std::make_unique<ColourBoard>(POINT{40, 10});
        tintview_ = std::make_unique<TintviewProcess>();
        ASSERT_TRUE(tintview_->Shown());
        // The user works in the other program.
        xinput::Click(board_->AreaCentre(0));
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == board_->Window(); }, 3000))
            << "the board did not get the focus";
        board_->ClearLog();
    }
    void TearDown() override {
        tintview_.reset();
        board_.reset();
    }

    bool Sampling() const { return VisibleLensOfProcess(tintview_->Process().Id()) != nullptr; }
    bool WaitSampling(bool on) {
        return PumpUntil([&] { return Sampling() == on; }, 3000);
    }
    bool WaitForHex(const std::string& hex) {
        return PumpUntil([&] { return tintview_->Text(IDC_HEX_FIELD) == hex; }, 3000);
    }
    // A character typed into the board, which reaches it only after every key before it has
    // been dealt with: the sentinel of checks that a key did not arrive.
    void ExpectBoardGets(char character) {
        xinput::Type(std::string(1, character));
        EXPECT_TRUE(PumpUntil([&] { return board_->GotKey(WM_CHAR, character); }, 3000))
            << "the board did not get '" << character << "'";
    }
    void ExpectBoardNeverGot(UINT key, const char* name) {
        EXPECT_FALSE(board_->GotKey(WM_KEYDOWN, key)) << name << " reached the board";
    }

    std::unique_ptr<ColourBoard> board_;
    std::unique_ptr<TintviewProcess> tintview_;
};

TEST_F(ShortcutTest, FromAnotherProgramTheKeysSampleAndNoneOfThemLeaks) {
    xinput::MoveTo(board_->AreaCentre(2));
    xinput::Key("super+shift+c");
    ASSERT_TRUE(WaitSampling(true)) << "the shortcut did not start sampling";
    EXPECT_EQ(GetForegroundWindow(), board_->Window()) << "the shortcut took the focus";
    ExpectBoardGets('x'); // a key that is not sampling's reaches the program at once

    const POINT start = Pointer();
    const auto step = [&](const char* key, LONG dx, LONG dy) {
        xinput::Key(key);
        EXPECT_TRUE(PumpUntil(
            [&] { return Pointer().x == start.x + dx && Pointer().y == start.y + dy; }, 3000))
            << key << ": the pointer moved by " << Pointer().x - start.x << ", "
            << Pointer().y - start.y;
    };
    step("Right", 1, 0);
    step("shift+Down", 1, 10);
    step("Left", 0, 10);
    step("shift+Up", 0, 0);

    const COLORREF under = ScreenPixel(Pointer());
    ASSERT_EQ(under, colour_board::kColours[2]);
    xinput::Key("Return");
    EXPECT_TRUE(WaitForHex(HexOf(under))) << "Enter did not take the pixel";
    EXPECT_TRUE(PumpUntil([&] { return ClipboardText() == "#" + HexOf(under); }, 3000))
        << "the pick by the shortcut's sampling is not on the clipboard";
    // And a pick moved elsewhere by the keys takes the pixel there.
    xinput::Key("shift+Left shift+Left shift+Left shift+Left shift+Left shift+Left");
    xinput::MoveTo(board_->AreaCentre(3));
    xinput::Key("Return");
    EXPECT_TRUE(WaitForHex(HexOf(colour_board::kColours[3])));
    EXPECT_EQ(GetForegroundWindow(), board_->Window()) << "a pick took the focus";

    ExpectBoardGets('y');
    for (const auto& [key, name] : {std::pair<UINT, const char*>{VK_LEFT, "Left"},
                                    {VK_RIGHT, "Right"},
                                    {VK_UP, "Up"},
                                    {VK_DOWN, "Down"},
                                    {VK_RETURN, "Enter"}}) {
        ExpectBoardNeverGot(key, name);
    }

    xinput::Key("Escape");
    EXPECT_TRUE(WaitSampling(false)) << "Esc in another program did not end sampling";
    ExpectBoardGets('z');
    ExpectBoardNeverGot(VK_ESCAPE, "Esc");
    EXPECT_FALSE(tintview_->Process().WaitForExit(0).has_value()) << "Esc ended Tintview";

    // Outside sampling no key is taken.
    xinput::Key("Right");
    EXPECT_TRUE(PumpUntil([&] { return board_->GotKey(WM_KEYDOWN, VK_RIGHT); }, 3000))
        << "Right was taken outside sampling";

    xinput::Key("super+shift+c");
    ASSERT_TRUE(WaitSampling(true)) << "the shortcut did not start sampling again";
    xinput::Key("super+shift+c");
    EXPECT_TRUE(WaitSampling(false)) << "the shortcut did not end sampling";
    EXPECT_EQ(tintview_->Text(IDC_HEX_FIELD), HexOf(colour_board::kColours[3]));
}

TEST_F(ShortcutTest, InTintviewEnterOnSnapOrExitTakesThePixelAndEscStillEnds) {
    xinput::Click(tintview_->Centre(IDC_SNAP)); // the focus on "Snap"
    ASSERT_TRUE(WaitSampling(true));
    xinput::MoveTo(board_->AreaCentre(1));
    xinput::Key("Return");
    ASSERT_TRUE(WaitForHex(HexOf(colour_board::kColours[1]))) << "Enter on Snap";
    EXPECT_TRUE(Sampling()) << "Enter on Snap ended sampling";

    xinput::Key("Tab"); // "Snap" to "EXIT"
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(tintview_->Window(), nullptr);
    ASSERT_TRUE(PumpUntil(
        [&] {
            return GetGUIThreadInfo(thread, &info) &&
                   info.hwndFocus == tintview_->Control(IDC_EXIT);
        },
        3000))
        << "the focus did not reach EXIT";
    xinput::MoveTo(board_->AreaCentre(2));
    xinput::Key("Return");
    EXPECT_TRUE(WaitForHex(HexOf(colour_board::kColours[2]))) << "Enter on EXIT";
    EXPECT_FALSE(tintview_->Process().WaitForExit(300).has_value()) << "Enter on EXIT exited";

    xinput::Key("Escape");
    EXPECT_TRUE(tintview_->Process().WaitForExit(5000).has_value()) << "Esc in Tintview";
}

TEST_F(ShortcutTest, APickerThatHangsHoldsNeitherKeyboardNorMouse) {
    xinput::MoveTo(board_->AreaCentre(2));
    xinput::Key("super+shift+c");
    ASSERT_TRUE(WaitSampling(true));
    const SuspendedThread stuck(GetWindowThreadProcessId(tintview_->Window(), nullptr));
    ASSERT_TRUE(stuck.Suspended());
    // Past the half second in which the picker could still be only slow.
    Sleep(700);
    const DWORD pressed = GetTickCount();
    xinput::Key("Left");
    EXPECT_TRUE(PumpUntil([&] { return board_->GotKey(WM_KEYDOWN, VK_LEFT); }, 1000))
        << "a key was held by the stuck picker";
    std::printf("a key reached the board %lu ms after its press\n", GetTickCount() - pressed);
    xinput::Click(board_->AreaCentre(1));
    EXPECT_TRUE(PumpUntil(
        [&] {
            const auto messages = board_->MouseMessages();
            return std::count(messages.begin(), messages.end(), WM_LBUTTONUP) > 0;
        },
        10000))
        << "the mouse was held by the stuck picker";
}

} // namespace
