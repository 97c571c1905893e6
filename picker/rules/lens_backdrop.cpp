#include "rules/lens_backdrop.h"

namespace picker {

CPixelBlock::CPixelBlock(const LensRect& place, Rgb fill)
    : area(place), pixels(static_cast<std::size_t>(place.Width()) * place.Height(), fill) {}

void CPixelBlock::Reset(const LensRect& place) {
    area = place;
    pixels.resize(static_cast<std::size_t>(place.Width()) * place.Height());
}

void CLensBackdrop::Uncover(CPixelBlock& screen) const {
    if (used == 0) {
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
            for (std::size_t age = 0; age < used; ++age) {
                const Place& place = Older(age);
                if (!place.beneath.Area().Contains(point)) {
                    continue;
                }
                if ((age == 0 && covering) || pixel == place.picture.At(point)) {
                    pixel = place.beneath.At(point);
                    break;
                }
            }
        }
    }
}

void CLensBackdrop::Cover(const CPixelBlock& beneath, const CPixelBlock& picture) {
    Leave();
    newest = (newest + 1) % kPlaces;
    used = used < kPlaces ? used + 1 : kPlaces;
    places[newest].beneath = beneath;
    places[newest].picture = picture;
    covering = true;
}

void CLensBackdrop::Redrawn(const CPixelBlock& picture) {
    if (covering && picture.Area() == places[newest].beneath.Area()) {
        places[newest].picture = picture;
    }
}

void CLensBackdrop::Leave() {
    covering = false;
}

void CLensBackdrop::Clear() {
    covering = false;
    used = 0;
}

} // namespace picker
