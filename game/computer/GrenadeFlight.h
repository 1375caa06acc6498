// Where a thrown grenade will go: its flight stepped by the match's own flight model
// (Flight::step, in the turn's wind), in ticks of 25 ms, until the grenade's sphere meets the
// ground or another sphere, or it leaves the play area. World units, y up, seconds. Needs no
// window: the ground is a height function.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "game/rules/Rules.h"

#include <functional>
#include <vector>

class GrenadeFlight {
public:
    using Ground = std::function<double(double x, double z)>; // surface height at x/z

    struct Sphere {
        VORN_LIB::VORN_Vector centre;
        double radius = 0;
    };

    enum class End {
        Ground,  // touched the terrain
        Sphere,  // touched one of the spheres
        Outside, // left the valley untouched
        TooLong  // still flying after the longest flight looked at
    };

    struct Result {
        End end = End::TooLong;
        VORN_LIB::VORN_Vector point; // where the grenade stops: the explosion's place
        int sphere = -1;             // index of the sphere touched, or -1
        double seconds = 0;          // time of flight
    };

    static constexpr double tick =
        Rules::tickSeconds;                     // seconds per physics step, as the timer runs
    static constexpr double longestFlight = 40; // seconds

    // Over the ground, past the spheres, in the turn's wind (zero: still air).
    GrenadeFlight(Ground ground, std::vector<Sphere> spheres, VORN_LIB::VORN_Vector wind = {});

    // The flight of a grenade leaving start with the given velocity.
    Result fly(const VORN_LIB::VORN_Vector& start, const VORN_LIB::VORN_Vector& velocity) const;

    const Ground& ground() const { return groundHeight; }

private:
    Ground groundHeight;
    std::vector<Sphere> obstacles;
    VORN_LIB::VORN_Vector wind;
};
