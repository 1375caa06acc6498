// The rules' side of the game with no GL context anywhere in the process: this program never makes
// a GL widget and runs on Qt's offscreen platform, so it needs no display either. Placing and
// moving objects, players' figures, gravity, collision passes against the terrain, building the
// terrain and digging a crater all have to work from the processor's arithmetic alone. A GL call
// left on that path would find no context and leave the positions checked here undone.
#include "engine/physics/VORN_BoundingSphere.h"
#include "engine/physics/VORN_CollisionHandler.h"
#include "engine/physics/VORN_CollisionManger.h"
#include "engine/physics/VORN_PhysicsContainer.h"
#include "engine/physics/VORN_PhysicsGroup.h"
#include "engine/scene/VORN_Material.h"
#include "engine/scene/VORN_Object.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"
#include "tests/engine/terrain/TerrainTestSupport.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace VORN_LIB;
using terrain_test::makeLandscape;
using terrain_test::shellsOf;

namespace {

// Chosen before the test program makes its QApplication.
[[maybe_unused]] const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");

void expectNoContext() {
    ASSERT_EQ(QGuiApplication::platformName(), QString("offscreen"));
    ASSERT_EQ(QOpenGLContext::currentContext(), nullptr);
}

// As the game handles hits: the terrain stays where it is, everything else stops and is put
// where the contact says.
class StopAndPlace : public VORN_CollisionHandler {
public:
    explicit StopAndPlace(VORN_Object* terrain) : terrain(terrain) {}
    void handleCollision(VORN_Object* a, VORN_Object* b, VORN_Contact* contact) override {
        if (a != terrain) {
            emit a->collisionDetected();
            a->setWorldPosition(contact->positionA);
        }
        if (b != terrain) {
            emit b->collisionDetected();
            b->setWorldPosition(contact->positionB);
        }
    }
    VORN_Object* terrain;
};

std::unique_ptr<VORN_Object> makeObject() {
    return std::make_unique<VORN_Object>(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0),
                                         VORN_Vector(1, 1, 1), VORN_Color(1, 1, 1, 1));
}

} // namespace

TEST(NoContextTest, WorldTransformsAreExactAndReachTrackedChildren) {
    expectNoContext();
    auto root = makeObject();
    root->setPosition(0.1, 0.2, 0.3);
    EXPECT_EQ(root->worldPosition.x(), 0.1); // not 0.10000000149, as a float matrix gives it
    EXPECT_EQ(root->worldPosition.y(), 0.2);
    EXPECT_EQ(root->worldPosition.z(), 0.3);

    // A figure-like child drawn in the root's frame and following it: Rz(90) · (2, 1, 0).
    auto child = makeObject();
    child->parent = root.get();
    root->children.append(child.get());
    root->trackChildren(+1);
    child->observed = true;
    QSignalSpy moved(child.get(), &VORN_Object::positionUpdate);
    child->position = VORN_Vector(1, 1, 0);
    root->setRotation(0, 0, 90);
    root->setPosition(1, 0, 0);
    ASSERT_EQ(moved.count(), 2);
    EXPECT_EQ(child->worldPosition.x(), -1.0);
    EXPECT_EQ(child->worldPosition.y(), 2.0);
    EXPECT_EQ(child->worldPosition.z(), 0.0);
    EXPECT_EQ(moved.last().at(0).value<VORN_Vector>().y(), 2.0);
    EXPECT_EQ(child->worldOrientation[0][1], 1.0); // the local x axis now points up, exactly
    EXPECT_EQ(child->worldOrientation[0][0], 0.0);

    // Placing by world position goes through the turned parent's frame.
    child->setWorldPosition(0.5, -3, 7);
    EXPECT_NEAR(child->worldPosition.x(), 0.5, 1e-15);
    EXPECT_NEAR(child->worldPosition.y(), -3, 1e-15);
    EXPECT_NEAR(child->worldPosition.z(), 7, 1e-15);
    root->children.clear();
}

TEST(NoContextTest, PlayersFiguresFallOntoTheTerrainAndIntoAFreshCrater) {
    expectNoContext();
    // A 17 × 17 plateau over 16 × 16 units, 5 units high, standing at (0, 1, 0): ground at y = 6.
    Bitmap picture;
    terrain_test::fillGrey(picture, 17, 17, [](int, int) { return 255; });
    auto land = makeLandscape();
    land->setSize(16, 16, 5, 1, 1);
    land->setPosition(0, 1, 0);
    land->createFromBitmap(picture);
    EXPECT_EQ(land->surfaceHeight(3.5, -2.25), 6.0);
    EXPECT_EQ(land->surfacePoint(VORN_Vector(-4, 40, 4)).y(), 6.0);

    // The crater reaches the base at its centre and stands d² / 3 above it within its radius.
    land->createCrater(VORN_Vector(0, 6, 0), 3);
    EXPECT_EQ(land->surfaceHeight(0, 0), 1.0);
    EXPECT_NEAR(land->surfaceHeight(2, 0), 1 + 4.0 / 3, 1e-12);
    EXPECT_EQ(land->surfaceHeight(6, 6), 6.0);
    EXPECT_LT(land->normal(8, 10)[0], -0.01); // leaning towards the centre
    // Nothing has been recorded: every list waits for the first draw.
    EXPECT_TRUE(land->listsStale);
    for (const auto* shell : shellsOf(*land))
        EXPECT_EQ(shell->listName, 0u);

    // Two figures of a player, one over the crater, one over the plateau.
    std::srand(7);
    StopAndPlace handler(land.get());
    VORN_CollisionManger collisions(&handler);
    collisions.addVolume(land.get());
    VORN_PhysicsGroup gravity;
    gravity.gravity = VORN_Vector(0, -0.9, 0);
    {
        Player player(VORN_Color(1, 0.5, 0, 1));
        player.createFigures(2, -6, 6, -6, 6);
        player.registerWith(nullptr, &collisions, &gravity);
        Tortoise* inCrater = player.figure(0);
        Tortoise* onPlateau = player.figure(1);
        inCrater->setWorldPosition(0, 3, 0);
        onPlateau->setWorldPosition(5, 7.5, -5);

        VORN_Vector settled;
        for (int tick = 0; tick < 160; ++tick) { // 4 s, as the game's tick loop runs
            collisions.checkCollisions();
            gravity.step(0.025);
            collisions.checkCollisions();
            if (tick == 150)
                settled = inCrater->worldPosition;
        }
        // At rest on the ground, a figure's radius above it (a hop of one tick's fall at most).
        // In the bowl the terrain's quick closest point takes a wall's plane beyond its triangle,
        // which holds a figure higher than on flat ground, but well below two radii.
        const double radius = player.sphere(0)->radius;
        const VORN_Vector bottom = inCrater->worldPosition;
        EXPECT_EQ((bottom - settled).lengthSquared(), 0.0);
        EXPECT_LT(std::hypot(bottom.x(), bottom.z()), 0.5);
        const double clearance = bottom.y() - land->surfaceHeight(bottom.x(), bottom.z());
        EXPECT_GE(clearance, radius - 0.01);
        EXPECT_LT(clearance, 2 * radius);
        EXPECT_EQ(onPlateau->worldPosition.x(), 5.0);
        EXPECT_NEAR(onPlateau->worldPosition.y(), 6 + radius, 0.03);
        EXPECT_GE(onPlateau->worldPosition.y(), 6 + radius - 0.01);
        EXPECT_EQ(onPlateau->worldPosition.z(), -5.0);

        // Nothing was drawn, so nothing was recorded.
        for (Tortoise* figure : {inCrater, onPlateau}) {
            EXPECT_TRUE(figure->compilePending);
            EXPECT_EQ(figure->displayList, 0u);
        }
        EXPECT_EQ(player.material->listName, 0u);
        EXPECT_EQ(VORN_Material::resetListName(), 0u);
    } // the player, its figures and material go without a context
}
