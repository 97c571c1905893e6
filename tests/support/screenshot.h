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
    // `origin`: the Windows screen point at the capture's top-left.
    Screenshot(LONG width, LONG height, std::vector<BYTE> rgb, POINT origin = POINT{0, 0});

    bool Taken() const { return width_ > 0; }
    // The colour at a point in Windows screen coordinates; CLR_INVALID off the capture.
    COLORREF Pixel(POINT point) const;
    LONG Width() const { return width_; }
    LONG Height() const { return height_; }

private:
    LONG width_ = 0;
    LONG height_ = 0;
    std::vector<BYTE> rgb_; // three bytes a pixel, row by row from the top
    POINT origin_{};
};

// Captures the virtual desktop (without one, the whole X root) now; an empty Screenshot when the
// capture failed. Let the windows of interest paint first (their threads must have handled their
// WM_PAINT).
Screenshot TakeScreenshot();

// Screenshots, dispatching this thread's messages between them, until `shows` holds for one or
// `timeoutMs` has passed; returns the last. Wine puts drawing on the display a moment after the
// window's thread has done it.
Screenshot TakeScreenshotWhen(const std::function<bool(const Screenshot&)>& shows,
                              DWORD timeoutMs = 3000);

} // namespace testing_support
