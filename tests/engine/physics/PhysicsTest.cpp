// Physics containers, gravity groups and the real-time world step, on real scene objects.
#include "engine/physics/VORN_PhysicsContainer.h"
#include "engine/physics/VORN_PhysicsGroup.h"
#include "engine/physics/VORN_PhysicsWorld.h"
#include "engine/scene/VORN_Clock.h"
#include "tests/engine/physics/PhysicsTestSupport.h"
#include "tests/support/GLTest.h"

#include <list>

using namespace VORN_LIB;

namespace {

class PhysicsTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        group.gravity = VORN_Vector(0, -0.9, 0);
    }

    VORN_PhysicsGroup group;
};

} // namespace

TEST_F(PhysicsTest, OneStepUsesTheAlreadyUpdatedVelocity) {
    auto object = makeObjectAt(0, 0, 0);
    VORN_PhysicsContainer container(1.0, object.get(), VORN_Vector(0, 0, 0));
    group.add(&container);

    group.step(1.0);

    EXPECT_TRUE(vectorNear(container.velocity, 0, -0.9, 0, 0));
    EXPECT_TRUE(vectorNear(object->position, 0, -0.9, 0, 1e-12));
    EXPECT_TRUE(vectorNear(object->worldPosition, 0, -0.9, 0));
}

TEST_F(PhysicsTest, TwoHalfStepsReachTheSameVelocityButMoveLess) {
    auto object = makeObjectAt(0, 0, 0);
    VORN_PhysicsContainer container(1.0, object.get(), VORN_Vector(0, 0, 0));
    group.add(&container);

    group.step(0.5);
    EXPECT_TRUE(vectorNear(object->worldPosition, 0, -0.225, 0));
    group.step(0.5);

    EXPECT_TRUE(vectorNear(container.velocity, 0, -0.9, 0, 1e-12));
    EXPECT_TRUE(vectorNear(object->position, 0, -0.675, 0, 1e-12));
    EXPECT_TRUE(vectorNear(object->worldPosition, 0, -0.675, 0));
}

TEST_F(PhysicsTest, ZeroTimeMovesNothingButRefreshesTheWorldCache) {
    auto object = makeObjectAt(1, 2, 3);
    VORN_PhysicsContainer container(1.0, object.get(), VORN_Vector(5, 0, 0));
    group.add(&container);
    // Moved behind the cache's back: only the step's transform update can bring it in.
    object->position = VORN_Vector(4, 5, 6);

    group.step(0.0);

    EXPECT_TRUE(vectorNear(container.velocity, 5, 0, 0, 0));
    EXPECT_TRUE(vectorNear(object->position, 4, 5, 6, 0));
    EXPECT_TRUE(vectorNear(object->worldPosition, 4, 5, 6));
}

TEST_F(PhysicsTest, ATurnedObjectStillMovesAlongTheWorldVelocity) {
    // Its position is expressed in its own turned frame, so the step has to convert.
    auto object = makeObjectAt(0, 0, 0);
    object->setRotation(0, 90, 0);
    object->setWorldPosition(2, 0, 0);
    VORN_PhysicsContainer container(1.0, object.get(), VORN_Vector(1, 0, 0));
    group.gravity = VORN_Vector(0, 0, 0);
    group.add(&container);

    group.step(1.0);
    EXPECT_TRUE(vectorNear(object->worldPosition, 3, 0, 0));

    object->setRotation(90, 0, 0);
    object->setWorldPosition(0, 0, 0);
    container.velocity = VORN_Vector(0, 0, 0);
    group.gravity = VORN_Vector(0, -0.9, 0);
    group.step(1.0);
    EXPECT_TRUE(vectorNear(object->worldPosition, 0, -0.9, 0));
}

TEST_F(PhysicsTest, AContainerWithoutObjectOnlyGainsVelocity) {
    VORN_PhysicsContainer container(1.0, nullptr, VORN_Vector(0, 0, 0));
    group.add(&container);

    group.step(1.0);
    group.step(1.0);

    EXPECT_TRUE(vectorNear(container.velocity, 0, -1.8, 0, 1e-12));
}

TEST_F(PhysicsTest, TheObjectsCollisionSignalStopsItsContainer) {
    auto object = makeObjectAt(0, 0, 0);
    VORN_PhysicsContainer container(1.0, object.get(), VORN_Vector(3, -4, 5));
    auto bystander = makeObjectAt(0, 0, 0);
    VORN_PhysicsContainer other(1.0, bystander.get(), VORN_Vector(1, 1, 1));
    group.add(&container);

    emit object->collisionDetected();

    EXPECT_EQ(container.velocity[0], 0.0);
    EXPECT_EQ(container.velocity[1], 0.0);
    EXPECT_EQ(container.velocity[2], 0.0);
    EXPECT_TRUE(vectorNear(other.velocity, 1, 1, 1, 0)) << "only the object's own container stops";

    // Stopped, not frozen: the next step accelerates it again.
    group.step(0.5);
    EXPECT_TRUE(vectorNear(container.velocity, 0, -0.45, 0, 1e-12));
}

TEST_F(PhysicsTest, AContainerAddedTwiceIsSteppedTwice) {
    auto object = makeObjectAt(0, 0, 0);
    VORN_PhysicsContainer container(1.0, object.get(), VORN_Vector(0, 0, 0));
    group.add(&container);
    group.add(&container);

    group.step(1.0);

    EXPECT_TRUE(vectorNear(container.velocity, 0, -1.8, 0, 1e-12));
    EXPECT_TRUE(vectorNear(object->worldPosition, 0, -0.9 - 1.8, 0));
}

TEST_F(PhysicsTest, AddAndRemoveKeepTheListInOrder) {
    VORN_PhysicsContainer first(1.0, nullptr, VORN_Vector());
    VORN_PhysicsContainer second(1.0, nullptr, VORN_Vector());
    VORN_PhysicsContainer absent(1.0, nullptr, VORN_Vector());
    group.add(&first);
    group.add(nullptr);
    group.add(&second);
    group.add(&first);
    const std::list<VORN_PhysicsContainer*> all{&first, &second, &first};
    EXPECT_EQ(group.containers, all);

    group.remove(&absent);
    group.remove(nullptr);
    EXPECT_EQ(group.containers, all);

    group.remove(&first);
    EXPECT_EQ(group.containers, std::list<VORN_PhysicsContainer*>{&second});

    // A removed container is no longer accelerated.
    group.step(1.0);
    EXPECT_TRUE(vectorNear(first.velocity, 0, 0, 0, 0));
    EXPECT_TRUE(vectorNear(second.velocity, 0, -0.9, 0, 0));
}

TEST_F(PhysicsTest, WorldStepsByTheClockTimeSinceTheLastStep) {
    auto object = makeObjectAt(0, 0, 0);
    VORN_PhysicsContainer container(1.0, object.get(), VORN_Vector(0, 0, 0));
    group.add(&container);
    VORN_PhysicsWorld world;
    world.addGroup(&group);
    world.addGroup(nullptr);
    VORN_Clock::setManual(10000);
    world.lastTicks = VORN_Clock::now();

    VORN_Clock::advance(1000);
    world.step();
    EXPECT_EQ(world.lastTicks, 11000);
    EXPECT_TRUE(vectorNear(container.velocity, 0, -0.9, 0, 1e-12));
    EXPECT_TRUE(vectorNear(object->worldPosition, 0, -0.9, 0));

    // Two steps within the same millisecond: the second integrates nothing.
    world.step();
    EXPECT_TRUE(vectorNear(container.velocity, 0, -0.9, 0, 1e-12));
    EXPECT_TRUE(vectorNear(object->worldPosition, 0, -0.9, 0));

    VORN_Clock::advance(25);
    world.step();
    EXPECT_TRUE(vectorNear(container.velocity, 0, -0.9225, 0, 1e-12));
    EXPECT_TRUE(vectorNear(object->worldPosition, 0, -0.9 - 0.9225 * 0.025, 0));
}

TEST_F(PhysicsTest, WorldStepsEveryGroupInOrderAndRepeatedContainersTwice) {
    VORN_PhysicsGroup sideways;
    sideways.gravity = VORN_Vector(2, 0, 0);
    VORN_PhysicsContainer container(1.0, nullptr, VORN_Vector(0, 0, 0));
    group.add(&container);
    group.add(&container);
    sideways.add(&container);
    VORN_PhysicsWorld world;
    world.addGroup(&group);
    world.addGroup(&sideways);
    VORN_Clock::setManual(500);
    world.lastTicks = VORN_Clock::now();

    VORN_Clock::advance(500);
    world.step();

    EXPECT_TRUE(vectorNear(container.velocity, 1.0, -0.9, 0, 1e-12));
}

TEST_F(PhysicsTest, AWorldThatWasNeverStartedIntegratesFromTheClocksStart) {
    VORN_PhysicsContainer container(1.0, nullptr, VORN_Vector(0, 0, 0));
    group.add(&container);
    VORN_PhysicsWorld world;
    world.addGroup(&group);
    VORN_Clock::setManual(3000);

    world.step();

    EXPECT_TRUE(vectorNear(container.velocity, 0, -2.7, 0, 1e-12));
    EXPECT_EQ(world.lastTicks, 3000);
}
