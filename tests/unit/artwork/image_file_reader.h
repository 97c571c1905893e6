// Reads bitmap, icon and cursor files back the way a loader would, with its own parsing, so the
// tests check the files rather than the code that wrote them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace artwork_test {

struct Colour {
    int r = 0, g = 0, b = 0;

    bool operator==(const Colour& other) const {
        return r == other.r && g == other.g && b == other.b;
    }
    bool operator<(const Colour& other) const {
        return r != other.r ? r < other.r : g != other.g ? g < other.g : b < other.b;
    }
};

// For readable failures.
void PrintTo(const Colour& colour, std::ostream* out);

// Euclidean distance in RGB.
double Distance(Colour a, Colour b);

struct Dib {
    uint32_t headerBytes = 0;
    int width = 0;
    int storedHeight = 0; // an icon image's header counts its mask's rows too
    int planes = 0;
    int bitsPerPixel = 0;
    uint32_t compression = 0;
    uint32_t paletteEntries = 0;
    std::vector<Colour> palette;
    std::vector<int> indices; // rows from the top
    int height = 0;

    int IndexAt(int x, int y) const { return indices[static_cast<size_t>(y * width + x)]; }
    Colour At(int x, int y) const { return palette.at(static_cast<size_t>(IndexAt(x, y))); }
};

struct BitmapFile {
    uint32_t declaredSize = 0;
    uint32_t pixelOffset = 0;
    Dib dib;
};

BitmapFile ReadBitmapFile(const std::vector<uint8_t>& bytes);

struct IconImage {
    // From the directory entry.
    int width = 0, height = 0, colourCount = 0;
    int fieldA = 0, fieldB = 0; // planes and bits per pixel, or a cursor's hot spot
    uint32_t offset = 0, size = 0;
    // From the image itself.
    Dib colours;
    std::vector<bool> transparent; // the mask, rows from the top

    bool Transparent(int x, int y) const { return transparent[static_cast<size_t>(y * width + x)]; }
};

struct IconFile {
    int type = 0; // 1 icon, 2 cursor
    std::vector<IconImage> images;
};

IconFile ReadIconFile(const std::vector<uint8_t>& bytes);

// The bytes the generator makes for one of its files, by file name.
std::vector<uint8_t> GeneratedFile(const std::string& name);

} // namespace artwork_test
