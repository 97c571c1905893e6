// The four button pictures: each is the background texture with its symbol drawn in the middle.
#include "image_file_reader.h"

#include <gtest/gtest.h>

#include <functional>

namespace artwork_test {
namespace {

constexpr int kWidth = 38, kHeight = 28;
constexpr int kRim = 2; // pixels along each edge that show the texture alone

Dib Picture(const std::string& name) {
    return ReadBitmapFile(GeneratedFile(name)).dib;
}
Dib Tile() {
    return ReadBitmapFile(GeneratedFile("pattern.bmp")).dib;
}

// The texture as a pattern brush lays it from the picture's top-left corner.
Colour Texture(const Dib& tile, int x, int y) {
    return tile.At(x % tile.width, y % tile.height);
}

struct Region {
    int count = 0;
    double sumX = 0, sumY = 0;
    int left = kWidth, right = -1, top = kHeight, bottom = -1;

    double CentreX() const { return sumX / count; }
    double CentreY() const { return sumY / count; }
};

Region Where(const Dib& picture, const std::function<bool(int, int, Colour)>& wanted) {
    Region region;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (wanted(x, y, picture.At(x, y))) {
                ++region.count;
                region.sumX += x, region.sumY += y;
                region.left = std::min(region.left, x), region.right = std::max(region.right, x);
                region.top = std::min(region.top, y), region.bottom = std::max(region.bottom, y);
            }
        }
    }
    return region;
}

bool Black(Colour c) {
    return c.r <= 40 && c.g <= 40 && c.b <= 40;
}
bool White(Colour c) {
    return c.r >= 235 && c.g >= 235 && c.b >= 235;
}
bool StrongRed(Colour c) {
    return c.r >= 180 && c.g <= 80 && c.b <= 80;
}
bool StrongBlue(Colour c) {
    return c.b >= 180 && c.b - c.r >= 100 && c.b - c.g >= 60;
}

class ButtonPictures : public testing::TestWithParam<const char*> {};

TEST_P(ButtonPictures, ShowTheTextureAtTheirRim) {
    const Dib picture = Picture(GetParam()), tile = Tile();
    ASSERT_EQ(picture.width, kWidth);
    ASSERT_EQ(picture.height, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool rim = x < kRim || y < kRim || x >= kWidth - kRim || y >= kHeight - kRim;
            if (rim) {
                EXPECT_EQ(picture.At(x, y), Texture(tile, x, y)) << x << "," << y;
            }
        }
    }
}

TEST_P(ButtonPictures, CarryASymbolInTheirMiddle) {
    const Dib picture = Picture(GetParam()), tile = Tile();
    const Region symbol = Where(picture, [&](int x, int y, Colour colour) {
        return Distance(colour, Texture(tile, x, y)) > 30.0;
    });
    EXPECT_GE(symbol.count, kWidth * kHeight / 8);
    EXPECT_NEAR(symbol.CentreX(), kWidth / 2.0, 4.0);
    EXPECT_NEAR(symbol.CentreY(), kHeight / 2.0, 4.0);
}

INSTANTIATE_TEST_SUITE_P(Artwork, ButtonPictures,
                         testing::Values("snap_active.bmp", "snap.bmp", "exit.bmp", "help.bmp"),
                         [](const auto& info) {
                             const std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

TEST(ExitPicture, IsARedRingCrossedFromUpperLeftToLowerRight) {
    const Dib picture = Picture("exit.bmp");
    const Region red = Where(picture, [](int, int, Colour c) { return StrongRed(c); });
    EXPECT_GE(red.count, 120);
    EXPECT_NEAR(red.CentreX(), kWidth / 2.0, 1.5);
    EXPECT_NEAR(red.CentreY(), kHeight / 2.0, 1.5);
    // A ring: red at the four outermost points, round the middle.
    const int cx = kWidth / 2, cy = kHeight / 2, r = 9;
    EXPECT_TRUE(StrongRed(picture.At(cx - r, cy)));
    EXPECT_TRUE(StrongRed(picture.At(cx + r, cy)));
    EXPECT_TRUE(StrongRed(picture.At(cx, cy - r)));
    EXPECT_TRUE(StrongRed(picture.At(cx, cy + r)));
    // The bar: red in the middle and towards upper left and lower right, not on the other
    // diagonal.
    EXPECT_TRUE(StrongRed(picture.At(cx, cy)));
    EXPECT_TRUE(StrongRed(picture.At(cx - 4, cy - 4)));
    EXPECT_TRUE(StrongRed(picture.At(cx + 4, cy + 4)));
    EXPECT_FALSE(StrongRed(picture.At(cx + 4, cy - 4)));
    EXPECT_FALSE(StrongRed(picture.At(cx - 4, cy + 4)));
}

TEST(SnapPicture, IsABluePipetteWithADropBelowItsTip) {
    const Dib picture = Picture("snap.bmp");
    const Region blue = Where(picture, [](int, int, Colour c) { return StrongBlue(c); });
    EXPECT_GE(blue.count, 50);
    // The pipette rises to the upper right; the drop hangs at the lower left, clear of it.
    const Region bulb = Where(picture, [](int x, int y, Colour c) {
        return StrongBlue(c) && x > kWidth * 2 / 3 && y < kHeight / 3;
    });
    const Region drop = Where(picture, [](int x, int y, Colour c) {
        return StrongBlue(c) && x < kWidth / 2 && y > kHeight * 3 / 4;
    });
    EXPECT_GE(bulb.count, 15);
    EXPECT_GE(drop.count, 4);
    const Region belowDrop =
        Where(picture, [&](int, int y, Colour c) { return StrongBlue(c) && y > drop.bottom; });
    EXPECT_EQ(belowDrop.count, 0);
}

TEST(HelpPicture, IsAnOpenWhiteBookOutlinedInBlack) {
    const Dib picture = Picture("help.bmp");
    const Region white = Where(picture, [](int, int, Colour c) { return White(c); });
    const Region black = Where(picture, [](int, int, Colour c) { return Black(c); });
    EXPECT_GE(white.count, 150);
    EXPECT_GE(black.count, 60);
    // Two pages, one either side of the spine.
    const Region leftPage =
        Where(picture, [](int x, int, Colour c) { return White(c) && x < kWidth / 2; });
    EXPECT_NEAR(leftPage.count, white.count - leftPage.count, white.count / 10.0);
    // The pages' outline: black encloses the white.
    EXPECT_LT(black.left, white.left);
    EXPECT_GT(black.right, white.right);
    EXPECT_LT(black.top, white.top);
    EXPECT_GT(black.bottom, white.bottom);
}

TEST(SnapActivePicture, IsAWhiteArrowOutlinedInBlackPointingUpLeft) {
    const Dib picture = Picture("snap_active.bmp");
    const Region arrow = Where(picture, [](int, int, Colour c) { return White(c) || Black(c); });
    ASSERT_GE(arrow.count, 100);
    // The outline: no white pixel touches anything but white or black.
    for (int y = 1; y + 1 < kHeight; ++y) {
        for (int x = 1; x + 1 < kWidth; ++x) {
            if (!White(picture.At(x, y))) {
                continue;
            }
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const Colour next = picture.At(x + dx, y + dy);
                EXPECT_TRUE(White(next) || Black(next)) << x << "," << y;
            }
        }
    }
    // The tip is the arrow's top-left corner and is black.
    EXPECT_TRUE(Black(picture.At(arrow.left, arrow.top)));
    const Region topRow = Where(
        picture, [&](int, int y, Colour c) { return y == arrow.top && (White(c) || Black(c)); });
    EXPECT_EQ(topRow.count, 1);
    // A straight black left side down from the tip, a head widening below it, a narrow tail.
    for (int y = arrow.top; y < arrow.top + 12; ++y) {
        EXPECT_TRUE(Black(picture.At(arrow.left, y))) << y;
    }
    const auto width = [&](int y) {
        return Where(picture,
                     [&](int, int row, Colour c) { return row == y && (White(c) || Black(c)); })
            .count;
    };
    EXPECT_LT(width(arrow.top + 2), width(arrow.top + 6));
    EXPECT_LT(width(arrow.top + 6), width(arrow.top + 10));
    EXPECT_LT(width(arrow.bottom), width(arrow.top + 10) / 2);
}

} // namespace
} // namespace artwork_test
