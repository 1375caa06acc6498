// Whether the tortoise on turn stands near the valley's edge, frame by frame: the edge lights up
// under it while it is within Rules::edgeWarning, and a warning sounds once as it comes there,
// again only after it has been back clear of the edge (or another figure takes the turn). Works
// from what the frame shows, so a joined machine warns as the host's machine does.
#pragma once

#include "engine/math/VORN_Vector.h"

class Tortoise;

class EdgeWatch {
public:
    // The figure on turn (null between turns) standing at a point; true when the warning sounds.
    bool update(const Tortoise* figure, const VORN_LIB::VORN_Vector& at);
    // Whether a point is near enough the edge for its line to light up.
    static bool near(const VORN_LIB::VORN_Vector& at);

private:
    const Tortoise* warned = nullptr; // the figure told last, while it has not come back clear
};
