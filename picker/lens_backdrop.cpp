#include "lens_backdrop.h"

#include <algorithm>

namespace picker {
namespace {

std::optional<LensRect> Overlap(const LensRect& a, const LensRect& b) {
    if (!a.Intersects(b)) {
        return std::nullopt;
    }
    return LensRect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom)};
}

} // namespace

PixelBlock::PixelBlock(const LensRect& area, Rgb fill)
    : area_(area), pixels_(static_cast<std::size_t>(area.Width()) * area.Height(), fill) {}

void LensBackdrop::Uncover(PixelBlock& screen) const {
    if (!current_ && left_.empty()) {
        return;
    }
    // Every test is made against what the screen showed, and the places are applied from the
    // oldest left to the one the lens holds, so the more recent answer wins where they overlap.
    const PixelBlock shown = screen;
    for (auto place = left_.rbegin(); place != left_.rend(); ++place) {
        const auto overlap = Overlap(shown.Area(), place->beneath.Area());
        if (!overlap) {
            continue;
        }
        for (std::int32_t y = overlap->top; y < overlap->bottom; ++y) {
            for (std::int32_t x = overlap->left; x < overlap->right; ++x) {
                const LensPoint point{x, y};
                if (shown.At(point) == place->picture.At(point)) {
                    screen.Set(point, place->beneath.At(point));
                }
            }
        }
    }
    if (current_) {
        if (const auto overlap = Overlap(shown.Area(), current_->beneath.Area())) {
            for (std::int32_t y = overlap->top; y < overlap->bottom; ++y) {
                std::copy_n(current_->beneath.Row(y) +
                                (overlap->left - current_->beneath.Area().left),
                            overlap->Width(), screen.Row(y) + (overlap->left - shown.Area().left));
            }
        }
    }
}

void LensBackdrop::Cover(PixelBlock beneath, PixelBlock picture) {
    Leave();
    current_ = Place{std::move(beneath), std::move(picture)};
}

void LensBackdrop::Redrawn(PixelBlock picture) {
    if (current_ && picture.Area() == current_->beneath.Area()) {
        current_->picture = std::move(picture);
    }
}

void LensBackdrop::Leave() {
    if (!current_) {
        return;
    }
    left_.push_front(std::move(*current_));
    current_.reset();
    if (left_.size() > kPlacesLeftKept) {
        left_.pop_back();
    }
}

void LensBackdrop::Clear() {
    current_.reset();
    left_.clear();
}

} // namespace picker
