// The strength beyond which a throw leaves the valley, by bisection over flights of the match's
// own flight model.
#include "game/session/ThrowReach.h"

#include "game/match/Match.h"
#include "game/rules/Rules.h"

using VORN_LIB::VORN_Vector;

std::optional<double> ThrowReach::leaving(const GrenadeFlight::Ground& ground,
                                          const VORN_Vector& start, const VORN_Vector& direction,
                                          double strongest) {
    const GrenadeFlight flight(ground, {});
    const auto leaves = [&](double speed) {
        return flight.fly(start, direction * speed).end == GrenadeFlight::End::Outside;
    };
    if (!(strongest > 0) || !leaves(strongest))
        return std::nullopt;
    double stays = 0, goes = strongest;
    if (leaves(0))
        return 0.0;
    while (goes - stays > precision * strongest) {
        const double middle = (stays + goes) / 2;
        (leaves(middle) ? goes : stays) = middle;
    }
    return goes;
}

std::optional<double> ThrowReach::leaving(const Match& match, double strongest) {
    const VORN_Vector& from = match.grenade().worldPosition;
    if (known && (from - start).lengthSquared() == 0 && match.aimYaw() == yaw &&
        match.aimPitch() == pitch && strongest == upTo)
        return strength;
    known = true;
    start = from;
    yaw = match.aimYaw();
    pitch = match.aimPitch();
    upTo = strongest;
    const VORN_LIB::VORN_Landscape* land = &match.landscape();
    strength = leaving([land](double x, double z) { return land->surfaceHeight(x, z); }, start,
                       Rules::throwDirection(yaw, pitch), strongest);
    return strength;
}
