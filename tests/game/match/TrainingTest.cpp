// A training through the match, with no window: its hints step on as the player's commands come,
// the targets never get a turn, three hits end it with the time taken, and losing the own
// tortoise ends it as lost.
#include "game/match/Training.h"
#include "engine/scene/VORN_Clock.h"
#include "game/match/Match.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"
#include "tools/driver/MatchDriver.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

[[maybe_unused]] const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");

class TrainingTest : public ::testing::Test {
protected:
    void SetUp() override {
        QObject::connect(match.get(), &Match::turnStarted,
                         [this](int player, Tortoise*) { turnsOf.push_back(player); });
        training.start();
    }
    TurnCommand step(TurnCommand::Step s) {
        TurnCommand c;
        c.step = s;
        return c;
    }
    // A throw from the countdown on, the grenade set off where the figure of player and slot
    // stands; then on to the next turn or the end.
    void throwAt(int player, unsigned slot) {
        driver.toMoving();
        match->apply(step(TurnCommand::Step::FireMode));
        ASSERT_EQ(match->state(), Aiming);
        match->apply(step(TurnCommand::Step::Throw));
        ASSERT_EQ(match->state(), Flying);
        const Tortoise* target = match->players()[std::size_t(player)]->figure(slot);
        ASSERT_NE(target, nullptr);
        driver.explodeAt(target->worldPosition);
        driver.tickUntil([this] { return match->state() != Flying; });
    }

    std::unique_ptr<Match> match = MatchDriver::newMatch();
    MatchDriver driver{*match};
    Training training{*match};
    std::vector<int> turnsOf;
};

TEST_F(TrainingTest, HintsStepOnAsTheCommandsCome) {
    EXPECT_EQ(match->players()[Training::own]->alive, 1u);
    EXPECT_EQ(training.targetsLeft(), Training::targetCount);
    EXPECT_EQ(training.hint(), Training::Hint::Drive);
    driver.toMoving();
    driver.ticksFor(1);
    EXPECT_EQ(training.hint(), Training::Hint::Drive); // standing still is no driving

    TurnCommand drive;
    drive.driveRate = -3;
    match->apply(drive);
    driver.tickUntil([this] { return training.hint() != Training::Hint::Drive; }, 200);
    EXPECT_EQ(training.hint(), Training::Hint::FireMode);
    match->stopRates();

    match->apply(step(TurnCommand::Step::FireMode));
    driver.tick();
    EXPECT_EQ(training.hint(), Training::Hint::Aim);
    driver.ticksFor(1);
    EXPECT_EQ(training.hint(), Training::Hint::Aim); // the aim untouched

    TurnCommand aim;
    aim.yawRate = 20;
    match->apply(aim);
    driver.tick(4);
    EXPECT_EQ(training.hint(), Training::Hint::Strength);
    match->stopRates();
    driver.tick(4);
    EXPECT_EQ(training.hint(), Training::Hint::Strength);

    TurnCommand strength;
    strength.driveRate = 5;
    match->apply(strength);
    driver.tick(4);
    EXPECT_EQ(training.hint(), Training::Hint::Wind);
    match->stopRates();
    driver.ticksFor(Training::windSeconds + 0.2);
    EXPECT_EQ(training.hint(), Training::Hint::Throw);

    match->apply(step(TurnCommand::Step::Throw));
    EXPECT_EQ(training.hint(), Training::Hint::TargetsLeft);
    EXPECT_TRUE(training.running());
}

TEST_F(TrainingTest, ThreeHitsEndItWithTheTimeTakenAndTheTargetsNeverPlay) {
    const VORN_LIB::VORN_Clock::Ticks began = match->clockNow();
    for (unsigned slot = 0; slot < unsigned(Training::targetCount); ++slot) {
        EXPECT_EQ(training.secondsTaken(), 0);
        throwAt(Training::targets, slot);
        EXPECT_EQ(training.targetsLeft(), Training::targetCount - int(slot) - 1);
    }
    EXPECT_EQ(match->state(), GameOver);
    EXPECT_FALSE(training.running());
    EXPECT_EQ(training.hint(), Training::Hint::Done);
    EXPECT_EQ(training.secondsTaken(), int((match->clockNow() - began) / 1000));
    EXPECT_GT(training.secondsTaken(), 0);
    ASSERT_FALSE(turnsOf.empty());
    for (int player : turnsOf)
        EXPECT_EQ(player, Training::own);
    EXPECT_NE(match->players()[Training::own], nullptr);
}

TEST_F(TrainingTest, LosingTheOwnTortoiseEndsItAsLost) {
    throwAt(Training::own, 0);
    EXPECT_TRUE(training.running()); // one blast leaves it a quarter of its points
    throwAt(Training::own, 0);
    EXPECT_FALSE(training.running());
    EXPECT_EQ(training.hint(), Training::Hint::Lost);
    EXPECT_EQ(training.secondsTaken(), 0);
    EXPECT_EQ(training.targetsLeft(), Training::targetCount);
}

} // namespace
