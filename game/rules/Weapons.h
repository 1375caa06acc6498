// The weapons of a game with every weapon: what each one's blast does and how many a player has.
// The grenade is the classic one, with the numbers of Rules; the others play differently: the
// cluster scatters small blasts round where it lands, the heavy shell digs and hurts more and
// comes once a game, the digger digs a wide, deep crater and hurts little, and the bouncer
// springs off the ground and goes off a set time after the throw. World units, hit points,
// seconds.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "game/rules/Rules.h"

#include <array>
#include <functional>
#include <vector>

enum class Weapon {
    Grenade = 0, // "granate"
    Cluster = 1, // "streubombe"
    Heavy = 2,   // "grossgranate"
    Digger = 3,  // "buddler"
    Bouncer = 4  // "huepfgranate"
};

namespace Weapons {

constexpr int count = 5;    // chosen in fire mode by the keys 1 … 5
constexpr int endless = -1; // a stock that never runs out

struct Blast {
    double radius;      // figures nearer than this are hurt
    int damageAtCentre; // hit points at the blast's own point, falling linearly to 0 at radius
    double crater;      // reach of the crater it digs (the bowl always reaches the valley's base)
    int perGame;        // how many each player has for a game, or endless
};

constexpr std::array<Blast, count> table{{
    {Rules::blastRadius, Rules::blastDamageAtCentre, Rules::craterRadius, endless}, // grenade
    {2.5, 50, 1.5, 3},                                                              // cluster
    {5.0, 120, 5.0, 1},                                                             // heavy
    {1.5, 15, 6.0, 3},                                                              // digger
    {Rules::blastRadius, Rules::blastDamageAtCentre, Rules::craterRadius, 3},       // bouncer
}};

constexpr int clusterBomblets = 4;  // small blasts round the cluster's own, one each way
constexpr double clusterSpread = 3; // how far from where it lands they go off
constexpr double bouncerFuse = 4;   // seconds from the throw to the bouncer's blast
constexpr double bounceKept = 0.55; // the share of its speed a bounce keeps

// What a player has of each weapon in a game of the grenade alone: endless grenades, nothing else.
constexpr std::array<int, count> grenadeOnly() {
    std::array<int, count> stock{};
    stock[0] = endless;
    return stock;
}

inline const Blast& of(Weapon w) {
    return table[static_cast<std::size_t>(w)];
}

// Hit points a blast of the weapon takes from a figure at distance d, truncated to whole points:
// the one damage rule, falling off evenly from the damage at the centre to none at the radius.
inline int damage(Weapon w, double d) {
    const Blast& b = of(w);
    return d < b.radius ? static_cast<int>((b.radius - d) * b.damageAtCentre / b.radius) : 0;
}

// Where the weapon's blasts go off when it lands at point: there, and for the cluster also
// clusterSpread away along +x, -x, +z and -z, on the ground below or above (heights from ground).
inline std::vector<VORN_LIB::VORN_Vector>
blastPoints(Weapon w, const VORN_LIB::VORN_Vector& point,
            const std::function<double(double x, double z)>& ground) {
    std::vector<VORN_LIB::VORN_Vector> points{point};
    if (w != Weapon::Cluster)
        return points;
    const double ways[clusterBomblets][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& way : ways) {
        const double x = point.x() + way[0] * clusterSpread;
        const double z = point.z() + way[1] * clusterSpread;
        points.emplace_back(x, ground(x, z), z);
    }
    return points;
}

// The farthest from where it lands that the weapon hurts anyone.
inline double reach(Weapon w) {
    return of(w).radius + (w == Weapon::Cluster ? clusterSpread : 0);
}

// Whether the weapon explodes where it first touches; the bouncer springs off the ground.
inline bool bounces(Weapon w) {
    return w == Weapon::Bouncer;
}

} // namespace Weapons
