// Whole rounds played through the keyboard: from the main menu through countdown, driving, aiming,
// the flight and the explosion to the next player; a round to the winner screen and one that ends
// in a draw. Times are driven by hand in 25 ms ticks; world units, y up.
#include "tests/support/GameDriver.h"

#include "engine/scene/VORN_Clock.h"
#include "game/rules/Rules.h"
#include "game/rules/Weapons.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <cmath>
#include <set>

using namespace GameDriver;
using VORN_LIB::VORN_Clock;
using VORN_LIB::VORN_Vector;

namespace {

class RoundScenario : public GameScenario {};

// From Moving: Return twice, so the grenade is thrown at the aim of the moment.
void prepareAndFire() {
    tap(Qt::Key_Return);
    tap(Qt::Key_Return);
}

// A line of the end panel, 40 pixels in from its left edge (the panel is as wide as its longest
// line needs), ending inside the panel.
void expectMenuLine(const QImage& image, int baseline, const QString& text) {
    const QRect panel = game().menuPlace();
    expectTextLine(image, panel.left() + 40, baseline, text, 30);
    EXPECT_LT(panel.left() + 40 + textWidth(text, 30), panel.right() - 10) << text.toStdString();
}

} // namespace

TEST_F(RoundScenario, OneTurnFromTheMenuToTheNextPlayer) {
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    tap(Qt::Key_Return);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::AskPlayers);
    tap(Qt::Key_2);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::AskFigures);
    EXPECT_EQ(g.front.players, 2);
    std::srand(5);
    tap(Qt::Key_1);
    EXPECT_EQ(g.front.figures, 1);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::AskSettings);
    tap(Qt::Key_Return);

    // The round is set up and the countdown of player 0 runs with the world frozen.
    ASSERT_EQ(g.match->state(), Countdown);
    ASSERT_EQ(g.match->playerCount(), 2u);
    EXPECT_EQ(g.match->alivePlayers(), QList<int>({0, 1}));
    EXPECT_EQ(g.match->totalHitPoints(), 200);
    EXPECT_EQ(g.match->currentPlayer(), 0);
    Tortoise* first = g.match->players()[0]->figure(0);
    Tortoise* second = g.match->players()[1]->figure(0);
    EXPECT_EQ(g.match->currentFigure(), first);
    EXPECT_EQ(g.viewport->attached, first);
    EXPECT_TRUE(g.match->frozen());
    EXPECT_TRUE(g.cameraLocked);
    for (Tortoise* f : {first, second}) {
        EXPECT_EQ(inScene(f), 1);
        EXPECT_EQ(f->health, 100);
        EXPECT_DOUBLE_EQ(f->worldPosition.y(), 5.0);
        EXPECT_LE(std::fabs(f->worldPosition.x()), 75.0);
        EXPECT_LE(std::fabs(f->worldPosition.z()), 35.0);
    }
    EXPECT_EQ(g.match->collisions().volumes.size(), 7u);
    EXPECT_EQ(g.match->gravityGroup().containers.size(), 2u);

    // Three seconds of countdown: 2, 1, 0 whole seconds shown, then the turn starts.
    const VORN_Clock::Ticks countdownStart = VORN_Clock::now();
    QList<int> shown;
    for (int i = 0; i < 200; ++i) {
        tick();
        if (g.match->state() != Countdown)
            break;
        if (shown.isEmpty() || shown.last() != g.match->secondsLeft())
            shown.append(g.match->secondsLeft());
    }
    EXPECT_EQ(shown, QList<int>({2, 1, 0}));
    ASSERT_EQ(g.match->state(), Moving);
    EXPECT_EQ(VORN_Clock::now() - countdownStart, 3025); // the first tick past three seconds
    EXPECT_EQ(g.match->secondsLeft(), 0);                // the countdown's own time, run out
    EXPECT_FALSE(g.match->frozen());
    EXPECT_FALSE(g.cameraLocked);
    tick();
    EXPECT_EQ(g.match->secondsLeft(), 59);

    // Put the two figures four units apart on open ground, player 1 straight ahead (-z).
    placeOnGround(first, 10, 0);
    placeOnGround(second, 10, -4);
    ticksFor(1);

    // Fire mode: the grenade shows half a unit above the figure, aimed straight ahead.
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Aiming);
    EXPECT_EQ(inScene(&g.match->grenade()), 1);
    const VORN_Vector above = first->worldPosition + VORN_Vector(0, 0.5, 0);
    EXPECT_NEAR(distance(g.match->grenade().worldPosition, above), 0, 1e-9);
    EXPECT_EQ(g.match->aimYaw(), 0);
    EXPECT_EQ(g.match->aimPitch(), 0);
    EXPECT_EQ(g.match->aimPower(), 1.0);

    // A 45° throw with the power for four units under gravity 0.9: sqrt(4 × 0.9) ≈ 1.9.
    hold(Qt::Key_Space, 1.5);
    hold(Qt::Key_Up, 0.45);
    EXPECT_NEAR(g.match->aimPitch(), 45, 1e-6);
    EXPECT_NEAR(g.match->aimPower(), 1.9, 1e-6);
    const std::vector<double> heightsBefore = terrainHeights();

    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Flying);
    EXPECT_EQ(g.match->impactState(), ImpactState::Flying);
    EXPECT_EQ(g.match->turnStart(), 0);
    EXPECT_TRUE(g.match->grenadeFlying());
    EXPECT_EQ(inCollisions(&g.match->grenadeSphere()), 1);
    EXPECT_EQ(g.viewport->attached, &g.match->grenade());
    const double s = std::sqrt(0.5);
    EXPECT_NEAR(distance(g.match->grenadeBody().velocity, VORN_Vector(0, 1.9 * s, -1.9 * s)), 0,
                1e-9);

    // The flight ends in a hit near the target; the same tick handles the explosion.
    ASSERT_TRUE(tickUntil([&] { return g.match->impactState() != ImpactState::Flying; }, 400));
    EXPECT_EQ(g.match->impactState(), ImpactState::Exploded);
    EXPECT_EQ(g.match->state(), Flying);
    const VORN_Vector blast = g.match->grenade().worldPosition;
    EXPECT_EQ(inScene(&g.match->grenade()), 0);
    EXPECT_FALSE(g.match->grenadeFlying());
    EXPECT_EQ(inCollisions(&g.match->grenadeSphere()), 0);
    EXPECT_EQ(g.viewport->attached, nullptr);

    // Damage by distance: the target loses most of its hit points, the thrower none.
    const double hitDistance = distance(second->worldPosition, blast);
    EXPECT_LT(hitDistance, 1.0);
    EXPECT_EQ(second->health, 100 - Weapons::damage(Weapon::Grenade, hitDistance));
    EXPECT_LT(second->health, 50);
    EXPECT_EQ(first->health, 100);
    EXPECT_GT(distance(first->worldPosition, blast), 3.0);
    EXPECT_EQ(g.match->players()[1]->totalHealth, second->health);
    EXPECT_EQ(g.match->totalHitPoints(), 100 + second->health);
    EXPECT_EQ(log(), QStringList({"", "", "", "", "", "Willkommen"}));

    // The crater: the ground changed only within its radius around the blast, and went down.
    const std::vector<double> heightsAfter = terrainHeights();
    const VORN_LIB::VORN_Landscape& land = g.match->landscape();
    const double cell = land.sizeX / (land.columns - 1);
    int lowered = 0;
    for (std::uint32_t r = 0; r < land.rows; ++r) {
        for (std::uint32_t c = 0; c < land.columns; ++c) {
            const std::size_t i = std::size_t(r) * land.columns + c;
            if (heightsAfter[i] == heightsBefore[i])
                continue;
            EXPECT_LE(horizontalDistance(gridPoint(r, c), blast), 3.0 + cell)
                << "grid point " << r << "/" << c << " changed far from the blast";
            EXPECT_LT(heightsAfter[i], heightsBefore[i]) << "grid point " << r << "/" << c;
            ++lowered;
        }
    }
    EXPECT_GT(lowered, 4);
    EXPECT_LT(ground(blast.x(), blast.z()).y(), blast.y() - 0.5);

    // Five seconds after the blast the turn passes to player 1, and not a tick earlier.
    const VORN_Clock::Ticks blastTime = VORN_Clock::now();
    ASSERT_TRUE(tickUntil([&] { return g.match->state() != Flying; }, 400));
    EXPECT_EQ(VORN_Clock::now() - blastTime, 5025);
    EXPECT_EQ(g.match->state(), Countdown);
    EXPECT_EQ(g.match->currentPlayer(), 1);
    EXPECT_EQ(g.match->currentFigure(), second);
    EXPECT_EQ(g.viewport->attached, second);
    EXPECT_TRUE(g.match->frozen());
    EXPECT_EQ(g.match->secondsLeft(),
              3); // the new countdown's, not the seconds left of the last aim
    tick();
    EXPECT_EQ(g.match->secondsLeft(), 2);
}

TEST_F(RoundScenario, TwoDirectHitsWinTheRound) {
    startRound(2, 1, 9);
    toMoving();
    Tortoise* target = g.match->players()[1]->figure(0);
    ticksFor(4); // both figures reach the ground

    // Player 0 hits the figure of player 1 dead centre: 75 of its 100 hit points.
    prepareAndFire();
    explodeAt(target->worldPosition);
    EXPECT_EQ(target->health, 25);
    EXPECT_EQ(g.match->players()[1]->totalHealth, 25);
    EXPECT_EQ(g.match->totalHitPoints(), 125);
    EXPECT_EQ(g.match->alivePlayers(), QList<int>({0, 1}));
    EXPECT_EQ(g.match->messages()[5].shown(), QString("Willkommen"));

    ASSERT_TRUE(tickUntil([&] { return g.match->state() == Countdown; }, 400));
    ASSERT_EQ(g.match->currentPlayer(), 1);
    toMoving();
    ticksFor(2); // the figure settles into the crater

    // Player 1 hits its own figure the same way: more than its 25 hit points, so it is gone, and
    // with it the player.
    prepareAndFire();
    explodeAt(target->worldPosition);
    EXPECT_EQ(g.match->players()[1], nullptr);
    EXPECT_EQ(g.match->alivePlayers(), QList<int>({0}));
    EXPECT_EQ(g.match->totalHitPoints(), 100);
    EXPECT_EQ(g.match->currentFigure(), nullptr);
    EXPECT_EQ(g.match->scene().children.size(), 5 + 1); // lamps, terrain, the last figure
    EXPECT_EQ(g.match->collisions().volumes.size(), 6u);
    EXPECT_EQ(g.match->gravityGroup().containers.size(), 1u);
    EXPECT_EQ(log().mid(2),
              QStringList({"spieler 1", "meldet verluste", "spieler 1", "wird vermisst"}));

    // The next tick ends the round; the world keeps settling behind the end screen.
    EXPECT_EQ(g.match->state(), Flying);
    tick();
    EXPECT_EQ(g.match->state(), GameOver);
    EXPECT_FALSE(g.match->frozen());
    const QImage image = frame();
    const int cy = image.height() / 2;
    expectMenuLine(image, cy - 120, "spieler 0");
    expectMenuLine(image, cy - 40, "gewinnt");
    expectMenuLine(image, cy + 80, "return:");
    expectMenuLine(image, cy + 120, "zum hauptmenue");

    // Only Return leaves the end screen; then nothing of the round is left.
    tap(Qt::Key_Escape);
    tap(Qt::Key_2);
    tick(3);
    EXPECT_EQ(g.match->state(), GameOver);
    tap(Qt::Key_Return);
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    EXPECT_TRUE(g.match->players().empty());
    EXPECT_EQ(g.match->playerCount(), 0u);
    EXPECT_TRUE(g.match->alivePlayers().isEmpty());
    EXPECT_EQ(g.match->currentPlayer(), -1);
    EXPECT_EQ(g.match->totalHitPoints(), 0);
    EXPECT_EQ(g.match->scene().children.size(), 5);
    EXPECT_EQ(g.match->collisions().volumes.size(), 5u);
    EXPECT_TRUE(g.match->gravityGroup().containers.empty());
    EXPECT_EQ(log(), QStringList({"", "", "", "", "", "Willkommen"}));
    tick(3);
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
}

TEST_F(RoundScenario, LastFiguresBlownUpTogetherIsADraw) {
    startRound(2, 1, 21);
    toMoving();
    Tortoise* a = g.match->players()[0]->figure(0);
    Tortoise* b = g.match->players()[1]->figure(0);
    placeOnGround(a, -10, 5);
    placeOnGround(b, -9.4, 5);
    ticksFor(1);

    // A blast between the two takes the same from both.
    prepareAndFire();
    explodeAt((a->worldPosition + b->worldPosition) * 0.5);
    EXPECT_GT(a->health, 0);
    EXPECT_GT(b->health, 0);
    EXPECT_LT(a->health, 50);
    EXPECT_LT(b->health, 50);
    EXPECT_EQ(g.match->totalHitPoints(), a->health + b->health);

    ASSERT_TRUE(tickUntil([&] { return g.match->state() == Countdown; }, 400));
    toMoving();
    ticksFor(2);

    // The second blast finishes both: player 0's losses are counted first.
    const VORN_Vector middle = (a->worldPosition + b->worldPosition) * 0.5;
    ASSERT_GT(Weapons::damage(Weapon::Grenade, distance(a->worldPosition, middle)), a->health);
    ASSERT_GT(Weapons::damage(Weapon::Grenade, distance(b->worldPosition, middle)), b->health);
    prepareAndFire();
    explodeAt(middle);
    EXPECT_TRUE(g.match->alivePlayers().isEmpty());
    EXPECT_EQ(g.match->players()[0], nullptr);
    EXPECT_EQ(g.match->players()[1], nullptr);
    EXPECT_EQ(g.match->totalHitPoints(), 0);
    EXPECT_EQ(log(), QStringList({"spieler 0", "wird vermisst", "spieler 1", "meldet verluste",
                                  "spieler 1", "wird vermisst"}));
    EXPECT_EQ(g.match->scene().children.size(), 5);

    // Nobody is left to take a turn: asking for one ends the round instead of searching forever.
    g.match->nextTurn();
    EXPECT_EQ(g.match->state(), GameOver);
    EXPECT_EQ(g.match->currentFigure(), nullptr);
    EXPECT_EQ(g.viewport->attached, nullptr);

    tick();
    EXPECT_EQ(g.match->state(), GameOver);
    ticksFor(1.5); // the blast's flash and sparks are over: only the panel's text is white
    const QImage image = frame();
    const int cy = image.height() / 2;
    expectMenuLine(image, cy - 120, "unentschieden");
    expectMenuLine(image, cy - 40, "alle weg");
    expectMenuLine(image, cy + 120, "zum hauptmenue");

    tap(Qt::Key_Return);
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    EXPECT_TRUE(g.match->players().empty());
}
