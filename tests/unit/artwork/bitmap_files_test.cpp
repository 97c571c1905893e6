// The five bitmaps as the resource compiler reads them: uncompressed, one byte per pixel, a
// 256-entry palette, rows padded to four bytes.
#include "image_file_reader.h"

#include <gtest/gtest.h>

namespace artwork_test {
namespace {

struct BitmapCase {
    const char* name;
    int width, height;
};

class BitmapFiles : public testing::TestWithParam<BitmapCase> {};

TEST_P(BitmapFiles, Are256ColourBitmapsOfTheirSize) {
    const std::vector<uint8_t> bytes = GeneratedFile(GetParam().name);
    const BitmapFile file = ReadBitmapFile(bytes);
    EXPECT_EQ(file.declaredSize, bytes.size());
    EXPECT_EQ(file.pixelOffset, 14u + 40u + 256u * 4u);
    EXPECT_EQ(file.dib.width, GetParam().width);
    EXPECT_EQ(file.dib.height, GetParam().height); // positive: rows from the bottom up
    EXPECT_EQ(file.dib.planes, 1);
    EXPECT_EQ(file.dib.bitsPerPixel, 8);
    EXPECT_EQ(file.dib.compression, 0u);
    EXPECT_EQ(file.dib.palette.size(), 256u);
    const size_t paddedRow = (static_cast<size_t>(GetParam().width) + 3) / 4 * 4;
    EXPECT_EQ(bytes.size(), file.pixelOffset + paddedRow * static_cast<size_t>(GetParam().height));
}

INSTANTIATE_TEST_SUITE_P(Artwork, BitmapFiles,
                         testing::Values(BitmapCase{"pattern.bmp", 27, 28},
                                         BitmapCase{"snap_active.bmp", 38, 28},
                                         BitmapCase{"snap.bmp", 38, 28},
                                         BitmapCase{"exit.bmp", 38, 28},
                                         BitmapCase{"help.bmp", 38, 28}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             return name.substr(0, name.find('.'));
                         });

} // namespace
} // namespace artwork_test
