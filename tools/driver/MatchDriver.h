// Drives a match by hand, for the tests, the benchmarks and the tools: the engine clock set by
// hand, ticks run one by one through the owner's tick (the window's, or the match's own), rounds
// started with a seed, figures placed and blasts set off where a test wants them. Needs no window.
// World units, y up, milliseconds.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "engine/scene/VORN_Clock.h"
#include "game/rules/GameState.h"
#include "game/rules/ImpactState.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class Bitmap;
class Match;
class Tortoise;

class MatchDriver {
public:
    // Drives match; each tick advances the clock and calls timerTick (by default the match's own
    // advance, as the headless host's timer does).
    explicit MatchDriver(Match& match, std::function<void()> timerTick = {});

    // The game's valley, read once from its data file.
    static const Bitmap& valley();
    // A new match on the game's valley, the engine clock driven by hand from 1000 ms on.
    static std::unique_ptr<Match> newMatch();

    // Advances the clock by ms and runs one tick; count times.
    void tick(int count = 1, long ms = 25);
    // Ticks of 25 ms covering the given seconds.
    void ticksFor(double seconds);
    // Ticks until done() holds, at most maxTicks; tells whether it came true.
    bool tickUntil(const std::function<bool()>& done, int maxTicks = 4000);

    // A game of players × figures from the seed's draws, in the countdown of player 0.
    void startRound(int players, int figures, unsigned seed);
    // Ticks through the countdown into Moving.
    void toMoving();
    // The point on the terrain below or above (x, z).
    VORN_LIB::VORN_Vector ground(double x, double z) const;
    // Puts a figure at the x/z of a point, resting on the terrain, at rest.
    void placeOnGround(Tortoise* figure, double x, double z);
    // Explodes the grenade of a throw at a point: in Flying, the grenade is put there at rest and
    // marked as hit, and one tick without passing time handles the explosion. Every figure is
    // held at rest for that tick, so nothing moves.
    void explodeAt(const VORN_LIB::VORN_Vector& point);
    // Stops every figure.
    void holdFiguresStill();

    // Positions no keys reach at that moment, set for a test or a benchmark: the phase alone (the
    // world and the clock stay as they are), the aim, the turn's wind, the grenade's motion and
    // impact, when the phase's timer started, and how many players are drawn and labelled.
    void putInPhase(GameState state);
    void aim(double yaw, double pitch, double power);
    void blowWind(const VORN_LIB::VORN_Vector& wind);
    void moveGrenade(const VORN_LIB::VORN_Vector& velocity, ImpactState impact);
    void startPhaseClockAt(VORN_LIB::VORN_Clock::Ticks start);
    void showPlayers(unsigned count);

    // The message log as shown, oldest line first.
    QStringList log() const;
    // Hit points of every figure slot of every player; -1 for an empty slot or a player out.
    std::vector<std::vector<int>> healthOfAll() const;

    Match& match;

private:
    std::function<void()> timerTick;
};
