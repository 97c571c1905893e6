#include "rules/lens_geometry.h"

#include <algorithm>

namespace picker {
namespace {

// One axis of the placement: where the lens's near edge goes, after (true) or before the
// pointer's coordinate `at`, or nothing when neither side leaves it within [low, high).
std::optional<std::int32_t> PlaceOnAxis(std::int32_t at, std::int32_t low, std::int32_t high,
                                        std::int32_t length) {
    const std::int32_t after = at + kLensGap;
    if (after + length <= high) {
        return after;
    }
    const std::int32_t before = at - kLensGap + 1 - length; // its far edge kLensGap - 1 away
    if (before >= low) {
        return before;
    }
    return std::nullopt;
}

// An axis on which the lens cannot sit clear of the pointer: anywhere within the display, as
// near the default side as it fits. The other axis keeps it clear of the magnified square.
std::optional<std::int32_t> FitOnAxis(std::int32_t at, std::int32_t low, std::int32_t high,
                                      std::int32_t length) {
    if (high - low < length) {
        return std::nullopt;
    }
    return std::clamp(at + kLensGap, low, high - length);
}

} // namespace

LensRect MagnifiedSquare(LensPoint pointer) {
    return LensRect{pointer.x - kLensReach, pointer.y - kLensReach, pointer.x + kLensReach + 1,
                    pointer.y + kLensReach + 1};
}

std::optional<LensRect> PlaceLens(LensPoint pointer, const LensRect& display, std::int32_t width,
                                  std::int32_t height) {
    std::optional<std::int32_t> left = PlaceOnAxis(pointer.x, display.left, display.right, width);
    std::optional<std::int32_t> top = PlaceOnAxis(pointer.y, display.top, display.bottom, height);
    if (!left && !top) {
        return std::nullopt;
    }
    if (!left) {
        left = FitOnAxis(pointer.x, display.left, display.right, width);
    }
    if (!top) {
        top = FitOnAxis(pointer.y, display.top, display.bottom, height);
    }
    if (!left || !top) {
        return std::nullopt;
    }
    return LensRect{*left, *top, *left + width, *top + height};
}

std::optional<LensRect> DisplayNear(LensPoint point, const std::vector<LensRect>& displays) {
    std::optional<LensRect> nearest;
    std::int64_t nearestDistance = 0;
    for (const LensRect& display : displays) {
        // The squared distance from the point to the display's nearest pixel: 0 on it.
        const LensPoint on = ClampOnto(point, display);
        const std::int64_t dx = std::int64_t{point.x} - on.x;
        const std::int64_t dy = std::int64_t{point.y} - on.y;
        const std::int64_t distance = dx * dx + dy * dy;
        if (!nearest || distance < nearestDistance) {
            nearest = display;
            nearestDistance = distance;
        }
    }
    return nearest;
}

LensRect BoundsOf(const std::vector<LensRect>& displays) {
    if (displays.empty()) {
        return LensRect{0, 0, 0, 0};
    }
    LensRect bounds = displays.front();
    for (const LensRect& display : displays) {
        bounds = LensRect{std::min(bounds.left, display.left), std::min(bounds.top, display.top),
                          std::max(bounds.right, display.right),
                          std::max(bounds.bottom, display.bottom)};
    }
    return bounds;
}

LensPoint ClampOnto(LensPoint point, const LensRect& display) {
    return LensPoint{std::clamp(point.x, display.left, display.right - 1),
                     std::clamp(point.y, display.top, display.bottom - 1)};
}

} // namespace picker
