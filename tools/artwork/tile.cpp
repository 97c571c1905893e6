#include "tile.h"

#include "random.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace artwork {

namespace {

// Shades from dark to light; kTextureColour is the one in the middle.
constexpr std::array<Rgba, 8> kShades = {
    Opaque(150, 161, 172), Opaque(157, 168, 178), Opaque(164, 175, 185), Opaque(171, 181, 191),
    kTextureColour,        Opaque(186, 195, 203), Opaque(194, 202, 209), Opaque(203, 210, 216)};
constexpr int kMiddleShade = 4;

// Slow variations repeat with the tile: a lattice of 3 x 4 cells whose last row and column wrap
// round to the first.
constexpr int kCellsAcross = 3, kCellsDown = 4;

double Smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

class CPeriodicNoise {
public:
    // Centred on zero, so the texture's middle shade stays its most common one.
    explicit CPeriodicNoise(CRandom& random) {
        double sum = 0.0;
        for (double& value : lattice) {
            value = random.Unit() * 2.0 - 1.0;
            sum += value;
        }
        for (double& value : lattice) {
            value -= sum / lattice.size();
        }
    }

    double At(int x, int y) const {
        const double cellX = static_cast<double>(x) * kCellsAcross / kTileWidth;
        const double cellY = static_cast<double>(y) * kCellsDown / kTileHeight;
        const int left = static_cast<int>(cellX), top = static_cast<int>(cellY);
        const double tx = Smooth(cellX - left), ty = Smooth(cellY - top);
        const double upper = Lerp(Node(left, top), Node(left + 1, top), tx);
        const double lower = Lerp(Node(left, top + 1), Node(left + 1, top + 1), tx);
        return Lerp(upper, lower, ty);
    }

private:
    static double Lerp(double a, double b, double t) { return a + (b - a) * t; }
    double Node(int column, int row) const {
        return lattice[static_cast<size_t>((row % kCellsDown) * kCellsAcross +
                                           column % kCellsAcross)];
    }

    std::array<double, kCellsAcross * kCellsDown> lattice{};
};

int Wrap(int value, int period) {
    return ((value % period) + period) % period;
}

} // namespace

CRaster BackgroundTile() {
    CRandom random(0x5EC1E7A7ull);
    const CPeriodicNoise slow(random);
    std::array<int, kTileWidth * kTileHeight> shade{};
    for (int y = 0; y < kTileHeight; ++y) {
        for (int x = 0; x < kTileWidth; ++x) {
            const double grain = (random.Unit() + random.Unit() - 1.0) * 1.1;
            shade[static_cast<size_t>(y * kTileWidth + x)] =
                static_cast<int>(std::lround(slow.At(x, y) * 0.9 + grain));
        }
    }
    // Specks: single dark or light grains, some with a softer neighbour, placed with wrap-round
    // so a speck on an edge continues on the opposite one.
    const int specks = kTileWidth * kTileHeight / 9;
    for (int i = 0; i < specks; ++i) {
        const int x = random.Below(kTileWidth), y = random.Below(kTileHeight);
        const bool dark = random.Unit() < 0.6;
        const int depth = dark ? -(3 + random.Below(2)) : 2 + random.Below(2);
        shade[static_cast<size_t>(y * kTileWidth + x)] = depth;
        if (random.Unit() < 0.35) {
            const int nx = Wrap(x + 1 - random.Below(3), kTileWidth);
            const int ny = Wrap(y + random.Below(2), kTileHeight);
            shade[static_cast<size_t>(ny * kTileWidth + nx)] = depth / 2;
        }
    }
    CRaster tile(kTileWidth, kTileHeight);
    for (int y = 0; y < kTileHeight; ++y) {
        for (int x = 0; x < kTileWidth; ++x) {
            const int level =
                std::clamp(shade[static_cast<size_t>(y * kTileWidth + x)], -kMiddleShade,
                           static_cast<int>(kShades.size()) - kMiddleShade - 1);
            tile.at(x, y) = kShades[static_cast<size_t>(level + kMiddleShade)];
        }
    }
    return tile;
}

CRaster TexturedArea(int width, int height) {
    const CRaster tile = BackgroundTile();
    CRaster area(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            area.at(x, y) = tile.at(x % kTileWidth, y % kTileHeight);
        }
    }
    return area;
}

} // namespace artwork
