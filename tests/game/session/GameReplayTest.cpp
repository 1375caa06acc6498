// The window keeps every game: a hot-seat game played with the keys is played back from its file
// through a joined machine's match with the same log and health at every turn's start, and ends
// with the same winner, health and log.
#include "tests/support/GameDriver.h"

#include "game/files/ReplayReader.h"
#include "game/hosting/JoinedMatch.h"
#include "game/hosting/ReplayPlayer.h"
#include "game/hosting/ReplayRecorder.h"
#include "game/hosting/ValleyService.h"
#include "game/rules/Rules.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"
#include "tools/driver/MatchDriver.h"

using namespace GameDriver;
using VORN_LIB::VORN_Clock;

namespace {

struct TurnStart {
    QStringList log;
    std::vector<std::vector<int>> health;
};

} // namespace

TEST_F(GameScenario, AHotSeatGameKeptPlaysBackWithTheSameLogHealthAtEachTurnAndWinner) {
    Match& m = *g.match;
    MatchDriver here(m, [] {}); // reads the window's match; the window's ticks drive it
    std::vector<TurnStart> starts;
    QObject::connect(&m, &Match::turnStarted, [&] {
        starts.push_back({log(), here.healthOfAll()});
    });
    startRound(2, 1, 11);
    ASSERT_TRUE(g.replays().recording());
    toMoving();
    tap(Qt::Key_Return); // spieler 0 throws at the aim it has
    tap(Qt::Key_Return);
    ASSERT_TRUE(tickUntil([&] { return m.state() == Countdown && m.currentPlayer() == 1; }, 800));
    toMoving();
    // Spieler 1 drives off the nearer edge.
    Tortoise* f = m.currentFigure();
    ASSERT_TRUE(f);
    const double z = f->worldPosition.z() < 0 ? 1 - Rules::playAreaZ : Rules::playAreaZ - 1;
    f->setWorldPosition(VORN_LIB::VORN_Vector(
        f->worldPosition.x(), m.landscape().surfaceHeight(f->worldPosition.x(), z) + 0.5, z));
    const int toEdge = z < 0 ? Qt::Key_Up : Qt::Key_Down;
    press(toEdge);
    ASSERT_TRUE(tickUntil([&] { return m.state() == GameOver; }, 800));
    release(toEdge);
    const QList<int> winners = m.alivePlayers();
    const auto endHealth = here.healthOfAll();
    ticksFor(2); // the end is kept
    const QStringList endLog = log();
    ASSERT_FALSE(g.replays().recording());

    ReplayReader reader;
    ASSERT_TRUE(reader.open(g.replays().lastFile())) << reader.error().toStdString();
    EXPECT_TRUE(reader.ending().over);
    EXPECT_EQ(reader.ending().winner, winners.value(0, -1));
    ASSERT_EQ(reader.turns(), int(starts.size()));
    ASSERT_GE(reader.turns(), 2);

    auto watched = std::make_unique<Match>(MatchDriver::valley()); // the clock goes on
    ValleyService valleys(MatchDriver::valley());
    JoinedMatch joined(*watched, valleys);
    MatchDriver watching(*watched, [] {});
    ReplayPlayer player(joined, reader);
    player.start(VORN_Clock::now());
    for (int t = 0; t < reader.turns(); ++t) {
        player.toTurn(t);
        EXPECT_EQ(watching.healthOfAll(), starts[std::size_t(t)].health) << "turn " << t;
        EXPECT_EQ(watching.log(), starts[std::size_t(t)].log) << "turn " << t;
    }
    // And on to the end, at the speed it was played.
    player.toTurn(0);
    ASSERT_TRUE(watching.tickUntil(
        [&] {
            player.advance(VORN_Clock::now());
            return player.atEnd();
        },
        4000));
    watching.ticksFor(0.5);
    player.advance(VORN_Clock::now());
    EXPECT_EQ(watched->state(), GameOver);
    EXPECT_EQ(watched->alivePlayers(), winners);
    EXPECT_EQ(watching.healthOfAll(), endHealth);
    EXPECT_EQ(watching.log(), endLog);
    EXPECT_EQ(watched->heightmapChecksum(), m.heightmapChecksum());
}
