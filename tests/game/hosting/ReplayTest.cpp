// Replays: a game the recorder kept plays back through a joined machine's match with the same log,
// the same health at every turn's start and the same winner, however it is watched (straight
// through fast, or skipping from turn to turn); its folder keeps the newest files, and a folder
// that cannot be written is told once while the game plays on. No window: the matches are driven
// by hand, 25 ms a tick.
#include "game/hosting/JoinedMatch.h"
#include "game/hosting/ReplayPlayer.h"
#include "game/hosting/ReplayRecorder.h"
#include "game/hosting/ValleyService.h"
#include "game/match/Match.h"
#include "game/world/Player.h"
#include "tools/driver/MatchDriver.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using VORN_LIB::VORN_Clock;

namespace {

struct TurnStart {
    QStringList log;
    std::vector<std::vector<int>> health;
    quint32 ground = 0;
};

} // namespace

TEST(Replay, AComputerGameKeptPlaysBackWithTheSameLogHealthAtEachTurnAndWinner) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::unique_ptr<Match> match = MatchDriver::newMatch();
    ReplayRecorder recorder(*match, dir.filePath("replays"));
    recorder.nameOf = [](int p) { return p == 0 ? QString("anna") : QString(); };
    MatchDriver driver(*match, [&] {
        match->advance(VORN_Clock::now());
        recorder.tick(VORN_Clock::now());
    });
    match->computersPlayEverySeat();
    match->setComputerLevel(ComputerLevel::Hard);
    std::vector<TurnStart> starts;
    // Each turn as its snapshot has it: the log and health when the countdown begins.
    QObject::connect(match.get(), &Match::turnStarted, [&] {
        starts.push_back({driver.log(), driver.healthOfAll(), match->heightmapChecksum()});
    });
    QSignalSpy written(&recorder, &ReplayRecorder::written);
    driver.startRound(3, 1, 7);
    ASSERT_TRUE(recorder.recording());
    const float green = float(match->players()[1]->color[1]);
    ASSERT_TRUE(driver.tickUntil([&] { return match->state() == GameOver; }, 60000));
    const QList<int> winners = match->alivePlayers();
    const auto endHealth = driver.healthOfAll();
    const quint32 endGround = match->heightmapChecksum();
    driver.ticksFor(2);
    ASSERT_EQ(written.count(), 1);
    const QStringList endLog = driver.log();

    ReplayReader reader;
    ASSERT_TRUE(reader.open(recorder.lastFile())) << reader.error().toStdString();
    ASSERT_TRUE(reader.ended());
    EXPECT_TRUE(reader.ending().over);
    EXPECT_EQ(reader.ending().winner, winners.isEmpty() ? -1 : winners.first());
    ASSERT_EQ(reader.turns(), int(starts.size()));
    EXPECT_EQ(reader.ending().turns, starts.size());
    ASSERT_GT(starts.size(), 2u);
    ASSERT_EQ(reader.header().players.size(), 3);
    EXPECT_EQ(reader.header().players[0].name, "anna");
    EXPECT_EQ(reader.header().players[1].name, "");
    EXPECT_FLOAT_EQ(reader.header().players[1].green, green);

    // Watched straight through at four times the speed, to its end.
    std::unique_ptr<Match> watched = MatchDriver::newMatch();
    ValleyService valleys(MatchDriver::valley());
    JoinedMatch joined(*watched, valleys);
    MatchDriver watching(*watched, [] {});
    ReplayPlayer player(joined, reader);
    player.start(VORN_Clock::now());
    player.faster();
    player.faster();
    player.faster(); // no faster than x4
    EXPECT_DOUBLE_EQ(player.speed(), 4.0);
    std::vector<int> turnsSeen;
    QObject::connect(&player, &ReplayPlayer::turnChanged, [&](int t) { turnsSeen.push_back(t); });
    ASSERT_TRUE(watching.tickUntil(
        [&] {
            player.advance(VORN_Clock::now());
            return player.atEnd() && watched->state() == GameOver;
        },
        60000));
    watching.ticksFor(1);
    player.advance(VORN_Clock::now());
    EXPECT_EQ(player.error(), "");
    EXPECT_EQ(int(turnsSeen.size()), reader.turns() - 1); // every turn after the first, in order
    for (std::size_t i = 0; i < turnsSeen.size(); ++i)
        EXPECT_EQ(turnsSeen[i], int(i) + 1);
    EXPECT_EQ(watched->alivePlayers(), winners);
    EXPECT_EQ(watching.healthOfAll(), endHealth);
    EXPECT_EQ(watched->heightmapChecksum(), endGround); // every crater dug
    EXPECT_EQ(watching.log(), endLog);

    // Paused, the replay's clock stands; at a quarter of the speed it runs a quarter as fast.
    player.toTurn(1);
    const VORN_Clock::Ticks at = player.clock();
    EXPECT_EQ(at, reader.turnTime(1));
    player.pause(true);
    watching.ticksFor(3);
    player.advance(VORN_Clock::now());
    EXPECT_EQ(player.clock(), at);
    player.pause(false);
    for (int i = 0; i < 6; ++i)
        player.slower();
    EXPECT_DOUBLE_EQ(player.speed(), 0.25);
    watching.tick(40); // one second
    player.advance(VORN_Clock::now());
    EXPECT_EQ(player.clock(), at + 250);

    // Skipped to, each turn starts with the log and health it had; backwards too.
    for (int t = reader.turns() - 1; t >= 0; --t) {
        player.toTurn(t);
        EXPECT_EQ(player.turn(), t);
        EXPECT_EQ(watching.healthOfAll(), starts[std::size_t(t)].health) << "turn " << t;
        EXPECT_EQ(watching.log(), starts[std::size_t(t)].log) << "turn " << t;
        EXPECT_EQ(watched->heightmapChecksum(), starts[std::size_t(t)].ground) << "turn " << t;
    }
    player.nextTurn();
    EXPECT_EQ(player.turn(), 1);
    player.previousTurn();
    EXPECT_EQ(player.turn(), 0);
}

TEST(Replay, TheFolderKeepsTheNewestFilesAndOneThatCannotBeWrittenIsToldOnce) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath("replays");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-30);
    for (int i = 0; i < ReplayRecorder::kept + 5; ++i) {
        QFile f(folder + QString("/old-%1.tvreplay").arg(i, 2, 10, QChar('0')));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.flush();
        f.setFileTime(old.addSecs(i), QFileDevice::FileModificationTime);
    }
    QFile notes(folder + "/notes.txt");
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.close();

    std::unique_ptr<Match> match = MatchDriver::newMatch();
    auto recorder = std::make_unique<ReplayRecorder>(*match, folder);
    MatchDriver driver(*match, [&] {
        match->advance(VORN_Clock::now());
        recorder->tick(VORN_Clock::now());
    });
    // A game left in its first turn is kept as one left before its end.
    driver.startRound(2, 1, 3);
    driver.ticksFor(1);
    match->reset();
    driver.tick();
    EXPECT_FALSE(recorder->recording());
    QDir kept(folder, "*.tvreplay");
    EXPECT_EQ(kept.count(), uint(ReplayRecorder::kept));
    EXPECT_TRUE(kept.exists(QFileInfo(recorder->lastFile()).fileName()));
    for (int i = 0; i < 6; ++i) // the oldest went
        EXPECT_FALSE(kept.exists(QString("old-%1.tvreplay").arg(i, 2, 10, QChar('0')))) << i;
    EXPECT_TRUE(kept.exists("old-06.tvreplay"));
    EXPECT_TRUE(QFile::exists(folder + "/notes.txt"));
    ReplayReader left;
    ASSERT_TRUE(left.open(recorder->lastFile())) << left.error().toStdString();
    EXPECT_TRUE(left.ended());
    EXPECT_FALSE(left.ending().over);
    EXPECT_EQ(left.ending().winner, -1);
    EXPECT_EQ(left.turns(), 1);

    // A folder below a file cannot be made: told once, for two games, and both play.
    recorder = std::make_unique<ReplayRecorder>(*match, notes.fileName() + "/replays");
    QSignalSpy told(recorder.get(), &ReplayRecorder::failure);
    for (unsigned seed : {4u, 5u}) {
        match->reset();
        driver.startRound(2, 1, seed);
        driver.toMoving();
        EXPECT_EQ(match->state(), Moving);
        EXPECT_FALSE(recorder->recording());
    }
    ASSERT_EQ(told.count(), 1);
    EXPECT_TRUE(told[0][0].toString().contains("wiederholung nicht geschrieben"));
    EXPECT_TRUE(recorder->failed());
}

// A replay written by the first version of the file (replay_budget 5 2 DIR 2 1 schwer) plays in
// this one to the end it recorded: every later version reads it.
TEST(Replay, TheFirstVersionsReplayPlaysToItsRecordedWinner) {
    const QString path = QString::fromLocal8Bit(qgetenv("TV_SOURCE_DIR")) +
                         "/tests/game/hosting/data/replay-version-1.tvreplay";
    ReplayReader reader;
    ASSERT_TRUE(reader.open(path)) << reader.error().toStdString();
    ASSERT_TRUE(reader.ended());
    ASSERT_TRUE(reader.ending().over);
    ASSERT_GE(reader.ending().winner, 0);
    EXPECT_EQ(reader.header().players.size(), 2);

    std::unique_ptr<Match> watched = MatchDriver::newMatch();
    ValleyService valleys(MatchDriver::valley());
    JoinedMatch joined(*watched, valleys);
    MatchDriver watching(*watched, [] {});
    ReplayPlayer player(joined, reader);
    QSignalSpy over(watched.get(), &Match::gameOver);
    player.start(VORN_Clock::now());
    ASSERT_TRUE(watching.tickUntil(
        [&] {
            player.advance(VORN_Clock::now());
            return player.atEnd();
        },
        20000));
    EXPECT_EQ(player.error(), "");
    EXPECT_EQ(over.count(), 1); // the end screen
    EXPECT_EQ(watched->state(), GameOver);
    EXPECT_EQ(watched->alivePlayers(), QList<int>{reader.ending().winner});
    EXPECT_EQ(player.turns(), int(reader.ending().turns));
}
