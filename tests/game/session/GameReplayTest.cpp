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

#include <QDir>
#include <QFile>

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
    g.front.seats[1].name = QStringLiteral("bert"); // kept with the replay
    startRound(2, 1, 11);
    g.front.seats[1] = Seat();
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
    ASSERT_EQ(reader.header().players.size(), 2);
    EXPECT_EQ(reader.header().players[0].name, QString());
    EXPECT_EQ(reader.header().players[1].name, QStringLiteral("bert"));
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

// The window lists the replays kept (W in the main menu), a broken one with its reason, and
// watches one (Return) to its recorded winner with the keys of a replay: Space stands it, PageDown
// and PageUp skip turns, Escape ends it back at the list. A file it refuses says why.
TEST_F(GameScenario, TheWindowWatchesAKeptReplayToItsWinnerWithTheReplaysKeys) {
    const QString kept = QString::fromLocal8Bit(qgetenv("TV_SOURCE_DIR")) +
                         "/tests/game/hosting/data/replay-version-1.tvreplay";
    EXPECT_FALSE(g.watchReplay(QStringLiteral("/no/such/file.tvreplay")));
    EXPECT_EQ(g.replay(), nullptr);
    EXPECT_EQ(log().last(), "/no/such/file.tvreplay: datei nicht lesbar");

    const QString folder = g.replays().folder();
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString copy = folder + "/kept-for-the-list.tvreplay";
    QFile::remove(copy);
    ASSERT_TRUE(QFile::copy(kept, copy));
    QFile broken(folder + "/broken-for-the-list.tvreplay");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("TVREPLAY"); // cut short after its first bytes
    broken.close();
    ASSERT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    tap(Qt::Key_W);
    ASSERT_EQ(g.front.screen, FrontEnd::Screen::Replays);
    int at = -1, bad = -1;
    for (std::size_t i = 0; i < g.front.replays.size(); ++i) {
        if (g.front.replays[i].path == copy)
            at = int(i);
        if (g.front.replays[i].path == broken.fileName())
            bad = int(i);
    }
    ASSERT_GE(at, 0);
    ASSERT_GE(bad, 0);
    EXPECT_EQ(g.front.replays[std::size_t(bad)].error,
              broken.fileName() + ": wiederholung unvollstaendig");
    EXPECT_TRUE(g.front.replays[std::size_t(at)].error.isEmpty());
    EXPECT_EQ(g.front.replays[std::size_t(at)].players.size(), 2);
    while (g.front.replayChosen != bad)
        tap(Qt::Key_Down);
    tap(Qt::Key_Return); // a broken one is not watched
    EXPECT_EQ(g.replay(), nullptr);
    while (g.front.replayChosen != at)
        tap(Qt::Key_Down);
    tap(Qt::Key_Return);
    ASSERT_NE(g.replay(), nullptr);
    ReplayReader reader;
    ASSERT_TRUE(reader.open(kept));
    ASSERT_TRUE(tickUntil([&] { return g.match->state() == Moving; }, 400));
    tap(Qt::Key_Space);
    EXPECT_TRUE(g.replay()->paused());
    const auto standing = g.replay()->clock();
    ticksFor(1);
    EXPECT_EQ(g.replay()->clock(), standing);
    EXPECT_FALSE(noTextIn(frame(), QRect(g.width() / 2 - 170, 0, 340, 100))); // its lines
    // F1 tells the replay's keys, not those of a turn.
    tap(Qt::Key_F1);
    QStringList help;
    for (const KeyHelp::Line& line : g.keyHelp().lines())
        help << line.key + "=" + line.action;
    tap(Qt::Key_F1);
    EXPECT_TRUE(help.contains("leertaste=pause")) << help.join('|').toStdString();
    EXPECT_TRUE(help.contains("bild auf / ab=zug davor / danach")) << help.join('|').toStdString();
    EXPECT_FALSE(help.contains("esc=hauptmenue")) << help.join('|').toStdString();
    tap(Qt::Key_Space);
    tap(Qt::Key_PageDown);
    EXPECT_EQ(g.replay()->turn(), 1);
    tap(Qt::Key_PageUp);
    EXPECT_EQ(g.replay()->turn(), 0);
    tap(Qt::Key_Plus);
    tap(Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(g.replay()->speed(), 4.0);
    ASSERT_TRUE(tickUntil([&] { return g.replay()->atEnd(); }, 4000));
    ticksFor(0.5);
    EXPECT_EQ(g.match->state(), GameOver);
    EXPECT_EQ(g.match->alivePlayers(), QList<int>{reader.ending().winner});
    tap(Qt::Key_Return); // the end screen's keys are the replay's: it stays
    EXPECT_EQ(g.match->state(), GameOver);
    tap(Qt::Key_Escape);
    EXPECT_EQ(g.replay(), nullptr);
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::Replays); // back at the list, the one chosen
    EXPECT_EQ(g.front.replays[std::size_t(g.front.replayChosen)].path, copy);
    QFile::remove(copy);
    QFile::remove(broken.fileName());
    EXPECT_FALSE(g.replays().recording()); // nothing watched is kept again
}
