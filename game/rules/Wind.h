// The wind of a turn: a steady sideways push on a grenade in flight, drawn anew at each turn's
// start when the game has wind. It is an acceleration in the valley's plane (x and z, units per
// second squared); the flight model adds it to gravity.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "game/rules/GameRandom.h"
#include "game/rules/GameSettings.h"

#include <cmath>

namespace Wind {

constexpr double lightest = 0;    // a turn may be still, however windy the game
constexpr double lightMax = 0.15; // units per second squared: a long throw drifts about 2 units
constexpr double strongMax = 0.4; // and about 5 with a strong wind (gravity is 0.9)

// The strongest wind a game's setting draws; 0 for still air.
inline double strongest(GameSettings::Wind setting) {
    switch (setting) {
    case GameSettings::Wind::Light:
        return lightMax;
    case GameSettings::Wind::Strong:
        return strongMax;
    case GameSettings::Wind::Off:
        break;
    }
    return 0;
}

// The wind blowing towards the compass angle (degrees from +x towards +z) with this strength.
inline VORN_LIB::VORN_Vector blowing(double degrees, double strength) {
    const double a = degrees * (M_PI / 180.0);
    return VORN_LIB::VORN_Vector(strength * std::cos(a), 0, strength * std::sin(a));
}

// A turn's wind from two of the game's random draws: the direction, then the strength. Still air
// draws nothing, so a game without wind plays the draws it always did.
inline VORN_LIB::VORN_Vector draw(GameSettings::Wind setting) {
    if (setting == GameSettings::Wind::Off)
        return {};
    const double degrees = drawInRange(randomDraw(), 0, 360);
    const double strength = drawInRange(randomDraw(), lightest, strongest(setting));
    return blowing(degrees, strength);
}

// The wind's strength (its length in the plane).
inline double strength(const VORN_LIB::VORN_Vector& wind) {
    return std::hypot(wind.x(), wind.z());
}

} // namespace Wind
