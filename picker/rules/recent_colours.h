// The colours taken before: the last few distinct colours loaded, newest first. Kept for the run
// only. Free of any window so it is tested natively.
#pragma once

#include "rules/lens_backdrop.h"

#include <array>
#include <cstddef>

namespace picker {

class CRecentColours {
public:
    static constexpr std::size_t kCapacity = 12;

    // `colour` was loaded: it goes to the top, from wherever it was in the list; the oldest
    // drops out of a full list.
    void Take(Rgb colour);

    std::size_t Size() const { return size; }
    bool Empty() const { return size == 0; }
    // 0 is the newest.
    Rgb operator[](std::size_t index) const { return colours[index]; }
    const Rgb* begin() const { return colours.data(); }
    const Rgb* end() const { return colours.data() + size; }

private:
    std::array<Rgb, kCapacity> colours{};
    std::size_t size = 0;
};

} // namespace picker
