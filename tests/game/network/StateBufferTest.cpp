// The playback of a joined machine, with the line played by hand: a host's states every 25 ms of
// its game clock, arriving 100 ± 20 ms later with now and then a stall of 250 ms, in order, as
// TCP delivers them. The picture is looked at every 25 ms of this machine's clock.
#include "game/network/StateBuffer.h"

#include "game/rules/Flight.h"
#include "game/rules/Rules.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace Network;
using VORN_LIB::VORN_Vector;

namespace {

// The host's game: a figure driving along x at 2 units a second all the time, and from 1 s on a
// grenade thrown from (0, 5, 0), moved by the flight model a tick at a time.
struct HostGame {
    std::vector<State> ticks;
    HostGame() {
        VORN_Vector grenade(0, 5, 0), velocity(3, 4, 1);
        for (qint64 t = 10000; t <= 13000; t += Rules::tickMs) {
            State s;
            s.time = t;
            s.currentPlayer = 1;
            s.currentSlot = 0;
            s.state = t < 11000 ? Moving : Flying;
            s.figures.append({1, 0, figureX(t), 2.0f, -4.0f, float(t % 360), 100});
            if (s.state == Flying) {
                if (t > 11000)
                    grenade += Flight::step(velocity, Rules::tickSeconds);
                s.grenadeShown = true;
                s.grenadeX = float(grenade.x());
                s.grenadeY = float(grenade.y());
                s.grenadeZ = float(grenade.z());
            }
            ticks.push_back(s);
        }
    }
    static float figureX(double t) { return float((t - 10000) * 0.002); }
    // The state in play at game clock t: the last tick at or before it.
    const State& at(qint64 t) const {
        std::size_t i = 0;
        while (i + 1 < ticks.size() && ticks[i + 1].time <= t)
            ++i;
        return ticks[i];
    }
};

} // namespace

TEST(StateBuffer, ThePictureRunsEvenlyBetweenTheStatesAndThroughStallsAndNeverMakesUpTheTurn) {
    const HostGame host;
    std::mt19937 draws(7);
    std::uniform_int_distribution<int> jitter(-20, 20);
    std::vector<long> arrivals;
    long last = 0;
    int stalls = 0;
    for (std::size_t i = 0; i < host.ticks.size(); ++i) {
        // The host's clock reads 10000 when this machine's reads 500 000.
        long arrive = long(host.ticks[i].time) + 490000 + 100 + jitter(draws);
        if (i % 45 == 44) { // a lost packet, sent again
            arrive += 250;
            ++stalls;
        }
        last = std::max(last, arrive);
        arrivals.push_back(last);
    }
    ASSERT_GE(stalls, 2);

    StateBuffer buffer;
    EXPECT_FALSE(buffer.at(500000));
    std::size_t next = 0;
    long shownBefore = 0;
    int grenadeSeen = 0;
    int pastTheNewest = 0; // pictures of a time the line had not brought yet
    for (long now = 500100; now < 503100; now += Rules::tickMs) {
        for (; next < arrivals.size() && arrivals[next] <= now; ++next)
            buffer.push(host.ticks[next], arrivals[next]);
        const std::optional<State> picture = buffer.at(now);
        if (!picture)
            continue;
        SCOPED_TRACE(now);
        const long shown = long(picture->time);
        EXPECT_EQ(shown, buffer.shown());

        // A little behind the newest state there is, never ahead of the host by much.
        EXPECT_LE(shown, long(host.ticks[next - 1].time) + StateBuffer::figureReachMs);
        pastTheNewest += shown > long(host.ticks[next - 1].time) ? 1 : 0;
        if (shownBefore != 0 && now > 500600) {
            // Its clock runs with this machine's, corrected gently: no jumps, no stops.
            EXPECT_GE(shown - shownBefore, 15);
            EXPECT_LE(shown - shownBefore, 35);
        }
        shownBefore = shown;

        // The state and the turn are the host's at the picture's time, never made up ...
        const State& played = host.at(shown);
        EXPECT_EQ(picture->state, played.state);
        EXPECT_EQ(picture->grenadeShown, played.grenadeShown);

        // ... and the figure and the grenade are where the host has them at that time, between
        // states and past the newest alike.
        ASSERT_EQ(picture->figures.size(), 1);
        EXPECT_NEAR(picture->figures[0].x, HostGame::figureX(double(std::max(shown, 10000L))),
                    1e-3);
        if (picture->grenadeShown && shown >= 11050) {
            const State& after = host.at(shown + Rules::tickMs);
            const double f = (shown - played.time) / double(Rules::tickMs);
            const VORN_Vector expected =
                VORN_Vector(played.grenadeX, played.grenadeY, played.grenadeZ) * (1 - f) +
                VORN_Vector(after.grenadeX, after.grenadeY, after.grenadeZ) * f;
            const VORN_Vector seen(picture->grenadeX, picture->grenadeY, picture->grenadeZ);
            EXPECT_LT(std::sqrt((seen - expected).lengthSquared()), 0.02);
            ++grenadeSeen;
        }
    }
    EXPECT_GT(grenadeSeen, 60);
    EXPECT_GE(pastTheNewest, 8) << "the stalls were bridged";
}

// Past the newest state the grenade flies on in the turn's wind, as the host's does; in still air
// it would drift by half the wind's push times the time squared.
TEST(StateBuffer, TheGrenadeFliesOnPastTheNewestStateInTheTurnsWind) {
    const VORN_Vector wind(0.8, 0, -0.8);
    StateBuffer buffer;
    buffer.wind = wind;
    VORN_Vector grenade(0, 5, 0), velocity(3, 4, 1);
    std::vector<State> ticks;
    for (qint64 t = 10000; t <= 11000; t += Rules::tickMs) {
        if (t > 10000)
            grenade += Flight::step(velocity, Rules::tickSeconds, wind);
        State s;
        s.time = t;
        s.state = Flying;
        s.grenadeShown = true;
        s.grenadeX = float(grenade.x());
        s.grenadeY = float(grenade.y());
        s.grenadeZ = float(grenade.z());
        ticks.push_back(s);
    }
    std::size_t next = 0;
    std::optional<State> picture;
    for (long now = 500100; now <= 501650; now += Rules::tickMs) {
        for (; next < ticks.size() && long(ticks[next].time) + 490100 <= now; ++next)
            buffer.push(ticks[next], long(ticks[next].time) + 490100);
        picture = buffer.at(now);
    }
    ASSERT_TRUE(picture && picture->grenadeShown);
    const long over = long(picture->time) - 11000;
    ASSERT_GT(over, 300);
    ASSERT_LE(over, StateBuffer::grenadeReachMs);
    // Where the host's grenade is by then, stepped on as the host steps it.
    for (double left = over * 0.001; left > 1e-9; left -= Rules::tickSeconds)
        grenade += Flight::step(velocity, std::min(left, Rules::tickSeconds), wind);
    const VORN_Vector seen(picture->grenadeX, picture->grenadeY, picture->grenadeZ);
    EXPECT_LT(std::sqrt((seen - grenade).lengthSquared()), 0.03);
}
