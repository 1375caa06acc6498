// Playing the host's states back: the picture's clock, and the figures and the grenade between
// two states or past the newest. World units, y up, degrees, milliseconds.
#include "game/network/StateBuffer.h"

#include "game/rules/Flight.h"
#include "game/rules/Rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace Network;
using VORN_LIB::VORN_Vector;

namespace {

float lerp(float a, float b, double f) {
    return float(a + (b - a) * f);
}

// The shorter way round from one heading to the other.
float lerpAngle(float a, float b, double f) {
    const double turn = std::remainder(double(b) - a, 360.0);
    return float(a + turn * f);
}

const Figure* sameFigure(const State& s, const Figure& f) {
    for (const Figure& g : s.figures)
        if (g.player == f.player && g.slot == f.slot)
            return &g;
    return nullptr;
}

} // namespace

void StateBuffer::push(const State& state, Ticks arrived) {
    if (!states.empty() && state.time < states.back().state.time)
        clear(); // another host, or its clock started again: nothing before it is worth showing
    states.push_back({state, arrived});
}

void StateBuffer::clear() {
    states.clear();
    wind = VORN_Vector();
    playback = 0;
    lastNow = 0;
}

std::optional<State> StateBuffer::at(Ticks now) {
    if (states.empty())
        return std::nullopt;

    // The fastest way across of late: the newest states always count, so a host whose clock runs
    // fast (computers only) pulls the picture along at once.
    Ticks transit = states.back().arrived - Ticks(states.back().state.time);
    for (const Arrival& a : states)
        if (a.arrived >= now - windowMs)
            transit = std::min(transit, a.arrived - Ticks(a.state.time));
    const Ticks target = now - transit - delayMs;

    // The picture's clock runs with this machine's, and eases towards where it should be; it only
    // ever jumps when it is far off, and never runs backwards otherwise.
    if (playback == 0 || std::abs(target - playback) > snapMs) {
        playback = target;
    } else {
        const Ticks ran = playback + std::max<Ticks>(0, now - lastNow);
        playback = std::max(playback, ran + (target - ran) / 8);
    }
    lastNow = now;

    // Only the state before the picture and the one before that (for the speeds past the newest)
    // are needed of what has been shown, beyond the arrivals of late.
    while (states.size() > 2 && states[2].state.time <= playback &&
           states.front().arrived < now - windowMs)
        states.pop_front();

    std::size_t next = 0;
    while (next < states.size() && states[next].state.time <= playback)
        ++next;
    if (next == 0) { // the picture is before the first state there is
        State first = states.front().state;
        first.time = playback;
        return first;
    }
    const Arrival& last = states[next - 1];
    if (next < states.size())
        return between(last, states[next]);
    return beyond(next >= 2 ? &states[next - 2] : nullptr, last);
}

State StateBuffer::between(const Arrival& a, const Arrival& b) const {
    const double f = double(playback - a.state.time) / double(b.state.time - a.state.time);
    State s = a.state;
    s.time = playback;
    if (s.msIntoPhase > 0 && b.state.state == s.state)
        s.msIntoPhase += qint32(playback - a.state.time);
    for (Figure& figure : s.figures) {
        if (const Figure* to = sameFigure(b.state, figure)) {
            figure.x = lerp(figure.x, to->x, f);
            figure.y = lerp(figure.y, to->y, f);
            figure.z = lerp(figure.z, to->z, f);
            figure.heading = lerpAngle(figure.heading, to->heading, f);
        }
    }
    if (s.grenadeShown && b.state.grenadeShown) {
        s.grenadeX = lerp(s.grenadeX, b.state.grenadeX, f);
        s.grenadeY = lerp(s.grenadeY, b.state.grenadeY, f);
        s.grenadeZ = lerp(s.grenadeZ, b.state.grenadeZ, f);
    }
    if (s.state == Aiming && b.state.state == Aiming) {
        s.aimYaw = lerpAngle(s.aimYaw, b.state.aimYaw, f);
        s.aimPitch = lerp(s.aimPitch, b.state.aimPitch, f);
        s.aimPower = lerp(s.aimPower, b.state.aimPower, f);
    }
    return s;
}

State StateBuffer::beyond(const Arrival* before, const Arrival& last) const {
    State s = last.state;
    const Ticks over = playback - Ticks(last.state.time);
    if (!before || over <= 0 || last.state.time <= before->state.time)
        return s; // nothing to tell how things were going
    const double gap = double(last.state.time - before->state.time) * 0.001;

    // Figures on as they were going, for a while.
    const double figureAhead = std::min(over, figureReachMs) * 0.001;
    for (Figure& figure : s.figures) {
        const Figure* from = sameFigure(before->state, figure);
        if (from && before->state.state == s.state) {
            figure.x += float((figure.x - from->x) / gap * figureAhead);
            figure.y += float((figure.y - from->y) / gap * figureAhead);
            figure.z += float((figure.z - from->z) / gap * figureAhead);
            figure.heading += float(std::remainder(double(figure.heading) - from->heading, 360.0) /
                                    gap * figureAhead);
        }
    }

    // The grenade on along its flight, in gravity and the turn's wind. Its speed at the newest
    // state: the mean speed between the two states with their pull's share of the second half
    // added; or, just thrown, the speed of the throw by the aim, with their share since the state
    // before.
    if (s.state == Flying && s.grenadeShown) {
        VORN_Vector at(s.grenadeX, s.grenadeY, s.grenadeZ);
        VORN_Vector velocity;
        if (before->state.state == Flying && before->state.grenadeShown)
            velocity = (at - VORN_Vector(before->state.grenadeX, before->state.grenadeY,
                                         before->state.grenadeZ)) *
                           (1 / gap) +
                       Flight::acceleration(wind) * (gap / 2);
        else
            velocity = Rules::throwDirection(s.aimYaw, s.aimPitch) * double(s.aimPower) +
                       Flight::acceleration(wind) * gap;
        for (double left = std::min(over, grenadeReachMs) * 0.001; left > 1e-9;
             left -= Rules::tickSeconds)
            at += Flight::step(velocity, std::min(left, Rules::tickSeconds), wind);
        s.grenadeX = float(at.x());
        s.grenadeY = float(at.y());
        s.grenadeZ = float(at.z());
    }
    s.time = playback;
    if (s.msIntoPhase > 0)
        s.msIntoPhase += qint32(over);
    return s;
}
