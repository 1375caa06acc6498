// The computer's planning of a throw. The launch is solved for the physics step's own
// integration: after n ticks of length dt a grenade thrown with vertical speed vy has risen by
// vy·t − g·t·(t + dt)/2 at t = n·dt, while its horizontal way grows by exactly vh·t. So for a
// pitch the speed that passes through a point at horizontal distance D and height H follows from
// a quadratic in 1/vh.
#include "game/computer/ComputerPlayer.h"

#include "game/rules/GameRandom.h"
#include "game/rules/Rules.h"
#include "game/rules/Wind.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

using VORN_LIB::VORN_Vector;

namespace {

const double degree = M_PI / 180.0;
// How far inside the play area's edge a spot to drive to must lie.
const double spotMargin = 6;

// The scatter of a level's hand: standard deviations of yaw and pitch (degrees) and of the
// power (a fraction of it), and the margin per unit of throwing distance the computer keeps
// between a target and its own figures.
struct Scatter {
    double yaw;
    double pitch;
    double power;
    double marginPerUnit;
};

Scatter scatterOf(ComputerLevel level) {
    switch (level) {
    case ComputerLevel::Easy:
        return {11.0, 11.0, 0.26, 0.10};
    case ComputerLevel::Medium:
        return {3.0, 3.0, 0.065, 0.05};
    case ComputerLevel::Hard:
        return {0.6, 0.6, 0.012, 0.02};
    case ComputerLevel::Off:
        break;
    }
    return {0, 0, 0, 0};
}

// The launch speed at a pitch (degrees) that passes through the point D away and H higher;
// not-a-number when the pitch points below the point.
double powerFor(double D, double H, double pitch) {
    const double g = Rules::gravity;
    const double dt = GrenadeFlight::tick;
    const double c = H - D * std::tan(pitch * degree);
    if (!(c < 0))
        return std::nan("");
    const double a = g / 2 * D * D;
    const double b = g / 2 * dt * D;
    const double u = (-b + std::sqrt(b * b - 4 * a * c)) / (2 * a); // 1 / horizontal speed
    return 1.0 / (u * std::cos(pitch * degree));
}

double horizontal(const VORN_Vector& a, const VORN_Vector& b) {
    return std::hypot(a.x() - b.x(), a.z() - b.z());
}

double distance(const VORN_Vector& a, const VORN_Vector& b) {
    return std::sqrt((a - b).lengthSquared());
}

// A standard normal number from two of the game's random draws (Box and Muller).
double normalDraw() {
    const double u1 = (randomDraw() + 1) / (randomDrawMax + 1.0); // (0, 1], never 0
    const double u2 = randomDraw() / static_cast<double>(randomDrawMax);
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * M_PI * u2);
}

} // namespace

double ComputerPlayer::wrapDegrees(double a) {
    a = std::fmod(a, 360.0);
    if (a > 180)
        a -= 360;
    if (a <= -180)
        a += 360;
    return a;
}

ComputerPlayer::ComputerPlayer(ComputerLevel level) : level(level) {}

GrenadeFlight ComputerPlayer::flightOver(const Field& field) const {
    std::vector<GrenadeFlight::Sphere> spheres;
    for (const Figure& f : field.own)
        spheres.push_back({f.place, Rules::figureRadius});
    for (const Figure& f : field.enemies)
        spheres.push_back({f.place, Rules::figureRadius});
    spheres.insert(spheres.end(), field.fixed.begin(), field.fixed.end());
    return GrenadeFlight(field.ground, spheres, field.wind);
}

ComputerPlayer::Throw ComputerPlayer::launchAt(const GrenadeFlight& flight,
                                               const VORN_Vector& launch, double yaw, double pitch,
                                               double power) const {
    Throw t;
    t.yaw = ComputerPlayer::wrapDegrees(yaw);
    t.pitch = pitch;
    t.power = power;
    t.flight = flight.fly(launch, Rules::throwDirection(t.yaw, pitch) * power);
    return t;
}

double ComputerPlayer::safeDistance(double distance, Weapon weapon) const {
    return Weapons::reach(weapon) + 0.5 + scatterOf(level).marginPerUnit * distance;
}

bool ComputerPlayer::safe(const Field& field, const Throw& t, double keepAway) const {
    if (t.flight.end == GrenadeFlight::End::Outside || t.flight.end == GrenadeFlight::End::TooLong)
        return true; // no explosion at all
    for (const Figure& f : field.own)
        if (distance(t.flight.point, f.place) < keepAway)
            return false;
    return true;
}

double ComputerPlayer::valueOf(const Field& field, const VORN_Vector& impact, Weapon weapon) const {
    const std::vector<VORN_Vector> blasts = Weapons::blastPoints(weapon, impact, field.ground);
    double value = 0;
    for (const Figure& f : field.enemies) {
        int damage = 0;
        for (const VORN_Vector& b : blasts)
            damage += Weapons::damage(weapon, distance(f.place, b));
        value += damage > f.health ? f.health + 100 : damage; // finishing a figure off counts most
    }
    return value;
}

std::optional<ComputerPlayer::Throw> ComputerPlayer::throwThrough(const Field& field,
                                                                  const VORN_Vector& launch,
                                                                  const VORN_Vector& target) const {
    const double dx = target.x() - launch.x();
    const double dz = target.z() - launch.z();
    const double D = std::hypot(dx, dz);
    const double H = target.y() - launch.y();
    if (D < 0.5)
        return std::nullopt;
    const double yaw = std::atan2(-dx, -dz) / degree;
    const double elevation = std::atan2(H, D) / degree;

    // The pitch needing the least power splits the lower arcs from the higher ones.
    double easiest = 45;
    double least = HUGE_VAL;
    for (double pitch = elevation + 0.5; pitch < 85; pitch += 0.5) {
        const double p = powerFor(D, H, pitch);
        if (p < least) {
            least = p;
            easiest = pitch;
        }
    }
    const double low = easiest - std::min(10.0, (easiest - elevation) / 2);
    const double arcs[] = {low, easiest + 10, easiest + 20, easiest + 30, easiest + 40};

    const GrenadeFlight flight = flightOver(field);
    for (double pitch : arcs) {
        if (pitch > 84)
            break;
        const double power = powerFor(D, H, pitch);
        if (!(power <= maxPower))
            continue;
        Throw t = Wind::strength(field.wind) == 0 ? launchAt(flight, launch, yaw, pitch, power)
                                                  : throwAlong(flight, launch, target, pitch);
        if (!(t.power <= maxPower))
            continue;
        if (distance(t.flight.point, target) > 1.0)
            continue; // met a hill or a figure before the target
        if (!safe(field, t, safeDistance(D)))
            return std::nullopt; // every arc that gets there explodes at the same place
        t.value = valueOf(field, t.flight.point) / (1 + D / 20); // far throws scatter more
        return t;
    }
    return std::nullopt;
}

ComputerPlayer::Throw ComputerPlayer::throwAlong(const GrenadeFlight& flight,
                                                 const VORN_Vector& launch,
                                                 const VORN_Vector& target, double pitch) const {
    VORN_Vector aimAt = target;
    Throw t;
    // The drift of a steady wind grows smoothly with the aim point, so a few corrections by the
    // last miss bring the blast onto the target.
    for (int round = 0; round < 8; ++round) {
        const double dx = aimAt.x() - launch.x();
        const double dz = aimAt.z() - launch.z();
        const double power = powerFor(std::hypot(dx, dz), aimAt.y() - launch.y(), pitch);
        if (!(power <= maxPower)) {
            t.power = HUGE_VAL;
            return t;
        }
        t = launchAt(flight, launch, std::atan2(-dx, -dz) / degree, pitch, power);
        const double missX = t.flight.point.x() - target.x();
        const double missZ = t.flight.point.z() - target.z();
        if (std::hypot(missX, missZ) < 0.2)
            break;
        aimAt = VORN_Vector(aimAt.x() - missX, aimAt.y(), aimAt.z() - missZ);
    }
    return t;
}

std::optional<ComputerPlayer::Throw> ComputerPlayer::bestThrow(const Field& field,
                                                               const VORN_Vector& launch) const {
    std::optional<Throw> best;
    for (std::size_t i = 0; i < field.enemies.size(); ++i) {
        std::optional<Throw> t = throwThrough(field, launch, field.enemies[i].place);
        if (t && (!best || t->value > best->value)) {
            best = t;
            best->target = static_cast<int>(i);
        }
    }
    return best;
}

ComputerPlayer::Throw ComputerPlayer::chooseThrow(const Field& field,
                                                  const VORN_Vector& launch) const {
    Search search(*this, field, {{field.own.empty() ? launch : field.own[0].place, launch}}, true);
    search.advance(std::numeric_limits<int>::max());
    return search.chosen();
}

// Nothing to gain: a short throw into the open, as far from the own figures as it goes; where
// none of those is clear of them, a full-power throw out of the valley or far away.
ComputerPlayer::Throw ComputerPlayer::intoTheOpen(const Field& field,
                                                  const VORN_Vector& launch) const {
    const GrenadeFlight flight = flightOver(field);
    Throw away;
    double farthest = -1;
    for (double power : {4.0, maxPower}) {
        for (int k = 0; k < 12; ++k) {
            Throw t = launchAt(flight, launch, k * 30.0, 45, power);
            double nearest = HUGE_VAL;
            for (const Figure& f : field.own)
                nearest = std::min(nearest, distance(t.flight.point, f.place));
            if (t.flight.end == GrenadeFlight::End::Outside)
                nearest = HUGE_VAL;
            if (nearest > farthest) {
                farthest = nearest;
                away = t;
            }
        }
        if (safe(field, away, Rules::blastRadius + 0.5))
            break;
    }
    return away;
}

std::optional<VORN_Vector> ComputerPlayer::driveTarget(const Field& field) const {
    if (field.own.empty())
        return std::nullopt;
    Search search(*this, field, Search::drivePlaces(field), false);
    search.advance(std::numeric_limits<int>::max());
    return search.driveSpot();
}

ComputerPlayer::Search::Search(const ComputerPlayer& planner, const Field& field,
                               std::vector<Place> places, bool fallback)
    : planner(&planner), field(field), places(std::move(places)), fallback(fallback) {
    best.resize(this->places.size());
    finished = this->places.empty();
}

std::vector<ComputerPlayer::Search::Place> ComputerPlayer::Search::drivePlaces(const Field& field) {
    std::vector<Place> places;
    const VORN_Vector here = field.own[0].place;
    places.push_back({here, Rules::launchPoint(here)});
    for (double radius : {driveRadius / 2, driveRadius}) {
        for (int k = 0; k < 12; ++k) {
            const double a = k * 30 * degree;
            const double x = here.x() + radius * std::cos(a);
            const double z = here.z() + radius * std::sin(a);
            if (std::fabs(x) > Rules::playAreaX - spotMargin ||
                std::fabs(z) > Rules::playAreaZ - spotMargin)
                continue; // stay well inside the valley
            const VORN_Vector spot(x, field.ground(x, z) + Rules::figureRadius, z);
            places.push_back({spot, Rules::launchPoint(spot)});
        }
    }
    return places;
}

bool ComputerPlayer::Search::advance(int budget, double maxMs) {
    const auto start = std::chrono::steady_clock::now();
    auto late = [&] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                   .count() > maxMs;
    };
    while (!finished && budget-- > 0 && !late()) {
        Field moved = field;
        if (!moved.own.empty())
            moved.own[0].place = places[place].figure;
        const VORN_Vector& launch = places[place].launch;
        if (enemy < field.enemies.size()) {
            if (!fallingBack) { // a clear arc at this enemy, as bestThrow looks for it
                std::optional<Throw> t =
                    planner->throwThrough(moved, launch, field.enemies[enemy].place);
                if (t && (!best[place] || t->value > best[place]->value)) {
                    best[place] = t;
                    best[place]->target = static_cast<int>(enemy);
                }
            } else { // a few arcs at it, as chooseThrow's fallback does
                const VORN_Vector& target = field.enemies[enemy].place;
                const double D = horizontal(launch, target);
                if (D >= 0.5) {
                    const GrenadeFlight flight = planner->flightOver(moved);
                    const double yaw =
                        std::atan2(-(target.x() - launch.x()), -(target.z() - launch.z()));
                    for (double pitch : {30.0, 45.0, 60.0, 75.0}) {
                        const double power = powerFor(D, target.y() - launch.y(), pitch);
                        if (!(power <= maxPower))
                            continue;
                        Throw t = planner->launchAt(flight, launch, yaw / degree, pitch, power);
                        if (!planner->safe(moved, t, planner->safeDistance(D)))
                            continue;
                        const double score = planner->valueOf(moved, t.flight.point) -
                                             distance(t.flight.point, target);
                        if (!bestFallback || score > bestScore) {
                            bestScore = score;
                            bestFallback = t;
                            bestFallback->target = static_cast<int>(enemy);
                        }
                    }
                }
            }
            ++enemy;
            continue;
        }
        // This place is searched.
        enemy = 0;
        if (fallback && place == 0 && !best[0] && !fallingBack) {
            fallingBack = true;
            continue;
        }
        fallingBack = false;
        // Here has a clear arc: nowhere else to look. The nearer ring with any spot ends it too.
        if (place == 0 && best[0])
            finished = true;
        else if (++place >= places.size())
            finished = true;
        else if (horizontal(places[place].figure, places[0].figure) > driveRadius * 0.75 &&
                 horizontal(places[place - 1].figure, places[0].figure) < driveRadius * 0.75 &&
                 driveSpot())
            finished = true;
    }
    return finished;
}

std::optional<VORN_Vector> ComputerPlayer::Search::driveSpot() const {
    if (places.empty() || best[0])
        return std::nullopt;
    for (bool farRing : {false, true}) {
        std::optional<VORN_Vector> spot;
        double bestValue = 0;
        for (std::size_t i = 1; i < places.size(); ++i) {
            const bool far = horizontal(places[i].figure, places[0].figure) > driveRadius * 0.75;
            if (far == farRing && best[i] && best[i]->value > bestValue) {
                bestValue = best[i]->value;
                spot = places[i].figure;
            }
        }
        if (spot)
            return spot;
    }
    return std::nullopt;
}

ComputerPlayer::Throw ComputerPlayer::Search::chosen() const {
    if (!places.empty() && best[0])
        return *best[0];
    if (bestFallback)
        return *bestFallback;
    Field moved = field;
    if (!moved.own.empty() && !places.empty())
        moved.own[0].place = places[0].figure;
    return planner->intoTheOpen(moved, places.empty() ? VORN_Vector() : places[0].launch);
}

ComputerPlayer::Throw ComputerPlayer::withAimError(const Field& field, const VORN_Vector& launch,
                                                   const Throw& exact, double share) const {
    Scatter scatter = scatterOf(level);
    scatter.yaw *= share;
    scatter.pitch *= share;
    scatter.power *= share;
    const GrenadeFlight flight = flightOver(field);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const double yaw = exact.yaw + scatter.yaw * normalDraw();
        const double pitch = std::clamp(exact.pitch + scatter.pitch * normalDraw(), -89.0, 89.0);
        const double power =
            std::clamp(exact.power * (1 + scatter.power * normalDraw()), 0.0, maxPower);
        Throw t = launchAt(flight, launch, yaw, pitch, power);
        t.target = exact.target;
        t.value = exact.value;
        t.weapon = exact.weapon;
        if (safe(field, t, Weapons::reach(exact.weapon) + 0.5))
            return t;
    }
    if (safe(field, exact, Weapons::reach(exact.weapon) + 0.5))
        return exact;
    Throw open = intoTheOpen(field, launch);
    open.target = -1;
    return open;
}

bool ComputerPlayer::spares(const Field& field, const VORN_Vector& launch, double yaw, double pitch,
                            double power, Weapon weapon) const {
    return safe(field, launchAt(flightOver(field), launch, yaw, pitch, power),
                Weapons::reach(weapon) + 0.5);
}

ComputerPlayer::Throw ComputerPlayer::armed(const Field& field, const Throw& planned) const {
    Throw best = planned;
    best.weapon = Weapon::Grenade;
    if (planned.target < 0 || planned.flight.end == GrenadeFlight::End::Outside ||
        planned.flight.end == GrenadeFlight::End::TooLong)
        return best; // nothing to gain, nothing to spend
    const double D = horizontal(planned.flight.point,
                                field.own.empty() ? planned.flight.point : field.own[0].place);
    const double grenade = valueOf(field, planned.flight.point);
    double bestValue = grenade;
    for (int i = 1; i < Weapons::count; ++i) {
        const Weapon w = static_cast<Weapon>(i);
        const double wants = Weapons::of(w).computerWants;
        if (wants == Weapons::neverByComputer || field.stock[static_cast<std::size_t>(w)] == 0 ||
            !safe(field, planned, safeDistance(D, w)))
            continue;
        const double value = valueOf(field, planned.flight.point, w);
        if (value > grenade + wants && value > bestValue) {
            bestValue = value;
            best.weapon = w;
        }
    }
    return best;
}
