// What lies beneath the lens. Read from the screen, the lens's own pixels would show where it
// is, and for a moment where it just was: the window beneath repaints an area the lens left only
// when its thread gets to it, and not at all while that thread waits for the picker to handle a
// release there. So the lens keeps what lay beneath each place it takes, and every read of the
// screen is answered from those copies where the lens is or where the screen still shows it.
// Free of any window so it is tested natively.
#pragma once

#include "rules/lens_geometry.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace picker {

// A pixel as 0xRRGGBB (how a 32-bit device-independent bitmap holds it, without its top byte).
using Rgb = std::uint32_t;

// A block of screen pixels: where it lies on the screen and one value a pixel, row by row.
// Copying one into another of the same size, or Reset to that size, reuses its storage.
class CPixelBlock {
public:
    CPixelBlock() = default;
    explicit CPixelBlock(const LensRect& place, Rgb fill = 0);

    // Places the block at `place`; its pixels are then undefined until written.
    void Reset(const LensRect& place);
    const LensRect& Area() const { return area; }
    // `point` in screen coordinates, inside Area().
    Rgb At(LensPoint point) const { return pixels[Index(point)]; }
    void Set(LensPoint point, Rgb value) { pixels[Index(point)] = value; }
    Rgb* Row(std::int32_t y) { return &pixels[Index(LensPoint{area.left, y})]; }
    const Rgb* Row(std::int32_t y) const { return &pixels[Index(LensPoint{area.left, y})]; }
    bool operator==(const CPixelBlock& other) const {
        return area == other.area && pixels == other.pixels;
    }
    bool operator!=(const CPixelBlock& other) const { return !(*this == other); }

private:
    std::size_t Index(LensPoint point) const {
        return static_cast<std::size_t>(point.y - area.top) * area.Width() +
               static_cast<std::size_t>(point.x - area.left);
    }

    LensRect area{0, 0, 0, 0};
    std::vector<Rgb> pixels;
};

// The lens moves at every frame while the pointer does: its copies are kept in a fixed ring of
// places whose storage is reused, so following the pointer allocates nothing.
class CLensBackdrop {
public:
    // Places left behind that are still consulted; older ones have long been repainted.
    static constexpr std::size_t kPlacesLeftKept = 4;

    // Replaces, in `screen` (as just read from the display), the pixels the lens hides with
    // what lay beneath it, and the pixels of a place it left that still show exactly what it
    // showed there with what lay beneath that place.
    void Uncover(CPixelBlock& screen) const;

    // The lens now shows `picture` over picture.Area(); `beneath` is what lay there, read and
    // uncovered before the lens moved there. The place it held before counts as left.
    void Cover(const CPixelBlock& beneath, const CPixelBlock& picture);
    // The lens shows `picture` in the place it holds.
    void Redrawn(const CPixelBlock& picture);
    // The lens was hidden: its place counts as left.
    void Leave();
    // Sampling is over: nothing the lens did can show any more.
    void Clear();

    std::optional<LensRect> Covered() const {
        return covering ? std::optional<LensRect>(places[newest].beneath.Area()) : std::nullopt;
    }

private:
    struct Place {
        CPixelBlock beneath;
        CPixelBlock picture;
    };
    static constexpr std::size_t kPlaces = kPlacesLeftKept + 1;

    // The place `age` steps before the newest one.
    const Place& Older(std::size_t age) const { return places[(newest + kPlaces - age) % kPlaces]; }

    Place places[kPlaces];
    std::size_t newest = 0; // the place held, when covering, else the place left last
    std::size_t used = 0;   // places in use, the newest among them
    bool covering = false;
};

} // namespace picker
