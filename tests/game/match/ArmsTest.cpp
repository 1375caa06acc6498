// The wind and the weapons through the match, with no window: the wind pushes a throw exactly as
// the flight model says and still air draws nothing; each weapon hurts and digs as its table says,
// comes only as often as a player has it, and the bouncer springs off the ground until its time.
#include "engine/scene/VORN_Clock.h"
#include "game/computer/GrenadeFlight.h"
#include "game/match/Match.h"
#include "game/rules/GameRandom.h"
#include "game/rules/Rules.h"
#include "game/rules/Wind.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"
#include "tools/driver/MatchDriver.h"

#include <QGuiApplication>
#include <cmath>
#include <gtest/gtest.h>

using VORN_LIB::VORN_Vector;

namespace {

[[maybe_unused]] const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");

class ArmsTest : public ::testing::Test {
protected:
    // A round of two players with two figures each, settled, player 0 on turn in fire mode with
    // the aim set; its figures far off at the valley's west end.
    void aimingRound(unsigned seed, double yaw, double pitch, double power) {
        driver.startRound(2, 2, seed);
        driver.toMoving();
        driver.ticksFor(4);
        driver.placeOnGround(match->players()[0]->figure(0), -40, -20);
        driver.placeOnGround(match->players()[0]->figure(1), -45, -20);
        TurnCommand fireMode;
        fireMode.step = TurnCommand::Step::FireMode;
        match->apply(fireMode);
        ASSERT_EQ(match->state(), Aiming);
        driver.aim(yaw, pitch, power);
    }
    static GameSettings everyWeapon() {
        GameSettings all;
        all.weapons = GameSettings::Weapons::All;
        return all;
    }
    void take(Weapon w) {
        TurnCommand choose;
        choose.weapon = static_cast<int>(w) + 1;
        match->apply(choose);
    }
    void throwIt() {
        TurnCommand throwIt;
        throwIt.step = TurnCommand::Step::Throw;
        match->apply(throwIt);
        ASSERT_EQ(match->state(), Flying);
    }
    double height(double x, double z) const { return match->landscape().surfaceHeight(x, z); }

    std::unique_ptr<Match> match = MatchDriver::newMatch();
    MatchDriver driver{*match};
};

} // namespace

TEST_F(ArmsTest, TheWindPushesAThrowAsTheFlightModelSaysAndStillAirDrawsNothing) {
    // Still air: a new turn takes no draw, so a seed plays as it always did.
    driver.startRound(2, 1, 11);
    std::srand(77);
    match->nextTurn();
    const int next = randomDraw();
    std::srand(77);
    EXPECT_EQ(next, randomDraw());
    EXPECT_EQ(Wind::strength(match->wind()), 0);
    match->reset();

    // Strong wind: each turn's wind from two draws, within the setting's strength.
    GameSettings windy;
    windy.wind = GameSettings::Wind::Strong;
    match->setSettings(windy);
    aimingRound(12, -90, 45, 4.3);
    std::srand(5);
    match->nextTurn();
    std::srand(5);
    const VORN_Vector drawn = Wind::draw(GameSettings::Wind::Strong);
    EXPECT_EQ(match->wind().x(), drawn.x());
    EXPECT_EQ(match->wind().z(), drawn.z());
    match->reset();

    aimingRound(12, -90, 45, 4.3);
    driver.blowWind(Wind::blowing(90, Wind::strongMax)); // towards +z, across the throw
    const VORN_Vector start = match->grenade().worldPosition;
    const VORN_Vector v0 = Rules::throwDirection(-90, 45) * 4.3;
    throwIt();
    // Semi-implicit Euler from rest of the acceleration: after k steps of dt the push a has moved
    // the grenade by a·dt²·k(k+1)/2 beyond its launch line.
    const double dt = Rules::tickSeconds;
    for (int k = 1; k <= 40 && match->impactState() == ImpactState::Flying; ++k) {
        driver.tick();
        const double pushed = dt * dt * k * (k + 1) / 2;
        const VORN_Vector expected =
            start + v0 * (dt * k) + VORN_Vector(0, -Rules::gravity, Wind::strongMax) * pushed;
        const VORN_Vector at = match->grenade().worldPosition;
        ASSERT_NEAR(at.x(), expected.x(), 1e-9) << k;
        ASSERT_NEAR(at.y(), expected.y(), 1e-9) << k;
        ASSERT_NEAR(at.z(), expected.z(), 1e-9) << k;
    }

    // And it lands where the planner, flying the same model in the same wind, expects it.
    std::vector<GrenadeFlight::Sphere> spheres;
    for (const auto& player : match->players())
        for (unsigned j = 0; j < player->count; ++j)
            spheres.push_back({player->figure(j)->worldPosition, Rules::figureRadius});
    for (const auto& post : match->lampPosts())
        spheres.push_back({post.worldPosition, Rules::lampRadius});
    const VORN_LIB::VORN_Landscape* land = &match->landscape();
    const GrenadeFlight planner([land](double x, double z) { return land->surfaceHeight(x, z); },
                                spheres, match->wind());
    const GrenadeFlight::Result expected = planner.fly(start, v0);
    const GrenadeFlight::Result still =
        GrenadeFlight([land](double x, double z) { return land->surfaceHeight(x, z); }, spheres)
            .fly(start, v0);
    VORN_Vector blast;
    QObject::connect(match.get(), &Match::exploded,
                     [&](const VORN_Vector& point) { blast = point; });
    ASSERT_TRUE(driver.tickUntil([&] { return match->impactState() == ImpactState::Exploded; }));
    EXPECT_LT(std::sqrt((blast - expected.point).lengthSquared()), 0.1);
    EXPECT_GT(blast.z() - still.point.z(), 1.0) << "blown off its still-air landing";
}

TEST_F(ArmsTest, EachWeaponHurtsAndDigsAsItsTableSays) {
    // Two enemies level with a blast in the air, 1 and 4 units off; the crater is dug below it.
    struct Case {
        Weapon weapon;
        int nearDamage;
        int farDamage;
    };
    for (const Case c :
         {Case{Weapon::Grenade, 50, 0}, Case{Weapon::Heavy, 96, 24}, Case{Weapon::Digger, 5, 0}}) {
        SCOPED_TRACE(static_cast<int>(c.weapon));
        match->setSettings(everyWeapon());
        aimingRound(21, 0, 30, 3);
        const VORN_Vector at(20, 8, 0);
        Tortoise* near = match->players()[1]->figure(0);
        Tortoise* far = match->players()[1]->figure(1);
        near->setWorldPosition(at + VORN_Vector(1, 0, 0));
        far->setWorldPosition(at + VORN_Vector(0, 0, 4));
        const double r = Weapons::of(c.weapon).crater;
        const double beyond = height(at.x() - r - 1, at.z());
        take(c.weapon);
        EXPECT_EQ(match->weapon(), c.weapon);
        throwIt();
        driver.explodeAt(at);
        EXPECT_EQ(near->health, Rules::startHealth - c.nearDamage);
        EXPECT_EQ(far->health, Rules::startHealth - c.farDamage);
        // The bowl reaches the valley's base (y 1) at the centre and rises as d²/r to its rim.
        EXPECT_NEAR(height(at.x(), at.z()), 1.0, 1e-6);
        const double d = r - 0.5;
        EXPECT_LE(height(at.x() - d, at.z()), 1 + d * d / r + 0.05);
        EXPECT_EQ(height(at.x() - r - 1, at.z()), beyond);
        // What a player has is spent: the heavy shell is gone for the game.
        if (c.weapon == Weapon::Heavy) {
            EXPECT_EQ(match->weaponsLeft(0, Weapon::Heavy), 0);
            driver.putInPhase(Aiming);
            EXPECT_FALSE(match->chooseWeapon(Weapon::Heavy));
            EXPECT_EQ(match->weaponsLeft(0, Weapon::Cluster), 3);
        }
        match->reset();
    }

    // The cluster: its own blast and four round it, 3 units off each way, on the ground.
    aimingRound(22, 0, 30, 3);
    const VORN_Vector at = driver.ground(20, 0);
    Tortoise* east = match->players()[1]->figure(0);
    Tortoise* aside = match->players()[1]->figure(1);
    driver.placeOnGround(east, 23, 0);  // under the +x blast
    driver.placeOnGround(aside, 24, 4); // between the blasts, out of their reach
    take(Weapon::Cluster);
    throwIt();
    int blasts = 0;
    QObject::connect(match.get(), &Match::exploded, [&] { ++blasts; });
    driver.explodeAt(at);
    EXPECT_EQ(blasts, 5);
    EXPECT_NEAR(east->health, Rules::startHealth - 44, 1); // 0.3 from its blast: 2.2 × 50 / 2.5
    EXPECT_EQ(aside->health, Rules::startHealth);
    for (const auto& way :
         {VORN_Vector(3, 0, 0), VORN_Vector(-3, 0, 0), VORN_Vector(0, 0, 3), VORN_Vector(0, 0, -3)})
        EXPECT_LT(height(at.x() + way.x(), at.z() + way.z()), 1.1); // between grid points
    EXPECT_EQ(match->weaponsLeft(0, Weapon::Cluster), 2);

    // With the grenade alone, no other weapon is taken.
    match->reset();
    match->setSettings(GameSettings());
    aimingRound(22, 0, 30, 3);
    take(Weapon::Cluster);
    EXPECT_EQ(match->weapon(), Weapon::Grenade);
}

TEST_F(ArmsTest, TheBouncerSpringsOffTheGroundAndGoesOffWhenItsTimeIsUp) {
    match->setSettings(everyWeapon());
    aimingRound(31, -90, 0, 2); // a short throw east, onto open ground
    take(Weapon::Bouncer);
    const VORN_LIB::VORN_Landscape* land = &match->landscape();
    const GrenadeFlight::Result firstTouch =
        GrenadeFlight([land](double x, double z) { return land->surfaceHeight(x, z); }, {})
            .fly(match->grenade().worldPosition, Rules::throwDirection(-90, 0) * 2);
    ASSERT_EQ(firstTouch.end, GrenadeFlight::End::Ground);
    ASSERT_LT(firstTouch.seconds, Weapons::of(Weapon::Bouncer).fuse - 1);
    throwIt();
    const VORN_LIB::VORN_Clock::Ticks thrown = match->clockNow();
    ASSERT_TRUE(driver.tickUntil([&] { return match->impactState() == ImpactState::Exploded; }));
    EXPECT_NEAR((match->clockNow() - thrown) * 0.001, Weapons::of(Weapon::Bouncer).fuse, 0.03);
    EXPECT_EQ(match->weaponsLeft(0, Weapon::Bouncer), 2);
}
