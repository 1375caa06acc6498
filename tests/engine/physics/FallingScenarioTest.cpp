// A whole tick loop as the game runs it: collision pass, physics step, collision pass, with the
// clock driven by hand. An object falls under gravity onto a fixed sphere and comes to rest.
#include "engine/physics/VORN_BoundingSphere.h"
#include "engine/physics/VORN_CollisionHandler.h"
#include "engine/physics/VORN_CollisionManger.h"
#include "engine/physics/VORN_PhysicsContainer.h"
#include "engine/physics/VORN_PhysicsGroup.h"
#include "engine/physics/VORN_PhysicsWorld.h"
#include "engine/scene/VORN_Clock.h"
#include "tests/engine/physics/PhysicsTestSupport.h"
#include "tests/support/GLTest.h"

using namespace VORN_LIB;

namespace {

// What the game does with a hit: stop both objects, then put them where the record says.
class StopAndPlace : public VORN_CollisionHandler {
public:
    void handleCollision(VORN_Object* a, VORN_Object* b, VORN_Contact* contact) override {
        emit a->collisionDetected();
        emit b->collisionDetected();
        a->setWorldPosition(contact->positionA);
        b->setWorldPosition(contact->positionB);
        ++hits;
    }

    int hits = 0;
};

} // namespace

using FallingScenarioTest = GLTest;

TEST_F(FallingScenarioTest, AFallingObjectComesToRestOnAFixedSphere) {
    // A lamp-like fixed sphere of radius 1 at the origin, a figure-like movable sphere of
    // radius 0.3 bound to its container, dropped from 2 units up.
    auto lamp = makeObjectAt(0, 0, 0);
    VORN_BoundingSphere lampSphere(1.0, lamp.get());
    auto figure = makeObjectAt(0, 2, 0);
    VORN_PhysicsContainer container(1.0, figure.get(), VORN_Vector(0, 0, 0));
    VORN_BoundingSphere figureSphere(0.3, &container);
    figureSphere.ownerIsContainer = true;
    figureSphere.movable = true;

    VORN_PhysicsGroup gravity;
    gravity.gravity = VORN_Vector(0, -0.9, 0);
    gravity.add(&container);
    VORN_PhysicsWorld world;
    world.addGroup(&gravity);
    StopAndPlace handler;
    VORN_CollisionManger collisions(&handler);
    collisions.addVolume(&lampSphere);
    collisions.addVolume(&figureSphere);

    VORN_Clock::setManual(1000);
    world.lastTicks = VORN_Clock::now();
    int firstHit = -1;
    for (int tick = 0; tick < 120; ++tick) {
        collisions.checkCollisions();
        VORN_Clock::advance(25);
        world.step();
        collisions.checkCollisions();
        if (handler.hits > 0 && firstHit < 0)
            firstHit = tick;
        // Never more than a sliver inside the lamp at the end of a tick: a moving contact steps
        // back to where it first touched, and a resting overlap is pushed out by the next pass.
        ASSERT_GE(figure->worldPosition.y(), 1.3 - 0.01) << "tick " << tick;
    }

    // 0.7 units at 0.9 units/s² take about 1.25 s, i.e. some 50 ticks.
    EXPECT_GE(firstHit, 45);
    EXPECT_LE(firstHit, 55);
    // At rest it hops by at most one tick's slow fall above the lamp.
    EXPECT_NEAR(figure->worldPosition.x(), 0, 1e-9);
    EXPECT_NEAR(figure->worldPosition.y(), 1.3, 0.03);
    EXPECT_NEAR(figure->worldPosition.z(), 0, 1e-9);
    EXPECT_EQ(container.velocity[0], 0.0);
    // Stopped by the last contact, or at most one tick of gravity since.
    EXPECT_LE(container.velocity[1], 0.0);
    EXPECT_GE(container.velocity[1], -0.9 * 0.025 - 1e-12);
    EXPECT_EQ(container.velocity[2], 0.0);
    EXPECT_TRUE(vectorNear(lamp->worldPosition, 0, 0, 0));
}
