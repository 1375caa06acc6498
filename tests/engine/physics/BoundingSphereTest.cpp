// Sphere collision tests: resting overlaps, moving contacts, degenerate input and the hand-over to
// the terrain. Owners are real scene objects, so world positions come from their transforms.
#include "engine/physics/VORN_BoundingSphere.h"
#include "engine/physics/VORN_PhysicsContainer.h"
#include "tests/engine/physics/PhysicsTestSupport.h"
#include "tests/support/GLTest.h"

#include <memory>

using namespace VORN_LIB;

namespace {

using Contact = std::unique_ptr<VORN_Contact>;

// Stands in for the terrain: answers a test from its own side with a fixed record.
class FakeTerrain : public VORN_BoundingVolume {
public:
    explicit FakeTerrain(void* owner) : VORN_BoundingVolume(2, owner) {}

    VORN_Contact* intersect(VORN_BoundingVolume* other) override {
        asked = other;
        if (!answer)
            return nullptr;
        VORN_Contact* contact = new VORN_Contact;
        contact->positionA = VORN_Vector(1, 2, 3); // the terrain's side
        contact->positionB = VORN_Vector(4, 5, 6); // the sphere's side
        contact->directionA = VORN_Vector(0, 1, 0);
        contact->directionB = VORN_Vector(0, -1, 0);
        return contact;
    }

    bool answer = true;
    VORN_BoundingVolume* asked = nullptr;
};

class BoundingSphereTest : public GLTest {
protected:
    // Spheres of radius 1 at (0, 0, 0) and (1.5, 0, 0), bound straight to their objects.
    void SetUp() override {
        GLTest::SetUp();
        objectA = makeObjectAt(0, 0, 0);
        objectB = makeObjectAt(1.5, 0, 0);
        sphereA = std::make_unique<VORN_BoundingSphere>(1.0, objectA.get());
        sphereB = std::make_unique<VORN_BoundingSphere>(1.0, objectB.get());
    }

    // Rebinds a sphere to a container of its object with the given velocity.
    void giveVelocity(VORN_BoundingSphere& sphere, std::unique_ptr<VORN_PhysicsContainer>& slot,
                      const VORN_Vector& velocity) {
        slot = std::make_unique<VORN_PhysicsContainer>(1.0, static_cast<VORN_Object*>(sphere.owner),
                                                       velocity);
        sphere.owner = slot.get();
        sphere.ownerIsContainer = true;
    }

    std::unique_ptr<VORN_Object> objectA, objectB;
    std::unique_ptr<VORN_BoundingSphere> sphereA, sphereB;
    std::unique_ptr<VORN_PhysicsContainer> containerA, containerB;
};

} // namespace

TEST_F(BoundingSphereTest, OwnerObjectLooksThroughContainers) {
    EXPECT_EQ(sphereA->ownerObject(), objectA.get());
    giveVelocity(*sphereA, containerA, VORN_Vector());
    EXPECT_EQ(sphereA->ownerObject(), objectA.get());
    containerA->object = nullptr;
    EXPECT_EQ(sphereA->ownerObject(), nullptr);
    sphereA->owner = nullptr;
    EXPECT_EQ(sphereA->ownerObject(), nullptr);
}

TEST_F(BoundingSphereTest, RestingOverlapIsSplitByTheMovableFlags) {
    struct Case {
        const char* name;
        bool movableA, movableB;
        double ax, bx;
    };
    const Case cases[] = {
        {"both movable", true, true, -0.25, 1.75},
        {"only B movable", false, true, 0.0, 2.0},
        {"only A movable", true, false, -0.5, 1.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sphereA->movable = c.movableA;
        sphereB->movable = c.movableB;
        const Contact contact(sphereA->intersect(sphereB.get()));
        ASSERT_TRUE(contact);
        EXPECT_TRUE(vectorNear(contact->positionA, c.ax, 0, 0));
        EXPECT_TRUE(vectorNear(contact->positionB, c.bx, 0, 0));
        EXPECT_TRUE(vectorNear(contact->directionA, -1, 0, 0));
        EXPECT_TRUE(vectorNear(contact->directionB, 1, 0, 0));
    }

    sphereA->movable = false;
    sphereB->movable = false;
    EXPECT_EQ(sphereA->intersect(sphereB.get()), nullptr);
}

TEST_F(BoundingSphereTest, TouchingCountsAndAHairApartDoesNot) {
    sphereA->movable = true;
    sphereB->movable = true;
    objectB->setPosition(0, 2, 0);
    const Contact touching(sphereA->intersect(sphereB.get()));
    ASSERT_TRUE(touching);
    EXPECT_TRUE(vectorNear(touching->positionA, 0, 0, 0));
    EXPECT_TRUE(vectorNear(touching->positionB, 0, 2, 0));
    EXPECT_TRUE(vectorNear(touching->directionA, 0, -1, 0));

    objectB->setPosition(0, 2.0001, 0);
    EXPECT_EQ(sphereA->intersect(sphereB.get()), nullptr);
}

TEST_F(BoundingSphereTest, NullSelfAndUnknownKindsGiveNoContact) {
    sphereA->movable = true;
    EXPECT_EQ(sphereA->intersect(nullptr), nullptr);
    EXPECT_EQ(sphereA->intersect(sphereA.get()), nullptr);

    FakeTerrain unknown(objectB.get());
    unknown.kind = 3;
    EXPECT_EQ(sphereA->intersect(&unknown), nullptr);
    EXPECT_EQ(unknown.asked, nullptr);
}

TEST_F(BoundingSphereTest, AVolumeWithoutObjectGivesNoContact) {
    sphereA->movable = true;
    sphereB->movable = true;
    giveVelocity(*sphereB, containerB, VORN_Vector(0, -1, 0));
    containerB->object = nullptr;
    EXPECT_EQ(sphereA->intersect(sphereB.get()), nullptr);
    EXPECT_EQ(sphereB->intersect(sphereA.get()), nullptr);

    sphereB->owner = nullptr;
    sphereB->ownerIsContainer = false;
    EXPECT_EQ(sphereA->intersect(sphereB.get()), nullptr);
}

TEST_F(BoundingSphereTest, MovingContactGoesBackToTheFirstTouch) {
    giveVelocity(*sphereA, containerA, VORN_Vector(1, 0, 0));
    const Contact contact(sphereA->intersect(sphereB.get()));
    ASSERT_TRUE(contact);
    // t = -0.5 s: A was half a unit further back, B has been resting there all along.
    EXPECT_TRUE(vectorNear(contact->positionA, -0.5, 0, 0));
    EXPECT_TRUE(vectorNear(contact->positionB, 1.5, 0, 0));
    EXPECT_TRUE(vectorNear(contact->directionA, 1, 0, 0));
    EXPECT_TRUE(vectorNear(contact->directionB, 0, 0, 0, 0));
}

TEST_F(BoundingSphereTest, MovingContactStepsBackByTheDistanceTravelledToJustTouching) {
    // t is the time of first touch in seconds (negative); each object goes back along its own
    // path by the distance it travelled since, |t| times its speed, so the spheres end just
    // touching whatever the speeds. A pair already moving apart stays where it is.
    struct Case {
        const char* name;
        VORN_Vector vA, vB;
        double ax, bx;
    };
    const Case cases[] = {
        {"A slow: t = -2", VORN_Vector(0.25, 0, 0), VORN_Vector(0, 0, 0), -0.5, 1.5},
        {"A fast: t = -0.125", VORN_Vector(4, 0, 0), VORN_Vector(0, 0, 0), -0.5, 1.5},
        {"head on: t = -0.25", VORN_Vector(1, 0, 0), VORN_Vector(-1, 0, 0), -0.25, 1.75},
        {"B catches up: t = -0.25", VORN_Vector(-1, 0, 0), VORN_Vector(-3, 0, 0), 0.25, 2.25},
        {"A moving away", VORN_Vector(-0.5, 0, 0), VORN_Vector(0, 0, 0), 0, 1.5},
        {"both moving apart", VORN_Vector(-1, 0, 0), VORN_Vector(2, 0, 0), 0, 1.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        giveVelocity(*sphereA, containerA, c.vA);
        giveVelocity(*sphereB, containerB, c.vB);
        const Contact contact(sphereA->intersect(sphereB.get()));
        ASSERT_TRUE(contact);
        EXPECT_TRUE(vectorNear(contact->positionA, c.ax, 0, 0));
        EXPECT_TRUE(vectorNear(contact->positionB, c.bx, 0, 0));
        sphereA->owner = objectA.get();
        sphereB->owner = objectB.get();
    }

    // Touching exactly while moving apart: kept in place, not put on the far side.
    objectB->setPosition(2, 0, 0);
    giveVelocity(*sphereA, containerA, VORN_Vector(0, 0, -3));
    giveVelocity(*sphereB, containerB, VORN_Vector(1, 0, 0));
    const Contact apart(sphereA->intersect(sphereB.get()));
    ASSERT_TRUE(apart);
    EXPECT_TRUE(vectorNear(apart->positionA, 0, 0, 0));
    EXPECT_TRUE(vectorNear(apart->positionB, 2, 0, 0));
}

TEST_F(BoundingSphereTest, MovingContactIgnoresTheMovableFlags) {
    giveVelocity(*sphereB, containerB, VORN_Vector(0, -2, 0));
    objectB->setPosition(0, 1.5, 0);
    const Contact contact(sphereA->intersect(sphereB.get()));
    ASSERT_TRUE(contact);
    EXPECT_TRUE(vectorNear(contact->positionA, 0, 0, 0));
    // t = -0.25 s at 2 units/s: half a unit back along (0, -1, 0), just touching A.
    EXPECT_TRUE(vectorNear(contact->positionB, 0, 2, 0));
    EXPECT_TRUE(vectorNear(contact->directionA, 0, 0, 0, 0));
    EXPECT_TRUE(vectorNear(contact->directionB, 0, -1, 0));
}

TEST_F(BoundingSphereTest, EqualVelocitiesAreARestingOverlap) {
    sphereA->movable = true;
    giveVelocity(*sphereA, containerA, VORN_Vector(0, -1, 0));
    giveVelocity(*sphereB, containerB, VORN_Vector(0, -1, 0));
    const Contact contact(sphereA->intersect(sphereB.get()));
    ASSERT_TRUE(contact);
    EXPECT_TRUE(vectorNear(contact->positionA, -0.5, 0, 0));
    EXPECT_TRUE(vectorNear(contact->positionB, 1.5, 0, 0));
    EXPECT_TRUE(vectorNear(contact->directionA, -1, 0, 0));
}

TEST_F(BoundingSphereTest, GrazingTouchWhileMovingIsNoContact) {
    objectB->setPosition(2, 0, 0);
    giveVelocity(*sphereA, containerA, VORN_Vector(0, 1, 0));
    EXPECT_EQ(sphereA->intersect(sphereB.get()), nullptr);
}

TEST_F(BoundingSphereTest, DegenerateInputNeverGivesNaN) {
    sphereA->movable = true;
    sphereB->movable = true;
    objectB->setPosition(0, 0, 0);
    {
        SCOPED_TRACE("coincident centres at rest: zero normals, positions kept");
        const Contact contact(sphereA->intersect(sphereB.get()));
        ASSERT_TRUE(contact);
        EXPECT_TRUE(vectorNear(contact->positionA, 0, 0, 0, 0));
        EXPECT_TRUE(vectorNear(contact->positionB, 0, 0, 0, 0));
        EXPECT_TRUE(vectorNear(contact->directionA, 0, 0, 0, 0));
        EXPECT_TRUE(vectorNear(contact->directionB, 0, 0, 0, 0));
    }
    {
        SCOPED_TRACE("coincident centres, A moving");
        giveVelocity(*sphereA, containerA, VORN_Vector(1, 0, 0));
        const Contact contact(sphereA->intersect(sphereB.get()));
        ASSERT_TRUE(contact);
        EXPECT_TRUE(vectorNear(contact->positionA, -2, 0, 0));
        EXPECT_TRUE(vectorNear(contact->positionB, 0, 0, 0));
    }
    objectB->setPosition(1.5, 0, 0);
    // A speed whose square underflows to 0 counts as resting; every other speed, however tiny
    // or huge, gives finite positions with B (at rest) kept in place.
    {
        containerA->velocity = VORN_Vector(1e-200, 0, 0);
        const Contact contact(sphereA->intersect(sphereB.get()));
        ASSERT_TRUE(contact);
        EXPECT_NEAR(contact->positionA.x(), -0.25, 1e-9);
        EXPECT_NEAR(contact->positionB.x(), 1.75, 1e-9);
    }
    for (const double speed : {1e-160, 1e-3, 1e150, 1e200, 1e300}) {
        SCOPED_TRACE(speed);
        containerA->velocity = VORN_Vector(speed, 0, 0);
        const Contact contact(sphereA->intersect(sphereB.get()));
        ASSERT_TRUE(contact);
        EXPECT_TRUE(allFinite(contact->positionA));
        EXPECT_TRUE(allFinite(contact->positionB));
        EXPECT_TRUE(allFinite(contact->directionA));
        EXPECT_TRUE(allFinite(contact->directionB));
        EXPECT_LT(contact->positionA.x(), 0.0);
        EXPECT_NEAR(contact->positionB.x(), 1.5, 1e-9);
    }
    {
        SCOPED_TRACE("point spheres on one spot");
        sphereA->radius = 0;
        sphereB->radius = 0;
        objectB->setPosition(0, 0, 0);
        containerA->velocity = VORN_Vector(0, 0, 0);
        const Contact contact(sphereA->intersect(sphereB.get()));
        ASSERT_TRUE(contact);
        EXPECT_TRUE(vectorNear(contact->positionA, 0, 0, 0, 0));
        EXPECT_TRUE(vectorNear(contact->directionA, 0, 0, 0, 0));
        containerA->velocity = VORN_Vector(1, 0, 0);
        EXPECT_EQ(sphereA->intersect(sphereB.get()), nullptr);
    }
}

TEST_F(BoundingSphereTest, TerrainAnswersWithItsSidesSwapped) {
    FakeTerrain terrain(objectB.get());
    const Contact contact(sphereA->intersect(&terrain));
    EXPECT_EQ(terrain.asked, sphereA.get());
    ASSERT_TRUE(contact);
    EXPECT_TRUE(vectorNear(contact->positionA, 4, 5, 6, 0));
    EXPECT_TRUE(vectorNear(contact->positionB, 1, 2, 3, 0));
    EXPECT_TRUE(vectorNear(contact->directionA, 0, -1, 0, 0));
    EXPECT_TRUE(vectorNear(contact->directionB, 0, 1, 0, 0));

    terrain.answer = false;
    EXPECT_EQ(sphereA->intersect(&terrain), nullptr);
}
