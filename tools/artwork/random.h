// A seeded generator whose sequence is fixed by its own arithmetic, not by a standard library's
// distributions, so every build draws the same pictures byte for byte.
#pragma once

#include <cstdint>

namespace artwork {

class CRandom {
public:
    explicit CRandom(uint64_t seed) : state(seed) {}

    uint64_t Next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

    // Uniform in [0, count).
    int Below(int count) { return static_cast<int>(Unit() * count); }

private:
    uint64_t state;
};

} // namespace artwork
