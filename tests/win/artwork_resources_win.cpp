// The generated pictures as Windows itself loads them from a program's resources: what the
// resource compiler made of the files, and what the loader, the icon and cursor code and a
// pattern brush do with them.
#include "artwork_resources.h"
#include "handle_owners.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

namespace {

using Bitmap = testing_support::CUniqueBitmap;
using Brush = testing_support::CUniqueBrush;
using Icon = testing_support::CUniqueIcon;
using Cursor = testing_support::CUniqueCursor;
using MemoryDc = testing_support::CUniqueMemoryDc;

using testing_support::IconBitmaps;

// A header for pixels in rows from the top.
BITMAPINFOHEADER TopDownHeader(int width, int height, int bitsPerPixel) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitsPerPixel);
    header.biCompression = BI_RGB;
    return header;
}

// A 32-bit pixel as stored, 0x00RRGGBB.
COLORREF FromStored(DWORD pixel) {
    return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
}

// A 32-bit drawing surface whose pixels the test reads directly.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader = TopDownHeader(width, height, 32);
        void* bits = nullptr;
        bitmap_ = Bitmap(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const DWORD*>(bits);
        previous_ = SelectObject(dc_.get(), bitmap_.get());
    }
    ~Canvas() { SelectObject(dc_.get(), previous_); }

    HDC dc() const { return dc_.get(); }
    bool Ready() const { return bits_ != nullptr; }

    void Fill(HBRUSH brush, int width, int height) const {
        const RECT area{0, 0, width, height};
        FillRect(dc_.get(), &area, brush);
        GdiFlush();
    }
    COLORREF At(int x, int y) const { return FromStored(bits_[y * width_ + x]); }

private:
    int width_;
    MemoryDc dc_;
    Bitmap bitmap_;
    const DWORD* bits_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

HINSTANCE Module() {
    return GetModuleHandleA(nullptr);
}

int Distance(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
}

// The bitmap's own pixels, rows from the top, as 32-bit colours.
std::vector<COLORREF> PixelsOf(HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = TopDownHeader(width, height, 32);
    std::vector<DWORD> raw(static_cast<size_t>(width * height));
    const MemoryDc dc(CreateCompatibleDC(nullptr));
    EXPECT_EQ(GetDIBits(dc.get(), bitmap, 0, height, raw.data(), &info, DIB_RGB_COLORS), height);
    std::vector<COLORREF> pixels;
    for (DWORD pixel : raw) {
        pixels.push_back(FromStored(pixel));
    }
    return pixels;
}

struct BitmapCase {
    int id, width, height;
};

TEST(ArtworkResources, BitmapsLoadAt256ColoursInTheirSizes) {
    for (const BitmapCase& expected :
         {BitmapCase{ARTWORK_PATTERN, 27, 28}, BitmapCase{ARTWORK_SNAP_ACTIVE, 38, 28},
          BitmapCase{ARTWORK_SNAP, 38, 28}, BitmapCase{ARTWORK_EXIT, 38, 28},
          BitmapCase{ARTWORK_HELP, 38, 28}}) {
        SCOPED_TRACE(expected.id);
        const Bitmap section(static_cast<HBITMAP>(LoadImageA(
            Module(), MAKEINTRESOURCEA(expected.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        ASSERT_NE(section.get(), nullptr);
        DIBSECTION dib{};
        ASSERT_EQ(GetObjectA(section.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
        EXPECT_EQ(dib.dsBm.bmWidth, expected.width);
        EXPECT_EQ(dib.dsBm.bmHeight, expected.height);
        EXPECT_EQ(dib.dsBm.bmBitsPixel, 8);
        const MemoryDc dc(CreateCompatibleDC(nullptr));
        const HGDIOBJ previous = SelectObject(dc.get(), section.get());
        RGBQUAD palette[256];
        EXPECT_EQ(GetDIBColorTable(dc.get(), 0, 256, palette), 256u);
        SelectObject(dc.get(), previous);

        // The way the picker loads them: a bitmap for the display.
        const Bitmap plain(LoadBitmapA(Module(), MAKEINTRESOURCEA(expected.id)));
        BITMAP info{};
        ASSERT_NE(GetObjectA(plain.get(), sizeof info, &info), 0);
        EXPECT_EQ(info.bmWidth, expected.width);
        EXPECT_EQ(info.bmHeight, expected.height);
    }
}

TEST(ArtworkResources, PatternBrushRepeatsTheTileEvery27By28Pixels) {
    const Bitmap tile(LoadBitmapA(Module(), MAKEINTRESOURCEA(ARTWORK_PATTERN)));
    ASSERT_NE(tile.get(), nullptr);
    const std::vector<COLORREF> tilePixels = PixelsOf(tile.get(), 27, 28);
    const Brush brush(CreatePatternBrush(tile.get()));
    ASSERT_NE(brush.get(), nullptr);
    constexpr int kWidth = 100, kHeight = 90;
    const Canvas canvas(kWidth, kHeight);
    ASSERT_TRUE(canvas.Ready());
    canvas.Fill(brush.get(), kWidth, kHeight);

    std::set<COLORREF> colours;
    int nearBase = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const COLORREF pixel = canvas.At(x, y);
            colours.insert(pixel);
            nearBase += Distance(pixel, RGB(178, 188, 197)) <= 12 ? 1 : 0;
            ASSERT_EQ(pixel, tilePixels[static_cast<size_t>((y % 28) * 27 + x % 27)])
                << x << "," << y;
            if (x + 27 < kWidth) {
                ASSERT_EQ(pixel, canvas.At(x + 27, y)) << x << "," << y;
            }
            if (y + 28 < kHeight) {
                ASSERT_EQ(pixel, canvas.At(x, y + 28)) << x << "," << y;
            }
        }
    }
    EXPECT_GE(colours.size(), 5u);
    EXPECT_GE(nearBase, kWidth * kHeight / 2);
}

// The group directory the resource compiler wrote for the icon, as Windows reads it.
#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

const BYTE* ResourceBytes(LPCSTR name, LPCSTR type) {
    const HRSRC found = FindResourceA(Module(), name, type);
    return found == nullptr ? nullptr
                            : static_cast<const BYTE*>(LockResource(LoadResource(Module(), found)));
}

bool IsClassicColour(COLORREF colour) {
    static const std::set<COLORREF> classic = {
        RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
        RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
    return classic.count(colour) != 0;
}

TEST(ArtworkResources, IconHas16And32PixelImagesOf16Colours) {
    const BYTE* group = ResourceBytes(MAKEINTRESOURCEA(ARTWORK_ICON), MAKEINTRESOURCEA(14));
    ASSERT_NE(group, nullptr); // RT_GROUP_ICON
    const auto* header = reinterpret_cast<const GroupIconHeader*>(group);
    ASSERT_EQ(header->count, 2);
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        const GroupIconEntry& entry = entries[size == 16 ? 0 : 1];
        EXPECT_EQ(entry.width, size);
        EXPECT_EQ(entry.colourCount, 16);
        EXPECT_EQ(entry.bitCount, 4);
        // The image Windows picks for this size is the one of this size, in four bits a pixel.
        const int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group), TRUE, size, size,
                                                   LR_DEFAULTCOLOR);
        EXPECT_EQ(id, entry.id);
        const auto* image = reinterpret_cast<const BITMAPINFOHEADER*>(
            ResourceBytes(MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3))); // RT_ICON
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->biWidth, size);
        EXPECT_EQ(image->biHeight, 2 * size);
        EXPECT_EQ(image->biBitCount, 4);

        const Icon icon(static_cast<HICON>(
            LoadImageA(Module(), MAKEINTRESOURCEA(ARTWORK_ICON), IMAGE_ICON, size, size, 0)));
        ASSERT_NE(icon.get(), nullptr);
        const IconBitmaps bitmaps(icon.get());
        ASSERT_TRUE(bitmaps.ok);
        EXPECT_TRUE(bitmaps.info.fIcon);
        BITMAP colour{};
        ASSERT_NE(GetObjectA(bitmaps.colour.get(), sizeof colour, &colour), 0);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);

        // Drawn over a colour of its own, it shows that colour where it is transparent and
        // nothing but the sixteen classic colours elsewhere.
        const COLORREF behind = RGB(1, 99, 201);
        const Canvas canvas(size, size);
        const Brush fill(CreateSolidBrush(behind));
        canvas.Fill(fill.get(), size, size);
        ASSERT_TRUE(DrawIconEx(canvas.dc(), 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL));
        GdiFlush();
        int transparent = 0;
        std::set<COLORREF> used;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const COLORREF pixel = canvas.At(x, y);
                if (pixel == behind) {
                    ++transparent;
                } else {
                    EXPECT_TRUE(IsClassicColour(pixel)) << x << "," << y;
                    used.insert(pixel);
                }
            }
        }
        EXPECT_GT(transparent, 0);
        EXPECT_GE(used.size(), 6u);
    }
}

enum class CursorPixel { Clear, Black, White, Other };

// What the cursor does to each pixel, told apart by drawing it over two different screens:
// clear pixels show each screen, black and white ones cover both, anything else (an inverting
// pixel) shows neither.
std::vector<CursorPixel> DrawnCursor(HCURSOR cursor) {
    const COLORREF screens[2] = {RGB(90, 140, 60), RGB(150, 40, 170)};
    std::vector<COLORREF> drawn[2];
    for (int i = 0; i < 2; ++i) {
        const Canvas canvas(32, 32);
        const Brush fill(CreateSolidBrush(screens[i]));
        canvas.Fill(fill.get(), 32, 32);
        EXPECT_TRUE(DrawIconEx(canvas.dc(), 0, 0, cursor, 32, 32, 0, nullptr, DI_NORMAL));
        GdiFlush();
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                drawn[i].push_back(canvas.At(x, y));
            }
        }
    }
    std::vector<CursorPixel> pixels;
    for (size_t i = 0; i < drawn[0].size(); ++i) {
        const COLORREF a = drawn[0][i], b = drawn[1][i];
        pixels.push_back(a == screens[0] && b == screens[1]  ? CursorPixel::Clear
                         : a == b && a == RGB(0, 0, 0)       ? CursorPixel::Black
                         : a == b && a == RGB(255, 255, 255) ? CursorPixel::White
                                                             : CursorPixel::Other);
    }
    return pixels;
}

TEST(ArtworkResources, CursorIsAPipetteInBlackOutlineWithItsHotSpotAtTheTip) {
    ASSERT_NE(LoadCursorA(Module(), MAKEINTRESOURCEA(ARTWORK_CURSOR)), nullptr);
    const Cursor cursor(static_cast<HCURSOR>(
        LoadImageA(Module(), MAKEINTRESOURCEA(ARTWORK_CURSOR), IMAGE_CURSOR, 32, 32, 0)));
    ASSERT_NE(cursor.get(), nullptr);
    const IconBitmaps bitmaps(cursor.get());
    ASSERT_TRUE(bitmaps.ok);
    EXPECT_FALSE(bitmaps.info.fIcon);
    EXPECT_EQ(bitmaps.info.xHotspot, 0u);
    EXPECT_EQ(bitmaps.info.yHotspot, 15u);
    EXPECT_EQ(bitmaps.colour.get(), nullptr); // two colours: the masks carry it all
    BITMAP mask{};
    ASSERT_NE(GetObjectA(bitmaps.mask.get(), sizeof mask, &mask), 0);
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(mask.bmHeight, 64); // the AND mask above the XOR mask
    EXPECT_EQ(mask.bmBitsPixel, 1);

    const std::vector<CursorPixel> pixels = DrawnCursor(cursor.get());
    const auto at = [&](int x, int y) {
        return x < 0 || y < 0 || x >= 32 || y >= 32 ? CursorPixel::Clear
                                                    : pixels[static_cast<size_t>(y * 32 + x)];
    };
    EXPECT_EQ(at(0, 15), CursorPixel::Black); // the tip, on the hot spot
    int black = 0, white = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            EXPECT_NE(at(x, y), CursorPixel::Other) << x << "," << y;
            if (y > 15) {
                EXPECT_EQ(at(x, y), CursorPixel::Clear) << x << "," << y;
            }
            black += at(x, y) == CursorPixel::Black ? 1 : 0;
            if (at(x, y) == CursorPixel::White) {
                ++white;
                // The outline: white inside never meets the screen.
                for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    EXPECT_NE(at(x + dx, y + dy), CursorPixel::Clear) << x << "," << y;
                }
            }
        }
    }
    EXPECT_GE(black, 30);
    EXPECT_GE(white, 20);
}

} // namespace
