// Reducing a drawing to a 256-colour palette without disturbing the texture's own colours.
#include "indexed_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace artwork {
namespace {

// 40 x 20 pixels, every one a different colour.
CRaster ManyColours() {
    CRaster picture(40, 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            picture.at(x, y) = Opaque(static_cast<uint8_t>(x * 6), static_cast<uint8_t>(y * 12),
                                      static_cast<uint8_t>(255 - x * 3 - y * 4));
        }
    }
    return picture;
}

int Distance(Rgb a, Rgb b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

TEST(OwnPalette, KeepsTheGivenColoursExactAndApproximatesTheRest) {
    CRaster picture = ManyColours();
    const std::vector<Rgb> exact = {{178, 188, 197}, {150, 161, 172}, {203, 210, 216}};
    for (int x = 0; x < 40; ++x) {
        picture.at(x, 0) =
            Opaque(exact[static_cast<size_t>(x % 3)].r, exact[static_cast<size_t>(x % 3)].g,
                   exact[static_cast<size_t>(x % 3)].b);
    }
    const IndexedImage image = WithOwnPalette(picture, exact, 256);
    ASSERT_LE(image.palette.size(), 256u);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            const Rgb shown = image.palette[image.IndexAt(x, y)];
            const Rgb drawn = ColourOf(picture.at(x, y));
            if (y == 0) {
                EXPECT_EQ(shown, drawn) << x;
            } else {
                EXPECT_LE(Distance(shown, drawn), 16) << x << "," << y;
            }
        }
    }
}

TEST(OwnPalette, IsExactForFewColours) {
    CRaster picture(3, 1, Opaque(1, 2, 3));
    picture.at(2, 0) = Opaque(4, 5, 6);
    const IndexedImage image = WithOwnPalette(picture, {}, 256);
    EXPECT_EQ(image.palette.size(), 2u);
    EXPECT_EQ(image.palette[image.IndexAt(2, 0)], (Rgb{4, 5, 6}));
    EXPECT_EQ(image.palette[image.IndexAt(0, 0)], (Rgb{1, 2, 3}));
}

TEST(FixedPalette, RefusesAColourOutsideIt) {
    CRaster picture(2, 1);
    picture.at(0, 0) = kBlack;
    EXPECT_NO_THROW(WithFixedPalette(picture, {{0, 0, 0}, {255, 255, 255}}));
    picture.at(1, 0) = Opaque(10, 10, 10);
    EXPECT_THROW(WithFixedPalette(picture, {{0, 0, 0}, {255, 255, 255}}), std::invalid_argument);
}

} // namespace
} // namespace artwork
