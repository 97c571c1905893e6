// Reads blocks of the screen's pixels, as the display shows them, through one context of the
// whole display kept while sampling.
#pragma once

#include "handle_owner.h"
#include "sampling/pixel_canvas.h"

namespace picker {

class CScreenReader {
public:
    // Reads blocks of at most `width` x `height` pixels.
    CScreenReader(LONG width, LONG height);

    bool Ready() const { return display && scratch.Ready(); }
    // The display's pixels over `area` into `into`; those off the screen read as kOffScreen.
    void Read(const picker::LensRect& area, picker::CPixelBlock& into);

    static constexpr picker::Rgb kOffScreen = 0x808080;

private:
    framework::CUniqueDeviceContext display;
    CPixelCanvas scratch;
};

} // namespace picker
