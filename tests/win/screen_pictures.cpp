#include "screen_pictures.h"

#include "handle_owner.h"

using framework::CUniqueDeviceContext;
using framework::CUniqueGdiObject;
using testing_support::Screenshot;

namespace screen_pictures {
namespace {

// 32-bit pixels in rows from the top, as stored: 0x00RRGGBB.
BITMAPINFO TopDown32(LONG width, LONG height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

Picture PixelsOf(HBITMAP bitmap, LONG width, LONG height) {
    Picture picture{width, height, {}};
    BITMAPINFO info = TopDown32(width, height);
    std::vector<DWORD> stored(static_cast<size_t>(width * height));
    const CUniqueDeviceContext dc(CreateCompatibleDC(nullptr));
    if (GetDIBits(dc.get(), bitmap, 0, static_cast<UINT>(height), stored.data(), &info,
                  DIB_RGB_COLORS) != height) {
        return Picture{};
    }
    for (DWORD pixel : stored) {
        picture.pixels.push_back(RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF));
    }
    return picture;
}

} // namespace

Picture BitmapResource(UINT id) {
    // As the picker loads it: a bitmap for the display, colours matched to it.
    const CUniqueGdiObject bitmap(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                             IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    BITMAP size{};
    if (!bitmap || !GetObjectA(bitmap.get(), sizeof size, &size)) {
        return Picture{};
    }
    return PixelsOf(static_cast<HBITMAP>(bitmap.get()), size.bmWidth, size.bmHeight);
}

Picture Filled(LONG width, LONG height, COLORREF colour) {
    return Picture{width, height,
                   std::vector<COLORREF>(static_cast<size_t>(width * height), colour)};
}

Picture Repeated(const Picture& tile, LONG width, LONG height, POINT start) {
    Picture picture{width, height, {}};
    for (LONG y = 0; y < height; ++y) {
        for (LONG x = 0; x < width; ++x) {
            picture.pixels.push_back(
                tile.At((start.x + x) % tile.width, (start.y + y) % tile.height));
        }
    }
    return picture;
}

Picture DrawnIcon(HICON icon, const Picture& backdrop) {
    // Drawn on a 32-bit section whose pixels are written and read directly.
    BITMAPINFO info = TopDown32(backdrop.width, backdrop.height);
    void* bits = nullptr;
    const CUniqueDeviceContext dc(CreateCompatibleDC(nullptr));
    const CUniqueGdiObject canvas(
        CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!canvas) {
        return Picture{};
    }
    auto* stored = static_cast<DWORD*>(bits);
    for (COLORREF colour : backdrop.pixels) {
        *stored++ = static_cast<DWORD>(GetRValue(colour)) << 16 | GetGValue(colour) << 8 |
                    GetBValue(colour);
    }
    const HGDIOBJ previous = SelectObject(dc.get(), canvas.get());
    DrawIcon(dc.get(), 0, 0, icon);
    GdiFlush();
    SelectObject(dc.get(), previous);
    return PixelsOf(static_cast<HBITMAP>(canvas.get()), backdrop.width, backdrop.height);
}

double ShareShowing(const Screenshot& shot, const RECT& area, const Picture& picture,
                    POINT origin) {
    int compared = 0, matched = 0;
    for (LONG y = area.top; y < area.bottom; ++y) {
        for (LONG x = area.left; x < area.right; ++x) {
            const LONG px = x - origin.x, py = y - origin.y;
            if (px < 0 || py < 0 || px >= picture.width || py >= picture.height) {
                continue;
            }
            ++compared;
            matched += shot.Pixel({x, y}) == picture.At(px, py) ? 1 : 0;
        }
    }
    return compared ? static_cast<double>(matched) / compared : 0;
}

double BestShareNear(const Screenshot& shot, const RECT& area, const Picture& picture, POINT origin,
                     LONG slack) {
    double best = 0;
    for (LONG dy = -slack; dy <= slack; ++dy) {
        for (LONG dx = -slack; dx <= slack; ++dx) {
            const double share = ShareShowing(shot, area, picture, {origin.x + dx, origin.y + dy});
            best = share > best ? share : best;
        }
    }
    return best;
}

TileFit FitTile(const Screenshot& shot, const RECT& area, const Picture& tile) {
    const auto tileAt = [&](LONG x, LONG y, POINT shift) {
        return tile.At((x + shift.x) % tile.width, (y + shift.y) % tile.height);
    };
    const LONG width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0 || tile.pixels.empty()) {
        return TileFit{};
    }
    POINT best{0, 0};
    int bestMatched = -1;
    for (LONG sy = 0; sy < tile.height; ++sy) {
        for (LONG sx = 0; sx < tile.width; ++sx) {
            int matched = 0;
            for (LONG y = 0; y < height; ++y) {
                for (LONG x = 0; x < width; ++x) {
                    matched += shot.Pixel({area.left + x, area.top + y}) == tileAt(x, y, {sx, sy});
                }
            }
            if (matched > bestMatched) {
                bestMatched = matched;
                best = {sx, sy};
            }
        }
    }
    TileFit fit;
    fit.share = static_cast<double>(bestMatched) / (width * height);
    for (LONG y = 0; y < height; ++y) {
        for (LONG x = 0; x < width; ++x) {
            const POINT point{area.left + x, area.top + y};
            if (shot.Pixel(point) != tileAt(x, y, best)) {
                fit.others.push_back(point);
                fit.tileAtOthers.push_back(tileAt(x, y, best));
            }
        }
    }
    return fit;
}

bool IsInkOver(COLORREF pixel, COLORREF background) {
    return GetRValue(pixel) <= GetRValue(background) && GetGValue(pixel) <= GetGValue(background) &&
           GetBValue(pixel) <= GetBValue(background);
}

RECT ClientOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

RECT WindowOnScreen(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return frame;
}

} // namespace screen_pictures
