// Reads blocks of the screen's pixels, as the display shows them, through the screen's own
// context, kept while sampling. Its coordinates are the screen's, from the primary display's
// top-left, on every platform; a context made by CreateDC("DISPLAY") counts from the top-left of
// the whole desktop under Wine, which misreads every display left of or above the primary.
#pragma once

#include "handle_owner.h"
#include "sampling/pixel_canvas.h"

namespace picker {

class CScreenReader {
public:
    // Reads blocks of at most `width` x `height` pixels.
    CScreenReader(LONG width, LONG height);

    bool Ready() const { return screenDc.get() && scratch.Ready(); }
    // The display's pixels over `area` into `into`; those off the screen read as kOffScreen.
    void Read(const picker::LensRect& area, picker::CPixelBlock& into);
    // The screen's extent from now on: the platform's, as the reader was made, until told.
    // Asking the platform at every read would cost more than the read itself.
    void SetScreen(const picker::LensRect& extent) { screen = extent; }

    static constexpr picker::Rgb kOffScreen = 0x808080;

private:
    framework::CWindowDc screenDc;
    CPixelCanvas scratch;
    picker::LensRect screen;
};

} // namespace picker
