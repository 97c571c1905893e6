// The screen as the user sees it: the X display that Wine draws on, captured with ImageMagick's
// `import` and read back pixel by pixel. Unlike GetPixel, this reads what actually reached the
// display, after Wine has put every window's drawing together. The pointer is not captured.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace testing_support {

class Screenshot {
public:
    Screenshot() = default;
    Screenshot(LONG width, LONG height, std::vector<BYTE> rgb);

    bool Taken() const { return width_ > 0; }
    // The colour at a point in Windows screen coordinates (those of the prefix's virtual
    // desktop, whose X window is what is captured); CLR_INVALID off the screen.
    COLORREF Pixel(POINT point) const;
    LONG Width() const { return width_; }
    LONG Height() const { return height_; }

private:
    LONG width_ = 0;
    LONG height_ = 0;
    std::vector<BYTE> rgb_; // three bytes a pixel, row by row from the top
};

// Captures the virtual desktop now; an empty Screenshot when the capture failed. Let the
// windows of interest paint first (their threads must have handled their WM_PAINT).
Screenshot TakeScreenshot();

// Screenshots, dispatching this thread's messages between them, until `shows` holds for one or
// `timeoutMs` has passed; returns the last. Wine puts drawing on the display a moment after the
// window's thread has done it.
Screenshot TakeScreenshotWhen(const std::function<bool(const Screenshot&)>& shows,
                              DWORD timeoutMs = 3000);

} // namespace testing_support
