// The world the game window builds before the first round: its lamps, the valley and the idle
// grenade, and the camera. (How a round moves that world is the match's tests.) World units, y up,
// angles in degrees.
#include "tests/support/GameDriver.h"

#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <GL/gl.h>

using namespace GameDriver;
using VORN_LIB::VORN_BoundingVolume;
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
    const std::vector<const VORN_BoundingVolume*> volumes(g.match->collisions().volumes.begin(),
                                                          g.match->collisions().volumes.end());
    ASSERT_EQ(volumes.size(), 5u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(volumes[i], &g.match->lampSpheres()[i]) << "lamp sphere " << i;
        // Each sphere's owner stands where its lamp is drawn.
        ASSERT_NE(g.match->lampSpheres()[i].ownerObject(), nullptr);
        expectNear(g.match->lampSpheres()[i].ownerObject()->worldPosition,
                   g.battlefield().lamps()[i].worldPosition, 1e-9, "lamp place");
        EXPECT_DOUBLE_EQ(g.match->lampSpheres()[i].radius, 0.1);
        EXPECT_FALSE(g.match->lampSpheres()[i].movable);
    }
    EXPECT_EQ(volumes[4], static_cast<const VORN_BoundingVolume*>(&g.match->landscape()));

    // The scene draws the lamps, the moon and the terrain, lit.
    EXPECT_TRUE(g.match->scene().lighting);
    ASSERT_EQ(g.match->scene().children.size(), 6);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(g.match->scene().children[i], &g.battlefield().lamps()[i]);
    EXPECT_EQ(g.match->scene().children[5], &g.match->landscape());

    // Lamps above the corners of the middle of the valley, turned to shine down, switched on.
    const VORN_Vector places[4] = {VORN_Vector(20, 7, 20), VORN_Vector(-20, 7, 20),
                                   VORN_Vector(20, 7, -20), VORN_Vector(-20, 7, -20)};
    g.makeCurrent();
    for (int i = 0; i < 4; ++i) {
        expectNear(g.battlefield().lamps()[i].worldPosition, places[i], 1e-9, "lamp");
        expectNear(g.battlefield().lamps()[i].rotation, VORN_Vector(270, 0, 0), 0, "lamp rotation");
        EXPECT_TRUE(g.battlefield().lamps()[i].enabled);
        EXPECT_TRUE(glIsEnabled(g.battlefield().lamps()[i].lightId)) << "light of lamp " << i;
        EXPECT_EQ(g.battlefield().lamps()[i].material, g.battlefield().lampMaterial());
    }
    // Every lamp has its own GL light.
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            EXPECT_NE(g.battlefield().lamps()[i].lightId, g.battlefield().lamps()[j].lightId);

    // The grenade waits at (0, 6, 0), outside every list until a throw is prepared.
    expectNear(g.match->grenade().worldPosition, VORN_Vector(0, 6, 0), 1e-9, "grenade");
    EXPECT_DOUBLE_EQ(g.match->grenade().size, 0.1);
    EXPECT_NE(g.match->grenade().displayList, 0u);
    EXPECT_EQ(inScene(&g.match->grenade()), 0);
    EXPECT_EQ(inCollisions(&g.match->grenadeSphere()), 0);
    EXPECT_FALSE(g.match->grenadeFlying());
    EXPECT_TRUE(g.match->gravityGroup().containers.empty());
    EXPECT_TRUE(g.match->grenadeSphere().movable);
    EXPECT_TRUE(g.match->grenadeSphere().ownerIsContainer);
    EXPECT_EQ(g.match->grenadeSphere().ownerObject(), &g.match->grenade());

    // One gravity group, pulling down by 0.9 units per second squared.
    ASSERT_EQ(g.match->physicsWorld().groups.size(), 1u);
    EXPECT_EQ(g.match->physicsWorld().groups.front(), &g.match->gravityGroup());
    expectNear(g.match->gravityGroup().gravity, VORN_Vector(0, -0.9, 0), 0, "gravity");

    // The terrain: 160 × 80 units, 5 high, one unit up, textured.
    EXPECT_DOUBLE_EQ(g.match->landscape().sizeX, 160);
    EXPECT_DOUBLE_EQ(g.match->landscape().sizeZ, 80);
    EXPECT_DOUBLE_EQ(g.match->landscape().heightScale, 5);
    expectNear(g.match->landscape().worldPosition, VORN_Vector(0, 1, 0), 0, "terrain");
    EXPECT_NE(g.battlefield().terrainTexture(), 0u);
    EXPECT_EQ(g.match->landscape().texture, &g.battlefield().terrainTexture());
    EXPECT_EQ(g.match->landscape().material, g.battlefield().terrainMaterial());
    EXPECT_NE(g.battlefield().aimArrowList(), 0u);
    EXPECT_TRUE(timerWasRunning());
}

TEST_F(WorldScenario, OneCameraCoversTheWholeWindowAtEverySize) {
    const VORN_LIB::VORN_Viewport& v = *g.viewport();
    ASSERT_EQ(g.viewports.size(), 1u);
    EXPECT_EQ(g.viewports.front(), g.viewport());
    EXPECT_EQ(v.attached, nullptr);
    for (const QSize size : {QSize(1000, 700), QSize(800, 600)}) {
        g.QWidget::resize(size);
        frame();
        EXPECT_EQ(v.x, 0);
        EXPECT_EQ(v.y, 0);
        EXPECT_EQ(v.width, size.width());
        EXPECT_EQ(v.height, size.height());
    }
}
