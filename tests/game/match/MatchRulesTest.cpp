// The rules at their edges, on a match with no window: damage by distance, figures with no hit
// points left, figures driven off the valley, throws that leave it, and the time limits of a turn.
// Times are driven by hand in 25 ms ticks; world units, y up.
#include "tests/support/MatchScenario.h"

#include "engine/scene/VORN_Clock.h"
#include "game/rules/Rules.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <cmath>

using VORN_LIB::VORN_Clock;
using VORN_LIB::VORN_Vector;

namespace {

double distance(const VORN_Vector& a, const VORN_Vector& b) {
    return std::sqrt((a - b).lengthSquared());
}

class MatchRules : public MatchScenario {};

} // namespace

TEST_F(MatchRules, BlastDamageFallsOffOverThreeUnits) {
    driver.startRound(2, 4, 2);
    driver.toMoving();
    // Player 1's four figures hang around a point well above the ground, at known distances.
    const VORN_Vector blast = driver.ground(30, 10) + VORN_Vector(0, 4, 0);
    Player* target = match->players()[1].get();
    Tortoise* targets[4] = {target->figure(0), target->figure(1), target->figure(2),
                            target->figure(3)};
    targets[0]->setWorldPosition(blast + VORN_Vector(1.0, 0, 0));
    targets[1]->setWorldPosition(blast + VORN_Vector(0, 0, 2.5));
    targets[2]->setWorldPosition(blast + VORN_Vector(-2.9, 0, 0));
    targets[3]->setWorldPosition(blast + VORN_Vector(0, 0, -3.0));
    for (unsigned j = 0; j < 4; ++j)
        driver.placeOnGround(match->players()[0]->figure(j), -40 + 5.0 * j, -20);

    prepareAndFire();
    driver.explodeAt(blast);
    // (3 − d) × 75 / 3, truncated: 50 at 1, 12.5 → 12 at 2.5, 2.5 → 2 at 2.9, nothing at 3.
    EXPECT_EQ(targets[0]->health, 50);
    EXPECT_EQ(targets[1]->health, 88);
    EXPECT_EQ(targets[2]->health, 98);
    EXPECT_EQ(targets[3]->health, 100);
    EXPECT_EQ(match->players()[1]->totalHealth, 336);
    EXPECT_EQ(match->players()[0]->totalHealth, 400);
    EXPECT_EQ(match->totalHitPoints(), 736);
    EXPECT_EQ(match->players()[1]->alive, 4u);
    // The log sums what the blast took from the player: 50 + 12 + 2.
    EXPECT_EQ(match->messages()[5].shown(), QString("spieler 0 trifft spieler 1: -64"));
}

TEST_F(MatchRules, FiguresWithNoHitPointsLeftStayInTheGame) {
    driver.startRound(2, 1, 4);
    driver.toMoving();
    Tortoise* a = match->players()[0]->figure(0);
    Tortoise* b = match->players()[1]->figure(0);

    // One direct hit each leaves 25 hit points.
    driver.placeOnGround(a, -20, 10);
    driver.placeOnGround(b, 20, 10);
    driver.ticksFor(0.5); // settled on the slope
    prepareAndFire();
    driver.explodeAt(a->worldPosition);
    toNextMoving();
    driver.ticksFor(0.5);
    prepareAndFire();
    driver.explodeAt(b->worldPosition);
    ASSERT_EQ(a->health, 25);
    ASSERT_EQ(b->health, 25);
    ASSERT_EQ(match->totalHitPoints(), 50);

    // A blast 1.98 from both takes exactly 25 (25.5 truncated): no more than they have, so both
    // stay, with nothing left.
    toNextMoving();
    driver.placeOnGround(a, 0, 0);
    driver.placeOnGround(b, 3, 0);
    driver.ticksFor(0.5);
    const VORN_Vector pa = a->worldPosition;
    const VORN_Vector pb = b->worldPosition;
    const VORN_Vector middle = (pa + pb) * 0.5;
    const double half = distance(pa, pb) / 2;
    ASSERT_LT(half, 1.98);
    const VORN_Vector across(-(pb.z() - pa.z()), 0, pb.x() - pa.x()); // horizontal, ⟂ a→b
    const VORN_Vector blast = middle + across * (std::sqrt(1.98 * 1.98 - half * half) /
                                                 std::sqrt(across.lengthSquared()));
    ASSERT_NEAR(distance(blast, pa), 1.98, 1e-9);
    ASSERT_NEAR(distance(blast, pb), 1.98, 1e-9);
    prepareAndFire();
    driver.explodeAt(blast);
    EXPECT_EQ(a->health, 0);
    EXPECT_EQ(b->health, 0);
    EXPECT_EQ(match->totalHitPoints(), 0);
    EXPECT_EQ(match->alivePlayers(), QList<int>({0, 1}));
    EXPECT_EQ(match->players()[0]->alive, 1u);
    EXPECT_EQ(match->players()[1]->alive, 1u);
    // The third throw is player 0's again: its own figure hit, then the enemy's, in player order.
    EXPECT_EQ(match->messages()[4].shown(), QString("spieler 0 trifft sich selbst: -25"));
    EXPECT_EQ(match->messages()[5].shown(), QString("spieler 0 trifft spieler 1: -25"));

    // With no hit points anywhere the pie gives both players the same share, and the game goes on.
    EXPECT_EQ(match->strengthPieAngles(), QList<int>({0, 2880, 5760}));
    toNextMoving();
    EXPECT_EQ(match->state(), Moving);

    // Any further damage is more than nothing: the hit figure is gone, and its player with it.
    Tortoise* thrower = match->currentFigure();
    Tortoise* victim = thrower == a ? b : a;
    const int victimPlayer = thrower == a ? 1 : 0;
    driver.placeOnGround(thrower, -30, -10);
    driver.placeOnGround(victim, 30, -10);
    driver.ticksFor(0.5);
    prepareAndFire();
    driver.explodeAt(victim->worldPosition + VORN_Vector(0, 2.9, 0)); // 2 damage
    EXPECT_EQ(match->players()[victimPlayer], nullptr);
    EXPECT_EQ(match->alivePlayers(), QList<int>({1 - victimPlayer}));
    EXPECT_EQ(driver.log().mid(2),
              QStringList({"spieler " + QString::number(victimPlayer), "meldet verluste",
                           "spieler " + QString::number(victimPlayer), "wird vermisst"}));
    driver.tick();
    EXPECT_EQ(match->state(), GameOver);
}

TEST_F(MatchRules, FiguresDrivenOffTheValleyAreLost) {
    driver.startRound(2, 2, 6);
    driver.toMoving();
    Tortoise* first = match->players()[0]->figure(0);
    ASSERT_EQ(match->currentFigure(), first);
    driver.placeOnGround(first, 0, -39.5);
    driver.ticksFor(0.5);

    // Forward is -z for an unturned figure: half a unit to the edge, then it is gone at once.
    TurnCommand forward;
    forward.driveRate = -Rules::moveSpeed;
    match->apply(forward);
    ASSERT_TRUE(driver.tickUntil([&] { return match->state() != Moving; }, 80));
    EXPECT_EQ(match->state(), Countdown);
    EXPECT_EQ(match->currentPlayer(), 1);
    EXPECT_EQ(match->players()[0]->figure(0), nullptr);
    EXPECT_EQ(match->players()[0]->alive, 1u);
    EXPECT_EQ(match->players()[0]->totalHealth, 100);
    EXPECT_EQ(match->totalHitPoints(), 300);
    EXPECT_EQ(match->alivePlayers(), QList<int>({0, 1}));
    EXPECT_EQ(match->scene().children.size(), 1 + 3); // the valley and the three figures left
    EXPECT_EQ(match->collisions().volumes.size(), 5u + 3u);
    EXPECT_EQ(match->gravityGroup().containers.size(), 3u);
    EXPECT_EQ(driver.log().mid(4), QStringList({"spieler 0 ist", "suizidgefaehrdet"}));

    // Player 1 lets the 60 seconds run out: its turn starts still, though player 0's drive was
    // never let go.
    driver.toMoving();
    EXPECT_EQ(match->driveRate(), 0);
    const VORN_Clock::Ticks turnStart = match->turnStart();
    ASSERT_TRUE(driver.tickUntil([&] { return match->state() != Moving; }, 2500));
    EXPECT_EQ(VORN_Clock::now() - turnStart, 60025);
    EXPECT_EQ(match->state(), Countdown);
    EXPECT_EQ(match->currentPlayer(), 0);

    // Player 0 drives the last figure off as well: the player is out and the round over.
    Tortoise* last = match->players()[0]->figure(1);
    EXPECT_EQ(match->currentFigure(), last);
    driver.toMoving();
    driver.placeOnGround(last, 0, -39.5);
    driver.ticksFor(0.5);
    hold(&TurnCommand::driveRate, -Rules::moveSpeed, 1.0);
    EXPECT_EQ(match->players()[0], nullptr);
    EXPECT_EQ(match->alivePlayers(), QList<int>({1}));
    EXPECT_EQ(match->totalHitPoints(), 200);
    EXPECT_EQ(driver.log().mid(2),
              QStringList({"spieler 0 ist", "suizidgefaehrdet", "spieler 0", "begeht selbstmord"}));
    EXPECT_EQ(match->state(), GameOver);
}

TEST_F(MatchRules, ThrowOutOfTheValleyPassesTheTurnAtOnce) {
    driver.startRound(2, 1, 8);
    driver.toMoving();
    Tortoise* thrower = match->currentFigure();
    driver.placeOnGround(thrower, 0, -38.5);
    driver.ticksFor(0.5);
    const std::vector<double> heightsBefore = heights();
    std::vector<VORN_Vector> out;
    QObject::connect(match.get(), &Match::grenadeOut,
                     [&](const VORN_Vector& where) { out.push_back(where); });

    step();
    hold(&TurnCommand::raiseRate, Rules::aimSpeed, 1.0);  // 30° up
    hold(&TurnCommand::driveRate, Rules::moveSpeed, 1.0); // power 3
    step();
    ASSERT_EQ(match->state(), Flying);
    const VORN_Clock::Ticks launch = VORN_Clock::now();
    ASSERT_TRUE(driver.tickUntil([&] { return match->state() != Flying; }, 200));

    // Gone over the edge without touching anything: no blast, no wait, no damage, no crater.
    EXPECT_LT(VORN_Clock::now() - launch, 1000);
    EXPECT_LT(match->grenade().worldPosition.z(), -40);
    EXPECT_EQ(match->impactState(), ImpactState::Flying);
    EXPECT_EQ(match->state(), Countdown);
    EXPECT_EQ(match->currentPlayer(), 1);
    EXPECT_EQ(inScene(&match->grenade()), 0);
    EXPECT_EQ(inCollisions(&match->grenadeSphere()), 0);
    EXPECT_FALSE(match->grenadeFlying());
    EXPECT_EQ(match->totalHitPoints(), 200);
    EXPECT_EQ(thrower->health, 100);
    EXPECT_EQ(match->players()[1]->figure(0)->health, 100);
    EXPECT_TRUE(heights() == heightsBefore);
    // Said in the log, and where it crossed the edge.
    EXPECT_EQ(driver.log(), QStringList({"", "", "", "", "Willkommen", "ins aus"}));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].z(), -Rules::playAreaZ);
    EXPECT_NEAR(out[0].x(), 0, 0.5);
}

TEST_F(MatchRules, ReturnPastTheTimeToThrowDrivesOnAndAnAimOutOfTimeTakesItsGrenade) {
    driver.startRound(2, 1, 10);
    driver.toMoving();
    driver.ticksFor(46);
    ASSERT_EQ(match->state(), Moving);
    EXPECT_EQ(match->secondsLeft(), 14);
    EXPECT_EQ(match->secondsToThrow(), 0);

    // Fire mode 46 s into the turn: its time is over, so no grenade shows, the log says why (once
    // for Return pressed again) and the figure drives on until its own time runs out.
    step();
    EXPECT_EQ(match->state(), Moving);
    EXPECT_EQ(inScene(&match->grenade()), 0);
    step();
    EXPECT_EQ(driver.log().mid(4), QStringList({"Willkommen", "keine zeit mehr zum werfen"}));
    ASSERT_TRUE(driver.tickUntil([&] { return match->state() != Moving; }, 14 * 40 + 2));
    EXPECT_EQ(match->state(), Countdown);
    EXPECT_EQ(match->currentPlayer(), 1);
    // The panel counts the next player's countdown at once, not what was left of the driving.
    EXPECT_EQ(match->secondsLeft(), 3);

    // Aiming until the time to throw is over: the grenade goes with the turn, out of the scene,
    // physics and collisions.
    driver.toMoving();
    driver.ticksFor(40);
    step();
    ASSERT_EQ(match->state(), Aiming);
    EXPECT_EQ(inScene(&match->grenade()), 1);
    ASSERT_TRUE(driver.tickUntil([&] { return match->state() != Aiming; }, 5 * 40 + 2));
    EXPECT_EQ(match->state(), Countdown);
    EXPECT_EQ(match->currentPlayer(), 0);
    EXPECT_EQ(inScene(&match->grenade()), 0);
    EXPECT_FALSE(match->grenadeFlying());
    EXPECT_EQ(inCollisions(&match->grenadeSphere()), 0);
    EXPECT_EQ(driver.log().mid(4), QStringList({"zeit abgelaufen", "zeit abgelaufen"}));
}

TEST_F(MatchRules, TurnPanelCountsTheTimeOfTheCurrentPhase) {
    driver.startRound(3, 1, 12);
    driver.toMoving();
    EXPECT_EQ(match->secondsLeft(), 0); // the countdown has only just run out
    QList<int> shown;
    for (int i = 0; i < 40 * 10; ++i) {
        driver.tick();
        if (shown.isEmpty() || shown.last() != match->secondsLeft())
            shown.append(match->secondsLeft());
    }
    EXPECT_EQ(shown, QList<int>({59, 58, 57, 56, 55, 54, 53, 52, 51, 50}));

    // Fire mode counts the 45 s of aiming from the same start: 10 s are used.
    step();
    driver.tick();
    EXPECT_EQ(match->secondsLeft(), 34);

    // A throw has no timer until its blast.
    step();
    EXPECT_EQ(match->turnStart(), 0);
}

// Keys pressed in the countdown's last second act as the turn begins: Return opens fire mode at
// once, a rate held is held on, one let go again is gone; earlier in the countdown no key counts.
TEST_F(MatchRules, KeysOfTheCountdownsLastSecondActAsTheTurnBegins) {
    driver.startRound(2, 1, 14);
    TurnCommand early;
    early.driveRate = -Rules::moveSpeed;
    early.step = TurnCommand::Step::FireMode;
    driver.ticksFor(1.5);
    EXPECT_FALSE(match->countdownEnding());
    match->apply(early);
    EXPECT_EQ(match->heldRates(), TurnCommand());

    driver.ticksFor(0.6);
    ASSERT_TRUE(match->countdownEnding());
    TurnCommand turning;
    turning.yawRate = Rules::aimSpeed;
    turning.step = TurnCommand::Step::FireMode;
    match->apply(turning);
    EXPECT_EQ(match->state(), Countdown);
    EXPECT_FALSE(match->grenadeShown());
    ASSERT_TRUE(driver.tickUntil([&] { return match->state() != Countdown; }, 60));
    EXPECT_EQ(match->state(), Aiming);
    EXPECT_TRUE(match->grenadeShown());
    driver.tick(4);
    EXPECT_NEAR(match->aimYaw(), Rules::aimSpeed * 0.1, 0.03);

    // The next turn: a key pressed and let go in the last second leaves the figure standing.
    step();
    ASSERT_EQ(match->state(), Flying);
    ASSERT_TRUE(driver.tickUntil([&] { return match->state() == Countdown; }, 400));
    Tortoise* next = match->currentFigure();
    const VORN_Vector stood = next->worldPosition;
    driver.ticksFor(2.2);
    TurnCommand driving;
    driving.driveRate = -Rules::moveSpeed;
    match->apply(driving);
    EXPECT_EQ(match->heldRates(), driving);
    match->apply(TurnCommand());
    driver.toMoving();
    driver.ticksFor(1);
    EXPECT_EQ(match->state(), Moving);
    const VORN_Vector moved = next->worldPosition - stood;
    EXPECT_LT(std::hypot(moved.x(), moved.z()), 0.05);
}
