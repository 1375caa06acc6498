// The own throw flown ahead of the host's picture.
#include "game/hosting/ThrowPrediction.h"

#include "game/rules/Flight.h"
#include "game/rules/Rules.h"

using VORN_LIB::VORN_Clock;
using VORN_LIB::VORN_Vector;

void ThrowPrediction::start(const VORN_Vector& from, const VORN_Vector& v, const VORN_Vector& w,
                            VORN_Clock::Ticks now) {
    flying = true;
    landed = false;
    place = from;
    velocity = v;
    wind = w;
    stepped = now;
}

std::optional<VORN_Vector>
ThrowPrediction::at(VORN_Clock::Ticks now, const std::function<double(double, double)>& ground) {
    if (!flying)
        return std::nullopt;
    // In the host's steps, one tick each, so that the path is the host's.
    while (!landed && now - stepped >= Rules::tickMs) {
        stepped += Rules::tickMs;
        place += Flight::step(velocity, Rules::tickMs / 1000.0, wind);
        const double floor = ground ? ground(place.x(), place.z()) : -1e9;
        if (place.y() <= floor) {
            place = VORN_Vector(place.x(), floor, place.z());
            landed = true;
        }
    }
    return place;
}
