// The computer's thinking for one throw: which enemy figure to aim at, the launch that reaches it
// (the lower arc, or a higher one when the lower meets a hill first), where to drive first when
// no arc from here is clear, and the scatter of its level's hand. It knows what a player at the
// keyboard knows: the figures' places and hit points, the terrain's heights, the gravity, the
// launch rule and the 3-unit blast. Angles in degrees as the game aims (yaw 0 throws along -z,
// positive yaw towards -x, positive pitch upwards); world units, y up. Needs no window.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "game/computer/ComputerLevel.h"
#include "game/computer/GrenadeFlight.h"
#include "game/rules/Weapons.h"

#include <array>

#include <optional>
#include <vector>

class ComputerPlayer {
public:
    struct Figure {
        VORN_LIB::VORN_Vector place; // centre of the figure where it rests
        int health = 0;
    };

    // What the computer sees at the start of its throw.
    struct Field {
        GrenadeFlight::Ground ground;
        std::vector<Figure> own;                  // its own figures, the one on turn first
        std::vector<Figure> enemies;              // every other player's figures
        std::vector<GrenadeFlight::Sphere> fixed; // other things a grenade can hit (the lamps)
        VORN_LIB::VORN_Vector wind;               // the turn's wind (zero: still air)
        // What the player on turn has left of each weapon (Weapons::endless: no end to it).
        std::array<int, Weapons::count> stock = Weapons::grenadeOnly();
    };

    struct Throw {
        double yaw = 0;               // degrees, in (-180, 180]
        double pitch = 0;             // degrees
        double power = 1;             // launch speed, units per second
        int target = -1;              // index of the enemy figure aimed at, -1 for none
        double value = 0;             // hit points it is expected to take, weighted by distance
        GrenadeFlight::Result flight; // the predicted flight and explosion
        Weapon weapon = Weapon::Grenade;
    };

    static constexpr double maxPower = 13;   // reached from 1.0 within 6 s of holding Up
    static constexpr double driveRadius = 4; // the farthest a figure drives before a throw

    explicit ComputerPlayer(ComputerLevel level);

    // An angle in degrees brought into (-180, 180].
    static double wrapDegrees(double a);

    // The throw from launch through the target point: along the lower arc, or along the first
    // higher arc that gets there when the lower one meets something first. None when no arc of
    // at most maxPower reaches the target, or when it would explode too near an own figure.
    std::optional<Throw> throwThrough(const Field& field, const VORN_LIB::VORN_Vector& launch,
                                      const VORN_LIB::VORN_Vector& target) const;

    // The most promising clear throw at any enemy figure; none when no arc from here is clear.
    std::optional<Throw> bestThrow(const Field& field, const VORN_LIB::VORN_Vector& launch) const;

    // The throw of a turn: the best clear one, else the most harmful one that stays away from the
    // own figures, else one into open ground or out of the valley away from them. Always gives a
    // throw; only where every throw looked at would hurt an own figure is the one given unsafe
    // (see spares).
    Throw chooseThrow(const Field& field, const VORN_LIB::VORN_Vector& launch) const;

    // Where the figure on turn (own[0]) should drive first, at most driveRadius away and well
    // inside the valley; none when it can throw from where it stands or no nearby spot is better.
    std::optional<VORN_LIB::VORN_Vector> driveTarget(const Field& field) const;

    // The throw as this level's hand aims it: yaw, pitch and power scattered, the scatter scaled
    // by share (1 for a first throw; less once earlier throws from the same place at the same
    // figure have shown where they went). A scattered throw whose predicted explosion would hurt
    // an own figure is drawn again; after a few tries the unscattered throw is aimed instead,
    // or, should that hurt one too, the throw chooseThrow falls back on.
    // Draws from the game's random numbers.
    Throw withAimError(const Field& field, const VORN_LIB::VORN_Vector& launch, const Throw& exact,
                       double share = 1) const;

    // Whether the throw of this aim from launch explodes clear of every own figure (the weapon's
    // reach and half a unit), or not at all: the last look before a throw.
    bool spares(const Field& field, const VORN_LIB::VORN_Vector& launch, double yaw, double pitch,
                double power, Weapon weapon = Weapon::Grenade) const;

    // Closest distance an own figure may have to a predicted explosion: the weapon's reach and a
    // margin for this level's scatter over the throw's horizontal distance.
    double safeDistance(double distance, Weapon weapon = Weapon::Grenade) const;

    // The weapon for a planned throw, from what is left: of the weapons the computer uses, the
    // one whose blasts together take the most, and more than the grenade's by what the weapon's
    // row wants (the heavy shell, once a game, must take much more); each only where its wider
    // reach still spares every own figure.
    Throw armed(const Field& field, const Throw& planned) const;

    ComputerLevel level;

    // The planning of a turn spread over ticks: the best clear throw from each of several places
    // of the figure on turn (own[0]), one enemy at a time, and for the first place, when asked,
    // the fallback throws of chooseThrow. advance() runs a bounded number of steps, each one arc
    // search at one enemy; the results are those of bestThrow and chooseThrow for the same field.
    class Search {
    public:
        struct Place {
            VORN_LIB::VORN_Vector figure; // where own[0] stands
            VORN_LIB::VORN_Vector launch; // where its grenade starts
        };
        Search() = default;
        Search(const ComputerPlayer& planner, const Field& field, std::vector<Place> places,
               bool fallback);
        // The places where the figure on turn may drive to: here first, then the spots of
        // driveTarget, driveRadius / 2 away and then driveRadius.
        static std::vector<Place> drivePlaces(const Field& field);
        // At most budget steps more, and none begun after maxMs of wall
        // time (a slow machine, or very long flights); true once everything is searched.
        bool advance(int budget, double maxMs = 1e9);
        bool done() const { return finished; }
        // The drive spot of driveTarget, once done.
        std::optional<VORN_LIB::VORN_Vector> driveSpot() const;
        // The throw of chooseThrow from the first place, once done (with fallback).
        Throw chosen() const;

    private:
        const ComputerPlayer* planner = nullptr;
        Field field;
        std::vector<Place> places;
        std::vector<std::optional<Throw>> best;
        bool fallback = false;
        std::size_t place = 0;
        std::size_t enemy = 0;
        bool fallingBack = false;
        std::optional<Throw> bestFallback;
        double bestScore = 0;
        bool finished = false;
    };

private:
    GrenadeFlight flightOver(const Field& field) const;
    Throw launchAt(const GrenadeFlight& flight, const VORN_LIB::VORN_Vector& launch, double yaw,
                   double pitch, double power) const;
    bool safe(const Field& field, const Throw& t, double keepAway) const; // none nearer
    Throw intoTheOpen(const Field& field, const VORN_LIB::VORN_Vector& launch) const;
    double valueOf(const Field& field, const VORN_LIB::VORN_Vector& impact,
                   Weapon weapon = Weapon::Grenade) const;
    // The throw at target along one arc's pitch; in a wind, the aim point moved against the drift
    // until the predicted blast lands on the target.
    Throw throwAlong(const GrenadeFlight& flight, const VORN_LIB::VORN_Vector& launch,
                     const VORN_LIB::VORN_Vector& target, double pitch) const;
};
