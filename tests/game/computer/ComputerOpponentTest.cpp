// The computer's turns without a window: a small stand-in for the rules applies its commands to
// one figure and the aim, tick by tick, as the game does (turn on the spot, drive along the
// figure's own axis, fire mode with a fresh aim, the throw). Clock in milliseconds, world units,
// y up, angles in degrees.
#include "game/computer/ComputerOpponent.h"

#include "game/rules/Rules.h"

#include <cmath>
#include <gtest/gtest.h>

using VORN_LIB::VORN_Clock;
using VORN_LIB::VORN_Vector;

namespace {

double flat(double, double) {
    return 0;
}

double horizontal(const VORN_Vector& a, const VORN_Vector& b) {
    return std::hypot(a.x() - b.x(), a.z() - b.z());
}

// One computer turn on flat ground: its figure at the origin, facing -z, and the enemies given.
class Turn {
public:
    explicit Turn(std::vector<VORN_Vector> enemies, ComputerLevel level = ComputerLevel::Hard) {
        opponent.level = level;
        view.state = Moving;
        view.turnStarted = 10000;
        view.now = view.turnStarted;
        view.position = VORN_Vector(0, Rules::figureRadius, 0);
        view.field.ground = flat;
        view.field.own = {{view.position, 100}};
        for (const VORN_Vector& e : enemies)
            view.field.enemies.push_back({VORN_Vector(e.x(), Rules::figureRadius, e.z()), 100});
    }

    // One tick after ms more of the clock, with the step capped as the rules cap it: the
    // computer's command, applied.
    TurnCommand tick(long ms = Rules::tickMs) {
        view.now += ms;
        view.step = std::min(ms * 0.001, Rules::longestStep);
        view.field.own[0].place = view.position;
        const TurnCommand command = opponent.act(view);
        apply(command);
        if (command.step == TurnCommand::Step::FireMode && view.state == Aiming)
            apply(opponent.act(view)); // as the rules do: it aims from its grenade at once
        return command;
    }

    ComputerOpponent opponent;
    TurnView view;
    std::vector<TurnCommand> commands;
    VORN_Clock::Ticks fireModeAt = 0; // into the turn
    VORN_Clock::Ticks thrownAt = 0;

private:
    void apply(const TurnCommand& c) {
        commands.push_back(c);
        const double dt = view.step;
        if (view.state == Moving) {
            view.heading += c.yawRate * dt;
            const double a = view.heading * M_PI / 180.0;
            view.position =
                view.position + VORN_Vector(std::sin(a), 0, std::cos(a)) * (c.driveRate * dt);
            if (c.step == TurnCommand::Step::FireMode) {
                view.state = Aiming;
                view.aimYaw = 0;
                view.aimPitch = 0;
                view.aimPower = Rules::startPower;
                view.launch = Rules::launchPoint(view.position);
                fireModeAt = view.intoTurn();
            }
        } else if (view.state == Aiming) {
            view.aimYaw += c.yawRate * dt;
            view.aimPitch += c.raiseRate * dt;
            view.aimPower += c.driveRate * dt;
            if (c.step == TurnCommand::Step::Throw) {
                view.state = Flying;
                thrownAt = view.intoTurn();
            }
        }
    }
};

} // namespace

TEST(ComputerOpponent, TurnsDrivesAwayFromAnEnemyAtItsSideSettlesAndThrowsFromThere) {
    // An enemy right beside it: no throw from here is safe, so it drives off first.
    Turn turn({VORN_Vector(1.5, 0, 0.5)});
    std::vector<double> headings;
    std::vector<double> places;
    while (turn.view.state == Moving && turn.view.intoTurn() < 6000) {
        const TurnCommand c = turn.tick();
        if (c.yawRate != 0) {
            EXPECT_EQ(c.driveRate, 0) << "it turns on the spot before it drives";
        }
        EXPECT_LE(std::fabs(c.yawRate), Rules::turnSpeed);
        EXPECT_LE(c.driveRate, 0) << "forward only";
        EXPECT_GE(c.driveRate, -Rules::moveSpeed);
        headings.push_back(turn.view.heading);
        places.push_back(horizontal(turn.view.position, VORN_Vector()));
    }
    ASSERT_EQ(turn.view.state, Aiming);
    const double moved = horizontal(turn.view.position, VORN_Vector());
    EXPECT_GT(moved, 1.5);
    EXPECT_LE(moved, ComputerPlayer::driveRadius + 1e-6);
    EXPECT_GT(horizontal(turn.view.position, turn.view.field.enemies[0].place), 3.5);

    // It settled before fire mode: the last 400 ms of driving held no key.
    const std::size_t settleTicks = 400 / Rules::tickMs;
    ASSERT_GT(turn.commands.size(), settleTicks + 1);
    for (std::size_t i = turn.commands.size() - settleTicks - 1; i + 2 < turn.commands.size(); ++i)
        EXPECT_EQ(turn.commands[i], TurnCommand()) << "tick " << i;

    while (turn.view.state == Aiming && turn.view.intoTurn() < 13000)
        turn.tick();
    ASSERT_EQ(turn.view.state, Flying);
    EXPECT_LE(turn.thrownAt, 11900);
    // The throw it made lands well away from itself.
    ComputerPlayer::Field field = turn.view.field;
    field.own[0].place = turn.view.position;
    const ComputerPlayer planner(ComputerLevel::Hard);
    const ComputerPlayer::Throw exact = planner.chooseThrow(field, turn.view.launch);
    EXPECT_NEAR(turn.view.aimYaw, exact.yaw, 3);
    EXPECT_GE(std::sqrt((exact.flight.point - turn.view.position).lengthSquared()),
              Rules::blastRadius);
}

TEST(ComputerOpponent, ATurnLeftWhileItDrivesHoldsNoKeyInTheNextGame) {
    Turn turn({VORN_Vector(1.5, 0, 0.5)});
    while (turn.tick().driveRate == 0 && turn.view.intoTurn() < 5000) {
    }
    ASSERT_LT(turn.commands.back().driveRate, 0) << "it should be driving";

    // Escape: the game ends, and the next game's first computer turn begins afresh.
    turn.opponent.reset();
    turn.view.turnStarted = turn.view.now + 20000;
    turn.view.now = turn.view.turnStarted;
    turn.view.field.enemies = {{VORN_Vector(-20, Rules::figureRadius, -10), 100}};
    const VORN_Vector start = turn.view.position;
    for (int i = 0; i < 500 / Rules::tickMs - 1; ++i)
        EXPECT_EQ(turn.tick(), TurnCommand()) << "a moment to think, tick " << i;
    EXPECT_EQ(horizontal(turn.view.position, start), 0);
}

TEST(ComputerOpponent, AimsOnWhenSlowTicksHoldTheAimBackAndThrowsOnlyTheAimReached) {
    // An enemy behind it: half a turn of the aim, at most 3 degrees a tick when the ticks come
    // every 250 ms and the rules move the aim by their capped step only. It keeps aiming past
    // 11.9 s, within the rules' aiming time, and throws the aim it planned.
    Turn turn({VORN_Vector(0.5, 0, 25)});
    while (turn.view.state != Flying && turn.view.intoTurn() < 46000)
        turn.tick(250);
    ASSERT_EQ(turn.view.state, Flying);
    EXPECT_GT(turn.thrownAt, 11900);
    EXPECT_LT(turn.thrownAt, Rules::aimSeconds * 1000);
    EXPECT_LT(turn.fireModeAt, 5400 + 250);
    const TurnCommand last = turn.commands.back();
    EXPECT_EQ(last.step, TurnCommand::Step::Throw);
    EXPECT_EQ(last.yawRate, 0) << "thrown with the aim still moving";
    const ComputerPlayer planner(ComputerLevel::Hard);
    const ComputerPlayer::Throw exact = planner.chooseThrow(turn.view.field, turn.view.launch);
    EXPECT_NEAR(ComputerPlayer::wrapDegrees(turn.view.aimYaw - exact.yaw), 0, 3);
    EXPECT_TRUE(planner.spares(turn.view.field, turn.view.launch, turn.view.aimYaw,
                               turn.view.aimPitch, turn.view.aimPower));
}

// Its own figures in a ring around it where short throws into the open land, and an enemy beside
// one of them: no throw at the enemy spares them, nor does a short one into the open. Whatever the
// planner falls back on, the throw made leaves no own figure in its predicted blast.
TEST(ComputerOpponent, NeverThrowsABlastOntoItsOwnFiguresEvenWhenEveryPlanFallsBack) {
    const GrenadeFlight flight(flat, {});
    const VORN_Vector launch = Rules::launchPoint(VORN_Vector(0, Rules::figureRadius, 0));
    const double reach =
        horizontal(flight.fly(launch, Rules::throwDirection(0, 45) * 4).point, launch);
    for (ComputerLevel level : {ComputerLevel::Easy, ComputerLevel::Medium, ComputerLevel::Hard}) {
        Turn turn({VORN_Vector(reach + 1, 0, 0.5)}, level);
        for (int k = 0; k < 12; ++k) {
            const double a = k * M_PI / 6;
            turn.view.field.own.push_back(
                {VORN_Vector(reach * std::cos(a), Rules::figureRadius, reach * std::sin(a)), 100});
        }
        while (turn.view.state != Flying && turn.view.intoTurn() < 46000)
            turn.tick();
        const ComputerPlayer planner(level);
        if (turn.view.state == Flying) {
            EXPECT_TRUE(planner.spares(turn.view.field, turn.view.launch, turn.view.aimYaw,
                                       turn.view.aimPitch, turn.view.aimPower))
                << static_cast<int>(level);
            EXPECT_LE(turn.thrownAt, 11900) << static_cast<int>(level);
        } else {
            ADD_FAILURE() << "no throw at level " << static_cast<int>(level);
        }
    }
}
