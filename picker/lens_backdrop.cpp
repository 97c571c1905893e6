#include "lens_backdrop.h"

namespace picker {

PixelBlock::PixelBlock(const LensRect& area, Rgb fill)
    : area_(area), pixels_(static_cast<std::size_t>(area.Width()) * area.Height(), fill) {}

void PixelBlock::Reset(const LensRect& area) {
    area_ = area;
    pixels_.resize(static_cast<std::size_t>(area.Width()) * area.Height());
}

void LensBackdrop::Uncover(PixelBlock& screen) const {
    if (used_ == 0) {
        return;
    }
    const LensRect& area = screen.Area();
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        Rgb* row = screen.Row(y);
        for (std::int32_t x = area.left; x < area.right; ++x) {
            const LensPoint point{x, y};
            Rgb& pixel = row[x - area.left];
            // The place held answers for all it covers; of the places left, the most recent
            // one that the screen there still shows.
            for (std::size_t age = 0; age < used_; ++age) {
                const Place& place = Older(age);
                if (!place.beneath.Area().Contains(point)) {
                    continue;
                }
                if ((age == 0 && covering_) || pixel == place.picture.At(point)) {
                    pixel = place.beneath.At(point);
                    break;
                }
            }
        }
    }
}

void LensBackdrop::Cover(const PixelBlock& beneath, const PixelBlock& picture) {
    Leave();
    newest_ = (newest_ + 1) % kPlaces;
    used_ = used_ < kPlaces ? used_ + 1 : kPlaces;
    places_[newest_].beneath = beneath;
    places_[newest_].picture = picture;
    covering_ = true;
}

void LensBackdrop::Redrawn(const PixelBlock& picture) {
    if (covering_ && picture.Area() == places_[newest_].beneath.Area()) {
        places_[newest_].picture = picture;
    }
}

void LensBackdrop::Leave() {
    covering_ = false;
}

void LensBackdrop::Clear() {
    covering_ = false;
    used_ = 0;
}

} // namespace picker
