// A 32-bit bitmap selected into a memory drawing context: GDI draws on it, and its pixels can be
// read and written directly.
#pragma once

#include "gdi_objects.h"
#include "rules/lens_backdrop.h"

#include <optional>

namespace picker {

class CPixelCanvas {
public:
    CPixelCanvas(LONG width, LONG height);
    CPixelCanvas(const CPixelCanvas&) = delete;
    CPixelCanvas& operator=(const CPixelCanvas&) = delete;

    // False when the platform could not make the context or the bitmap.
    bool Ready() const { return pixels != nullptr; }
    HDC Dc() const { return dc.get(); }
    LONG Width() const { return columns; }
    LONG Height() const { return rows; }

    // Rows of `block` into the canvas's top-left corner (the block must fit).
    void Put(const picker::CPixelBlock& block);
    // The top-left `width` x `height` pixels into `into`, placed at `origin` on the screen.
    // GDI's drawing is finished first.
    void CopyTo(picker::LensPoint origin, LONG width, LONG height, picker::CPixelBlock& into) const;
    // The same into the part of `into` they cover, which must lie within its area; the rest of
    // it stays as it is.
    void CopyInto(picker::LensPoint origin, LONG width, LONG height,
                  picker::CPixelBlock& into) const;

private:
    framework::CUniqueDeviceContext dc;
    framework::CUniqueGdiObject bitmap;
    // Put back before the bitmap and the context go, so that both can be deleted.
    std::optional<framework::CSelectedObject> selected;
    picker::Rgb* pixels = nullptr;
    LONG columns;
    LONG rows;
};

} // namespace picker
