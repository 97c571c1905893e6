// Reading one pixel of the screen.
#pragma once

#include <windows.h>

#include <optional>

namespace picker {

// The colour shown at `point` (screen coordinates, signed), or nothing when no display shows
// that point or the display cannot be read there. Some platforms answer such a read with black
// rather than with their invalid colour, so the point's place is checked first.
std::optional<COLORREF> ReadScreenPixel(POINT point);

} // namespace picker
