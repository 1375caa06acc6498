// Lets computer opponents play each other on the game's valley and measures how well each level
// throws: seeded games of 4 players with 3 tortoises each (spieler 0 a computer too), played by
// one match with driven time, 25 ms per tick, with no window: no X server is needed. Per level it
// prints the share of throws whose explosion hurts an enemy figure and the share that hurts one of
// the thrower's own, the mean number of turns per game, the games finished within the turn limit,
// the longest computer turn from the end of the countdown to the throw, and how often a figure
// drove first. Usage (from build/bin):
//   duel [throws per level, default 300] [first seed, default 1] [levels, default "leicht mittel
//   schwer"...] [--wind off|light|strong] [--weapons grenade|all]
// With every weapon it also prints how many throws took each weapon. Each level plays games with
// the seeds counting up from the first until it has thrown enough; DUEL_VERBOSE=1 also prints the
// turns and players left of every game. The game's settings options choose the valley as for the
// game: --valley random plays each seed on the random valley its draws give, --valley NUMBER or
// --valley FILE one valley for every game.
#include "engine/scene/VORN_Clock.h"
#include "engine/terrain/Bitmap.h"
#include "game/app/SettingsOptions.h"
#include "game/files/DataFileFailure.h"
#include "game/files/ValleyPicture.h"
#include "game/match/Match.h"
#include "game/world/ValleyGenerator.h"
#include "tools/driver/MatchDriver.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

using VORN_LIB::VORN_Clock;
using VORN_LIB::VORN_Vector;

namespace {

const int players = 4;
const int figures = 3;
const int turnLimit = 400;

MatchDriver* driver = nullptr;

bool hurt(const std::vector<int>& before, const std::vector<int>& after) {
    for (std::size_t j = 0; j < before.size(); ++j)
        if (before[j] >= 0 && after[j] < before[j])
            return true;
    return false;
}

struct Tally {
    int throws = 0;
    int enemyHurt = 0;
    int ownHurt = 0;
    int games = 0;
    int finished = 0;
    int draws = 0;
    long turns = 0;
    int mostTurns = 0;
    int drives = 0;
    int lostWhileDriving = 0; // turns that ended while driving
    double longestTurn = 0;
    std::array<int, Weapons::count> taken{}; // throws by weapon
};

GameSettings settings; // from the command line
Bitmap picture;        // a valley picture of one's own, read once

// Lays the valley of the settings for the game of a seed.
void layValley(unsigned seed) {
    Match& game = driver->match;
    GameSettings laid = settings;
    if (settings.valley == GameSettings::Valley::Random) {
        if (settings.valleyNumber == 0) {
            std::srand(seed);
            laid.valleyNumber = ValleyGenerator::drawNumber();
        }
        Bitmap heights;
        ValleyGenerator::heights(laid.valleyNumber, heights);
        game.setValley(heights);
    } else if (settings.valley == GameSettings::Valley::Picture) {
        game.setValley(picture);
    }
    game.setSettings(laid);
    // The standard valley stays as the games before left it, as it always did.
}

// One game from the main menu to the end screen, or to the turn limit.
void playGame(unsigned seed, Tally& tally) {
    Match* game = &driver->match;
    layValley(seed);
    driver->startRound(players, figures, seed);

    GameState before = game->state();
    VORN_Clock::Ticks countdownStart = game->turnStart();
    VORN_Clock::Ticks movingStart = 0;
    bool drove = false;
    int thrower = -1;
    std::vector<std::vector<int>> health;
    int turns = 1;
    while (game->state() != GameOver && turns <= turnLimit) {
        const ImpactState impactBefore = game->impactState();
        driver->tick();
        const GameState now = game->state();
        if (now == Countdown && (before != Countdown || game->turnStart() != countdownStart)) {
            ++turns;
            countdownStart = game->turnStart();
        }
        if (now == Moving && before != Moving) {
            movingStart = VORN_Clock::now();
            drove = false;
        }
        if (before == Moving && now == Countdown)
            ++tally.lostWhileDriving; // off the valley, or out of time
        if (now == Moving && game->driveRate() != 0)
            drove = true;
        if (now == Flying && before == Aiming) {
            ++tally.throws;
            tally.drives += drove ? 1 : 0;
            tally.longestTurn =
                std::max(tally.longestTurn, (VORN_Clock::now() - movingStart) * 0.001);
            thrower = game->currentPlayer();
            health = driver->healthOfAll();
            ++tally.taken[static_cast<std::size_t>(game->thrownWeapon())];
        }
        if (now == Flying && impactBefore != ImpactState::Exploded &&
            game->impactState() == ImpactState::Exploded) {
            const std::vector<std::vector<int>> after = driver->healthOfAll();
            bool enemy = false;
            for (std::size_t u = 0; u < after.size(); ++u)
                if (static_cast<int>(u) != thrower && hurt(health[u], after[u]))
                    enemy = true;
            tally.enemyHurt += enemy ? 1 : 0;
            tally.ownHurt += hurt(health[thrower], after[thrower]) ? 1 : 0;
        }
        before = now;
    }
    ++tally.games;
    if (std::getenv("DUEL_VERBOSE"))
        std::printf("  seed %u: %d turns, %d players left\n", seed, turns,
                    int(game->alivePlayers().size()));
    tally.turns += turns;
    tally.mostTurns = std::max(tally.mostTurns, turns);
    if (game->state() == GameOver) {
        ++tally.finished;
        tally.draws += game->alivePlayers().isEmpty() ? 1 : 0;
    }
    game->reset();
}

ComputerLevel levelNamed(const char* name) {
    if (!std::strcmp(name, "leicht"))
        return ComputerLevel::Easy;
    if (!std::strcmp(name, "mittel"))
        return ComputerLevel::Medium;
    if (!std::strcmp(name, "schwer"))
        return ComputerLevel::Hard;
    std::fprintf(stderr, "duel: unknown level %s (leicht, mittel or schwer)\n", name);
    std::exit(2);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const SettingsOptions options = SettingsOptions::parse(app.arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "duel: %s\n", qUtf8Printable(options.error));
        return 2;
    }
    settings = options.settings;
    if (settings.valley == GameSettings::Valley::Picture) {
        try {
            ValleyPicture::loadHeights(QString::fromStdString(settings.valleyPicture), picture,
                                       ValleyGenerator::columns, ValleyGenerator::rows);
        } catch (int) {
            std::fprintf(stderr, "duel: %s\n",
                         qUtf8Printable(DataFileFailure::message(Bitmap::lastFailure())));
            return 1;
        }
    }
    // The arguments that are not options (nor an option's value) in their order.
    std::vector<const char*> plain;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--", 2) == 0) {
            if (!std::strchr(argv[i], '='))
                ++i; // its value
            continue;
        }
        plain.push_back(argv[i]);
    }
    const int throwsPerLevel = plain.size() > 0 ? std::atoi(plain[0]) : 300;
    const unsigned firstSeed = plain.size() > 1 ? static_cast<unsigned>(std::atoi(plain[1])) : 1;
    std::vector<const char*> levels(plain.begin() + std::min<std::size_t>(2, plain.size()),
                                    plain.end());
    if (levels.empty())
        levels = {"leicht", "mittel", "schwer"};

    std::unique_ptr<Match> match = MatchDriver::newMatch();
    MatchDriver driven(*match);
    driver = &driven;
    Match* game = match.get();
    // Computers on every seat, and the same games for the same seeds, however busy the machine.
    game->computersPlayEverySeat();
    game->setSettings(options.settings);

    const char* winds[] = {"no", "light", "strong"};
    std::printf("%d players x %d tortoises, all computer; %d throws per level, seeds from %u; "
                "%s wind, %s\n",
                players, figures, throwsPerLevel, firstSeed,
                winds[static_cast<int>(options.settings.wind)],
                options.settings.weapons == GameSettings::Weapons::All ? "every weapon"
                                                                       : "the grenade alone");
    if (settings.valley == GameSettings::Valley::Random && settings.valleyNumber == 0)
        std::printf("each game on the random valley of its seed\n");
    else if (settings.valley == GameSettings::Valley::Random)
        std::printf("on random valley %d\n", settings.valleyNumber);
    else if (settings.valley == GameSettings::Valley::Picture)
        std::printf("on the valley %s\n", settings.valleyPicture.c_str());
    std::printf("%-7s %7s %12s %10s %6s %11s %9s %9s %12s\n", "level", "throws", "enemy hurt",
                "own hurt", "games", "turns/game", "finished", "draws", "longest turn");
    for (const char* name : levels) {
        game->setComputerLevel(levelNamed(name));
        Tally tally;
        unsigned seed = firstSeed;
        while (tally.throws < throwsPerLevel)
            playGame(seed++, tally);
        std::printf("%-7s %7d %11.1f%% %9.1f%% %6d %11.1f %5d/%-3d %9d %11.2fs\n", name,
                    tally.throws, 100.0 * tally.enemyHurt / tally.throws,
                    100.0 * tally.ownHurt / tally.throws, tally.games,
                    double(tally.turns) / tally.games, tally.finished, tally.games, tally.draws,
                    tally.longestTurn);
        std::printf("        most turns in a game %d (limit %d); drove before %d throws; turns "
                    "that ended while driving: %d\n",
                    tally.mostTurns, turnLimit, tally.drives, tally.lostWhileDriving);
        if (options.settings.weapons == GameSettings::Weapons::All) {
            std::printf("        throws by weapon:");
            for (int w = 0; w < Weapons::count; ++w)
                std::printf(" %s %d", Weapons::table[w].name, tally.taken[w]);
            std::printf("\n");
        }
        std::fflush(stdout);
    }
    return 0;
}
