// The lens's rules: where it goes beside the pointer, what it answers for the pixels it covers or
// has just left, and the caption it writes.
#include "rules/lens_backdrop.h"
#include "rules/lens_geometry.h"
#include "rules/lens_picture.h"

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

TEST(LensPicture, TheCaptionWritesTheCentreColourBothWays) {
    EXPECT_EQ(HexCaption(0x12AB0F), "#12AB0F");
    EXPECT_EQ(HexCaption(0x000000), "#000000");
    EXPECT_EQ(ComponentsCaption(0x12AB0F), "R 18  G 171  B 15");
}

} // namespace
