// The computer's planning of a throw, without a window: on flat ground its throws land at the
// enemy it picks, it keeps its blasts away from its own figures (driving off first when an enemy
// stands too close), and behind a hill it takes the high arc. World units, y up, angles in degrees.
#include "game/computer/ComputerPlayer.h"
#include "game/rules/GameRandom.h"
#include "game/rules/Rules.h"
#include "game/rules/Wind.h"

#include <cmath>
#include <gtest/gtest.h>

using VORN_LIB::VORN_Vector;

namespace {

double flat(double, double) {
    return 0;
}

// A ridge 5 units high across the valley at z = -10, about 3 units wide.
double ridge(double, double z) {
    return 5 * std::exp(-std::pow((z + 10) / 1.5, 2));
}

ComputerPlayer::Figure restingAt(double x, double z, const GrenadeFlight::Ground& ground) {
    return {VORN_Vector(x, ground(x, z) + 0.3, z), 100};
}

// Flies the throw as the game's physics step does (25 ms steps, velocity first under gravity
// 0.9, then position; launch direction Ry(yaw)·Rx(pitch)·(0, 0, -1)) until the grenade's sphere
// of 0.1 touches the target's sphere of 0.3 or the ground. Returns that place.
VORN_Vector landing(const ComputerPlayer::Throw& t, VORN_Vector p, const VORN_Vector& target,
                    const GrenadeFlight::Ground& ground, const VORN_Vector& wind = {}) {
    const double y = t.yaw * M_PI / 180;
    const double a = t.pitch * M_PI / 180;
    VORN_Vector v =
        VORN_Vector(-std::cos(a) * std::sin(y), std::sin(a), -std::cos(a) * std::cos(y)) * t.power;
    for (int i = 0; i < 4000; ++i) {
        v = v + VORN_Vector(wind.x() * 0.025, -0.9 * 0.025, wind.z() * 0.025);
        p = p + v * 0.025;
        if ((p - target).lengthSquared() <= 0.4 * 0.4 || p.y() - ground(p.x(), p.z()) <= 0.1)
            break;
    }
    return p;
}

double horizontal(const VORN_Vector& a, const VORN_Vector& b) {
    return std::hypot(a.x() - b.x(), a.z() - b.z());
}

} // namespace

TEST(ComputerPlayer, ThrowsOnFlatGroundLandAtTheTarget) {
    const ComputerPlayer planner(ComputerLevel::Hard);
    struct Case {
        double distance;
        double bearing; // degrees from +x towards +z
    };
    for (const Case c : {Case{5, 30}, Case{20, 200}, Case{40, 300}}) {
        ComputerPlayer::Field field;
        field.ground = flat;
        field.own = {restingAt(0, 0, flat)};
        const double b = c.bearing * M_PI / 180;
        field.enemies = {restingAt(c.distance * std::cos(b), c.distance * std::sin(b), flat)};
        const VORN_Vector launch = field.own[0].place + VORN_Vector(0, 0.5, 0);

        const std::optional<ComputerPlayer::Throw> t = planner.bestThrow(field, launch);
        ASSERT_TRUE(t) << "no throw at " << c.distance;
        EXPECT_EQ(t->target, 0);
        EXPECT_LT(t->pitch, 45) << "the lower arc when nothing is in the way";
        EXPECT_LE(t->power, ComputerPlayer::maxPower);
        const VORN_Vector target = field.enemies[0].place;
        EXPECT_LT(horizontal(landing(*t, launch, target, flat), target), 0.5)
            << "at " << c.distance << " units";
    }

    // Of two enemies, the one standing next to an own figure is never aimed at, although it is
    // nearer; with only that one left, no throw is clear.
    ComputerPlayer::Field field;
    field.ground = flat;
    field.own = {restingAt(0, 0, flat), restingAt(10, 0, flat)};
    field.enemies = {restingAt(10, 2, flat), restingAt(-25, 5, flat)};
    const VORN_Vector launch = field.own[0].place + VORN_Vector(0, 0.5, 0);
    const std::optional<ComputerPlayer::Throw> t = planner.bestThrow(field, launch);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->target, 1);
    EXPECT_GE(std::sqrt((t->flight.point - field.own[1].place).lengthSquared()), 3.0);
    field.enemies.pop_back();
    EXPECT_FALSE(planner.bestThrow(field, launch));
    const ComputerPlayer::Throw fallback = planner.chooseThrow(field, launch);
    for (const ComputerPlayer::Figure& own : field.own)
        EXPECT_GE(std::sqrt((fallback.flight.point - own.place).lengthSquared()), 3.0);

    // An enemy right beside the figure on turn: it drives a short way off first, then can throw.
    field.own.pop_back();
    field.enemies = {restingAt(1.5, 0.5, flat)};
    const VORN_Vector here = field.own[0].place;
    EXPECT_FALSE(planner.bestThrow(field, here + VORN_Vector(0, 0.5, 0)));
    const std::optional<VORN_Vector> spot = planner.driveTarget(field);
    ASSERT_TRUE(spot);
    EXPECT_LE(horizontal(*spot, here), ComputerPlayer::driveRadius + 1e-9);
    field.own[0].place = *spot;
    const std::optional<ComputerPlayer::Throw> after =
        planner.bestThrow(field, *spot + VORN_Vector(0, 0.5, 0));
    ASSERT_TRUE(after);
    EXPECT_GE(std::sqrt((after->flight.point - *spot).lengthSquared()), 3.0);
}

TEST(ComputerPlayer, ThrowsTheHighArcOverAHill) {
    const ComputerPlayer planner(ComputerLevel::Hard);
    ComputerPlayer::Field field;
    field.ground = ridge;
    field.own = {restingAt(0, 0, ridge)};
    field.enemies = {restingAt(1, -20, ridge)};
    const VORN_Vector launch = field.own[0].place + VORN_Vector(0, 0.5, 0);
    const VORN_Vector target = field.enemies[0].place;

    // On flat ground the same throw takes the lower arc, which would meet the ridge.
    ComputerPlayer::Field open = field;
    open.ground = flat;
    const std::optional<ComputerPlayer::Throw> low = planner.bestThrow(open, launch);
    ASSERT_TRUE(low);
    EXPECT_LT(low->pitch, 45);
    EXPECT_GT(horizontal(landing(*low, launch, target, ridge), target), 5)
        << "the lower arc should end in the ridge";

    const std::optional<ComputerPlayer::Throw> high = planner.bestThrow(field, launch);
    ASSERT_TRUE(high);
    EXPECT_GT(high->pitch, 45);
    EXPECT_LT(horizontal(landing(*high, launch, target, ridge), target), 0.5);
}

// A pillar 60 units high just in front of the figure, between it and the only enemy: no arc of
// at most 84 degrees clears it, so the planner must drive, to a spot at most driveRadius away
// from which the throw lands at the enemy. The search spread over ticks one arc search at a time
// comes to the same spot and the same throw as the plan made in one go.
TEST(ComputerPlayer, DrivesRoundAPillarThatBlocksEveryArcAndThrowsFromThere) {
    const GrenadeFlight::Ground pillar = [](double x, double z) {
        return std::fabs(x - 1.5) < 0.5 && std::fabs(z) < 1.5 ? 60.0 : 0.0;
    };
    ComputerPlayer::Field field;
    field.ground = pillar;
    field.own = {restingAt(0, 0, pillar)};
    field.enemies = {restingAt(20, 0, pillar)};
    const ComputerPlayer planner(ComputerLevel::Hard);
    ASSERT_FALSE(planner.bestThrow(field, Rules::launchPoint(field.own[0].place)));

    const std::optional<VORN_Vector> spot = planner.driveTarget(field);
    ASSERT_TRUE(spot);
    const double moved = std::hypot(spot->x(), spot->z());
    EXPECT_GT(moved, 1.0);
    EXPECT_LE(moved, ComputerPlayer::driveRadius + 1e-9);
    ComputerPlayer::Field there = field;
    there.own[0].place = *spot;
    const VORN_Vector launch = Rules::launchPoint(*spot);
    const ComputerPlayer::Throw t = planner.chooseThrow(there, launch);
    ASSERT_EQ(t.target, 0);
    EXPECT_LT(
        horizontal(landing(t, launch, field.enemies[0].place, pillar), field.enemies[0].place),
        1.0);

    ComputerPlayer::Search search(planner, field, ComputerPlayer::Search::drivePlaces(field),
                                  false);
    int ticks = 0;
    while (!search.advance(1))
        ++ticks;
    EXPECT_GT(ticks, 2);
    ASSERT_TRUE(search.driveSpot());
    EXPECT_EQ(horizontal(*search.driveSpot(), *spot), 0);
}

TEST(ComputerPlayer, InAStrongWindAimsOffTheTargetAndStillHitsWithinItsLevelsScatter) {
    for (double towards : {0.0, 90.0, 225.0}) {
        for (const double distance : {10.0, 30.0}) {
            SCOPED_TRACE(towards);
            SCOPED_TRACE(distance);
            ComputerPlayer::Field field;
            field.ground = flat;
            field.own = {restingAt(0, 0, flat)};
            field.enemies = {restingAt(distance * 0.6, -distance * 0.8, flat)};
            const VORN_Vector launch = field.own[0].place + VORN_Vector(0, 0.5, 0);
            const VORN_Vector target = field.enemies[0].place;
            const ComputerPlayer::Throw still =
                *ComputerPlayer(ComputerLevel::Hard).bestThrow(field, launch);
            field.wind = Wind::blowing(towards, Wind::strongMax);

            const ComputerPlayer planner(ComputerLevel::Hard);
            const std::optional<ComputerPlayer::Throw> t = planner.bestThrow(field, launch);
            ASSERT_TRUE(t);
            EXPECT_GT(std::fabs(t->yaw - still.yaw) + std::fabs(t->power - still.power), 0.05)
                << "aimed as in still air";
            EXPECT_LT(horizontal(landing(*t, launch, target, flat, field.wind), target), 0.5);

            // The hand's scatter on top: schwer's throws land about the target as in still air.
            std::srand(3);
            double miss = 0;
            for (int i = 0; i < 40; ++i)
                miss += horizontal(landing(planner.withAimError(field, launch, *t), launch, target,
                                           flat, field.wind),
                                   target);
            EXPECT_LT(miss / 40, 0.03 * distance + 0.5);
        }
    }
}

TEST(ComputerPlayer, TakesTheClusterOrTheHeavyShellWhereTheyPayAndNeverNearItsOwn) {
    const ComputerPlayer planner(ComputerLevel::Hard);
    ComputerPlayer::Field field;
    field.ground = flat;
    field.own = {restingAt(0, 0, flat)};
    // Three enemies standing together: the heavy shell takes far more than the grenade.
    field.enemies = {restingAt(20, 0, flat), restingAt(21.5, 0, flat), restingAt(20, 1.5, flat)};
    field.stock = {Weapons::endless, 3, 1, 3, 3};
    const VORN_Vector launch = field.own[0].place + VORN_Vector(0, 0.5, 0);
    const ComputerPlayer::Throw t = *planner.bestThrow(field, launch);
    EXPECT_EQ(planner.armed(field, t).weapon, Weapon::Heavy);
    // Without it, and the enemies three apart round the one aimed at, the cluster's blasts
    // reach them all.
    field.stock[static_cast<int>(Weapon::Heavy)] = 0;
    field.enemies = {restingAt(20, 0, flat), restingAt(23, 0, flat), restingAt(20, 3, flat),
                     restingAt(17, 0, flat)};
    const ComputerPlayer::Throw spread = *planner.bestThrow(field, launch);
    EXPECT_EQ(planner.armed(field, spread).weapon, Weapon::Cluster);
    // An own figure within their reach of the target keeps it to the grenade; so does an empty
    // stock.
    field.own.push_back(restingAt(field.enemies[spread.target].place.x(),
                                  field.enemies[spread.target].place.z() - 4.5, flat));
    EXPECT_EQ(planner.armed(field, spread).weapon, Weapon::Grenade);
    field.own.pop_back();
    field.stock = {Weapons::endless, 0, 0, 3, 3};
    EXPECT_EQ(planner.armed(field, spread).weapon, Weapon::Grenade);
}
