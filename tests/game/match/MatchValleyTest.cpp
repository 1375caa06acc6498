// A match on a valley other than the data folder's: every figure of a random valley lands on its
// ground, and the log tells the settings of a game that is not the classic one, and only then.
#include "engine/terrain/Bitmap.h"
#include "game/match/Match.h"
#include "game/rules/Rules.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"
#include "game/world/ValleyGenerator.h"
#include "tools/driver/MatchDriver.h"

#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

[[maybe_unused]] const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");

class MatchValley : public ::testing::Test {
protected:
    std::unique_ptr<Match> match = MatchDriver::newMatch();
    MatchDriver driver{*match};
};

// Two hundred valleys in four quarters of fifty, each quarter a test of its own so that they
// play side by side.
class MatchValleyQuarter : public MatchValley, public ::testing::WithParamInterface<int> {};

} // namespace

TEST_P(MatchValleyQuarter, EveryFigureOfFiftyRandomValleysLandsOnTheGround) {
    for (int k = GetParam() * 50; k < (GetParam() + 1) * 50; ++k) {
        const int number = 1 + k * 5023; // spread over 1 … 999999
        SCOPED_TRACE(number);
        Bitmap heights;
        ValleyGenerator::heights(number, heights);
        match->setValley(heights);
        driver.startRound(9, 3, unsigned(k + 1));
        std::vector<const Tortoise*> figures;
        for (const auto& player : match->players())
            for (unsigned j = 0; j < player->count; ++j) {
                const VORN_LIB::VORN_Vector from = player->figure(j)->worldPosition;
                // Dropped from above the ground, never from inside a hill.
                ASSERT_LT(match->landscape().surfaceHeight(from.x(), from.z()) +
                              Rules::figureRadius,
                          from.y());
                figures.push_back(player->figure(j));
            }
        driver.toMoving();
        driver.ticksFor(3.5); // a fall from 5 units takes under 3 seconds
        for (const auto& player : match->players())
            for (unsigned j = 0; j < player->count; ++j)
                ASSERT_NE(player->figure(j), nullptr) << "a figure was lost as it dropped";
        for (const Tortoise* figure : figures) {
            const VORN_LIB::VORN_Vector at = figure->worldPosition;
            const double ground = match->landscape().surfaceHeight(at.x(), at.z());
            // Touching the ground: the nearest point of the surface, sampled every 2 cm within
            // the figure's reach, lies a radius away (give or take 25 cm: a figure still settles on
            // a steep slope, as on the data folder's valley) - unless it was dropped touching
            // another figure: the two then hold each other up, on any valley.
            bool touching = false;
            for (const Tortoise* other : figures) {
                const VORN_LIB::VORN_Vector d = other->worldPosition - at;
                touching = touching ||
                           (other != figure && d.x() * d.x() + d.z() * d.z() <
                                                   std::pow(2 * Rules::figureRadius + 0.05, 2));
            }
            double nearest = HUGE_VAL;
            for (double dx = -Rules::figureRadius; dx <= Rules::figureRadius; dx += 0.02)
                for (double dz = -Rules::figureRadius; dz <= Rules::figureRadius; dz += 0.02) {
                    const double dy =
                        at.y() - match->landscape().surfaceHeight(at.x() + dx, at.z() + dz);
                    nearest = std::min(nearest, std::sqrt(dx * dx + dy * dy + dz * dz));
                }
            EXPECT_GT(at.y() - ground, 0) << "under the ground at " << at.x() << ", " << at.z();
            if (!touching) {
                EXPECT_NEAR(nearest, Rules::figureRadius, 0.25)
                    << "at " << at.x() << ", " << at.z();
            }
        }
        match->reset();
    }
}

INSTANTIATE_TEST_SUITE_P(OnTwoHundredRandomValleys, MatchValleyQuarter, ::testing::Range(0, 4));

TEST_F(MatchValley, TheLogTellsTheSettingsOfAGameThatIsNotTheClassicOne) {
    driver.startRound(2, 1, 3);
    const QStringList classic = driver.log();
    EXPECT_EQ(classic.join('|').toStdString(), "|||||Willkommen") << "as it always was";
    match->reset();

    GameSettings chosen;
    chosen.valley = GameSettings::Valley::Random;
    chosen.valleyNumber = 4711;
    chosen.wind = GameSettings::Wind::Strong;
    chosen.weapons = GameSettings::Weapons::All;
    match->setSettings(chosen);
    driver.startRound(2, 1, 3);
    EXPECT_EQ(driver.log().join('|').toStdString(),
              "||Willkommen|tal nummer 4711|wind: stark|waffen: alle");
    match->reset();

    GameSettings picture;
    picture.valley = GameSettings::Valley::Picture;
    picture.valleyPicture = "/home/someone/valleys/bergsee.bmp";
    match->setSettings(picture);
    driver.startRound(2, 1, 3);
    EXPECT_EQ(driver.log().last().toStdString(), "tal: bergsee");
}
