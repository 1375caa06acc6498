// Network play over a slow line: the game window of this process joins a host of this process
// through a relay on 127.0.0.1 that holds each piece 100 ± 20 ms each way and stalls 2 % of them
// for 200 … 300 ms. The host, the relay and the window run on the engine clock, driven a tick at
// a time; every loop is bounded.
#include "tests/support/DrivenNetwork.h"
#include "tests/support/GameDriver.h"

#include "game/hosting/JoinedMatch.h"
#include "game/hosting/ValleyService.h"
#include "tests/support/LinkRelay.h"

#include "game/hosting/MatchHost.h"
#include "game/match/Match.h"
#include "game/network/NetworkClient.h"
#include "game/rules/Rules.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <algorithm>

using namespace GameDriver;
using VORN_LIB::VORN_Clock;
using VORN_LIB::VORN_Vector;

namespace {

class SlowLine : public GameScenario {};

// Sets the host's figure on turn down a unit inside the nearer edge of the valley, so that
// driving on takes it over within a second or two wherever it dropped.
void toTheEdge(Match& m) {
    Tortoise* f = m.currentFigure();
    const VORN_Vector p = f->worldPosition;
    const double z = p.z() < 0 ? 1 - Rules::playAreaZ : Rules::playAreaZ - 1;
    f->setWorldPosition(VORN_Vector(p.x(), m.landscape().surfaceHeight(p.x(), z) + 0.5, z));
}

} // namespace

TEST_F(SlowLine, ReturnTwiceAlwaysThrowsTheGrenadeMovesOnAndTheEndScreensAgree) {
    Match hosted(g.heightMap());
    MatchHost host(hosted);
    ASSERT_TRUE(host.listen(0));
    LinkRelay line(host.port(), LinkRelay::Line());
    DrivenNetwork net;
    net.each([&] {
        host.advance(VORN_Clock::now());
        line.deliver();
    });

    g.joinGame(QStringLiteral("127.0.0.1"), line.port());
    ASSERT_TRUE(net.stepUntil([&] { return g.client() && g.client()->seat == 1; }));

    // A new game with spieler 1, the joined window, on turn.
    const auto newGame = [&](int figures) {
        hosted.reset();
        hosted.newGame(2, figures);
        while (hosted.currentPlayer() != 1)
            hosted.nextTurn();
    };

    // Return, and Return again 0.3 s later: fire mode and the throw, however late the picture
    // shows fire mode. The grenade in the picture is watched on the picture's own clock: it must
    // never stand still while it flies (it rests only where it came down, until the blast).
    long longestStandStill = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        SCOPED_TRACE(attempt);
        newGame(3);
        ASSERT_TRUE(net.stepUntil(
            [&] {
                return g.match->state() == Moving && g.match->currentPlayer() == 1 &&
                       g.match->currentFigure();
            },
            600));
        tap(Qt::Key_Return);
        net.stepFor(0.3);
        tap(Qt::Key_Return);
        ASSERT_TRUE(net.stepUntil([&] { return hosted.state() == Flying; }, 200))
            << "the host is in state " << hosted.state();

        VORN_Vector still;
        long stillSince = 0; // the picture's clock when the grenade came to where it stands
        long stillUntil = 0; // and the last picture that showed it there
        long lastShown = 0;
        bool sawFlight = false;
        bool over = false;
        ASSERT_TRUE(net.stepUntil(
            [&] {
                const long shown = g.joined().shownStates().shown();
                if (over || shown == lastShown)
                    return over;
                lastShown = shown;
                const bool flying = g.match->state() == Flying && inScene(&g.match->grenade()) == 1;
                if (!flying) {
                    over = sawFlight; // gone off, or out of the valley
                    return over;
                }
                sawFlight = true;
                // A stand-still counts once the grenade moves on from it: where it came down it
                // waits for the host's blast, flown here ahead of the host's picture.
                const VORN_Vector at = g.match->grenade().worldPosition;
                if (stillSince == 0 || distance(at, still) > 1e-6) {
                    if (stillSince != 0)
                        longestStandStill = std::max(longestStandStill, stillUntil - stillSince);
                    still = at;
                    stillSince = shown;
                }
                stillUntil = shown;
                return false;
            },
            800));
        EXPECT_TRUE(sawFlight);
    }
    EXPECT_LT(longestStandStill, 150) << "the line stalled " << line.stalls() << " times";
    std::printf("longest stand-still of the grenade: %ld ms; the line stalled %d times, the "
                "longest %d ms\n",
                longestStandStill, line.stalls(), line.longestStallMs());

    // A last game of one figure each: the joined window drives its figure off the nearer edge,
    // and both machines show the same end.
    newGame(1);
    ASSERT_TRUE(net.stepUntil(
        [&] {
            return g.match->state() == Moving && g.match->currentPlayer() == 1 &&
                   g.match->currentFigure();
        },
        600));
    ASSERT_NE(hosted.currentFigure(), nullptr);
    toTheEdge(hosted);
    const int toEdge = hosted.currentFigure()->worldPosition.z() < 0 ? Qt::Key_Up : Qt::Key_Down;
    press(toEdge);
    ASSERT_TRUE(net.stepUntil([&] { return hosted.state() == GameOver; }, 800));
    release(toEdge);
    ASSERT_TRUE(net.stepUntil([&] { return g.match->state() == GameOver; }, 200));
    net.stepFor(1.0); // the last lines of the log come after
    EXPECT_EQ(g.match->alivePlayers(), hosted.alivePlayers());
    EXPECT_EQ(g.match->alivePlayers(), QList<int>({0}));
    QStringList hostLog;
    for (const LogLine& entry : hosted.messages())
        hostLog.append(entry.shown());
    EXPECT_EQ(log(), hostLog);
}
