// The own throw on a joined machine, flown at once: from the moment the throw is sent the
// grenade flies here by the shared flight model, tick by tick as the host flies it, instead of
// waiting a round trip for the host's picture of the flight. It stops at the ground, where it
// waits for the host's blast (only the host knows what the grenade hit). Engine clock
// milliseconds, world units.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "engine/scene/VORN_Clock.h"

#include <functional>
#include <optional>

class ThrowPrediction {
public:
    void start(const VORN_LIB::VORN_Vector& from, const VORN_LIB::VORN_Vector& velocity,
               const VORN_LIB::VORN_Vector& wind, VORN_LIB::VORN_Clock::Ticks now);
    void stop() { flying = false; }
    bool active() const { return flying; }

    // Where the grenade is at now; ground (the valley's height under a point) stops it. None
    // when no throw flies here.
    std::optional<VORN_LIB::VORN_Vector> at(VORN_LIB::VORN_Clock::Ticks now,
                                            const std::function<double(double, double)>& ground);

private:
    bool flying = false;
    bool landed = false;
    VORN_LIB::VORN_Vector place, velocity, wind;
    VORN_LIB::VORN_Clock::Ticks stepped = 0; // the clock reading the place is for
};
