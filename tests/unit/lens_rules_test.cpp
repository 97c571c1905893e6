// The lens's rules: where it goes beside the pointer, what it answers for the pixels it covers or
// has just left, and what it draws.
#include "lens_backdrop.h"
#include "lens_geometry.h"
#include "lens_picture.h"

#include <gtest/gtest.h>

using namespace picker;

namespace {

constexpr std::int32_t kWidth = kLensWidth;
constexpr std::int32_t kHeight = kLensHeight;

// What every place must satisfy, whatever side it took.
void ExpectAllowed(const LensRect& lens, LensPoint pointer, const LensRect& display) {
    EXPECT_GE(lens.left, display.left);
    EXPECT_GE(lens.top, display.top);
    EXPECT_LE(lens.right, display.right);
    EXPECT_LE(lens.bottom, display.bottom);
    EXPECT_EQ(lens.Width(), kWidth);
    EXPECT_EQ(lens.Height(), kHeight);
    EXPECT_FALSE(lens.Intersects(MagnifiedSquare(pointer)))
        << "covers the magnified pixels at " << pointer.x << "," << pointer.y;
}

TEST(LensPlacement, SitsToTheLowerRightAboutTwentyPixelsAway) {
    const LensRect display{0, 0, 1024, 768};
    const auto lens = PlaceLens(LensPoint{300, 200}, display, kWidth, kHeight);
    ASSERT_TRUE(lens);
    EXPECT_EQ(lens->left, 320);
    EXPECT_EQ(lens->top, 220);
}

TEST(LensPlacement, FlipsNearTheRightAndTheBottomEdge) {
    const LensRect display{0, 0, 1024, 768};
    const auto right = PlaceLens(LensPoint{1000, 200}, display, kWidth, kHeight);
    ASSERT_TRUE(right);
    EXPECT_EQ(right->right, 1000 - kLensGap + 1) << "to the left, as far away as on the right";
    EXPECT_EQ(right->top, 220) << "still below";
    const auto bottom = PlaceLens(LensPoint{300, 700}, display, kWidth, kHeight);
    ASSERT_TRUE(bottom);
    EXPECT_EQ(bottom->left, 320);
    EXPECT_EQ(bottom->bottom, 700 - kLensGap + 1);
    const auto corner = PlaceLens(LensPoint{1023, 767}, display, kWidth, kHeight);
    ASSERT_TRUE(corner);
    EXPECT_LT(corner->right, 1023);
    EXPECT_LT(corner->bottom, 767);
    // The last pointer column for which the right still fits, and the first that flips.
    const std::int32_t lastFitting = 1024 - kLensGap - kWidth;
    EXPECT_EQ(PlaceLens(LensPoint{lastFitting, 0}, display, kWidth, kHeight)->right, 1024);
    EXPECT_LT(PlaceLens(LensPoint{lastFitting + 1, 0}, display, kWidth, kHeight)->left,
              lastFitting);
}

TEST(LensPlacement, StaysOnThePointersDisplayAtNegativeCoordinates) {
    // A display left of and above the primary.
    const LensRect display{-1280, -1024, 0, 0};
    for (const LensPoint pointer : {LensPoint{-1280, -1024}, LensPoint{-1, -1}, LensPoint{-640, -1},
                                    LensPoint{-1, -512}, LensPoint{-60, -30}}) {
        const auto lens = PlaceLens(pointer, display, kWidth, kHeight);
        ASSERT_TRUE(lens) << pointer.x << "," << pointer.y;
        ExpectAllowed(*lens, pointer, display);
    }
    EXPECT_EQ(PlaceLens(LensPoint{-1, -1}, display, kWidth, kHeight)->right, -kLensGap);
}

TEST(LensPlacement, EveryPointerPositionOfADisplayGetsAnAllowedPlace) {
    const LensRect display{-300, 100, 500, 700};
    for (std::int32_t y = display.top; y < display.bottom; y += 7) {
        for (std::int32_t x = display.left; x < display.right; x += 5) {
            const auto lens = PlaceLens(LensPoint{x, y}, display, kWidth, kHeight);
            ASSERT_TRUE(lens);
            ExpectAllowed(*lens, LensPoint{x, y}, display);
        }
    }
}

TEST(LensPlacement, ANarrowOrLowDisplayKeepsItClearOnTheOtherAxis) {
    // Too low for the lens above or below the pointer: it is fitted in, still beside it.
    const LensRect low{0, 0, 800, kHeight + 10};
    const auto lens = PlaceLens(LensPoint{100, 80}, low, kWidth, kHeight);
    ASSERT_TRUE(lens);
    ExpectAllowed(*lens, LensPoint{100, 80}, low);
    const LensRect narrow{0, 0, kWidth + 30, 600};
    const auto beside = PlaceLens(LensPoint{kWidth / 2, 100}, narrow, kWidth, kHeight);
    ASSERT_TRUE(beside);
    ExpectAllowed(*beside, LensPoint{kWidth / 2, 100}, narrow);
    // Too small every way: no place rather than one over the pixels.
    const LensRect tiny{0, 0, kWidth + 30, kHeight + 30};
    EXPECT_FALSE(PlaceLens(LensPoint{80, 80}, tiny, kWidth, kHeight));
    EXPECT_FALSE(PlaceLens(LensPoint{10, 10}, LensRect{0, 0, 100, 100}, kWidth, kHeight));
}

TEST(LensPlacement, AKeyStepOffEveryDisplayEndsOnItsEdge) {
    const LensRect display{-1280, 0, 0, 1024};
    EXPECT_EQ(ClampOnto(LensPoint{-1285, 5}, display), (LensPoint{-1280, 5}));
    EXPECT_EQ(ClampOnto(LensPoint{4, 1030}, display), (LensPoint{-1, 1023}));
    EXPECT_EQ(ClampOnto(LensPoint{-7, 9}, display), (LensPoint{-7, 9}));
}

// A block filled with one value per point, so that which block a pixel came from shows.
PixelBlock Pattern(const LensRect& area, Rgb base) {
    PixelBlock block(area);
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        for (std::int32_t x = area.left; x < area.right; ++x) {
            block.Set(LensPoint{x, y}, base + static_cast<Rgb>((y & 0xFF) << 8 | (x & 0xFF)));
        }
    }
    return block;
}

TEST(LensBackdrop, WhereTheLensIsTheScreenReadsAsWhatLayBeneath) {
    LensBackdrop backdrop;
    const LensRect place{100, 100, 140, 130};
    backdrop.Cover(Pattern(place, 0x100000), PixelBlock(place, 0xABCDEF));
    PixelBlock screen(LensRect{90, 95, 110, 105}, 0x000001);
    backdrop.Uncover(screen);
    EXPECT_EQ(screen.At(LensPoint{99, 100}), 0x000001u) << "left of the lens";
    EXPECT_EQ(screen.At(LensPoint{100, 99}), 0x000001u) << "above it";
    EXPECT_EQ(screen.At(LensPoint{100, 100}), 0x106464u);
    EXPECT_EQ(screen.At(LensPoint{109, 104}), 0x10686Du);
}

TEST(LensBackdrop, APlaceLeftReadsAsBeneathOnlyWhileTheScreenStillShowsTheLens) {
    LensBackdrop backdrop;
    const LensRect first{0, 0, 10, 10};
    backdrop.Cover(Pattern(first, 0x200000), Pattern(first, 0x700000));
    backdrop.Cover(PixelBlock(LensRect{50, 50, 60, 60}, 0x1), PixelBlock(LensRect{50, 50, 60, 60}));
    PixelBlock screen = Pattern(LensRect{0, 0, 10, 10}, 0x700000); // not repainted yet
    screen.Set(LensPoint{3, 4}, 0x123456);                         // repainted here
    backdrop.Uncover(screen);
    EXPECT_EQ(screen.At(LensPoint{0, 0}), 0x200000u);
    EXPECT_EQ(screen.At(LensPoint{9, 9}), 0x200909u);
    EXPECT_EQ(screen.At(LensPoint{3, 4}), 0x123456u) << "a repainted pixel is the screen's";
    // Hidden, the last place counts as left too.
    backdrop.Leave();
    EXPECT_FALSE(backdrop.Covered());
    PixelBlock there(LensRect{50, 50, 52, 51}, 0);
    backdrop.Uncover(there);
    EXPECT_EQ(there.At(LensPoint{51, 50}), 0x1u);
}

TEST(LensBackdrop, ANewPlaceOverlappingTheOldIsReadFromTheOldCopy) {
    // The lens moves by a few pixels: what lies beneath the new place is read while the old
    // one still covers part of it.
    LensBackdrop backdrop;
    const LensRect old{0, 0, 20, 20};
    backdrop.Cover(Pattern(old, 0x300000), PixelBlock(old, 0xEEEEEE));
    const LensRect next{5, 5, 25, 25};
    PixelBlock beneath(next, 0xEEEEEE); // the screen there: the lens, and the desktop beyond it
    for (std::int32_t y = next.top; y < next.bottom; ++y) {
        for (std::int32_t x = 20; x < next.right; ++x) {
            beneath.Set(LensPoint{x, y}, 0x0000AA);
        }
    }
    for (std::int32_t x = next.left; x < next.right; ++x) {
        for (std::int32_t y = 20; y < next.bottom; ++y) {
            beneath.Set(LensPoint{x, y}, 0x0000AA);
        }
    }
    backdrop.Uncover(beneath);
    EXPECT_EQ(beneath.At(LensPoint{5, 5}), 0x300505u);
    EXPECT_EQ(beneath.At(LensPoint{19, 19}), 0x301313u);
    EXPECT_EQ(beneath.At(LensPoint{20, 19}), 0x0000AAu);
    backdrop.Cover(beneath, PixelBlock(next, 0xDDDDDD));
    // The old place, not repainted where the new one does not cover it, and the new place.
    PixelBlock screen(LensRect{0, 0, 25, 25}, 0xDDDDDD);
    for (std::int32_t y = 0; y < 5; ++y) {
        std::fill_n(screen.Row(y), 20, 0xEEEEEE);
    }
    backdrop.Uncover(screen);
    EXPECT_EQ(screen.At(LensPoint{2, 3}), 0x300302u) << "the old place";
    EXPECT_EQ(screen.At(LensPoint{7, 8}), 0x300807u) << "the new place, over the old";
    EXPECT_EQ(screen.At(LensPoint{22, 22}), 0x0000AAu) << "the new place, beyond the old";
    EXPECT_EQ(screen.At(LensPoint{22, 2}), 0xDDDDDDu) << "never covered";
}

TEST(LensBackdrop, TheMostRecentPlaceLeftWinsAndOnlyAFewAreKept) {
    LensBackdrop backdrop;
    const LensRect area{0, 0, 4, 4};
    // Four places left at the same spot, each showing the same picture over another beneath.
    for (Rgb serial = 1; serial <= LensBackdrop::kPlacesLeftKept + 1; ++serial) {
        backdrop.Cover(PixelBlock(area, serial), PixelBlock(area, 0xCCCCCC));
    }
    backdrop.Leave();
    PixelBlock screen(area, 0xCCCCCC);
    backdrop.Uncover(screen);
    EXPECT_EQ(screen.At(LensPoint{1, 1}), LensBackdrop::kPlacesLeftKept + 1);
    // A place shown long ago at another spot is forgotten once enough others were left since.
    LensBackdrop forgetting;
    forgetting.Cover(PixelBlock(LensRect{100, 0, 104, 4}, 0x42),
                     PixelBlock(LensRect{100, 0, 104, 4}, 0x99));
    for (std::size_t more = 0; more < LensBackdrop::kPlacesLeftKept; ++more) {
        forgetting.Cover(PixelBlock(area, 0x1), PixelBlock(area, 0x2));
    }
    PixelBlock old(LensRect{100, 0, 104, 4}, 0x99);
    forgetting.Uncover(old);
    EXPECT_EQ(old.At(LensPoint{100, 0}), 0x42u) << "still kept";
    forgetting.Cover(PixelBlock(area, 0x1), PixelBlock(area, 0x2));
    PixelBlock fresh(LensRect{100, 0, 104, 4}, 0x99);
    forgetting.Uncover(fresh);
    EXPECT_EQ(fresh.At(LensPoint{100, 0}), 0x99u) << "forgotten";
    forgetting.Clear();
    PixelBlock cleared(area, 0x2);
    forgetting.Uncover(cleared);
    EXPECT_EQ(cleared.At(LensPoint{0, 0}), 0x2u);
}

TEST(LensBackdrop, ARedrawInPlaceIsWhatTheScreenIsComparedWithOnceLeft) {
    LensBackdrop backdrop;
    const LensRect area{10, 10, 14, 14};
    backdrop.Cover(PixelBlock(area, 0x5), PixelBlock(area, 0x111111));
    backdrop.Redrawn(PixelBlock(area, 0x222222));
    backdrop.Leave();
    PixelBlock oldPicture(area, 0x111111);
    backdrop.Uncover(oldPicture);
    EXPECT_EQ(oldPicture.At(LensPoint{10, 10}), 0x111111u) << "no longer what the lens showed";
    PixelBlock newPicture(area, 0x222222);
    backdrop.Uncover(newPicture);
    EXPECT_EQ(newPicture.At(LensPoint{10, 10}), 0x5u);
}

TEST(LensPicture, EachPixelBecomesABlockAroundAFramedCentre) {
    const LensRect squareArea = MagnifiedSquare(LensPoint{-3, 40});
    const PixelBlock square = Pattern(squareArea, 0x400000);
    PixelBlock lens(LensRect{0, 0, kLensWidth, kLensHeight}, 0xFFFF00);
    DrawMagnified(square, lens);
    // Away from the frame, each block is one pixel's colour throughout.
    for (const auto& [column, row] : {std::pair{0, 0}, {14, 0}, {0, 14}, {14, 14}, {3, 11}}) {
        const LensRect block = MagnifiedBlock(column, row);
        const Rgb expected = square.At(LensPoint{squareArea.left + column, squareArea.top + row});
        for (std::int32_t y = block.top; y < block.bottom; ++y) {
            for (std::int32_t x = block.left; x < block.right; ++x) {
                ASSERT_EQ(lens.At(LensPoint{x, y}), expected) << column << "," << row;
            }
        }
    }
    EXPECT_EQ(MagnifiedBlock(14, 14).right, kLensWidth - kLensBorder);
    EXPECT_EQ(MagnifiedBlock(14, 14).bottom, CaptionArea().top - kLensBorder);
    // The whole centre block is the pointer's pixel.
    const LensRect centre = MagnifiedBlock(kLensReach, kLensReach);
    for (std::int32_t y = centre.top; y < centre.bottom; ++y) {
        for (std::int32_t x = centre.left; x < centre.right; ++x) {
            ASSERT_EQ(lens.At(LensPoint{x, y}), square.At(LensPoint{-3, 40}));
        }
    }
    EXPECT_EQ(lens.At(LensPoint{0, 0}), kLensEdge);
    EXPECT_EQ(lens.At(LensPoint{kLensWidth - 1, kLensHeight - 1}), kLensEdge);
    EXPECT_EQ(lens.At(LensPoint{40, CaptionArea().top + 5}), 0xFFFF00u) << "the caption is left";
}

TEST(LensPicture, TheFrameShowsOnAnyColour) {
    for (const Rgb colour : {0x000000u, 0xFFFFFFu, 0x808080u, 0xFF0000u, 0x00FFFFu}) {
        const PixelBlock square(MagnifiedSquare(LensPoint{0, 0}), colour);
        PixelBlock lens(LensRect{0, 0, kLensWidth, kLensHeight});
        DrawMagnified(square, lens);
        const LensRect centre = MagnifiedBlock(kLensReach, kLensReach);
        // Along each side of the centre block, just outside it, a colour far from the block's.
        for (const LensPoint outside : {LensPoint{centre.left + 3, centre.top - 1},
                                        LensPoint{centre.left - 2, centre.top + 4},
                                        LensPoint{centre.right, centre.bottom - 1},
                                        LensPoint{centre.right - 1, centre.bottom + 1}}) {
            int farthest = 0;
            for (const LensPoint near :
                 {outside, LensPoint{outside.x, outside.y - 1}, LensPoint{outside.x, outside.y + 1},
                  LensPoint{outside.x - 1, outside.y}, LensPoint{outside.x + 1, outside.y}}) {
                const Rgb frame = lens.At(near);
                int distance = 0;
                for (int shift : {0, 8, 16}) {
                    distance += std::abs(static_cast<int>(frame >> shift & 0xFF) -
                                         static_cast<int>(colour >> shift & 0xFF));
                }
                farthest = std::max(farthest, distance);
            }
            EXPECT_GE(farthest, 3 * 127) << std::hex << colour;
        }
    }
}

TEST(LensPicture, TheCaptionGivesTheCentreColourInBothNotations) {
    EXPECT_EQ(HexCaption(0x12AB0F), "#12AB0F");
    EXPECT_EQ(HexCaption(0x000000), "#000000");
    EXPECT_EQ(ComponentsCaption(0x12AB0F), "R 18  G 171  B 15");
    EXPECT_EQ(ComponentsCaption(0xFFFFFF), "R 255  G 255  B 255");
}

} // namespace
