// The lens never shows itself and is never sampled: with Tintview in its own process and real X
// input, the pointer jumps onto the lens and the button is released at once. The colour loaded
// is the one of the window beneath the lens, and the lens, moved on, magnifies that window, not
// its own old picture.
#include "tintview_process.h"

#include "colour_board.h"
#include "lens_view.h"
#include "message_pump.h"
#include "resources/resource_ids.h"
#include "screenshot.h"
#include "x_input.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

using namespace testing_support;

namespace {

constexpr COLORREF kLensEdge = RGB(0x40, 0x40, 0x40);

std::string HexOf(COLORREF colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

class LensJumpTest : public ::testing::Test {
protected:
    void SetUp() override {
        board_ = std::make_unique<ColourBoard>(POINT{40, 10});
        tintview_ = std::make_unique<TintviewProcess>();
        ASSERT_TRUE(tintview_->Shown());
        xinput::Click(tintview_->Centre(IDC_SNAP));
    }
    void TearDown() override {
        tintview_.reset();
        board_.reset();
    }

    // The lens's rectangle once it shows beside `pointer`.
    std::optional<RECT> LensBeside(POINT pointer) const {
        RECT at{};
        const bool shown = PumpUntil(
            [&] {
                const HWND lens = VisibleLensOfProcess(tintview_->Process().Id());
                return lens && GetWindowRect(lens, &at) && at.left - pointer.x >= 10 &&
                       at.left - pointer.x <= 40 && at.top - pointer.y >= 10 &&
                       at.top - pointer.y <= 40;
            },
            3000);
        return shown ? std::optional<RECT>(at) : std::nullopt;
    }

    std::unique_ptr<ColourBoard> board_;
    std::unique_ptr<TintviewProcess> tintview_;
};

TEST_F(LensJumpTest, AReleaseOnTheLensLoadsTheColourBeneathItAndTheLensNeverMagnifiesItself) {
    // Left of the line between areas 0 and 1: the lens lies over areas 1 and 3 and shows area
    // 0's colour in some of its blocks, over area 1.
    const POINT line = board_->ClientPoint(0.5, 0.15);
    struct Target {
        const char* what;
        std::function<POINT(const RECT&)> on;
    };
    const Target targets[] = {
        {"the caption", [](const RECT& lens) { return LensCaptionMargin(lens); }},
        {"the edge",
         [](const RECT& lens) {
             return POINT{lens.left, lens.top + 60};
         }},
        {"the frame",
         [](const RECT& lens) {
             const POINT centre = LensBlockCentre(lens, 0, 0);
             return POINT{centre.x, centre.y - 6};
         }},
        {"a block of another colour",
         [](const RECT& lens) { return LensBlockCentre(lens, -5, 0); }},
    };
    int round = 0;
    for (const Target& target : targets) {
        const POINT pointer{line.x - 3 - round, line.y + round};
        ++round;
        xinput::MoveTo(pointer);
        const auto lens = LensBeside(pointer);
        ASSERT_TRUE(lens) << target.what << ": no lens beside the pointer";
        const POINT onLens = target.on(*lens);
        const auto beneath = board_->ColourAt(onLens);
        ASSERT_TRUE(beneath) << target.what << ": not over the board";
        const Screenshot shot = TakeScreenshotWhen([&](const Screenshot& s) {
            return s.Pixel(POINT{lens->left, lens->bottom - 1}) == kLensEdge &&
                   s.Pixel(LensBlockCentre(*lens, -5, 0)) == colour_board::kColours[0];
        });
        ASSERT_NE(shot.Pixel(onLens), *beneath)
            << target.what << ": the lens shows the board's colour";

        xinput::Click(onLens); // one command: the pointer jumps and the button goes at once
        EXPECT_TRUE(
            PumpUntil([&] { return tintview_->Text(IDC_HEX_FIELD) == HexOf(*beneath); }, 3000))
            << target.what << ": loaded " << tintview_->Text(IDC_HEX_FIELD) << " instead of "
            << HexOf(*beneath);
        const auto moved = LensBeside(onLens);
        ASSERT_TRUE(moved) << target.what << ": the lens did not follow";
        const Screenshot after = TakeScreenshotWhen([&](const Screenshot& s) {
            return s.Pixel(LensBlockCentre(*moved, 0, 0)) == *beneath;
        });
        EXPECT_EQ(after.Pixel(LensBlockCentre(*moved, 0, 0)), *beneath)
            << target.what << ": the lens magnified its own old picture";
    }
}

TEST_F(LensJumpTest, AReleaseWhereTheLensJustWasLoadsTheColourBeneathWhileThatWindowIsBusy) {
    // The window beneath cannot repaint the place the lens leaves: a tick of the lens moves it
    // on before the board's thread gets to the release, and the screen there still shows the
    // lens's old picture.
    const POINT pointer = board_->ClientPoint(0.2, 0.15);
    xinput::MoveTo(pointer);
    const auto lens = LensBeside(pointer);
    ASSERT_TRUE(lens);
    for (const POINT onLens : {LensCaptionMargin(*lens), POINT{lens->left, lens->top + 60}}) {
        const auto beneath = board_->ColourAt(onLens);
        ASSERT_TRUE(beneath);
        const Screenshot shot =
            TakeScreenshotWhen([&](const Screenshot& s) { return s.Pixel(onLens) != *beneath; });
        ASSERT_NE(shot.Pixel(onLens), *beneath) << "the lens shows the board's colour there";
        board_->Stall(800);
        xinput::Click(onLens);
        EXPECT_TRUE(
            PumpUntil([&] { return tintview_->Text(IDC_HEX_FIELD) == HexOf(*beneath); }, 4000))
            << "loaded " << tintview_->Text(IDC_HEX_FIELD) << " instead of " << HexOf(*beneath);
        const auto moved = LensBeside(onLens);
        ASSERT_TRUE(moved);
        const Screenshot after = TakeScreenshotWhen([&](const Screenshot& s) {
            return s.Pixel(LensBlockCentre(*moved, 0, 0)) == *beneath;
        });
        EXPECT_EQ(after.Pixel(LensBlockCentre(*moved, 0, 0)), *beneath)
            << "the lens magnified its own old picture";
        xinput::MoveTo(pointer); // back, for the next spot
        ASSERT_TRUE(LensBeside(pointer));
    }
}

} // namespace
