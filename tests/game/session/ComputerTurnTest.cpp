// A computer opponent's turn as the person at the keyboard sees it: the same countdown, fire
// mode, an aim that moves at the rates of held keys, a throw within 12 seconds, the explosion
// and the next turn; meanwhile only Escape reaches the game. Times are driven by hand in 25 ms
// ticks; angles in degrees, world units, y up.
#include "tests/support/GameDriver.h"

#include "engine/scene/VORN_Clock.h"
#include "game/rules/Rules.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <cmath>

using namespace GameDriver;
using VORN_LIB::VORN_Clock;
using VORN_LIB::VORN_Vector;

namespace {

class ComputerScenario : public GameScenario {};

// A person's throw at 45 degrees and power 3, about ten units ahead.
void personThrows() {
    toMoving();
    tap(Qt::Key_Return);
    hold(Qt::Key_Space, 1.5);
    hold(Qt::Key_Up, 1.0);
    tap(Qt::Key_Return);
}

// The keys a person would press during the computer's turn, pressed and released again.
const int otherKeys[] = {Qt::Key_Return, Qt::Key_Left,  Qt::Key_Right,  Qt::Key_Up,
                         Qt::Key_Down,   Qt::Key_Space, Qt::Key_Control};

} // namespace

TEST_F(ComputerScenario, ComputerPlaysItsTurnWithTheKeysRatesAndOnlyEscapeReachesIt) {
    for (int i = 0; i < 3; ++i)
        tap(Qt::Key_C);
    ASSERT_EQ(g.match->computer().level, ComputerLevel::Hard);
    startRound(2, 1, 7);

    // Spieler 0 sits at the keyboard: the keys work as ever.
    toMoving();
    EXPECT_FALSE(g.match->computerOnTurn());
    press(Qt::Key_Left);
    EXPECT_EQ(g.match->yawRate(), 120);
    release(Qt::Key_Left);
    personThrows();
    ASSERT_EQ(g.match->state(), Flying);
    ASSERT_TRUE(tickUntil([&] { return g.match->state() == Countdown; }, 1000));

    // Spieler 1 is the computer: the same three-second countdown.
    ASSERT_EQ(g.match->currentPlayer(), 1);
    EXPECT_TRUE(g.match->computerOnTurn());
    const VORN_Clock::Ticks countdownStart = VORN_Clock::now();
    toMoving();
    EXPECT_EQ(VORN_Clock::now() - countdownStart, 3025);
    const VORN_Clock::Ticks turnStart = VORN_Clock::now();
    Tortoise* figure = g.match->currentFigure();
    const Tortoise* enemy = g.match->players()[0]->figure(0);
    const int ownHealth = figure->health;

    // While it thinks, no key changes anything.
    for (int key : otherKeys)
        press(key);
    EXPECT_EQ(g.match->state(), Moving);
    EXPECT_EQ(g.match->yawRate(), 0);
    EXPECT_EQ(g.match->driveRate(), 0);
    EXPECT_EQ(g.match->raiseRate(), 0);
    for (int key : otherKeys)
        release(key);

    // Fire mode: the key panel says so, and the aim moves no faster than held keys move it.
    ASSERT_TRUE(tickUntil([&] { return g.match->state() != Moving; }, 480));
    ASSERT_EQ(g.match->state(), Aiming);
    EXPECT_EQ(g.match->currentFigure(), figure);
    const QImage image = frame();
    expectTextLine(image, g.hud().places().keys.left() + 20, 80, "computer zielt", 16);
    double yaw = g.match->aimYaw(), pitch = g.match->aimPitch(), power = g.match->aimPower();
    bool keysTried = false;
    while (g.match->state() == Aiming && VORN_Clock::now() - turnStart < 13000) {
        if (!keysTried && g.match->raiseRate() != 0) {
            const double rates[] = {g.match->yawRate(), g.match->raiseRate(), g.match->driveRate()};
            for (int key : otherKeys)
                tap(key);
            EXPECT_EQ(g.match->state(), Aiming) << "Return must not throw for the computer";
            EXPECT_EQ(g.match->yawRate(), rates[0]);
            EXPECT_EQ(g.match->raiseRate(), rates[1]);
            EXPECT_EQ(g.match->driveRate(), rates[2]);
            keysTried = true;
        }
        tick();
        if (g.match->state() != Aiming)
            break;
        EXPECT_LE(std::fabs(g.match->aimYaw() - yaw), 30 * 0.025 + 1e-9);
        EXPECT_LE(std::fabs(g.match->aimPitch() - pitch), 30 * 0.025 + 1e-9);
        EXPECT_LE(std::fabs(g.match->aimPower() - power), 2 * 0.025 + 1e-9);
        yaw = g.match->aimYaw(), pitch = g.match->aimPitch(), power = g.match->aimPower();
    }
    EXPECT_TRUE(keysTried) << "the aim never rose";

    // The throw, within 12 seconds of the countdown's end, at the aim it reached.
    ASSERT_EQ(g.match->state(), Flying);
    EXPECT_LE(VORN_Clock::now() - turnStart, 12000);
    const VORN_Vector enemyPlace = enemy->worldPosition;
    EXPECT_GT(pitch, 0);
    EXPECT_NE(power, 1.0);
    const VORN_Vector expected = Rules::throwDirection(yaw, pitch) * power;
    EXPECT_LT(distance(g.match->grenadeBody().velocity, expected),
              0.03); // one tick of gravity at most

    // The explosion, away from the computer's own figure, and the person's turn five seconds on.
    ASSERT_TRUE(tickUntil(
        [&] {
            return g.match->impactState() == ImpactState::Exploded || g.match->state() != Flying;
        },
        1200));
    ASSERT_EQ(g.match->impactState(), ImpactState::Exploded);
    const VORN_Clock::Ticks explosion = VORN_Clock::now();
    EXPECT_LT(distance(g.match->grenade().worldPosition, enemyPlace), 3.0)
        << "the hard computer's first throw at a resting figure";
    ASSERT_TRUE(g.match->players()[1]);
    EXPECT_EQ(figure->health, ownHealth);
    ASSERT_TRUE(tickUntil([&] { return g.match->state() != Flying; }, 400));
    EXPECT_EQ(g.match->state(), Countdown);
    EXPECT_EQ(g.match->currentPlayer(), 0);
    EXPECT_EQ(VORN_Clock::now() - explosion, 5025);
    EXPECT_FALSE(g.match->computerOnTurn());

    // Escape during the computer's next turn ends the game; the computer lets go of its keys and
    // the level stays chosen.
    personThrows();
    ASSERT_TRUE(tickUntil(
        [&] { return g.match->state() == Countdown && g.match->currentPlayer() == 1; }, 1000));
    toMoving();
    ASSERT_TRUE(
        tickUntil([&] { return g.match->state() == Aiming && g.match->raiseRate() != 0; }, 480));
    tap(Qt::Key_Escape);
    tap(Qt::Key_J);
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    EXPECT_EQ(g.match->yawRate(), 0);
    EXPECT_EQ(g.match->raiseRate(), 0);
    EXPECT_EQ(g.match->driveRate(), 0);
    EXPECT_EQ(g.match->playerCount(), 0u);
    EXPECT_EQ(g.match->computer().level, ComputerLevel::Hard);
}

// Once the person's last figure is gone the computers play on four times as fast: the panel says
// so once, the countdown and the aiming time shrink to a quarter of the ticks while each tick of
// the world is still 25 ms of game time, and Escape, which waits in flight while a person plays,
// now ends the game there too.
TEST_F(ComputerScenario, OnlyComputersLeftPlayFourTimesAsFastAndEscapeLeavesInEveryPhase) {
    tap(Qt::Key_C); // leicht
    ASSERT_EQ(g.match->computer().level, ComputerLevel::Easy);
    startRound(3, 1, 5);
    toMoving();
    EXPECT_FALSE(g.match->onlyComputersLeft());

    // Spieler 0 drives its only figure off the valley: the computers remain.
    g.match->currentFigure()->setWorldPosition(VORN_Vector(Rules::playAreaX + 1, 0, 0));
    tick();
    ASSERT_EQ(g.match->players()[0], nullptr);
    EXPECT_TRUE(g.match->onlyComputersLeft());
    tick();
    EXPECT_EQ(log().count("nur noch computer"), 1);

    // The countdown: three seconds of game time in a quarter of the ticks.
    ASSERT_EQ(g.match->state(), Countdown);
    ASSERT_EQ(g.match->currentPlayer(), 1);
    int ticks = 0;
    ASSERT_TRUE(tickUntil([&] { return ++ticks, g.match->state() == Moving; }, 200));
    EXPECT_NEAR(ticks, 3000 / 25 / 4, 2);

    // The figure's first steps in the world are each one normal tick long, four to a timer tick:
    // a figure dropping onto the valley falls as far in one timer tick as in four normal ones.
    const VORN_Clock::Ticks gameStart = g.match->clockNow();
    const VORN_Clock::Ticks realStart = VORN_Clock::now();
    tick(10);
    EXPECT_EQ(g.match->clockNow() - gameStart, 4 * (VORN_Clock::now() - realStart));

    // The computer's throw comes within 12 s of game time, 3 s of ticks; the log says it once.
    ASSERT_TRUE(tickUntil([&] { return g.match->state() == Flying; }, 12000 / 25 / 4));
    EXPECT_LE(g.match->clockNow() - gameStart, 12000);
    EXPECT_LE(log().count("nur noch computer"), 1);

    // Escape in flight, as in any phase, asks, then returns to the main menu and takes the
    // grenade along.
    tap(Qt::Key_Escape);
    tap(Qt::Key_J);
    EXPECT_EQ(g.match->state(), NoGame);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    EXPECT_EQ(inScene(&g.match->grenade()), 0);
    EXPECT_FALSE(g.match->grenadeFlying());
    EXPECT_EQ(inCollisions(&g.match->grenadeSphere()), 0);
    EXPECT_EQ(g.match->playerCount(), 0u);
    EXPECT_FALSE(g.match->onlyComputersLeft());
    EXPECT_EQ(g.match->computer().level, ComputerLevel::Easy);
}
