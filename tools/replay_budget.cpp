// Measures what a replay costs: plays seeded games of 4 players with 4 tortoises each, computers
// on every seat and one state recorded every 25 ms tick of the game clock (as a game with people
// at the keyboard is recorded), until one game has run the minutes asked for or ended. Prints the
// file's size, the game's length and turns, the size a 20-minute game comes to at that rate, and
// the time to open the file and to skip to its last turn. No window is needed.
// Usage (from build/bin): replay_budget [minutes, default 20] [seed, default 1] [folder, default a
// temporary one] [players, default 4] [figures, default 4] [level: leicht (default), mittel,
// schwer]. With a folder the file stays there (the tests' replay was written so).
#include "engine/scene/VORN_Clock.h"
#include "game/files/ReplayReader.h"
#include "game/hosting/JoinedMatch.h"
#include "game/hosting/ReplayPlayer.h"
#include "game/hosting/ReplayRecorder.h"
#include "game/hosting/ValleyService.h"
#include "game/match/Match.h"
#include "tools/driver/MatchDriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

using VORN_LIB::VORN_Clock;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int minutes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const unsigned seed = argc > 2 ? unsigned(std::atoi(argv[2])) : 1;
    QTemporaryDir temporary;
    const QString folder = argc > 3 ? QString::fromLocal8Bit(argv[3]) : temporary.path();
    const int players = argc > 4 ? std::clamp(std::atoi(argv[4]), 2, 9) : 4;
    const int figures = argc > 5 ? std::clamp(std::atoi(argv[5]), 1, 9) : 4;
    const QString level = argc > 6 ? QString::fromLocal8Bit(argv[6]) : QString("leicht");

    std::unique_ptr<Match> match = MatchDriver::newMatch();
    ReplayRecorder recorder(*match, folder);
    // Every tick of the game clock is recorded: the match's own ticks, never four at once.
    MatchDriver driver(*match, [&] {
        match->tick(VORN_Clock::now());
        recorder.tick(VORN_Clock::now());
    });
    match->computersPlayEverySeat();
    match->setComputerLevel(level == "schwer"   ? ComputerLevel::Hard
                            : level == "mittel" ? ComputerLevel::Medium
                                                : ComputerLevel::Easy);
    driver.startRound(players, figures, seed);
    const VORN_Clock::Ticks start = VORN_Clock::now();
    const VORN_Clock::Ticks limit = start + VORN_Clock::Ticks(minutes) * 60000;
    while (match->state() != GameOver && VORN_Clock::now() < limit)
        driver.tick();
    const bool over = match->state() == GameOver;
    driver.ticksFor(2);
    const QString path = recorder.lastFile();
    match->reset();
    driver.tick(); // a game not over is written as left
    if (path.isEmpty() || recorder.failed()) {
        std::fprintf(stderr, "replay_budget: no replay written\n");
        return 1;
    }

    QElapsedTimer timer;
    timer.start();
    ReplayReader reader;
    if (!reader.open(path)) {
        std::fprintf(stderr, "replay_budget: %s\n", qPrintable(reader.error()));
        return 1;
    }
    const double openMs = double(timer.nsecsElapsed()) / 1e6;
    std::unique_ptr<Match> watched = MatchDriver::newMatch();
    ValleyService valleys(MatchDriver::valley());
    JoinedMatch joined(*watched, valleys);
    ReplayPlayer player(joined, reader);
    player.start(VORN_Clock::now());
    timer.restart();
    player.toTurn(reader.turns() - 1);
    const double skipMs = double(timer.nsecsElapsed()) / 1e6;

    const qint64 bytes = QFileInfo(path).size();
    const double playedMinutes = double(reader.lastTime() - reader.firstTime()) / 60000.0;
    std::printf("%d players x %d tortoises, seed %u: %.1f minutes of game clock, %d turns, %s\n",
                players, figures, seed, playedMinutes, reader.turns(),
                over ? "played to its end" : "cut off");
    std::printf("replay %lld bytes (%.0f bytes a minute; 20 minutes: %.2f MB of the 2 MB budget)\n",
                static_cast<long long>(bytes), double(bytes) / playedMinutes,
                double(bytes) / playedMinutes * 20 / 1e6);
    std::printf("open and check: %.1f ms; skip to the last turn: %.1f ms\n", openMs, skipMs);
    return 0;
}
