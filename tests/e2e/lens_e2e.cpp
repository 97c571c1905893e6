// The lens never shows itself and is never sampled: with Tintview in its own process and real X
// input, the pointer jumps onto the lens and the button goes at once. The colour loaded is that
// of the window beneath, and the lens, moved on, magnifies that window, not its own old picture.
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
using colour_board::HexOf;

namespace {

TEST(LensJump, AReleaseOnTheLensOrWhereItJustWasLoadsTheColourBeneath) {
    ColourBoard board(POINT{40, 10});
    TintviewProcess tintview;
    ASSERT_TRUE(tintview.Shown());
    xinput::Click(tintview.Centre(IDC_SNAP));
    const auto lensBeside = [&](POINT pointer) {
        RECT at{};
        const bool shown = PumpUntil(
            [&] {
                const HWND lens = VisibleLensOfProcess(tintview.Process().Id());
                return lens && GetWindowRect(lens, &at) && at.left - pointer.x >= 10 &&
                       at.left - pointer.x <= 40 && at.top - pointer.y >= 10 &&
                       at.top - pointer.y <= 40;
            },
            3000);
        return shown ? std::optional<RECT>(at) : std::nullopt;
    };
    // Left of the line between areas 0 and 1, the lens lies over areas 1 and 3 and shows area
    // 0's colour in some of its blocks.
    const POINT line = board.ClientPoint(0.5, 0.15);
    struct Spot {
        const char* what;
        std::function<POINT(const RECT&)> on;
        // The board's thread busy meanwhile: the lens has moved on before the release reaches
        // Tintview, and the board has not repainted the place it left.
        bool boardBusy;
    };
    const Spot spots[] = {
        {"the caption", [](const RECT& lens) { return LensCaptionMargin(lens); }, false},
        {"a block of another colour", [](const RECT& lens) { return LensBlockCentre(lens, -5, 0); },
         false},
        {"the caption, the board busy", [](const RECT& lens) { return LensCaptionMargin(lens); },
         true},
        {"the edge, the board busy",
         [](const RECT& lens) {
             return POINT{lens.left, lens.top + 60};
         },
         true},
    };
    int round = 0;
    for (const Spot& spot : spots) {
        const POINT pointer{line.x - 3 - round, line.y + round};
        ++round;
        xinput::MoveTo(pointer);
        const auto lens = lensBeside(pointer);
        ASSERT_TRUE(lens) << spot.what << ": no lens beside the pointer";
        const POINT onLens = spot.on(*lens);
        const auto beneath = board.ColourAt(onLens);
        ASSERT_TRUE(beneath) << spot.what << ": not over the board";
        const Screenshot shot = TakeScreenshotWhen([&](const Screenshot& s) {
            return s.Pixel(onLens) != *beneath &&
                   s.Pixel(LensBlockCentre(*lens, -5, 0)) == colour_board::kColours[0];
        });
        ASSERT_NE(shot.Pixel(onLens), *beneath) << spot.what << ": the lens shows the board there";
        if (spot.boardBusy) {
            board.Stall(800);
        }
        xinput::Click(onLens); // one command: the pointer jumps and the button goes at once
        EXPECT_TRUE(
            PumpUntil([&] { return tintview.Text(IDC_HEX_FIELD) == HexOf(*beneath); }, 4000))
            << spot.what << ": loaded " << tintview.Text(IDC_HEX_FIELD) << " instead of "
            << HexOf(*beneath);
        const auto moved = lensBeside(onLens);
        ASSERT_TRUE(moved) << spot.what << ": the lens did not follow";
        const Screenshot after = TakeScreenshotWhen([&](const Screenshot& s) {
            return s.Pixel(LensBlockCentre(*moved, 0, 0)) == *beneath;
        });
        EXPECT_EQ(after.Pixel(LensBlockCentre(*moved, 0, 0)), *beneath)
            << spot.what << ": the lens magnified its own old picture";
    }
}

} // namespace
