// The flight of a grenade, step by step as the game's physics moves it. The game notices a hit
// only at the end of a step, with the grenade already in the ground or in a sphere; the point
// of the explosion is then near where the grenade first touched, which is what is returned here.
#include "game/computer/GrenadeFlight.h"

#include "game/rules/Flight.h"

#include <cmath>
#include <utility>

using VORN_LIB::VORN_Vector;

namespace {

// How far along the step from a to b (0 … 1) the point first comes within r of the centre c;
// 1 when it does so only at b.
double firstTouch(const VORN_Vector& a, const VORN_Vector& b, const VORN_Vector& c, double r) {
    const VORN_Vector d = b - a;
    const VORN_Vector s = a - c;
    const double dd = d.lengthSquared();
    if (dd == 0)
        return 1;
    const double half = dot(d, s) / dd;
    const double q = (s.lengthSquared() - r * r) / dd;
    const double disc = half * half - q;
    if (disc < 0)
        return 1;
    const double t = -half - std::sqrt(disc);
    return (t >= 0 && t <= 1) ? t : (q <= 0 ? 0 : 1);
}

} // namespace

GrenadeFlight::GrenadeFlight(Ground ground, std::vector<Sphere> spheres, VORN_Vector wind)
    : groundHeight(std::move(ground)), obstacles(std::move(spheres)), wind(wind) {}

GrenadeFlight::Result GrenadeFlight::fly(const VORN_Vector& start,
                                         const VORN_Vector& velocity) const {
    Result result;
    VORN_Vector p = start;
    VORN_Vector v = velocity;
    const int steps = static_cast<int>(longestFlight / tick);
    for (int i = 1; i <= steps; ++i) {
        const VORN_Vector before = p;
        p += Flight::step(v, tick, wind);
        result.seconds = i * tick;

        // The earliest contact along this step: ground or a sphere the grenade now overlaps.
        double first = 2;
        const double clearance = p.y() - groundHeight(p.x(), p.z()) - Rules::grenadeRadius;
        if (clearance < 0) {
            const double above =
                before.y() - groundHeight(before.x(), before.z()) - Rules::grenadeRadius;
            first = above > 0 ? above / (above - clearance) : 0;
            result.end = End::Ground;
            result.sphere = -1;
        }
        for (std::size_t k = 0; k < obstacles.size(); ++k) {
            const Sphere& s = obstacles[k];
            const double reach = s.radius + Rules::grenadeRadius;
            if ((p - s.centre).lengthSquared() > reach * reach)
                continue;
            const double t = firstTouch(before, p, s.centre, reach);
            if (t < first) {
                first = t;
                result.end = End::Sphere;
                result.sphere = static_cast<int>(k);
            }
        }
        if (first <= 1) {
            result.point = before + (p - before) * first;
            return result;
        }
        if (Rules::outsidePlayArea(p)) {
            result.end = End::Outside;
            result.point = p;
            return result;
        }
    }
    result.end = End::TooLong;
    result.point = p;
    return result;
}
