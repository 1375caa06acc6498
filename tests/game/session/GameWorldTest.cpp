// The world the game window builds before the first round, and the collision callback that moves
// and stops the objects of a round. World units, y up, angles in degrees.
#include "tests/support/GameDriver.h"

#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <GL/gl.h>
#include <QSignalSpy>

using namespace GameDriver;
using VORN_LIB::VORN_BoundingVolume;
using VORN_LIB::VORN_Contact;
using VORN_LIB::VORN_Object;
using VORN_LIB::VORN_Vector;

namespace {

class WorldScenario : public GameScenario {};

void expectNear(const VORN_Vector& actual, const VORN_Vector& expected, double tolerance,
                const char* what) {
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << what << " component " << i;
}

} // namespace

TEST_F(WorldScenario, NewWindowHoldsLampsTerrainAndAnIdleGrenade) {
    // Collisions: the four lamp spheres, then the terrain, and nothing else.
    const std::vector<const VORN_BoundingVolume*> volumes(g.collisions.volumes.begin(),
                                                          g.collisions.volumes.end());
    ASSERT_EQ(volumes.size(), 5u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(volumes[i], &g.lampSpheres[i]) << "lamp sphere " << i;
        EXPECT_EQ(g.lampSpheres[i].ownerObject(), &g.lamps[i]);
        EXPECT_DOUBLE_EQ(g.lampSpheres[i].radius, 0.1);
        EXPECT_FALSE(g.lampSpheres[i].movable);
    }
    EXPECT_EQ(volumes[4], static_cast<const VORN_BoundingVolume*>(&g.landscape));

    // The scene draws the lamps and the terrain, lit.
    EXPECT_TRUE(g.scene.lighting);
    ASSERT_EQ(g.scene.children.size(), 5);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(g.scene.children[i], &g.lamps[i]);
    EXPECT_EQ(g.scene.children[4], &g.landscape);

    // Lamps above the corners of the middle of the valley, turned to shine down, switched on.
    const VORN_Vector places[4] = {VORN_Vector(20, 7, 20), VORN_Vector(-20, 7, 20),
                                   VORN_Vector(20, 7, -20), VORN_Vector(-20, 7, -20)};
    g.makeCurrent();
    for (int i = 0; i < 4; ++i) {
        expectNear(g.lamps[i].worldPosition, places[i], 1e-9, "lamp");
        expectNear(g.lamps[i].rotation, VORN_Vector(270, 0, 0), 0, "lamp rotation");
        EXPECT_TRUE(g.lamps[i].enabled);
        EXPECT_TRUE(glIsEnabled(g.lamps[i].lightId)) << "light of lamp " << i;
        EXPECT_EQ(g.lamps[i].material, g.lampMaterial);
    }
    // Every lamp has its own GL light.
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            EXPECT_NE(g.lamps[i].lightId, g.lamps[j].lightId);

    // The grenade waits at (0, 6, 0), outside every list until a throw is prepared.
    expectNear(g.grenade.worldPosition, VORN_Vector(0, 6, 0), 1e-9, "grenade");
    EXPECT_DOUBLE_EQ(g.grenade.size, 0.1);
    EXPECT_NE(g.grenade.displayList, 0u);
    EXPECT_EQ(inScene(&g.grenade), 0);
    EXPECT_EQ(inCollisions(&g.grenadeSphere), 0);
    EXPECT_EQ(inGravity(&g.grenadeBody), 0);
    EXPECT_TRUE(g.gravityGroup.containers.empty());
    EXPECT_TRUE(g.grenadeSphere.movable);
    EXPECT_TRUE(g.grenadeSphere.ownerIsContainer);
    EXPECT_EQ(g.grenadeSphere.ownerObject(), &g.grenade);

    // One gravity group, pulling down by 0.9 units per second squared.
    ASSERT_EQ(g.physicsWorld.groups.size(), 1u);
    EXPECT_EQ(g.physicsWorld.groups.front(), &g.gravityGroup);
    expectNear(g.gravityGroup.gravity, VORN_Vector(0, -0.9, 0), 0, "gravity");

    // The terrain: 160 × 80 units, 5 high, one unit up, textured.
    EXPECT_DOUBLE_EQ(g.landscape.sizeX, 160);
    EXPECT_DOUBLE_EQ(g.landscape.sizeZ, 80);
    EXPECT_DOUBLE_EQ(g.landscape.heightScale, 5);
    expectNear(g.landscape.worldPosition, VORN_Vector(0, 1, 0), 0, "terrain");
    EXPECT_NE(g.terrainTexture, 0u);
    EXPECT_EQ(g.landscape.texture, &g.terrainTexture);
    EXPECT_EQ(g.landscape.material, g.terrainMaterial);
    EXPECT_NE(g.aimArrowList, 0u);
    EXPECT_TRUE(timerWasRunning());
}

TEST_F(WorldScenario, CameraLooksIntoTheValleyThroughFog) {
    const VORN_LIB::VORN_Viewport& v = *g.viewport;
    ASSERT_EQ(g.viewports.size(), 1u);
    EXPECT_EQ(g.viewports.front(), g.viewport);
    EXPECT_TRUE(v.outlines);
    EXPECT_TRUE(v.fog);
    EXPECT_TRUE(v.texturing);
    EXPECT_FLOAT_EQ(v.fogDensity, 0.04f);
    EXPECT_FLOAT_EQ(v.fogColor[0], 0);
    EXPECT_FLOAT_EQ(v.fogColor[1], 0);
    EXPECT_FLOAT_EQ(v.fogColor[2], 0.2f);
    EXPECT_FLOAT_EQ(v.fogColor[3], 0.5f);
    EXPECT_DOUBLE_EQ(v.fieldOfView, 45);
    EXPECT_DOUBLE_EQ(v.nearPlane, 0.001);
    EXPECT_DOUBLE_EQ(v.farPlane, 50);
    EXPECT_DOUBLE_EQ(v.distance, -5);
    expectNear(v.position, VORN_Vector(0, 4, 2), 0, "look-at point");
    EXPECT_DOUBLE_EQ(v.yaw, 0);
    EXPECT_DOUBLE_EQ(v.pitch, 0);
    EXPECT_EQ(v.attached, nullptr);

    // The camera covers the whole widget.
    frame();
    EXPECT_EQ(v.x, 0);
    EXPECT_EQ(v.y, 0);
    EXPECT_EQ(v.width, g.width());
    EXPECT_EQ(v.height, g.height());
}

TEST_F(WorldScenario, CollisionsStopAndMoveEverythingButTheTerrain) {
    startRound(2, 1, 3);
    toMoving();
    Tortoise* figure = g.players[0]->figures[0];
    VORN_LIB::VORN_PhysicsContainer* body = g.players[0]->bodies[0];
    const VORN_Vector terrainPlace = g.landscape.worldPosition;
    const VORN_Vector terrainLocal = g.landscape.position;
    QSignalSpy figureHits(figure, &VORN_Object::collisionDetected);
    QSignalSpy terrainHits(&g.landscape, &VORN_Object::collisionDetected);

    // A figure against the terrain: the figure stops and goes to its corrected place.
    body->velocity = VORN_Vector(1, -2, 3);
    VORN_Contact contact;
    contact.positionA = VORN_Vector(10, 3, -5);
    contact.positionB = VORN_Vector(-30, -20, 7);
    g.handleCollision(figure, &g.landscape, &contact);
    EXPECT_EQ(figureHits.count(), 1);
    expectNear(body->velocity, VORN_Vector(0, 0, 0), 0, "figure velocity");
    expectNear(figure->worldPosition, contact.positionA, 1e-9, "figure");
    EXPECT_EQ(g.impactState, ImpactState::Flying);

    // The same pair the other way round: the terrain stays where it is.
    body->velocity = VORN_Vector(0, -1, 0);
    g.handleCollision(&g.landscape, figure, &contact);
    EXPECT_EQ(figureHits.count(), 2);
    expectNear(body->velocity, VORN_Vector(0, 0, 0), 0, "figure velocity");
    expectNear(figure->worldPosition, contact.positionB, 1e-9, "figure");
    EXPECT_EQ(terrainHits.count(), 0);
    expectNear(g.landscape.worldPosition, terrainPlace, 0, "terrain");
    expectNear(g.landscape.position, terrainLocal, 0, "terrain");

    // A grenade hit marks the impact and stops the grenade, whichever side it is on.
    Tortoise* other = g.players[1]->figures[0];
    g.grenadeBody.velocity = VORN_Vector(0, -4, 1);
    contact.positionA = VORN_Vector(1, 2, 3);
    contact.positionB = VORN_Vector(4, 5, 6);
    g.handleCollision(other, &g.grenade, &contact);
    EXPECT_EQ(g.impactState, ImpactState::Hit);
    expectNear(g.grenadeBody.velocity, VORN_Vector(0, 0, 0), 0, "grenade velocity");
    expectNear(other->worldPosition, contact.positionA, 1e-9, "hit figure");
    expectNear(g.grenade.worldPosition, contact.positionB, 1e-9, "grenade");

    g.impactState = ImpactState::Flying;
    g.grenadeBody.velocity = VORN_Vector(0, -4, 1);
    g.handleCollision(&g.grenade, &g.landscape, &contact);
    EXPECT_EQ(g.impactState, ImpactState::Hit);
    expectNear(g.grenadeBody.velocity, VORN_Vector(0, 0, 0), 0, "grenade velocity");
    expectNear(g.grenade.worldPosition, contact.positionA, 1e-9, "grenade");
    expectNear(g.landscape.worldPosition, terrainPlace, 0, "terrain");
}

TEST_F(WorldScenario, FallingFiguresComeToRestOnTheTerrain) {
    startRound(2, 3, 11);
    // Frozen through the countdown: the figures hang at their start height.
    ticksFor(2);
    for (unsigned i = 0; i < 2; ++i)
        for (unsigned j = 0; j < 3; ++j)
            EXPECT_DOUBLE_EQ(g.players[i]->figures[j]->worldPosition.y(), 5.0);

    toMoving();
    ticksFor(6);
    // Gravity brought every figure down; the terrain pass keeps its sphere (radius 0.3) on the
    // ground instead of letting it sink.
    for (unsigned i = 0; i < 2; ++i) {
        for (unsigned j = 0; j < 3; ++j) {
            const VORN_Vector p = g.players[i]->figures[j]->worldPosition;
            const double groundY = ground(p.x(), p.z()).y();
            EXPECT_LT(p.y(), 5.0);
            EXPECT_GT(p.y(), groundY) << "figure " << i << "/" << j << " sank into the ground";
            EXPECT_LT(p.y(), groundY + 0.4) << "figure " << i << "/" << j << " floats";
        }
    }
}
