// White noise for the tools that make the game's sounds and music: the same numbers on every
// machine and build, so the files they write are the same.
#pragma once

#include <cstdint>

// White noise in -1 … 1 from a 32-bit xorshift generator.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state(seed) {}
    double next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state / 2147483647.5 - 1.0;
    }

private:
    std::uint32_t state;
};
