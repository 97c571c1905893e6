// Where the lens goes beside the pointer, in screen pixels. Free of any window so it is tested
// natively.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace picker {

struct LensPoint {
    std::int32_t x;
    std::int32_t y;
    bool operator==(const LensPoint& other) const { return x == other.x && y == other.y; }
    bool operator!=(const LensPoint& other) const { return !(*this == other); }
};

// Left and top inside, right and bottom just outside, as a RECT.
struct LensRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool Contains(LensPoint point) const {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
    bool Intersects(const LensRect& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    bool operator==(const LensRect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
    bool operator!=(const LensRect& other) const { return !(*this == other); }
};

// The lens magnifies the pointer's pixel and this many on each side: 15 x 15.
inline constexpr std::int32_t kLensReach = 7;
inline constexpr std::int32_t kLensSquare = 2 * kLensReach + 1;
// From the pointer's pixel to the lens's nearer corner, on each axis.
inline constexpr std::int32_t kLensGap = 20;

// The pixels the lens magnifies around `pointer`.
LensRect MagnifiedSquare(LensPoint pointer);

// The place of a lens `width` x `height` for the pointer at `pointer` on the display `display`:
// to the lower right by default, on the other side of an axis where that side would leave the
// display. It lies wholly on the display and clear of the magnified square (and so of the
// pointer's pixel). Nothing when the display is too small for both.
std::optional<LensRect> PlaceLens(LensPoint pointer, const LensRect& display, std::int32_t width,
                                  std::int32_t height);

// The display that shows `point`, else the one nearest to it, as the platform finds a point's
// nearest display; nothing when there is no display.
std::optional<LensRect> DisplayNear(LensPoint point, const std::vector<LensRect>& displays);

// The smallest rectangle that holds every display: the virtual screen. Empty without displays.
LensRect BoundsOf(const std::vector<LensRect>& displays);

// `point` brought onto `display`, for a keyboard step that would leave every display.
LensPoint ClampOnto(LensPoint point, const LensRect& display);

} // namespace picker
