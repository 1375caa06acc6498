// The nine outlines, made once.
#include "game/world/TeamShapes.h"

#include <array>
#include <cmath>

namespace {

using Corner = TeamShapes::Corner;

// corners points on the unit circle, the first at angle start (degrees, 90 is up).
std::vector<Corner> regular(int corners, double start) {
    std::vector<Corner> outline;
    for (int i = 0; i < corners; ++i) {
        const double a = (start + 360.0 * i / corners) * M_PI / 180;
        outline.push_back({std::cos(a), std::sin(a)});
    }
    return outline;
}

std::vector<Corner> star() {
    std::vector<Corner> outline;
    for (int i = 0; i < 10; ++i) {
        const double a = (90 + 36.0 * i) * M_PI / 180;
        const double r = i % 2 == 0 ? 1.0 : 0.42;
        outline.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return outline;
}

// A plus of arms a third as wide as it is long, turned by degrees.
std::vector<Corner> plus(double degrees) {
    constexpr double w = 0.33;
    const Corner arms[12] = {{w, w},   {w, 1},   {-w, 1}, {-w, w}, {-1, w}, {-1, -w},
                             {-w, -w}, {-w, -1}, {w, -1}, {w, -w}, {1, -w}, {1, w}};
    const double a = degrees * M_PI / 180;
    const double scale = 1 / std::hypot(w, 1.0); // the arms' outer corners on the unit circle
    std::vector<Corner> outline;
    for (const Corner& c : arms)
        outline.push_back({scale * (c.x * std::cos(a) - c.y * std::sin(a)),
                           scale * (c.x * std::sin(a) + c.y * std::cos(a))});
    return outline;
}

} // namespace

const std::vector<TeamShapes::Corner>& TeamShapes::outline(int player) {
    static const std::array<std::vector<Corner>, count> shapes{{
        regular(24, 90),                          // circle
        regular(3, 90),                           // triangle
        regular(4, 45),                           // square
        {{0, 1}, {-0.75, 0}, {0, -1}, {0.75, 0}}, // diamond
        star(),
        plus(0),
        plus(45),        // cross
        regular(3, 270), // triangle on its point
        {{-0.8, 0.6}, {0, 0.12}, {0.8, 0.6}, {0.8, -0.6}, {0, -0.12}, {-0.8, -0.6}}, // hourglass
    }};
    return shapes[static_cast<std::size_t>(((player % count) + count) % count)];
}
