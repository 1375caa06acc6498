// The world a round moves, on a match with no window: the collision callback that moves and stops
// its objects, figures falling onto the valley, and a stall of seconds between two ticks, after
// which the world moves by at most a tenth of a second while the turn's clock keeps real time.
// World units, y up.
#include "tests/support/MatchScenario.h"

#include "game/rules/Rules.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <QSignalSpy>
#include <cmath>

using VORN_LIB::VORN_Contact;
using VORN_LIB::VORN_Object;
using VORN_LIB::VORN_Vector;

namespace {

class MatchWorld : public MatchScenario {};

void expectNear(const VORN_Vector& actual, const VORN_Vector& expected, double tolerance,
                const char* what) {
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << what << " component " << i;
}

double distance(const VORN_Vector& a, const VORN_Vector& b) {
    return std::sqrt((a - b).lengthSquared());
}

} // namespace

TEST_F(MatchWorld, CollisionsStopAndMoveEverythingButTheTerrain) {
    driver.startRound(2, 1, 3);
    driver.toMoving();
    Tortoise* figure = match->players()[0]->figure(0);
    VORN_LIB::VORN_PhysicsContainer* body = match->players()[0]->body(0);
    VORN_LIB::VORN_Landscape& land = match->landscape();
    const VORN_Vector terrainPlace = land.worldPosition;
    const VORN_Vector terrainLocal = land.position;
    QSignalSpy figureHits(figure, &VORN_Object::collisionDetected);
    QSignalSpy terrainHits(&land, &VORN_Object::collisionDetected);

    // A figure against the terrain: the figure stops and goes to its corrected place.
    body->velocity = VORN_Vector(1, -2, 3);
    VORN_Contact contact;
    contact.positionA = VORN_Vector(10, 3, -5);
    contact.positionB = VORN_Vector(-30, -20, 7);
    match->handleCollision(figure, &land, &contact);
    EXPECT_EQ(figureHits.count(), 1);
    expectNear(body->velocity, VORN_Vector(0, 0, 0), 0, "figure velocity");
    expectNear(figure->worldPosition, contact.positionA, 1e-9, "figure");
    EXPECT_EQ(match->impactState(), ImpactState::Flying);

    // The same pair the other way round: the terrain stays where it is.
    body->velocity = VORN_Vector(0, -1, 0);
    match->handleCollision(&land, figure, &contact);
    EXPECT_EQ(figureHits.count(), 2);
    expectNear(body->velocity, VORN_Vector(0, 0, 0), 0, "figure velocity");
    expectNear(figure->worldPosition, contact.positionB, 1e-9, "figure");
    EXPECT_EQ(terrainHits.count(), 0);
    expectNear(land.worldPosition, terrainPlace, 0, "terrain");
    expectNear(land.position, terrainLocal, 0, "terrain");

    // A grenade hit marks the impact and stops the grenade, whichever side it is on.
    Tortoise* other = match->players()[1]->figure(0);
    driver.moveGrenade(VORN_Vector(0, -4, 1), match->impactState());
    contact.positionA = VORN_Vector(1, 2, 3);
    contact.positionB = VORN_Vector(4, 5, 6);
    match->handleCollision(other, &match->grenade(), &contact);
    EXPECT_EQ(match->impactState(), ImpactState::Hit);
    expectNear(match->grenadeBody().velocity, VORN_Vector(0, 0, 0), 0, "grenade velocity");
    expectNear(other->worldPosition, contact.positionA, 1e-9, "hit figure");
    expectNear(match->grenade().worldPosition, contact.positionB, 1e-9, "grenade");

    driver.moveGrenade(VORN_Vector(0, -4, 1), ImpactState::Flying);
    match->handleCollision(&match->grenade(), &land, &contact);
    EXPECT_EQ(match->impactState(), ImpactState::Hit);
    expectNear(match->grenadeBody().velocity, VORN_Vector(0, 0, 0), 0, "grenade velocity");
    expectNear(match->grenade().worldPosition, contact.positionA, 1e-9, "grenade");
    expectNear(land.worldPosition, terrainPlace, 0, "terrain");
}

TEST_F(MatchWorld, FallingFiguresComeToRestOnTheTerrain) {
    driver.startRound(2, 3, 11);
    // Frozen through the countdown: the figures hang at their start height.
    driver.ticksFor(2);
    for (unsigned i = 0; i < 2; ++i)
        for (unsigned j = 0; j < 3; ++j)
            EXPECT_DOUBLE_EQ(match->players()[i]->figure(j)->worldPosition.y(), 5.0);

    driver.toMoving();
    driver.ticksFor(6);
    // Gravity brought every figure down; the terrain pass keeps its sphere (radius 0.3) on the
    // ground instead of letting it sink.
    for (unsigned i = 0; i < 2; ++i) {
        for (unsigned j = 0; j < 3; ++j) {
            const VORN_Vector p = match->players()[i]->figure(j)->worldPosition;
            const double groundY = driver.ground(p.x(), p.z()).y();
            EXPECT_LT(p.y(), 5.0);
            EXPECT_GT(p.y(), groundY) << "figure " << i << "/" << j << " sank into the ground";
            EXPECT_LT(p.y(), groundY + 0.4) << "figure " << i << "/" << j << " floats";
        }
    }
}

TEST_F(MatchWorld, ASecondsLongStallSlowsTheWorldForOneTickInsteadOfBreakingIt) {
    driver.startRound(9, 9, 5);
    driver.toMoving();
    driver.ticksFor(6); // everybody has dropped onto the valley and come to rest
    std::vector<Tortoise*> all;
    for (const auto& player : match->players())
        for (unsigned j = 0; player && j < player->count; ++j)
            if (player->figure(j))
                all.push_back(player->figure(j));
    ASSERT_EQ(all.size(), 81u);

    // The current figure is driven forward through the stall; the last one hangs two units above
    // its ground, at rest.
    Tortoise* driven = match->currentFigure();
    ASSERT_EQ(driven, all.front());
    Tortoise* hanging = all.back();
    driver.placeOnGround(hanging, hanging->worldPosition.x(), hanging->worldPosition.z());
    hanging->setWorldPosition(hanging->worldPosition + VORN_Vector(0, 2, 0));

    std::vector<VORN_Vector> before;
    for (const Tortoise* f : all)
        before.push_back(f->worldPosition);

    TurnCommand forward;
    forward.driveRate = -Rules::moveSpeed;
    match->apply(forward);
    driver.tick(1, 8000); // eight seconds between two ticks
    match->stopRates();
    ASSERT_EQ(match->state(), Moving);
    EXPECT_EQ(match->secondsLeft(), 46); // 14 s of the turn gone: the rules' clock keeps real time

    // A tenth of a second of driving at 2 units/s, and of falling from rest at 0.9 units/s².
    const VORN_Vector moved = driven->worldPosition - before.front();
    EXPECT_NEAR(std::hypot(moved.x(), moved.z()), 0.2, 0.01);
    // World positions pass through single-precision matrices.
    EXPECT_NEAR(hanging->worldPosition.y(), before.back().y() - 0.9 * 0.1 * 0.1, 1e-6);
    const Player* last = match->players()[8].get();
    EXPECT_NEAR(last->body(last->count - 1)->velocity.y(), -0.9 * 0.1, 1e-9);

    // Everybody else stands where they stood, give or take the slow creep of a figure resting on
    // a slope.
    driver.ticksFor(0.5);
    for (std::size_t i = 1; i + 1 < all.size(); ++i) {
        const VORN_Vector p = all[i]->worldPosition;
        SCOPED_TRACE(testing::Message()
                     << "figure " << i << " at " << p.x() << ", " << p.y() << ", " << p.z());
        EXPECT_LT(distance(p, before[i]), 0.2);
    }
}
