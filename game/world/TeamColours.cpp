// The players' nine colours, handed out in an order drawn at random.
#include "game/world/TeamColours.h"

#include <cstdint>

using VORN_LIB::VORN_Color;

const std::array<VORN_Color, TeamColours::count>& TeamColours::palette() {
    static const std::array<VORN_Color, count> colours{{
        {0.95, 0.15, 0.15, 1}, // red
        {1.00, 0.55, 0.05, 1}, // orange
        {1.00, 0.90, 0.10, 1}, // yellow
        {0.10, 0.90, 0.95, 1}, // cyan
        {0.30, 0.50, 1.00, 1}, // blue
        {0.65, 0.35, 1.00, 1}, // violet
        {1.00, 0.25, 0.85, 1}, // magenta
        {1.00, 0.65, 0.70, 1}, // pink
        {0.95, 0.95, 0.95, 1}, // white
    }};
    return colours;
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
