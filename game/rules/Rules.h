// The rules' numbers and the geometry everyone who plays by them shares: the match, the joined
// machine's copy of it, the computer's planner and its flight prediction. Seconds, world units (y
// up) and degrees; the valley lies centred on the origin.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "game/rules/GameSettings.h"
#include "game/rules/GameState.h"

#include <algorithm>
#include <cmath>

namespace Rules {

constexpr int startHealth = 100;                // hit points of a new figure
constexpr double countdownSeconds = 3;          // before a player's turn
constexpr double moveSeconds = 60;              // to drive, from the end of the countdown
constexpr double aimSeconds = 45;               // to throw, also from the end of the countdown
constexpr int suddenDeathDamage = 5;            // each tortoise's loss at a turn's start then
constexpr double waitAfterExplosion = 5;        // before the next turn
constexpr int tickMs = 25;                      // the tick timer's interval
constexpr double tickSeconds = tickMs / 1000.0; // the same in seconds
constexpr double longestStep = 0.1;             // the most one tick moves the world (after a stall)
constexpr double turnSpeed = 120;               // degrees per second a held key turns a figure
constexpr double moveSpeed = 2; // units per second a held key drives; power per second
constexpr double raiseSpeed = moveSpeed * 0.5; // units per second a figure flies up or down
constexpr double aimSpeed = turnSpeed * 0.25;  // degrees per second the aim turns and raises
constexpr double startPower = 1;               // launch speed of a fresh aim, units per second
constexpr double launchHeight = 0.5;           // the grenade starts this far above its figure
constexpr double gravity = 0.9;                // units per second squared, downwards
constexpr double grenadeRadius = 0.1;          // bounding sphere of the grenade
constexpr double figureRadius = 0.3;           // bounding sphere of a tortoise
constexpr double lampRadius = 0.1;             // bounding sphere of a lamp
constexpr double blastRadius = 3;              // figures nearer than this to an explosion are hurt
constexpr int blastDamageAtCentre = 75;        // hit points taken at the explosion's own point
constexpr double craterRadius = 3;             // reach of the crater an explosion digs
constexpr double playAreaX = 80;               // the play area: x in [-80, 80] …
constexpr double playAreaZ = 40;               // … and z in [-40, 40]; beyond it a figure is lost
constexpr double dropAreaX = 75;               // new figures drop at x in [-75, 75] …
constexpr double dropAreaZ = 35;               // … and z in [-35, 35]

constexpr int lampCount = 4; // lamps stand 7 units up above the corners of the square ±20

// Where lamp i (0 … 3) stands: (20, 7, 20), (-20, 7, 20), (20, 7, -20), (-20, 7, -20).
inline VORN_LIB::VORN_Vector lampPlace(int i) {
    return VORN_LIB::VORN_Vector(i % 2 == 0 ? 20 : -20, 7, i < 2 ? 20 : -20);
}

// Whether a point lies beyond the play area, where a figure is lost and a grenade gone.
inline bool outsidePlayArea(const VORN_LIB::VORN_Vector& p) {
    return p.x() < -playAreaX || p.x() > playAreaX || p.z() < -playAreaZ || p.z() > playAreaZ;
}

// How far a point lies inside the play area from its nearest edge (negative beyond it).
inline double edgeDistance(const VORN_LIB::VORN_Vector& p) {
    return std::min(playAreaX - std::abs(p.x()), playAreaZ - std::abs(p.z()));
}

// The figure on turn is warned within edgeWarning of the edge (the edge lights up under it, a
// warning sounds), and sounds again only once it has been back further than edgeWarning +
// edgeWarningSlack.
constexpr double edgeWarning = 2;
constexpr double edgeWarningSlack = 0.5;

// The point of the edge nearest to a point beyond it, at its height: where a throw left.
inline VORN_LIB::VORN_Vector edgePointOf(const VORN_LIB::VORN_Vector& p) {
    return VORN_LIB::VORN_Vector(std::clamp(p.x(), -playAreaX, playAreaX), p.y(),
                                 std::clamp(p.z(), -playAreaZ, playAreaZ));
}

// Launch direction of a throw: Ry(yaw)·Rx(pitch) applied to (0, 0, -1). Yaw 0 throws along -z,
// positive yaw towards -x, positive pitch upwards.
inline VORN_LIB::VORN_Vector throwDirection(double yaw, double pitch) {
    const double y = yaw * (M_PI / 180.0);
    const double p = pitch * (M_PI / 180.0);
    return VORN_LIB::VORN_Vector(-std::cos(p) * std::sin(y), std::sin(p),
                                 -std::cos(p) * std::cos(y));
}

// Where the grenade of a figure resting at position starts.
inline VORN_LIB::VORN_Vector launchPoint(const VORN_LIB::VORN_Vector& position) {
    return position + VORN_LIB::VORN_Vector(0, launchHeight, 0);
}

// The times of a turn at each pace of GameSettings::Pace: to drive and to throw, both from the end
// of the countdown. The classic pace is the one above.
struct TurnTimes {
    double move, aim;
};
constexpr TurnTimes paces[] = {{moveSeconds, aimSeconds}, {30, 20}, {90, 60}};
inline TurnTimes timesOf(GameSettings::Pace pace) {
    return paces[static_cast<int>(pace)];
}

// The rounds played before sudden death, by GameSettings::SuddenDeath; 0 for none.
constexpr int suddenDeathRounds[] = {0, 5, 10};
inline int roundsBeforeSuddenDeath(GameSettings::SuddenDeath choice) {
    return suddenDeathRounds[static_cast<int>(choice)];
}

// How long a phase of the turn may last at a pace: the countdown, driving and aiming (both
// counted from the end of the countdown); 0 for a phase with no limit.
inline double phaseSeconds(GameState state, GameSettings::Pace pace) {
    return state == Countdown ? countdownSeconds
           : state == Moving  ? timesOf(pace).move
           : state == Aiming  ? timesOf(pace).aim
                              : 0;
}

// Whole seconds left of a limit after e seconds, truncated toward zero and never negative.
inline int wholeSecondsLeft(double limit, double e) {
    return std::max(0, static_cast<int>(limit - e));
}

// Whole seconds left to throw e seconds after the countdown: fire mode closes the pace's time to
// throw after it.
inline int secondsToThrow(double e, GameSettings::Pace pace) {
    return wholeSecondsLeft(timesOf(pace).aim, e);
}

} // namespace Rules
