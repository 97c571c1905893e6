#include "rules/recent_colours.h"

#include <algorithm>

namespace picker {

void CRecentColours::Take(Rgb colour) {
    const Rgb* found = std::find(begin(), end(), colour);
    // The entries above the one that goes (the colour itself, or else the oldest one of a full
    // list) each move down one.
    std::size_t from = static_cast<std::size_t>(found - begin());
    if (found == end()) {
        if (size < kCapacity) {
            ++size;
        }
        from = size - 1;
    }
    std::copy_backward(colours.begin(), colours.begin() + from, colours.begin() + from + 1);
    colours[0] = colour;
}

} // namespace picker
