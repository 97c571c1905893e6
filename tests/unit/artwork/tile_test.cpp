// The background tile: its colour, its speckle, and that it repeats without visible seams.
#include "image_file_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace artwork_test {
namespace {

const Colour kIntended{178, 188, 197};

Dib Tile() {
    return ReadBitmapFile(GeneratedFile("pattern.bmp")).dib;
}

std::map<Colour, int> Histogram(const Dib& dib) {
    std::map<Colour, int> counts;
    for (int y = 0; y < dib.height; ++y) {
        for (int x = 0; x < dib.width; ++x) {
            ++counts[dib.At(x, y)];
        }
    }
    return counts;
}

int Difference(Colour a, Colour b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

// Mean difference between the pixels left and right of the boundary after `column`, with the
// last column's right neighbour being the first column, as when the tile repeats.
double AcrossColumnBoundary(const Dib& tile, int column) {
    double sum = 0;
    for (int y = 0; y < tile.height; ++y) {
        sum += Difference(tile.At(column, y), tile.At((column + 1) % tile.width, y));
    }
    return sum / tile.height;
}

double AcrossRowBoundary(const Dib& tile, int row) {
    double sum = 0;
    for (int x = 0; x < tile.width; ++x) {
        sum += Difference(tile.At(x, row), tile.At(x, (row + 1) % tile.height));
    }
    return sum / tile.width;
}

TEST(BackgroundTile, ItsDominantColoursAreNearTheIntendedBluishGrey) {
    const Dib tile = Tile();
    const std::map<Colour, int> counts = Histogram(tile);
    const auto dominant =
        std::max_element(counts.begin(), counts.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    EXPECT_LE(Distance(dominant->first, kIntended), 6.0);

    double r = 0, g = 0, b = 0;
    for (const auto& [colour, count] : counts) {
        r += colour.r * count, g += colour.g * count, b += colour.b * count;
    }
    const double pixels = tile.width * tile.height;
    EXPECT_LE(Distance(Colour{static_cast<int>(std::lround(r / pixels)),
                              static_cast<int>(std::lround(g / pixels)),
                              static_cast<int>(std::lround(b / pixels))},
                       kIntended),
              8.0);
}

TEST(BackgroundTile, IsALightBluishSpeckle) {
    const Dib tile = Tile();
    int specks = 0;
    for (int y = 0; y < tile.height; ++y) {
        for (int x = 0; x < tile.width; ++x) {
            const Colour colour = tile.At(x, y);
            EXPECT_TRUE(colour.b >= colour.g && colour.g >= colour.r) << x << "," << y;
            EXPECT_GE(colour.r + colour.g + colour.b, 3 * 140) << x << "," << y;
            specks += Distance(colour, kIntended) >= 15.0 ? 1 : 0;
        }
    }
    // Clearly speckled, yet mostly the one colour.
    EXPECT_GE(specks, tile.width * tile.height * 3 / 100);
    EXPECT_LE(specks, tile.width * tile.height * 25 / 100);
    EXPECT_GE(Histogram(tile).size(), 5u);
}

// A seam is a boundary across which neighbours differ more than they do anywhere inside.
TEST(BackgroundTile, RepeatsWithoutSeams) {
    const Dib tile = Tile();
    std::vector<double> inside;
    for (int column = 0; column + 1 < tile.width; ++column) {
        inside.push_back(AcrossColumnBoundary(tile, column));
    }
    EXPECT_LE(AcrossColumnBoundary(tile, tile.width - 1),
              *std::max_element(inside.begin(), inside.end()));
    inside.clear();
    for (int row = 0; row + 1 < tile.height; ++row) {
        inside.push_back(AcrossRowBoundary(tile, row));
    }
    EXPECT_LE(AcrossRowBoundary(tile, tile.height - 1),
              *std::max_element(inside.begin(), inside.end()));
}

} // namespace
} // namespace artwork_test
