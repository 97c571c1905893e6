// The dropper cursor: a pipette in outline, so it stays visible on light and dark screens alike,
// with its tip on the hot spot.
#include "pictures.h"

#include "pipette.h"

namespace artwork {

namespace {

constexpr PipetteProportions kCursorPipette{0.6, 5.0, 1.7, 6.0, 2.9, 2.2, 2.7, 7.5};

} // namespace

CRaster DropperCursor() {
    // Just beyond the hot spot's pixel centre, so that pixel is surely the tip's.
    const Point tip{kDropperHotSpotX + 0.2, kDropperHotSpotY + 0.8};
    const Pipette pipette = MakePipette(tip, Point{tip.x + 1, tip.y - 1}, kCursorPipette);
    const CMask whole(pipette.Whole(), kCursorSize, kCursorSize);
    const CMask collar(pipette.collar, kCursorSize, kCursorSize);
    CRaster cursor(kCursorSize, kCursorSize);
    for (int y = 0; y < kCursorSize; ++y) {
        for (int x = 0; x < kCursorSize; ++x) {
            if (whole.OnEdge(x, y) || collar.Inside(x, y)) {
                cursor.at(x, y) = kBlack;
            } else if (whole.Inside(x, y)) {
                cursor.at(x, y) = kWhite;
            }
        }
    }
    return cursor;
}

} // namespace artwork
