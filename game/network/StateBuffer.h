// What a joined machine draws of the host's game: the host's states as they arrive, played back a
// little behind the newest, so that the figures, the grenade and the camera that follows them move
// smoothly however unevenly the states come. Each state carries the host's game clock; the picture
// runs on its own clock, kept delayMs behind the fastest arrival of the last moments, and shows
// the figures and the grenade between the two states around it. When the line holds states back,
// the picture runs on past the newest one for a while: the figures as they were going, the grenade
// along its flight, until the next state corrects them.
//
// The state, the turn, who is left and the log are taken from the state the picture has reached,
// never made up. Times are milliseconds: arrivals on this machine's engine clock, the picture on
// the host's game clock.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "engine/scene/VORN_Clock.h"
#include "game/network/NetworkMessage.h"

#include <deque>
#include <optional>

class StateBuffer {
public:
    using Ticks = VORN_LIB::VORN_Clock::Ticks;

    // A state from the host, arrived at engine clock reading arrived.
    void push(const Network::State& state, Ticks arrived);
    // Forgets every state: a new game, or the end of one.
    void clear();
    bool empty() const { return states.empty(); }

    // The picture at engine clock reading now; none before the first state.
    std::optional<Network::State> at(Ticks now);
    // The host's game clock reading the last picture showed.
    Ticks shown() const { return playback; }

    // The turn's wind, which the grenade flies in past the newest state (still air unless told).
    VORN_LIB::VORN_Vector wind;

    static constexpr Ticks delayMs = 75;         // behind the fastest arrival of late
    static constexpr Ticks windowMs = 2000;      // how far back "of late" looks
    static constexpr Ticks snapMs = 500;         // further off than this, the picture jumps
    static constexpr Ticks figureReachMs = 250;  // a figure goes on past the newest state this long
    static constexpr Ticks grenadeReachMs = 600; // the grenade flies on this long

private:
    struct Arrival {
        Network::State state;
        Ticks arrived;
    };
    Network::State between(const Arrival& a, const Arrival& b) const;
    Network::State beyond(const Arrival* before, const Arrival& last) const;

    std::deque<Arrival> states; // oldest first; the host's clock never runs backwards in them
    Ticks playback = 0;         // 0 until the first picture
    Ticks lastNow = 0;
};
