// Small pictures of colours for menu items, owned for as long as the menu shows them.
#pragma once

#include "handle_owner.h"

#include <windows.h>

#include <vector>

namespace picker {

class CSwatchBitmaps {
public:
    // A picture `side` pixels square of `colour` (the platform's colour value) with a dark edge,
    // kept until this goes; null when it cannot be made.
    HBITMAP Add(COLORREF colour, int side);

private:
    std::vector<framework::CUniqueGdiObject> bitmaps;
};

} // namespace picker
