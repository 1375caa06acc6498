// Whole rounds on a match with no window: countdown, driving, aiming, the flight and the explosion
// to the next player; a round to its winner and one that ends in a draw, and the reset after.
// Times are driven by hand in 25 ms ticks; world units, y up.
#include "tests/support/MatchScenario.h"

#include "engine/scene/VORN_Clock.h"
#include "game/rules/Rules.h"
#include "game/rules/Weapons.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <QSignalSpy>
#include <cmath>
#include <functional>

using VORN_LIB::VORN_Clock;
using VORN_LIB::VORN_Vector;

namespace {

double distance(const VORN_Vector& a, const VORN_Vector& b) {
    return std::sqrt((a - b).lengthSquared());
}

class MatchRound : public MatchScenario {};

} // namespace

TEST_F(MatchRound, OneTurnFromTheCountdownToTheNextPlayer) {
    driver.startRound(2, 1, 5);

    // The round is set up and the countdown of player 0 runs with the world frozen.
    ASSERT_EQ(match->state(), Countdown);
    ASSERT_EQ(match->playerCount(), 2u);
    EXPECT_EQ(match->alivePlayers(), QList<int>({0, 1}));
    EXPECT_EQ(match->totalHitPoints(), 200);
    EXPECT_EQ(match->currentPlayer(), 0);
    Tortoise* first = match->players()[0]->figure(0);
    Tortoise* second = match->players()[1]->figure(0);
    EXPECT_EQ(match->currentFigure(), first);
    EXPECT_TRUE(match->frozen());
    for (Tortoise* f : {first, second}) {
        EXPECT_EQ(inScene(f), 1);
        EXPECT_EQ(f->health, 100);
        EXPECT_DOUBLE_EQ(f->worldPosition.y(), 5.0);
        EXPECT_LE(std::fabs(f->worldPosition.x()), 75.0);
        EXPECT_LE(std::fabs(f->worldPosition.z()), 35.0);
    }
    EXPECT_EQ(match->collisions().volumes.size(), 7u);
    EXPECT_EQ(match->gravityGroup().containers.size(), 2u);

    // Three seconds of countdown: 2, 1, 0 whole seconds shown, then the turn starts.
    const VORN_Clock::Ticks countdownStart = VORN_Clock::now();
    QList<int> shown;
    for (int i = 0; i < 200; ++i) {
        driver.tick();
        if (match->state() != Countdown)
            break;
        if (shown.isEmpty() || shown.last() != match->secondsLeft())
            shown.append(match->secondsLeft());
    }
    EXPECT_EQ(shown, QList<int>({2, 1, 0}));
    ASSERT_EQ(match->state(), Moving);
    EXPECT_EQ(VORN_Clock::now() - countdownStart, 3025); // the first tick past three seconds
    EXPECT_EQ(match->secondsLeft(), 0);                  // the countdown's own time, run out
    EXPECT_FALSE(match->frozen());
    driver.tick();
    EXPECT_EQ(match->secondsLeft(), 59);

    // Put the two figures four units apart on open ground, player 1 straight ahead (-z).
    driver.placeOnGround(first, 10, 0);
    driver.placeOnGround(second, 10, -4);
    driver.ticksFor(1);

    // Fire mode: the grenade shows half a unit above the figure, aimed straight ahead.
    step();
    ASSERT_EQ(match->state(), Aiming);
    EXPECT_EQ(inScene(&match->grenade()), 1);
    const VORN_Vector above = first->worldPosition + VORN_Vector(0, 0.5, 0);
    EXPECT_NEAR(distance(match->grenade().worldPosition, above), 0, 1e-9);
    EXPECT_EQ(match->aimYaw(), 0);
    EXPECT_EQ(match->aimPitch(), 0);
    EXPECT_EQ(match->aimPower(), 1.0);

    // A 45° throw with the power for four units under gravity 0.9: sqrt(4 × 0.9) ≈ 1.9.
    hold(&TurnCommand::raiseRate, Rules::aimSpeed, 1.5);
    hold(&TurnCommand::driveRate, Rules::moveSpeed, 0.45);
    EXPECT_NEAR(match->aimPitch(), 45, 1e-6);
    EXPECT_NEAR(match->aimPower(), 1.9, 1e-6);
    const std::vector<double> heightsBefore = heights();

    step();
    ASSERT_EQ(match->state(), Flying);
    EXPECT_EQ(match->impactState(), ImpactState::Flying);
    EXPECT_EQ(match->turnStart(), 0);
    EXPECT_TRUE(match->grenadeFlying());
    EXPECT_EQ(inCollisions(&match->grenadeSphere()), 1);
    const double s = std::sqrt(0.5);
    EXPECT_NEAR(distance(match->grenadeBody().velocity, VORN_Vector(0, 1.9 * s, -1.9 * s)), 0,
                1e-9);

    // The flight ends in a hit near the target; the same tick handles the explosion.
    ASSERT_TRUE(driver.tickUntil([&] { return match->impactState() != ImpactState::Flying; }, 400));
    EXPECT_EQ(match->impactState(), ImpactState::Exploded);
    EXPECT_EQ(match->state(), Flying);
    const VORN_Vector blast = match->grenade().worldPosition;
    EXPECT_EQ(inScene(&match->grenade()), 0);
    EXPECT_FALSE(match->grenadeFlying());
    EXPECT_EQ(inCollisions(&match->grenadeSphere()), 0);

    // Damage by distance: the target loses most of its hit points, the thrower none.
    const double hitDistance = distance(second->worldPosition, blast);
    EXPECT_LT(hitDistance, 1.0);
    EXPECT_EQ(second->health, 100 - Weapons::damage(Weapon::Grenade, hitDistance));
    EXPECT_LT(second->health, 50);
    EXPECT_EQ(first->health, 100);
    EXPECT_GT(distance(first->worldPosition, blast), 3.0);
    EXPECT_EQ(match->players()[1]->totalHealth, second->health);
    EXPECT_EQ(match->totalHitPoints(), 100 + second->health);
    EXPECT_EQ(driver.log(),
              QStringList({"", "", "", "", "Willkommen",
                           QString("spieler 0 trifft spieler 1: -%1").arg(100 - second->health)}));

    // The crater: the ground changed only within its radius around the blast, and went down.
    const std::vector<double> heightsAfter = heights();
    const VORN_LIB::VORN_Landscape& land = match->landscape();
    const double cell = land.sizeX / (land.columns - 1);
    int lowered = 0;
    for (std::uint32_t r = 0; r < land.rows; ++r) {
        for (std::uint32_t c = 0; c < land.columns; ++c) {
            const std::size_t i = std::size_t(r) * land.columns + c;
            if (heightsAfter[i] == heightsBefore[i])
                continue;
            const VORN_Vector at = gridPoint(r, c);
            const double across = std::hypot(at.x() - blast.x(), at.z() - blast.z());
            EXPECT_LE(across, 3.0 + cell)
                << "grid point " << r << "/" << c << " changed far from the blast";
            EXPECT_LT(heightsAfter[i], heightsBefore[i]) << "grid point " << r << "/" << c;
            ++lowered;
        }
    }
    EXPECT_GT(lowered, 4);
    EXPECT_LT(driver.ground(blast.x(), blast.z()).y(), blast.y() - 0.5);

    // Five seconds after the blast the turn passes to player 1, and not a tick earlier.
    const VORN_Clock::Ticks blastTime = VORN_Clock::now();
    ASSERT_TRUE(driver.tickUntil([&] { return match->state() != Flying; }, 400));
    EXPECT_EQ(VORN_Clock::now() - blastTime, 5025);
    EXPECT_EQ(match->state(), Countdown);
    EXPECT_EQ(match->currentPlayer(), 1);
    EXPECT_EQ(match->currentFigure(), second);
    EXPECT_TRUE(match->frozen());
    EXPECT_EQ(match->secondsLeft(), 3); // the new countdown's, not the seconds left of the last aim
    driver.tick();
    EXPECT_EQ(match->secondsLeft(), 2);
}

TEST_F(MatchRound, TwoDirectHitsWinTheRoundAndAResetLeavesNothingOfIt) {
    driver.startRound(2, 1, 9);
    driver.toMoving();
    Tortoise* target = match->players()[1]->figure(0);
    driver.ticksFor(4); // both figures reach the ground

    // Player 0 hits the figure of player 1 dead centre: 75 of its 100 hit points.
    prepareAndFire();
    driver.explodeAt(target->worldPosition);
    EXPECT_EQ(target->health, 25);
    EXPECT_EQ(match->players()[1]->totalHealth, 25);
    EXPECT_EQ(match->totalHitPoints(), 125);
    EXPECT_EQ(match->alivePlayers(), QList<int>({0, 1}));
    EXPECT_EQ(match->messages()[5].shown(), QString("spieler 0 trifft spieler 1: -75"));

    ASSERT_TRUE(driver.tickUntil([&] { return match->state() == Countdown; }, 400));
    ASSERT_EQ(match->currentPlayer(), 1);
    driver.toMoving();
    driver.ticksFor(2); // the figure settles into the crater

    // Player 1 hits its own figure the same way: more than its 25 hit points, so it is gone, and
    // with it the player.
    prepareAndFire();
    driver.explodeAt(target->worldPosition);
    EXPECT_EQ(match->players()[1], nullptr);
    EXPECT_EQ(match->alivePlayers(), QList<int>({0}));
    EXPECT_EQ(match->totalHitPoints(), 100);
    EXPECT_EQ(match->currentFigure(), nullptr);
    EXPECT_EQ(match->scene().children.size(), 1 + 1); // the valley and the last figure
    EXPECT_EQ(match->collisions().volumes.size(), 6u);
    EXPECT_EQ(match->gravityGroup().containers.size(), 1u);
    EXPECT_EQ(driver.log().mid(2),
              QStringList({"spieler 1", "meldet verluste", "spieler 1", "wird vermisst"}));

    // The next tick ends the round; the world keeps settling behind the end screen.
    EXPECT_EQ(match->state(), Flying);
    driver.tick();
    EXPECT_EQ(match->state(), GameOver);
    EXPECT_FALSE(match->frozen());
    driver.tick(3);
    EXPECT_EQ(match->state(), GameOver);

    // Ending the game leaves nothing of the round.
    match->reset();
    EXPECT_EQ(match->state(), NoGame);
    EXPECT_TRUE(match->players().empty());
    EXPECT_EQ(match->playerCount(), 0u);
    EXPECT_TRUE(match->alivePlayers().isEmpty());
    EXPECT_EQ(match->currentPlayer(), -1);
    EXPECT_EQ(match->totalHitPoints(), 0);
    EXPECT_EQ(match->scene().children.size(), 1);
    EXPECT_EQ(match->collisions().volumes.size(), 5u);
    EXPECT_TRUE(match->gravityGroup().containers.empty());
    EXPECT_EQ(driver.log(), QStringList({"", "", "", "", "", "Willkommen"}));
    driver.tick(3);
    EXPECT_EQ(match->state(), NoGame);
}

TEST_F(MatchRound, LastFiguresBlownUpTogetherIsADraw) {
    driver.startRound(2, 1, 21);
    driver.toMoving();
    Tortoise* a = match->players()[0]->figure(0);
    Tortoise* b = match->players()[1]->figure(0);
    driver.placeOnGround(a, -10, 5);
    driver.placeOnGround(b, -9.4, 5);
    driver.ticksFor(1);

    // A blast between the two takes the same from both.
    prepareAndFire();
    driver.explodeAt((a->worldPosition + b->worldPosition) * 0.5);
    EXPECT_GT(a->health, 0);
    EXPECT_GT(b->health, 0);
    EXPECT_LT(a->health, 50);
    EXPECT_LT(b->health, 50);
    EXPECT_EQ(match->totalHitPoints(), a->health + b->health);

    ASSERT_TRUE(driver.tickUntil([&] { return match->state() == Countdown; }, 400));
    driver.toMoving();
    driver.ticksFor(2);

    // The second blast finishes both: player 0's losses are counted first.
    const VORN_Vector middle = (a->worldPosition + b->worldPosition) * 0.5;
    ASSERT_GT(Weapons::damage(Weapon::Grenade, distance(a->worldPosition, middle)), a->health);
    ASSERT_GT(Weapons::damage(Weapon::Grenade, distance(b->worldPosition, middle)), b->health);
    prepareAndFire();
    driver.explodeAt(middle);
    EXPECT_TRUE(match->alivePlayers().isEmpty());
    EXPECT_EQ(match->players()[0], nullptr);
    EXPECT_EQ(match->players()[1], nullptr);
    EXPECT_EQ(match->totalHitPoints(), 0);
    EXPECT_EQ(driver.log(), QStringList({"spieler 0", "wird vermisst", "spieler 1",
                                         "meldet verluste", "spieler 1", "wird vermisst"}));
    EXPECT_EQ(match->scene().children.size(), 1);

    // Nobody is left to take a turn: asking for one ends the round instead of searching forever.
    QSignalSpy over(match.get(), &Match::gameOver);
    match->nextTurn();
    EXPECT_EQ(match->state(), GameOver);
    EXPECT_EQ(match->currentFigure(), nullptr);
    ASSERT_EQ(over.count(), 1);
    EXPECT_FALSE(over.first().first().toBool()) << "no winner";
    driver.tick();
    EXPECT_EQ(match->state(), GameOver);
}

// A pause stops every clock of the match: the countdown, the flight, the computer's turn and its
// time; going on resumes each where it stood, by the game clock, however long it stood.
TEST_F(MatchRound, APauseStopsEveryClockAndTheComputerAndGoingOnResumesWhereItStood) {
    match->setComputerLevel(ComputerLevel::Medium); // spieler 1 is the computer's
    driver.startRound(2, 1, 31);
    const VORN_Clock::Ticks countdownStart = match->clockNow();
    const auto standsFor = [&](double seconds, const std::function<void()>& unchanged) {
        match->pause(true);
        const VORN_Clock::Ticks clock = match->clockNow();
        const GameState state = match->state();
        const int left = match->secondsLeft();
        driver.ticksFor(seconds);
        EXPECT_EQ(match->clockNow(), clock);
        EXPECT_EQ(match->state(), state);
        EXPECT_EQ(match->secondsLeft(), left);
        unchanged();
        match->pause(false);
        EXPECT_EQ(match->clockNow(), clock);
    };

    // The countdown stands a minute and still ends three seconds of game clock after it began.
    driver.ticksFor(1);
    standsFor(60, [] {});
    driver.toMoving();
    EXPECT_EQ(match->clockNow() - countdownStart, 3025);

    // Driving: no figure moves, no key's step is taken, the time to drive stands.
    Tortoise* person = match->currentFigure();
    driver.ticksFor(1);
    TurnCommand forward;
    forward.driveRate = -Rules::moveSpeed;
    match->apply(forward);
    const VORN_Vector stood = person->worldPosition;
    standsFor(30, [&] {
        step();
        EXPECT_EQ(match->state(), Moving);
        EXPECT_EQ(distance(person->worldPosition, stood), 0);
        EXPECT_EQ(match->driveRate(), -Rules::moveSpeed) << "a held key stays held";
    });
    driver.ticksFor(0.5);
    const VORN_Vector moved = person->worldPosition - stood;
    EXPECT_GT(std::hypot(moved.x(), moved.z()), Rules::moveSpeed * 0.5 * 0.8) << "drives on";

    // The flight stands in the air and flies on from there at the speed it had.
    match->apply(TurnCommand());
    step();
    driver.aim(0, 45, 3);
    step();
    driver.tick(10);
    ASSERT_EQ(match->state(), Flying);
    const VORN_Vector flying = match->grenade().worldPosition;
    const VORN_Vector speed = match->grenadeBody().velocity;
    standsFor(20, [&] {
        EXPECT_EQ(distance(match->grenade().worldPosition, flying), 0);
        EXPECT_EQ(distance(match->grenadeBody().velocity, speed), 0);
    });
    driver.tick();
    EXPECT_NEAR(distance(match->grenade().worldPosition, flying),
                std::sqrt(speed.lengthSquared()) * 0.025, 0.05);

    // The computer's turn: in the middle of its aim it neither aims on nor throws, and once it
    // goes on it throws within its own time as ever.
    ASSERT_TRUE(driver.tickUntil([&] { return match->state() == Countdown; }, 1000));
    driver.toMoving();
    ASSERT_TRUE(match->computerOnTurn());
    ASSERT_TRUE(driver.tickUntil(
        [&] { return match->state() == Aiming && match->heldRates() != TurnCommand(); }, 480));
    const VORN_Clock::Ticks turnStart = match->turnStart();
    const double yaw = match->aimYaw(), pitch = match->aimPitch(), power = match->aimPower();
    standsFor(120, [&] {
        EXPECT_EQ(match->aimYaw(), yaw);
        EXPECT_EQ(match->aimPitch(), pitch);
        EXPECT_EQ(match->aimPower(), power);
    });
    ASSERT_TRUE(driver.tickUntil([&] { return match->state() == Flying; }, 480));
    EXPECT_LE(match->clockNow() - turnStart, 12000);
    EXPECT_EQ(driver.log().count("zeit abgelaufen"), 0);
}
