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

// The weapons' names are texts of the game, looked up in its translations (context "Game") by
// these German words; the translation tools find them by this marker, and the rules need no Qt.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace Weapons {

constexpr int count = 5;               // one row each below, in the order of enum Weapon
constexpr int endless = -1;            // a stock that never runs out
constexpr double neverByComputer = -1; // a weapon the computer leaves to people

// Everything the game knows of one weapon: a new weapon is a new row (and its enum value).
struct Row {
    const char* name;   // its name on the weapon panel and in the key help, translated
    char key;           // the key that takes it in fire mode
    double radius;      // figures nearer than this are hurt
    int damageAtCentre; // hit points at the blast's own point, falling linearly to 0 at radius
    double crater;      // reach of the crater it digs (the bowl always reaches the valley's base)
    int perGame;        // how many each player has for a game, or endless
    bool scatters;      // four small blasts go off clusterSpread round its own, one each way
    double fuse;        // seconds from the throw to its blast, bouncing off the ground till then;
                        // 0: it goes off where it first touches
    // How much more than a grenade's throw the computer wants its blasts to take before it spends
    // one, or neverByComputer.
    double computerWants;
};

constexpr std::array<Row, count> table{{
    {QT_TRANSLATE_NOOP("Game", "granate"), '1', Rules::blastRadius, Rules::blastDamageAtCentre,
     Rules::craterRadius, endless, false, 0, 0},
    {QT_TRANSLATE_NOOP("Game", "streubombe"), '2', 2.5, 50, 1.5, 3, true, 0, 0},
    {QT_TRANSLATE_NOOP("Game", "grossgranate"), '3', 5.0, 120, 5.0, 1, false, 0, 60},
    // The digger hurts too little to be worth the computer's while.
    {QT_TRANSLATE_NOOP("Game", "buddler"), '4', 1.5, 15, 6.0, 3, false, 0, neverByComputer},
    // Where the bouncer goes off depends on its bounces, which the computer does not foresee.
    {QT_TRANSLATE_NOOP("Game", "huepfgranate"), '5', Rules::blastRadius, Rules::blastDamageAtCentre,
     Rules::craterRadius, 3, false, 4, neverByComputer},
}};

constexpr int clusterBomblets = 4;  // small blasts round a scattering weapon's own
constexpr double clusterSpread = 3; // how far from where it lands they go off
constexpr double bounceKept = 0.55; // the share of its speed a bounce keeps

// Every key is a different one, and the grenade is the endless first row that a game of the
// grenade alone keeps.
constexpr bool keysDiffer() {
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (table[i].key == table[j].key)
                return false;
    return true;
}
static_assert(keysDiffer(), "two weapons on one key");
static_assert(table[0].perGame == endless && table[0].fuse == 0 && !table[0].scatters,
              "the grenade is the first row");

// What a player has of each weapon in a game of the grenade alone: endless grenades, nothing else.
constexpr std::array<int, count> grenadeOnly() {
    std::array<int, count> stock{};
    stock[0] = endless;
    return stock;
}

// What a player has of each weapon in a game of every weapon.
constexpr std::array<int, count> fullStock() {
    std::array<int, count> stock{};
    for (int i = 0; i < count; ++i)
        stock[i] = table[i].perGame;
    return stock;
}

inline const Row& of(Weapon w) {
    return table[static_cast<std::size_t>(w)];
}

// The weapon of a key, if a weapon has it.
inline bool ofKey(char key, Weapon* w) {
    for (int i = 0; i < count; ++i)
        if (table[i].key == key) {
            *w = static_cast<Weapon>(i);
            return true;
        }
    return false;
}

// Hit points a blast of the weapon takes from a figure at distance d, truncated to whole points:
// the one damage rule, falling off evenly from the damage at the centre to none at the radius.
inline int damage(Weapon w, double d) {
    const Row& b = of(w);
    return d < b.radius ? static_cast<int>((b.radius - d) * b.damageAtCentre / b.radius) : 0;
}

// Where the weapon's blasts go off when it lands at point: there, and for a scattering one also
// clusterSpread away along +x, -x, +z and -z, on the ground below or above (heights from ground).
inline std::vector<VORN_LIB::VORN_Vector>
blastPoints(Weapon w, const VORN_LIB::VORN_Vector& point,
            const std::function<double(double x, double z)>& ground) {
    std::vector<VORN_LIB::VORN_Vector> points{point};
    if (!of(w).scatters)
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
    return of(w).radius + (of(w).scatters ? clusterSpread : 0);
}

// Whether the weapon springs off the ground until its fuse burns down, rather than exploding
// where it first touches.
inline bool bounces(Weapon w) {
    return of(w).fuse > 0;
}

} // namespace Weapons
