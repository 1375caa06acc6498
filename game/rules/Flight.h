// How a thrown grenade moves: one model for the match that moves it and the computer that plans
// with it, so that a change to the forces on a grenade is made here once. World units, y up,
// seconds.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "game/rules/Rules.h"

namespace Flight {

// The steady acceleration on a grenade in flight: gravity, downwards, and the turn's wind, which
// pushes sideways (its x and z; still air is zero and changes nothing).
inline VORN_LIB::VORN_Vector acceleration(const VORN_LIB::VORN_Vector& wind = {}) {
    return VORN_LIB::VORN_Vector(wind.x(), -Rules::gravity, wind.z());
}

// One step of dt seconds, semi-implicit Euler as the physics steps every body: the velocity takes
// the acceleration first, then the grenade moves by the new velocity. Returns the move.
inline VORN_LIB::VORN_Vector step(VORN_LIB::VORN_Vector& velocity, double dt,
                                  const VORN_LIB::VORN_Vector& wind = {}) {
    velocity += acceleration(wind) * dt;
    return velocity * dt;
}

} // namespace Flight
