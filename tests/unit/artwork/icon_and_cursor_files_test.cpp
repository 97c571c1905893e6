// The program icon and the dropper cursor, as a loader reads their files.
#include "image_file_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace artwork_test {
namespace {

const Colour kBlackColour{0, 0, 0}, kWhiteColour{255, 255, 255};

void ExpectMaskedImage(const IconImage& image, int size, int bitsPerPixel) {
    EXPECT_EQ(image.width, size);
    EXPECT_EQ(image.height, size);
    EXPECT_EQ(image.colourCount, 1 << bitsPerPixel);
    EXPECT_EQ(image.colours.width, size);
    EXPECT_EQ(image.colours.storedHeight, 2 * size); // colours and mask
    EXPECT_EQ(image.colours.planes, 1);
    EXPECT_EQ(image.colours.bitsPerPixel, bitsPerPixel);
    EXPECT_EQ(image.colours.compression, 0u);
    EXPECT_EQ(image.colours.palette.size(), static_cast<size_t>(1) << bitsPerPixel);
}

// Where the mask lets the screen through, the colour bits must be black, or the screen would
// be inverted there instead.
void ExpectTransparencyIsClear(const IconImage& image) {
    int transparent = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.Transparent(x, y)) {
                ++transparent;
                EXPECT_EQ(image.colours.At(x, y), kBlackColour) << x << "," << y;
            }
        }
    }
    EXPECT_GT(transparent, 0);
    EXPECT_LT(transparent, image.width * image.height);
}

TEST(ProgramIcon, HoldsA16And32PixelImageOf16Colours) {
    const std::vector<uint8_t> bytes = GeneratedFile("tintview.ico");
    const IconFile icon = ReadIconFile(bytes);
    EXPECT_EQ(icon.type, 1);
    ASSERT_EQ(icon.images.size(), 2u);
    const int sizes[] = {16, 32};
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(sizes[i]);
        const IconImage& image = icon.images[i];
        ExpectMaskedImage(image, sizes[i], 4);
        EXPECT_EQ(image.fieldA, 1); // planes
        EXPECT_EQ(image.fieldB, 4); // bits per pixel
        ExpectTransparencyIsClear(image);
    }
    // The images follow each other and end with the file.
    EXPECT_EQ(icon.images[0].offset, 6u + 2u * 16u);
    EXPECT_EQ(icon.images[1].offset, icon.images[0].offset + icon.images[0].size);
    EXPECT_EQ(icon.images[1].offset + icon.images[1].size, bytes.size());
}

TEST(ProgramIcon, ShowsColourBandsAndABlackOutlineAtBothSizes) {
    const IconFile icon = ReadIconFile(GeneratedFile("tintview.ico"));
    for (const IconImage& image : icon.images) {
        SCOPED_TRACE(image.width);
        std::set<Colour> saturated;
        int black = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                if (image.Transparent(x, y)) {
                    continue;
                }
                const Colour c = image.colours.At(x, y);
                const int high = std::max({c.r, c.g, c.b}), low = std::min({c.r, c.g, c.b});
                if (high == 255 && low == 0) {
                    saturated.insert(c);
                }
                black += c == kBlackColour ? 1 : 0;
            }
        }
        EXPECT_GE(saturated.size(), 5u);
        EXPECT_GE(black, image.width * 2);
    }
}

class DropperCursor : public testing::Test {
protected:
    void SetUp() override {
        const IconFile file = ReadIconFile(GeneratedFile("dropper.cur"));
        ASSERT_EQ(file.type, 2);
        ASSERT_EQ(file.images.size(), 1u);
        cursor = file.images[0];
    }

    bool Opaque(int x, int y) const {
        return x >= 0 && y >= 0 && x < cursor.width && y < cursor.height &&
               !cursor.Transparent(x, y);
    }
    bool BlackAt(int x, int y) const {
        return Opaque(x, y) && cursor.colours.At(x, y) == kBlackColour;
    }

    IconImage cursor;
};

TEST_F(DropperCursor, IsA32PixelTwoColourCursorWithItsHotSpotAtTheTip) {
    ExpectMaskedImage(cursor, 32, 1);
    EXPECT_EQ(cursor.colours.palette[0], kBlackColour);
    EXPECT_EQ(cursor.colours.palette[1], kWhiteColour);
    EXPECT_EQ(cursor.fieldA, 0);  // hot spot x
    EXPECT_EQ(cursor.fieldB, 15); // hot spot y
    ExpectTransparencyIsClear(cursor);
    // The tip is on the hot spot, black, and nothing is drawn below it.
    EXPECT_TRUE(BlackAt(0, 15));
    for (int y = 16; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            EXPECT_FALSE(Opaque(x, y)) << x << "," << y;
        }
    }
}

TEST_F(DropperCursor, IsAPipetteInBlackOutlineLyingFromTheTipToTheUpperRight) {
    int opaque = 0, white = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (!Opaque(x, y)) {
                continue;
            }
            ++opaque;
            // Along the diagonal from the tip.
            EXPECT_LE(std::abs(x + y - 15), 6) << x << "," << y;
            if (!BlackAt(x, y)) {
                ++white;
                // Every white pixel is walled in by black or white, never by the screen.
                EXPECT_TRUE(Opaque(x - 1, y) && Opaque(x + 1, y) && Opaque(x, y - 1) &&
                            Opaque(x, y + 1))
                    << x << "," << y;
            }
        }
    }
    EXPECT_GE(white, 20);
    EXPECT_GE(opaque - white, 30);
    // It reaches from the tip to the top of its square.
    bool reachesTop = false;
    for (int x = 10; x < 16; ++x) {
        reachesTop = reachesTop || Opaque(x, 0);
    }
    EXPECT_TRUE(reachesTop);
}

} // namespace
} // namespace artwork_test
