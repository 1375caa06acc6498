// Synthetic valleys for the benchmarks: a rolling heightmap of any size stretched over the game's
// 160 × 80 × 5 valley (lifted by 1, as the game places it), and places spread over it.
#pragma once

#include "engine/terrain/Bitmap.h"
#include "engine/terrain/VORN_Landscape.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>
#include <vector>

namespace benchvalley {

// Rolling hills with a little noise, the kind of relief the game's valley has.
inline void fillHills(Bitmap& picture, int width, int height) {
    picture.resize(width, height);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            const double u = double(c) / (width - 1), v = double(r) / (height - 1);
            const double h = 0.5 + 0.3 * std::sin(u * 9.0) * std::cos(v * 7.0) +
                             0.15 * std::sin((u + v) * 23.0) + 0.02 * ((r * 7 + c * 13) % 5);
            const auto g = static_cast<unsigned char>(std::max(0.0, std::min(1.0, h)) * 255);
            unsigned char* p = picture.pixels.data() + (std::size_t(r) * width + c) * 3;
            p[0] = p[1] = p[2] = g;
        }
}

// A terrain built from the picture with the game's size and place. Needs a current GL context.
inline std::unique_ptr<VORN_LIB::VORN_Landscape> makeValley(const Bitmap& picture) {
    using VORN_LIB::VORN_Color;
    using VORN_LIB::VORN_Vector;
    auto land = std::make_unique<VORN_LIB::VORN_Landscape>(
        VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1), VORN_Color(1, 1, 1, 1));
    land->setSize(160, 80, 5, 1, 1);
    land->setPosition(0, 1, 0);
    land->createFromBitmap(picture);
    return land;
}

// Places on the valley (world x, 0, world z) visited in turn, spread over the whole grid.
inline std::vector<VORN_LIB::VORN_Vector> spots(int count) {
    std::vector<VORN_LIB::VORN_Vector> p;
    for (int i = 0; i < count; ++i)
        p.emplace_back(-75 + 150.0 * ((i * 37) % count) / count, 0,
                       -35 + 70.0 * ((i * 11) % count) / count);
    return p;
}

} // namespace benchvalley
