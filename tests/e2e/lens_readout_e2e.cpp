// What the lens says and what a pick loads beyond one pixel: the sampled square that + and -
// change, its exact average, the contrast against the colour the window holds and the pointer's
// position, read from the lens's window text as a screen reader reads it. Real X keys and clicks,
// Tintview in its own process, another program's window of known colours.
#include "tintview_process.h"

#include "colour_board.h"
#include "lens_view.h"
#include "message_pump.h"
#include "resources/resource_ids.h"
#include "rules/lens_picture.h"
#include "x_input.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace testing_support;
using colour_board::HexOf;
using xinput::Pointer;

namespace {

std::string Position(POINT at) {
    return "at " + std::to_string(at.x) + ", " + std::to_string(at.y);
}

// The mean of `count` pixels of each colour, each component to the nearest whole number, halves
// up: worked out here from the board's known areas.
COLORREF Mean(const std::vector<std::pair<COLORREF, int>>& parts) {
    int total = 0, red = 0, green = 0, blue = 0;
    for (const auto& [colour, count] : parts) {
        total += count;
        red += GetRValue(colour) * count;
        green += GetGValue(colour) * count;
        blue += GetBValue(colour) * count;
    }
    const auto round = [&](int sum) { return static_cast<BYTE>((2 * sum + total) / (2 * total)); };
    return RGB(round(red), round(green), round(blue));
}

class LensReadoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        board_ = std::make_unique<ColourBoard>(POINT{40, 10});
        tintview_ = std::make_unique<TintviewProcess>();
        ASSERT_TRUE(tintview_->Shown());
        xinput::Click(tintview_->Centre(IDC_SNAP)); // sampling, the focus on "Snap"
        ASSERT_TRUE(PumpUntil([&] { return Lens() != nullptr; }, 3000)) << "no lens";
    }
    void TearDown() override {
        tintview_.reset();
        board_.reset();
    }

    HWND Lens() const { return VisibleLensOfProcess(tintview_->Process().Id()); }
    std::string LensText() const {
        char text[256] = "";
        GetWindowTextA(Lens(), text, sizeof text);
        return text;
    }
    // Waits until the lens's text says `words` (anywhere in it), and returns the text.
    std::string WaitForText(const std::string& words) const {
        std::string text;
        PumpUntil([&] { return (text = LensText()).find(words) != std::string::npos; }, 3000);
        return text;
    }
    void ExpectTextSays(const std::string& words) const {
        const std::string text = WaitForText(words);
        EXPECT_NE(text.find(words), std::string::npos) << text;
    }
    bool WaitForHex(COLORREF colour) const {
        return PumpUntil([&] { return tintview_->Text(IDC_HEX_FIELD) == HexOf(colour); }, 3000);
    }
    // The board's client point where area `index` has its top-left pixel, in screen pixels.
    POINT AreaCorner(int index) const {
        RECT client;
        GetClientRect(board_->Window(), &client);
        const RECT area = colour_board::AreaRect(client, index);
        POINT corner{area.left, area.top};
        ClientToScreen(board_->Window(), &corner);
        return corner;
    }

    std::unique_ptr<ColourBoard> board_;
    std::unique_ptr<TintviewProcess> tintview_;
};

TEST_F(LensReadoutTest, TheTextGivesThePositionAndTheContrastWithTheColourHeld) {
    const COLORREF* colours = colour_board::kColours;
    xinput::MoveTo(board_->AreaCentre(3));
    // The window holds black at the start; contrast figures worked out apart from the program,
    // from the guidelines' relative luminance, and cut to two decimals.
    std::string text = WaitForText(Position(Pointer()));
    EXPECT_EQ(text, "#FEFD01, red 254, green 253, blue 1, " + Position(Pointer()) +
                        ", contrast 19.26 to 1, AAA");

    xinput::Click(board_->AreaCentre(2)); // the background: 00A0FF
    ASSERT_TRUE(WaitForHex(colours[2]));
    xinput::MoveTo(board_->AreaCentre(0)); // the text on it: 123456
    text = WaitForText(Position(Pointer()));
    EXPECT_EQ(text, "#123456, red 18, green 52, blue 86, " + Position(Pointer()) +
                        ", contrast 4.52 to 1, AA");
    xinput::MoveTo(board_->AreaCentre(1));
    text = WaitForText(Position(Pointer()));
    EXPECT_EQ(text, "#C8641E, red 200, green 100, blue 30, " + Position(Pointer()) +
                        ", contrast 1.41 to 1")
        << "no level below 3";

    // The arrow keys move the pointer, and the position follows.
    const POINT before = Pointer();
    xinput::Key("Right");
    ExpectTextSays(Position(POINT{before.x + 1, before.y}));
    xinput::Key("shift+Down");
    ExpectTextSays(Position(POINT{before.x + 1, before.y + 10}));
}

TEST_F(LensReadoutTest, PlusAndMinusFrameTheSquareThatPicksAverageExactly) {
    const COLORREF* colours = colour_board::kColours;
    const POINT corner = AreaCorner(3); // where the four areas meet
    xinput::MoveTo(POINT{corner.x, corner.y + 20});
    std::string text = WaitForText(Position(Pointer()));
    EXPECT_EQ(text.find("average"), std::string::npos) << "one pixel at the start: " << text;
    // Left of the frame of one pixel lies the neighbouring pixel's block; of three, the frame.
    const auto frameEdge = [&] {
        RECT lens;
        GetWindowRect(Lens(), &lens);
        const picker::LensRect block =
            picker::MagnifiedBlock(picker::kLensReach - 1, picker::kLensReach);
        const HDC screen = GetDC(nullptr);
        const COLORREF pixel =
            GetPixel(screen, lens.left + block.left - 1, lens.top + (block.top + block.bottom) / 2);
        ReleaseDC(nullptr, screen);
        return pixel;
    };
    EXPECT_NE(frameEdge(), RGB(0, 0, 0)) << "framed wider than one pixel";

    xinput::Key("plus");
    ExpectTextSays(", 3 by 3 average");
    EXPECT_TRUE(PumpUntil([&] { return frameEdge() == RGB(0, 0, 0); }, 3000))
        << "the frame did not grow to the square";
    // A 3 x 3 pick across the border of areas 2 and 3: one column of 2, two of 3.
    xinput::Click(POINT{corner.x, corner.y + 20});
    EXPECT_TRUE(WaitForHex(Mean({{colours[2], 3}, {colours[3], 6}}))) << "the 3 x 3 average";

    xinput::Key("KP_Add plus KP_Add plus"); // 5, 7, 9 and no further
    ExpectTextSays(", 9 by 9 average");
    // 9 x 9 where the four areas meet: four columns and rows before the corner, five from it.
    xinput::Click(corner);
    EXPECT_TRUE(
        WaitForHex(Mean({{colours[0], 16}, {colours[1], 20}, {colours[2], 20}, {colours[3], 25}})))
        << "the 9 x 9 average";

    xinput::Key("minus KP_Subtract minus minus minus"); // 7, 5, 3, 1 and no further
    xinput::MoveTo(POINT{corner.x + 30, corner.y + 30});
    text = WaitForText(Position(Pointer()));
    EXPECT_EQ(text.find("average"), std::string::npos) << "back to one pixel: " << text;
    xinput::Key("plus");
    ExpectTextSays("3 by 3 average"); // not "1 by 1": minus stopped at one pixel
}

} // namespace
