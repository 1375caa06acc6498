// The players' nine colours, handed out in an order drawn at random.
#include "game/world/TeamColours.h"

#include <cstdint>

using VORN_LIB::VORN_Color;

const std::array<VORN_Color, TeamColours::count>& TeamColours::palette() {
    // Chosen by search for distance as people see it: CIEDE2000 at least 25 between any two, at
    // least 12 between any two as seen with protanopia, deuteranopia or tritanopia (simulated
    // fully, linear light), at least 25 from every ground colour, and none darker than L* 55,
    // so that even the blue reads at night.
    static const std::array<VORN_Color, count> colours{{
        {0.00, 0.64, 0.58, 1}, // teal
        {0.96, 0.30, 0.53, 1}, // rose
        {0.98, 1.00, 0.12, 1}, // lemon
        {0.99, 0.65, 0.00, 1}, // amber
        {0.59, 0.40, 1.00, 1}, // violet
        {1.00, 0.78, 0.86, 1}, // pale pink
        {1.00, 0.17, 0.00, 1}, // red
        {0.06, 1.00, 0.62, 1}, // spring green
        {0.16, 0.75, 1.00, 1}, // sky blue
    }};
    return colours;
}

bool TeamColours::reserve(int index) {
    if (index < 0 || index >= count || taken[std::size_t(index)])
        return false;
    taken[std::size_t(index)] = true;
    return true;
}

VORN_Color TeamColours::take(int r, int g, int b) {
    int free = 0;
    for (bool t : taken)
        free += t ? 0 : 1;
    if (free == 0)
        taken.fill(false); // a tenth player shares again
    free = free == 0 ? count : free;
    // The three draws make one number, so every free colour is about as likely.
    const std::int64_t drawn = (std::int64_t{r} * 32768 + g) * 32768 + b;
    int pick = static_cast<int>(drawn % free);
    for (int i = 0; i < count; ++i) {
        if (taken[i])
            continue;
        if (pick-- == 0) {
            taken[i] = true;
            return palette()[i];
        }
    }
    return palette()[0];
}
