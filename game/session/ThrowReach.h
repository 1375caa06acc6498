// How strong a throw the valley holds: the launch speed beyond which a grenade thrown from the
// launch point along the aim's direction, in still air, flies out of the valley before it touches
// the ground (figures and lamps in its way are not looked at). The strength bar marks it. World
// units, degrees, units per second.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "game/computer/GrenadeFlight.h"

#include <optional>

class Match;

class ThrowReach {
public:
    // The strength is found to within this share of the strongest throw looked at.
    static constexpr double precision = 1.0 / 4096;

    // The smallest launch speed up to strongest at which a throw from start along direction
    // (a unit vector) leaves the valley, as far as a bisection between the throws that stay and
    // those that leave finds it; none when the strongest throw stays in it.
    static std::optional<double> leaving(const GrenadeFlight::Ground& ground,
                                         const VORN_LIB::VORN_Vector& start,
                                         const VORN_LIB::VORN_Vector& direction, double strongest);

    // The same for the match's aim in fire mode; worked out again only when the launch point or
    // the aim's direction changed since the last call, or after forget() (a turn's craters).
    std::optional<double> leaving(const Match& match, double strongest);
    void forget() { known = false; }

private:
    bool known = false;
    VORN_LIB::VORN_Vector start;
    double yaw = 0, pitch = 0, upTo = 0;
    std::optional<double> strength;
};
