// The own turn of a joined machine played ahead of a lagging host: the same moves as the match
// makes of the keys, shown at once, and a host that catches up meets the picture without a jump.
#include "tests/support/MatchScenario.h"

#include "engine/scene/VORN_Clock.h"
#include "game/hosting/ThrowPrediction.h"
#include "game/hosting/TurnPrediction.h"
#include "game/rules/Rules.h"
#include "game/world/Tortoise.h"

#include <cmath>

using VORN_LIB::VORN_Clock;
using Pose = TurnPrediction::Pose;

namespace {

class TurnPredictionTest : public MatchScenario {};

TurnCommand keys(double yaw, double drive) {
    TurnCommand k;
    k.yawRate = yaw;
    k.driveRate = drive;
    return k;
}

} // namespace

TEST_F(TurnPredictionTest, TheKeysMoveTheFigureAsTheHostsMatchMovesIt) {
    driver.startRound(2, 1, 8);
    driver.toMoving();
    Tortoise* figure = match->currentFigure();
    driver.placeOnGround(figure, 0, 0);
    driver.ticksFor(0.5); // settled
    const VORN_LIB::VORN_Vector from = figure->worldPosition;
    const double heading = figure->rotation[1];

    // A lag longer than the whole move: everything the keys did is still ahead of the host.
    TurnPrediction ahead;
    ahead.lagMs = 100000;
    const TurnCommand held = keys(Rules::turnSpeed * 0.5, Rules::moveSpeed);
    match->apply(held);
    for (int i = 0; i < 40; ++i) { // a second of ticks, the prediction beside the match
        ahead.hold(held, Moving, VORN_Clock::now());
        driver.tick();
    }
    ahead.hold(held, Moving, VORN_Clock::now());
    const Pose shown = ahead.shown({from.x(), from.y(), from.z(), heading}, VORN_Clock::now());
    EXPECT_NEAR(shown.heading, figure->rotation[1], 1e-6);
    EXPECT_NEAR(shown.x, figure->worldPosition.x(), 0.05);
    EXPECT_NEAR(shown.z, figure->worldPosition.z(), 0.05);
    EXPECT_GT(std::hypot(shown.x - from.x(), shown.z - from.z()), 1.5); // it did drive
}

TEST(TurnPrediction, ALaggingHostIsLedAtOnceAndMetWithoutAJump) {
    // A host that plays the keys 300 ms after they are pressed, on flat ground.
    const int lag = 300;
    const auto hostAt = [lag](long t) { // drive at 2 units/s from t = 1000 to 2000, seen lag late
        const double driven = std::clamp(double(t - lag - 1000), 0.0, 1000.0) / 1000.0;
        return Pose{0, 0, Rules::moveSpeed * driven, 0};
    };
    TurnPrediction ahead;
    ahead.lagMs = lag;
    double last = 0, biggestStep = 0, firstMove = -1;
    for (long t = 500; t <= 3000; t += 25) {
        const TurnCommand held = t >= 1000 && t < 2000 ? keys(0, Rules::moveSpeed) : TurnCommand();
        ahead.hold(held, Moving, t);
        const double z = ahead.shown(hostAt(t), t).z;
        if (firstMove < 0 && z > 1e-9)
            firstMove = double(t);
        if (t > 500)
            biggestStep = std::max(biggestStep, std::abs(z - last));
        last = z;
    }
    // Moving one tick after the key, never faster than the figure drives, and where the host
    // has it once the host has caught up.
    EXPECT_EQ(firstMove, 1025);
    EXPECT_LE(biggestStep, Rules::moveSpeed * 0.025 + 1e-9);
    EXPECT_NEAR(last, Rules::moveSpeed, 1e-9);

    // The aim leads the same way in fire mode, and a new phase starts with nothing ahead.
    ahead.hold(TurnCommand(), Aiming, 3000);
    EXPECT_NEAR(ahead.shown(TurnPrediction::Aim{10, 20, 3}, 3000).yaw, 10, 1e-9);
    ahead.hold(keys(Rules::aimSpeed, 0), Aiming, 3025);
    ahead.hold(keys(Rules::aimSpeed, 0), Aiming, 3125);
    EXPECT_NEAR(ahead.shown(TurnPrediction::Aim{10, 20, 3}, 3125).yaw, 10 + Rules::aimSpeed * 0.1,
                1e-9);
    EXPECT_NEAR(ahead.shown(hostAt(3125), 3125).z, Rules::moveSpeed,
                1e-9); // the figure: the host's
}

TEST_F(TurnPredictionTest, AThrowFliesHereAsTheHostFliesItAndStopsAtTheGround) {
    driver.startRound(2, 1, 8);
    driver.toMoving();
    driver.placeOnGround(match->currentFigure(), 0, 10);
    driver.ticksFor(0.5);
    step();                                               // fire mode
    hold(&TurnCommand::raiseRate, Rules::aimSpeed, 1.0);  // 30° up
    hold(&TurnCommand::driveRate, Rules::moveSpeed, 0.5); // power 2
    const VORN_LIB::VORN_Vector from = match->grenade().worldPosition;
    const VORN_LIB::VORN_Vector velocity =
        Rules::throwDirection(match->aimYaw(), match->aimPitch()) * match->aimPower();
    ThrowPrediction ahead;
    ahead.start(from, velocity, match->wind(), VORN_Clock::now());
    step(); // the throw
    ASSERT_EQ(match->state(), Flying);
    const auto ground = [&](double x, double z) { return match->landscape().surfaceHeight(x, z); };
    double furthest = 0;
    int ticks = 0;
    while (match->grenadeFlying() && ticks++ < 400) {
        driver.tick();
        if (!match->grenadeFlying())
            break;
        const auto at = ahead.at(VORN_Clock::now(), ground);
        ASSERT_TRUE(at.has_value());
        furthest = std::max(furthest, std::sqrt((*at - from).lengthSquared()));
        EXPECT_LT(std::sqrt((*at - match->grenade().worldPosition).lengthSquared()), 0.05)
            << "tick " << ticks;
    }
    EXPECT_GT(furthest, 1.0); // it flew
    // Past where the host's grenade hit, it waits on the ground for the host's blast.
    driver.ticksFor(2);
    const auto resting = ahead.at(VORN_Clock::now(), ground);
    ASSERT_TRUE(resting.has_value());
    EXPECT_NEAR(resting->y(), ground(resting->x(), resting->z()), 1e-9);
}
