// The own turn on a joined machine, shown at once: the figure on turn and the aim answer the
// player's keys in the next frame instead of a round trip later. The keys held are played here
// by the same rules the host plays them by, and what they did lately (over the lag: the round
// trip and the state buffer's delay) is laid over the host's latest picture, which has not seen
// it yet. As the host's states catch up the lead shrinks by itself, so a key let go stops the
// figure where the host stops it, with no jump back. Engine clock milliseconds, degrees, world
// units.
#pragma once

#include "engine/scene/VORN_Clock.h"
#include "game/rules/GameState.h"
#include "game/rules/TurnCommand.h"

#include <deque>
#include <functional>

class TurnPrediction {
public:
    struct Pose {
        double x = 0, y = 0, z = 0;
        double heading = 0; // degrees about y
    };
    struct Aim {
        double yaw = 0, pitch = 0, power = 0;
    };

    // How far the host's picture is behind this machine's keys.
    int lagMs = 0;

    // The keys held at engine clock reading now, every frame of the own turn in phase (Moving or
    // Aiming); a new phase starts the lead afresh. Steps in the command are not played.
    void hold(const TurnCommand& keys, GameState phase, VORN_LIB::VORN_Clock::Ticks now);
    // Not the own turn: nothing to lay over the host's picture.
    void reset();

    // The figure where the host has it, moved by what the keys did lately; ground (where given)
    // gives the height of the valley under a point, which the moved figure keeps above it as the
    // host's does.
    Pose shown(const Pose& host, VORN_LIB::VORN_Clock::Ticks now,
               const std::function<double(double x, double z)>& ground = {}) const;
    Aim shown(const Aim& host, VORN_LIB::VORN_Clock::Ticks now) const;

private:
    struct Played { // what the keys did from the phase's start until t
        VORN_LIB::VORN_Clock::Ticks t;
        Pose pose; // as a move from where the figure was at the start
        Aim aim;
    };
    Played at(VORN_LIB::VORN_Clock::Ticks t) const;
    Played lead(VORN_LIB::VORN_Clock::Ticks now) const; // what the host has not seen yet

    GameState phase = NoGame;
    TurnCommand keys;
    std::deque<Played> history; // oldest first, over the lag and a little more
};
