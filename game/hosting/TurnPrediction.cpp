// The keys of the own turn played ahead of the host's picture.
#include "game/hosting/TurnPrediction.h"

#include "game/rules/Rules.h"

#include <algorithm>
#include <cmath>

using VORN_LIB::VORN_Clock;

void TurnPrediction::reset() {
    phase = NoGame;
    history.clear();
}

// A figure drives along its own axes, as the host's match moves it: turned by the yaw rate, then
// the drive and the rise along its heading and up.
void TurnPrediction::hold(const TurnCommand& held, GameState now_phase, VORN_Clock::Ticks now) {
    if (now_phase != Moving && now_phase != Aiming) {
        reset();
        return;
    }
    if (now_phase != phase || history.empty()) {
        phase = now_phase;
        history.assign(1, Played{now, Pose(), Aim()});
        keys = held;
        return;
    }
    Played next = history.back();
    const double dt = std::min(double(now - next.t) / 1000.0, Rules::longestStep);
    if (now > next.t) {
        next.t = now;
        if (phase == Moving) {
            next.pose.heading += keys.yawRate * dt;
            const double h = next.pose.heading * (M_PI / 180.0);
            next.pose.x += std::sin(h) * keys.driveRate * dt;
            next.pose.z += std::cos(h) * keys.driveRate * dt;
            next.pose.y += keys.raiseRate * dt;
        } else {
            next.aim.yaw += keys.yawRate * dt;
            next.aim.pitch += keys.raiseRate * dt;
            next.aim.power += keys.driveRate * dt;
        }
        history.push_back(next);
    }
    keys = held;
    // Kept over the lag and a second more, for a lag that grows.
    while (history.size() > 2 && history[1].t < now - lagMs - 1000)
        history.pop_front();
}

TurnPrediction::Played TurnPrediction::at(VORN_Clock::Ticks t) const {
    if (history.empty())
        return Played{t, Pose(), Aim()};
    if (t <= history.front().t)
        return history.front();
    if (t >= history.back().t)
        return history.back();
    const auto after =
        std::lower_bound(history.begin(), history.end(), t,
                         [](const Played& p, VORN_Clock::Ticks at) { return p.t < at; });
    const Played& b = *after;
    const Played& a = *(after - 1);
    const double f = b.t == a.t ? 1.0 : double(t - a.t) / double(b.t - a.t);
    const auto mix = [f](double u, double v) { return u + (v - u) * f; };
    Played p;
    p.t = t;
    p.pose = {mix(a.pose.x, b.pose.x), mix(a.pose.y, b.pose.y), mix(a.pose.z, b.pose.z),
              mix(a.pose.heading, b.pose.heading)};
    p.aim = {mix(a.aim.yaw, b.aim.yaw), mix(a.aim.pitch, b.aim.pitch),
             mix(a.aim.power, b.aim.power)};
    return p;
}

TurnPrediction::Played TurnPrediction::lead(VORN_Clock::Ticks now) const {
    const Played latest = at(now);
    const Played seen = at(now - lagMs);
    Played d;
    d.t = now;
    d.pose = {latest.pose.x - seen.pose.x, latest.pose.y - seen.pose.y, latest.pose.z - seen.pose.z,
              latest.pose.heading - seen.pose.heading};
    d.aim = {latest.aim.yaw - seen.aim.yaw, latest.aim.pitch - seen.aim.pitch,
             latest.aim.power - seen.aim.power};
    return d;
}

TurnPrediction::Pose
TurnPrediction::shown(const Pose& host, VORN_Clock::Ticks now,
                      const std::function<double(double, double)>& ground) const {
    if (phase != Moving)
        return host;
    const Played d = lead(now);
    Pose p{host.x + d.pose.x, host.y + d.pose.y, host.z + d.pose.z, host.heading + d.pose.heading};
    if (ground) // as high above the ground as the host's figure is above its own
        p.y += ground(p.x, p.z) - ground(host.x, host.z);
    // Never beyond the edge on a guess: the host decides whether the figure is lost.
    p.x = std::clamp(p.x, -Rules::playAreaX, Rules::playAreaX);
    p.z = std::clamp(p.z, -Rules::playAreaZ, Rules::playAreaZ);
    return p;
}

TurnPrediction::Aim TurnPrediction::shown(const Aim& host, VORN_Clock::Ticks now) const {
    if (phase != Aiming)
        return host;
    const Played d = lead(now);
    return {host.yaw + d.aim.yaw, std::clamp(host.pitch + d.aim.pitch, -90.0, 90.0),
            std::max(0.0, host.power + d.aim.power)};
}
