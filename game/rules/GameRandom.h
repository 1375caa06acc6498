// Random draws of the game: the standard generator, seeded once by the game window, reduced to
// 0 … 32767 so that fractions are r / 32767.0 whatever the library's RAND_MAX is.
#pragma once

#include <cstdlib>

// Largest value randomDraw() returns; fractions divide by it.
constexpr int randomDrawMax = 32767;

// Next draw, uniform in 0 … 32767. RAND_MAX + 1 is a multiple of 32768 (2^31 on glibc, 2^15
// elsewhere), so keeping the low 15 bits keeps the draws uniform.
inline int randomDraw() {
    return std::rand() % (randomDrawMax + 1);
}

// Maps a draw linearly onto [min, max]: 0 gives min, 32767 gives max.
inline double drawInRange(int r, double min, double max) {
    return r * (max - min) / 32767.0 + min;
}
