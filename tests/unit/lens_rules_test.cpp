// The lens's rules: where it goes beside the pointer, what it answers for the pixels it covers or
// has just left, the frame it draws, the average a pick loads, what it says, and the colours taken
// before.
#include "rules/lens_backdrop.h"
#include "rules/lens_geometry.h"
#include "rules/lens_picture.h"
#include "rules/lens_readout.h"
#include "rules/recent_colours.h"
#include "rules/sample_square.h"

#include <gtest/gtest.h>

using namespace picker;

namespace {

std::optional<LensRect> Place(LensPoint pointer, const LensRect& display) {
    return PlaceLens(pointer, display, kLensWidth, kLensHeight);
}

TEST(LensPlacement, BesideThePointerFlippedAtEdgesWhollyOnItsDisplayAndClearOfTheSquare) {
    const LensRect primary{0, 0, 1024, 768};
    EXPECT_EQ(Place({300, 200}, primary),
              (LensRect{320, 220, 320 + kLensWidth, 220 + kLensHeight}));
    EXPECT_EQ(Place({1000, 200}, primary)->right, 1000 - kLensGap + 1) << "left, as far away";
    EXPECT_EQ(Place({300, 700}, primary)->bottom, 700 - kLensGap + 1) << "above";
    const std::int32_t lastOnTheRight = 1024 - kLensGap - kLensWidth;
    EXPECT_EQ(Place({lastOnTheRight, 0}, primary)->right, 1024);
    EXPECT_LT(Place({lastOnTheRight + 1, 0}, primary)->left, lastOnTheRight);
    // Every pointer position of displays anywhere, left of and above the primary included.
    for (const LensRect display :
         {primary, LensRect{-1280, -1024, 0, 0}, LensRect{-300, 100, 500, 700}}) {
        for (std::int32_t y = display.top; y < display.bottom; y += 7) {
            for (std::int32_t x = display.left; x < display.right; x += 5) {
                const auto lens = Place({x, y}, display);
                ASSERT_TRUE(lens);
                ASSERT_TRUE(lens->left >= display.left && lens->top >= display.top &&
                            lens->right <= display.right && lens->bottom <= display.bottom)
                    << x << "," << y;
                ASSERT_FALSE(lens->Intersects(MagnifiedSquare({x, y}))) << x << "," << y;
            }
        }
    }
}

TEST(LensPlacement, ADisplayTooLowOrNarrowKeepsItClearOnTheOtherAxisOrGivesNoPlace) {
    const LensRect low{0, 0, 800, kLensHeight + 10};
    const auto fitted = Place({100, 80}, low);
    ASSERT_TRUE(fitted);
    EXPECT_TRUE(fitted->top >= 0 && fitted->bottom <= low.bottom);
    EXPECT_FALSE(fitted->Intersects(MagnifiedSquare({100, 80})));
    EXPECT_FALSE(Place({80, 80}, LensRect{0, 0, kLensWidth + 30, kLensHeight + 30}));
    EXPECT_EQ(ClampOnto({-1285, 1030}, LensRect{-1280, 0, 0, 1024}), (LensPoint{-1280, 1023}));
}

// A primary with one display left of it and one above: a point on a display gets that display;
// one in a gap or beyond every edge gets the nearest, counted to its nearest pixel.
TEST(LensPlacement, APointGetsTheDisplayItIsOnOrElseTheNearest) {
    const LensRect primary{0, 0, 1024, 768};
    const LensRect left{-1280, 100, 0, 868};
    const LensRect above{0, -600, 800, 0};
    const std::vector<LensRect> displays{primary, left, above};
    EXPECT_EQ(DisplayNear({-1, 100}, displays), left);
    EXPECT_EQ(DisplayNear({0, 0}, displays), primary);
    EXPECT_EQ(DisplayNear({799, -1}, displays), above);
    EXPECT_EQ(DisplayNear({-50, 95}, displays), left) << "5 from the left one, 50 from the primary";
    EXPECT_EQ(DisplayNear({900, -30}, displays), primary) << "30 from the primary, 100 from above";
    EXPECT_EQ(DisplayNear({-2000, -2000}, displays), left);
    EXPECT_FALSE(DisplayNear({0, 0}, {}));
    EXPECT_EQ(BoundsOf(displays), (LensRect{-1280, -600, 1024, 868}));
    EXPECT_EQ(BoundsOf({}).Width(), 0);
}

// A block with a value of its own at each point, so that which copy a pixel came from shows.
CPixelBlock Pattern(const LensRect& area, Rgb base) {
    CPixelBlock block(area);
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        for (std::int32_t x = area.left; x < area.right; ++x) {
            block.Set({x, y}, base + static_cast<Rgb>((y & 0xFF) << 8 | (x & 0xFF)));
        }
    }
    return block;
}

TEST(CLensBackdrop, AnswersWhatLayBeneathWhereTheLensIsAndWhereItWasUntilRepainted) {
    CLensBackdrop backdrop;
    const LensRect old{0, 0, 20, 20};
    backdrop.Cover(Pattern(old, 0x300000), CPixelBlock(old, 0xEEEEEE));
    // The lens moves by a few pixels: beneath the new place is read while the old covers part.
    const LensRect next{5, 5, 25, 25};
    CPixelBlock beneath(next, 0x0000AA);
    for (std::int32_t y = 5; y < 20; ++y) {
        std::fill_n(beneath.Row(y), 15, 0xEEEEEE);
    }
    backdrop.Uncover(beneath);
    EXPECT_EQ(beneath.At({5, 5}), 0x300505u);
    EXPECT_EQ(beneath.At({19, 19}), 0x301313u);
    EXPECT_EQ(beneath.At({20, 19}), 0x0000AAu);
    backdrop.Cover(beneath, CPixelBlock(next, 0xDDDDDD));
    backdrop.Redrawn(CPixelBlock(next, 0xCCCCCC));
    // The screen: the new picture where the lens is, the old where the old place was not
    // repainted yet, and something else where it was.
    CPixelBlock screen(LensRect{0, 0, 25, 25}, 0xCCCCCC);
    std::fill_n(screen.Row(0), 20, 0xEEEEEE);
    screen.Set({3, 1}, 0xEEEEEE);
    screen.Set({4, 2}, 0x123456);
    backdrop.Uncover(screen);
    EXPECT_EQ(screen.At({2, 0}), 0x300002u) << "the old place, not repainted";
    EXPECT_EQ(screen.At({3, 1}), 0x300103u);
    EXPECT_EQ(screen.At({4, 2}), 0x123456u) << "the old place, repainted";
    EXPECT_EQ(screen.At({7, 8}), 0x300807u) << "the new place, over the old";
    EXPECT_EQ(screen.At({22, 22}), 0x0000AAu) << "the new place, beyond the old";
    EXPECT_EQ(screen.At({22, 2}), 0xCCCCCCu) << "never covered";
    // Hidden, the last place counts as left: only its latest picture matches.
    backdrop.Leave();
    CPixelBlock left(LensRect{22, 22, 24, 23}, 0xCCCCCC);
    left.Set({23, 22}, 0xDDDDDD);
    backdrop.Uncover(left);
    EXPECT_EQ(left.At({22, 22}), 0x0000AAu);
    EXPECT_EQ(left.At({23, 22}), 0xDDDDDDu) << "a picture the lens no longer showed";
}

TEST(CLensBackdrop, TheMostRecentPlaceLeftWinsAndOnlyAFewAreKept) {
    CLensBackdrop backdrop;
    const LensRect area{0, 0, 4, 4};
    const LensRect aside{100, 0, 104, 4};
    backdrop.Cover(CPixelBlock(aside, 0x42), CPixelBlock(aside, 0x99));
    for (Rgb serial = 1; serial <= CLensBackdrop::kPlacesLeftKept; ++serial) {
        backdrop.Cover(CPixelBlock(area, serial), CPixelBlock(area, 0x77));
    }
    CPixelBlock old(aside, 0x99), here(area, 0x77);
    backdrop.Uncover(old);
    backdrop.Uncover(here);
    EXPECT_EQ(old.At({100, 0}), 0x42u) << "still kept";
    EXPECT_EQ(here.At({0, 0}), CLensBackdrop::kPlacesLeftKept) << "the place held";
    backdrop.Cover(CPixelBlock(area, 0x1), CPixelBlock(area, 0x2));
    CPixelBlock forgotten(aside, 0x99);
    backdrop.Uncover(forgotten);
    EXPECT_EQ(forgotten.At({100, 0}), 0x99u);
}

// Along the middle row and column: a dark ring just outside the sampled blocks, a light one
// outside that, and each block's own colour elsewhere.
void ExpectFrame(std::int32_t side) {
    const CPixelBlock square = Pattern(MagnifiedSquare({500, 400}), 0x500000);
    CPixelBlock lens(LensRect{0, 0, kLensWidth, kLensHeight});
    DrawMagnified(square, side, lens);
    const std::int32_t start = MagnifiedBlock(kLensReach - side / 2, 0).left;
    const std::int32_t end = MagnifiedBlock(kLensReach + side / 2, 0).right;
    const std::int32_t middle = MagnifiedBlock(kLensReach, kLensReach).top + 3;
    for (std::int32_t at = kLensBorder; at < kLensBorder + kLensMagnifiedSide; ++at) {
        const std::int32_t block = (at - kLensBorder) / kLensBlock;
        const Rgb row = square.At({square.Area().left + block, square.Area().top + kLensReach});
        const Rgb column = square.At({square.Area().left + kLensReach, square.Area().top + block});
        const bool dark = at == start - 1 || at == end, light = at == start - 2 || at == end + 1;
        ASSERT_EQ(lens.At({at, middle}), dark ? kFrameDark : light ? kFrameLight : row) << at;
        ASSERT_EQ(lens.At({middle, at}), dark ? kFrameDark : light ? kFrameLight : column) << at;
    }
}

TEST(LensPicture, TheFrameEnclosesTheWholeSampledSquare) {
    ExpectFrame(1);
    ExpectFrame(9);
}

TEST(LensPicture, TheCaptionWritesTheCentreColourBothWays) {
    EXPECT_EQ(HexCaption(0x12AB0F), "#12AB0F");
    EXPECT_EQ(HexCaption(0x000000), "#000000");
    EXPECT_EQ(ComponentsCaption(0x12AB0F), "R 18  G 171  B 15");
}

TEST(SampleSquare, StepsThroughTheOddSidesAndStopsAtEitherEnd) {
    std::vector<std::int32_t> sides{kSmallestSampleSide};
    for (int step = 0; step < 10; ++step) {
        sides.push_back(step < 5 ? LargerSampleSide(sides.back())
                                 : SmallerSampleSide(sides.back()));
    }
    EXPECT_EQ(sides, (std::vector<std::int32_t>{1, 3, 5, 7, 9, 9, 7, 5, 3, 1, 1}));
}

// Pixels off the displays read white here, which would pull any average up.
CPixelBlock AroundThePointer(LensPoint pointer) {
    return CPixelBlock(MagnifiedSquare(pointer), 0xFFFFFF);
}

TEST(SampleSquare, AveragesEachComponentToTheNearestHalvesUp) {
    const std::vector<LensRect> one{LensRect{0, 0, 800, 600}};
    // 81 pixels: red 0 to 80 (mean 40), green 1 in the first 41 (0.506), blue 1 in every third.
    CPixelBlock pixels = AroundThePointer({400, 300});
    const LensRect square = SampleSquare({400, 300}, 9);
    for (Rgb index = 0; index < 81; ++index) {
        pixels.Set({square.left + static_cast<std::int32_t>(index % 9),
                    square.top + static_cast<std::int32_t>(index / 9)},
                   index << 16 | (index < 41) << 8 | (index % 3 == 0));
    }
    EXPECT_EQ(AverageColour(pixels, {400, 300}, 9, one), Rgb{0x280100});
    // 40 to 42, 49 to 51, 58 to 60: red 50, green 1 in 9, blue 3 in 9 (as 0, 0, 1).
    EXPECT_EQ(AverageColour(pixels, {401, 301}, 3, one), Rgb{0x320000});
    // At a display's corner 4 of 9 count: red 0,0,0,1; green 0,0,1,1; blue 0,1,1,1.
    CPixelBlock corner = AroundThePointer({0, 0});
    corner.Set({0, 0}, 0x000000);
    corner.Set({1, 0}, 0x000001);
    corner.Set({0, 1}, 0x000101);
    corner.Set({1, 1}, 0x010101);
    EXPECT_EQ(AverageColour(corner, {0, 0}, 3, one), Rgb{0x000101});
}

TEST(SampleSquare, CountsPixelsOnAnyDisplayOnceAndNothingBeyondThem) {
    // At the border of two displays, the right one shorter: 6 pixels on the left one, 1 on the
    // right one, 2 on neither.
    const std::vector<LensRect> two{LensRect{0, 0, 800, 600}, LensRect{800, 0, 1600, 300}};
    CPixelBlock pixels = AroundThePointer({799, 300});
    for (std::int32_t y = 299; y <= 301; ++y) {
        pixels.Set({798, y}, 0x000000);
        pixels.Set({799, y}, 0x0000FF);
    }
    pixels.Set({800, 299}, 0x070000);
    EXPECT_EQ(AverageColour(pixels, {799, 300}, 3, two), Rgb{0x01006D});      // 765 / 7 = 109.3
    EXPECT_EQ(AverageColour(pixels, {799, 300}, 3, {two[0]}), Rgb{0x000080}); // 765 / 6
    // Overlapping displays count (799, 299) once: twice, blue would be 1020 / 8.
    EXPECT_EQ(AverageColour(pixels, {799, 300}, 3, {two[0], LensRect{799, 0, 1600, 300}}),
              Rgb{0x01006D});
    // Wholly off every display; then one pixel of the 9 x 9 square on one.
    EXPECT_FALSE(AverageColour(AroundThePointer({-5, 0}), {-5, 0}, 9, two));
    CPixelBlock edge = AroundThePointer({-4, -4});
    edge.Set({0, 0}, 0x123456);
    EXPECT_EQ(AverageColour(edge, {-4, -4}, 9, two), Rgb{0x123456});
}

LensReadout Readout(Rgb colour, LensPoint pointer, std::int32_t side) {
    return LensReadout{colour, pointer, 0xFFFFFF, side};
}

TEST(LensReadout, TheWindowTextAndTheCaptionSayTheSame) {
    EXPECT_EQ(LensWindowText(Readout(0x00A0FF, {412, -30}, 1)),
              "#00A0FF, red 0, green 160, blue 255, at 412, -30, contrast 2.81 to 1");
    EXPECT_EQ(LensWindowText(Readout(0x123456, {70, 70}, 1)),
              "#123456, red 18, green 52, blue 86, at 70, 70, contrast 12.71 to 1, AAA");
    EXPECT_EQ(LensWindowText(Readout(0x7F7F7F, {120, 120}, 5)),
              "#7F7F7F, red 127, green 127, blue 127, at 120, 120, contrast 4.00 to 1, AA large, "
              "5 by 5 average");
    EXPECT_EQ(LensWindowText(LensReadout{0x767676, {-1920, -1080}, 0x000000, 9}),
              "#767676, red 118, green 118, blue 118, at -1920, -1080, contrast 4.62 to 1, AA, "
              "9 by 9 average");
    EXPECT_EQ(CaptionLines(Readout(0x7F7F7F, {-1024, 5}, 5)),
              (LensCaption{"#7F7F7F", "R 127  G 127  B 127", "4.00:1  AA large", "x -1024  y 5",
                           "5 \xD7 5 average"}));
    EXPECT_EQ(CaptionLines(Readout(0x00A0FF, {412, -30}, 1)),
              (LensCaption{"#00A0FF", "R 0  G 160  B 255", "2.81:1", "x 412  y -30", ""}));
    EXPECT_EQ(CaptionLines(Readout(0x123456, {0, 0}, 9))[2], "12.71:1  AAA");
    const LensCaption aa = CaptionLines(Readout(0x767676, {0, 0}, 3));
    EXPECT_EQ(aa[2] + ", " + aa[4], "4.54:1  AA, 3 \xD7 3 average");
}

TEST(RecentColours, KeepsTheLastTwelveDistinctNewestFirst) {
    CRecentColours recent;
    EXPECT_TRUE(recent.Empty());
    for (Rgb colour = 1; colour <= 13; ++colour) {
        recent.Take(colour);
    }
    EXPECT_EQ(std::vector<Rgb>(recent.begin(), recent.end()),
              (std::vector<Rgb>{13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2}));
    // Taken again, a colour moves to the top and nothing drops out.
    recent.Take(2);
    recent.Take(9);
    recent.Take(9);
    EXPECT_EQ(std::vector<Rgb>(recent.begin(), recent.end()),
              (std::vector<Rgb>{9, 2, 13, 12, 11, 10, 8, 7, 6, 5, 4, 3}));
}

} // namespace
