// Spheres against the terrain, surface queries and the quick closest-point routine. Spheres belong
// to plain objects placed with setPosition; the terrain stands at (0, 1, 0) like the game's.
#include "engine/physics/VORN_BoundingSphere.h"
#include "engine/physics/VORN_PhysicsContainer.h"
#include "tests/engine/terrain/TerrainTestSupport.h"
#include "tests/support/GLTest.h"

#include <cmath>
#include <limits>

using namespace VORN_LIB;
using namespace terrain_test;

using LandscapeCollisionTest = GLTest;

namespace {

const double notANumber = std::numeric_limits<double>::quiet_NaN();

// A 9 × 9 grid over 8 × 8 units (one unit between points), standing at (0, 1, 0).
std::unique_ptr<VORN_Landscape> makeTerrain(double heightScale,
                                            const std::function<unsigned char(int, int)>& grey,
                                            int width = 9, int height = 9) {
    auto land = makeLandscape(width, height, width - 1, height - 1, heightScale, grey);
    land->setPosition(0, 1, 0);
    return land;
}

std::unique_ptr<VORN_Landscape> flatTerrain(int width = 9, int height = 9) {
    return makeTerrain(
        1, [](int, int) { return 0; }, width, height);
}

struct Ball {
    Ball(double radius, double x, double y, double z)
        : object(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                 VORN_Color(1, 1, 1, 1)),
          sphere(radius, &object) {
        object.setPosition(x, y, z);
    }
    VORN_Object object;
    VORN_BoundingSphere sphere;
};

std::unique_ptr<VORN_Contact> hit(VORN_Landscape& land, Ball& ball) {
    return std::unique_ptr<VORN_Contact>(land.intersect(&ball.sphere));
}

// World positions are worked out in double precision: nothing but rounding is allowed for.
void expectVector(const VORN_Vector& actual, double x, double y, double z, const char* what) {
    EXPECT_NEAR(actual.x(), x, 1e-12) << what;
    EXPECT_NEAR(actual.y(), y, 1e-12) << what;
    EXPECT_NEAR(actual.z(), z, 1e-12) << what;
}

void expectVector(const VORN_Vector& actual, const VORN_Vector& expected, const char* what) {
    expectVector(actual, expected.x(), expected.y(), expected.z(), what);
}

} // namespace

TEST_F(LandscapeCollisionTest, SphereSinkingIntoFlatGroundIsPushedOutAlongTheNormal) {
    auto land = flatTerrain();
    const double places[][2] = {{0, 0}, {0.3, -0.7}, {2.5, 1.25}, {1, 1}, {-3.9, 3.9}};
    for (const auto& xz : places) {
        SCOPED_TRACE(testing::Message() << "at " << xz[0] << ", " << xz[1]);
        Ball ball(1, xz[0], 1.5, xz[1]);
        const auto contact = hit(*land, ball);
        ASSERT_TRUE(contact);
        expectVector(contact->positionA, 0, 0, 0, "slot 1");
        expectVector(contact->positionB, xz[0], 2, xz[1], "corrected centre");
        expectVector(contact->directionA, 0, 1, 0, "normal");
        expectVector(contact->directionB, 0, -0.5, 0, "centre to contact");

        // Asked from the sphere's side, the same answer comes back turned around.
        const std::unique_ptr<VORN_Contact> turned(ball.sphere.intersect(land.get()));
        ASSERT_TRUE(turned);
        expectVector(turned->positionA, xz[0], 2, xz[1], "sphere side");
        expectVector(turned->directionB, 0, 1, 0, "sphere side normal");
    }
}

TEST_F(LandscapeCollisionTest, SphereRestingExactlyOnTheSurfaceIsLeftAlone) {
    auto land = flatTerrain();
    Ball resting(1, 0.5, 2, -0.5);
    EXPECT_FALSE(hit(*land, resting));
    Ball above(1, 0.5, 2.25, -0.5);
    EXPECT_FALSE(hit(*land, above));
    Ball barelyIn(1, 0.5, 1.999, -0.5);
    const auto contact = hit(*land, barelyIn);
    ASSERT_TRUE(contact);
    EXPECT_NEAR(contact->positionB.y(), 2, 1e-9);
}

TEST_F(LandscapeCollisionTest, SphereDeepInTheGroundIsLiftedStraightUp) {
    auto land = flatTerrain();
    Ball buried(1, 1.25, -3, 0.5);
    const auto contact = hit(*land, buried);
    ASSERT_TRUE(contact);
    expectVector(contact->positionA, 0, 0, 0, "slot 1");
    expectVector(contact->positionB, 1.25, 2, 0.5, "lifted centre");
    expectVector(contact->directionA, 0, 0, 0, "no normal");
    expectVector(contact->directionB, 0, -5, 0, "depth");

    // Beyond the grid the ground lies heightScale (here 1) below the terrain's base at y = 1.
    Ball outside(1, 20, -0.5, 0);
    const auto lifted = hit(*land, outside);
    ASSERT_TRUE(lifted);
    expectVector(lifted->positionB, 20, 1, 0, "lifted outside");
    expectVector(lifted->directionB, 0, -1.5, 0, "depth outside");
    Ball restingOutside(1, 20, 1, 0);
    EXPECT_FALSE(hit(*land, restingOutside));
}

TEST_F(LandscapeCollisionTest, SlopeGivesItsOwnNormalAndTheNearestPoint) {
    // Heights rise half a unit per unit of x: local y = 0.5 x + 2.
    auto land = makeTerrain(5.1, [](int, int c) { return 25 * c; });
    const VORN_Vector n = VORN_Vector(-0.5, 1, 0) * (1 / std::sqrt(1.25));
    const double depth = 1 / std::sqrt(1.25); // one unit above the slope, measured along n
    Ball ball(1, 0, 4, 0);
    const auto contact = hit(*land, ball);
    ASSERT_TRUE(contact);
    expectVector(contact->directionA, n, "normal");
    expectVector(contact->directionB, n * -depth, "centre to contact");
    // Pushed one radius out along n, then raised to one radius above the surface point that the
    // query finds from there (its edge projections lean with the slope).
    const VORN_Vector pushed = VORN_Vector(0, 4, 0) + n * (1 - depth);
    expectVector(contact->positionB, pushed.x(), 4.588888888888889, pushed.z(), "corrected centre");
}

TEST_F(LandscapeCollisionTest, CentrePushedOutOfACreaseIsRaisedAboveTheOtherWall) {
    // A valley along z with 45-degree walls meeting at x = 0. The sphere touches the right wall
    // first; pushed along its normal, the centre ends up over the left wall too low and is raised
    // to one radius above the surface found beneath it.
    auto land = makeTerrain(5, [](int, int c) { return 51 * std::abs(c - 4); });
    Ball ball(1, 0.1, 1.5, 0.3);
    const auto contact = hit(*land, ball);
    ASSERT_TRUE(contact);
    const double h = std::sqrt(0.5);
    expectVector(contact->directionA, -h, h, 0, "right wall normal");
    expectVector(contact->directionB, 0.2, -0.2, 0, "centre to contact");
    expectVector(contact->positionB, 0.3 - h, 2 + h, 0.3, "raised centre");
}

TEST_F(LandscapeCollisionTest, TurnedAndParentedTerrainsWorkInTheirOwnFrame) {
    // Turned a quarter about y, the slope rising along local +x rises along world -z.
    auto land = makeTerrain(5.1, [](int, int c) { return 25 * c; });
    land->setRotation(0, 90, 0);
    const VORN_Vector n = VORN_Vector(0, 1, 0.5) * (1 / std::sqrt(1.25));
    const double depth = 1 / std::sqrt(1.25);
    Ball ball(1, 0, 4, 0);
    const auto contact = hit(*land, ball);
    ASSERT_TRUE(contact);
    expectVector(contact->directionA, n, "turned normal");
    expectVector(contact->directionB, n * -depth, "turned centre to contact");
    expectVector(contact->positionB, 0, 4.588888888888889, (1 - depth) * 0.5 / std::sqrt(1.25),
                 "turned centre");
    expectVector(land->surfacePoint(VORN_Vector(0, 1 + 2.5, -1)), 0, 3.5, -1, "on the slope");

    // Under a parent the terrain's frame starts at the parent's world position.
    VORN_Object base(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                     VORN_Color(1, 1, 1, 1));
    base.setPosition(10, 0, 0);
    auto flat = flatTerrain();
    flat->parent = &base;
    flat->setPosition(0, 1, 0);
    expectVector(flat->worldPosition, 10, 1, 0, "parented terrain");
    Ball shifted(1, 10.5, 1.5, 0.5);
    const auto shiftedContact = hit(*flat, shifted);
    ASSERT_TRUE(shiftedContact);
    expectVector(shiftedContact->positionB, 10.5, 2, 0.5, "parented corrected centre");
    // At world x = 0.5 the grid (world x 6 to 14) is out of reach; the ground there lies at 0.
    Ball unshifted(1, 0.5, 1.5, 0.5);
    EXPECT_FALSE(hit(*flat, unshifted));
}

TEST_F(LandscapeCollisionTest, SpheresAtTheFarEdgesOfOblongGridsStillMeetTheLastCells) {
    auto wide = flatTerrain(9, 3); // 8 × 2 units
    Ball east(1, 3.9, 1.5, 0);
    const auto eastContact = hit(*wide, east);
    ASSERT_TRUE(eastContact);
    expectVector(eastContact->directionA, 0, 1, 0, "last column normal");
    expectVector(eastContact->positionB, 3.9, 2, 0, "last column centre");

    auto deep = flatTerrain(3, 9); // 2 × 8 units
    Ball south(1, 0, 1.5, -3.9);
    const auto southContact = hit(*deep, south);
    ASSERT_TRUE(southContact);
    expectVector(southContact->directionA, 0, 1, 0, "last row normal");
}

TEST_F(LandscapeCollisionTest, OnlySpheresCollideWithTheTerrain) {
    auto land = flatTerrain();
    EXPECT_EQ(land->intersect(nullptr), nullptr);
    auto other = flatTerrain();
    EXPECT_EQ(land->intersect(other.get()), nullptr);
    EXPECT_EQ(land->kind, 2);
    EXPECT_EQ(land->ownerObject(), static_cast<VORN_Object*>(land.get()));

    // A sphere whose container moves no object has no centre to test.
    VORN_PhysicsContainer empty(1, nullptr, VORN_Vector());
    VORN_BoundingSphere loose(1, &empty);
    loose.ownerIsContainer = true;
    EXPECT_EQ(land->intersect(&loose), nullptr);

    // Through a container the moved object's centre counts.
    Ball ball(1, 0, 1.5, 0);
    VORN_PhysicsContainer carrier(1, &ball.object, VORN_Vector());
    VORN_BoundingSphere carried(1, &carrier);
    carried.ownerIsContainer = true;
    const std::unique_ptr<VORN_Contact> contact(land->intersect(&carried));
    ASSERT_TRUE(contact);
    expectVector(contact->positionB, 0, 2, 0, "carried");

    auto empty_land = makeLandscape();
    EXPECT_EQ(empty_land->intersect(&ball.sphere), nullptr);
}

TEST_F(LandscapeCollisionTest, BrokenCoordinatesNeitherCrashNorInventContacts) {
    auto land = flatTerrain();
    Ball lost(1, notANumber, notANumber, notANumber);
    EXPECT_FALSE(hit(*land, lost));
    Ball blurred(notANumber, 0, 1.5, 0);
    EXPECT_FALSE(hit(*land, blurred));

    // Far away below the outer ground: lifted like any sphere off the grid.
    Ball far(1, 1e30, -5, -1e30); // as far as a single-precision matrix can carry it
    const auto contact = hit(*land, far);
    ASSERT_TRUE(contact);
    expectVector(contact->directionA, 0, 0, 0, "far normal");
    EXPECT_DOUBLE_EQ(contact->positionB.y(), 1);
    Ball huge(1e300, 0, 0, 0);
    const auto swallowed = hit(*land, huge);
    ASSERT_TRUE(swallowed);
    expectVector(swallowed->directionA, 0, 1, 0, "huge sphere normal");

    for (const VORN_Vector& p : {VORN_Vector(notANumber, 0, 0), VORN_Vector(0, 0, notANumber),
                                 VORN_Vector(-1e300, 0, 1e300), VORN_Vector(1e19, 0, -1e19)})
        expectVector(land->localSurfacePoint(p), 0, -1, 0, "off the grid");
}

TEST_F(LandscapeCollisionTest, LocalSurfacePointFindsTheGroundUnderAPoint) {
    auto raised = makeTerrain(5, [](int, int) { return 153; }); // 0.6 × 5 = 3 units high
    expectVector(raised->localSurfacePoint(VORN_Vector(0.5, 7, 0.5)), 0.5, 3, 0.5, "cell middle");
    expectVector(raised->localSurfacePoint(VORN_Vector(-3.25, -2, 3.75)), -3.25, 3, 3.75,
                 "first cell");
    expectVector(raised->surfacePoint(VORN_Vector(2.2, 40, -1.1)), 2.2, 4, -1.1, "world");

    // Beyond the last row or column, or before the first, there is no cell.
    for (const VORN_Vector& p : {VORN_Vector(0, 3, -4.5), VORN_Vector(4.5, 3, 0),
                                 VORN_Vector(0, 3, 4.5), VORN_Vector(-4.5, 3, 0)})
        expectVector(raised->localSurfacePoint(p), 0, -5, 0, "outside");
    expectVector(raised->surfacePoint(VORN_Vector(30, 3, 0)), 0, -4, 0, "outside in the world");

    // On a slope a point lying on the surface is its own surface point.
    auto slope = makeTerrain(5.1, [](int, int c) { return 25 * c; });
    for (const VORN_Vector& p : {VORN_Vector(0.3, 2.15, -1.7), VORN_Vector(-2.6, 0.7, 0.2)})
        expectVector(slope->localSurfacePoint(p), p, "on the slope");
}

TEST_F(LandscapeCollisionTest, ClosestPointOnTriangleTakesTheQuickRoute) {
    // b is the right-angled corner; the legs run along +x (to a) and +z (to c).
    const VORN_Vector a(2, 0, 0), b(0, 0, 0), c(0, 0, 2);
    const struct {
        const char* name;
        VORN_Vector p, expected;
    } cases[] = {
        {"above the inside", {0.5, 3, 0.5}, {0.5, 0, 0.5}},
        {"behind the corner b", {-1, 1, -1}, {0, 0, 0}},
        {"beyond a", {3, 0, -1}, {2, 0, 0}},
        {"beyond c", {-1, 0, 3}, {0, 0, 2}},
        {"beyond the long side, inside the parallelogram", {1.5, -1, 1.5}, {1.5, 0, 1.5}},
        {"beside the leg b-a", {1, 0, -1}, {1, 0, 0}},
        {"beside the long side", {2.5, 0, 1.5}, {1.5, 0, 0.5}},
        {"beside the leg b-c", {-1, 0, 1}, {0, 0, 1}},
    };
    for (const auto& k : cases)
        expectVector(closestPointOnTriangle(k.p, a, b, c), k.expected, k.name);
}

TEST_F(LandscapeCollisionTest, SurfaceHeightAgreesWithSurfacePointWhereBothFindTheSurface) {
    // Across a raised plain and a slope along x, a point on the surface is its own surface point.
    auto raised = makeTerrain(5, [](int, int) { return 153; });
    auto slope = makeTerrain(5.1, [](int, int c) { return 25 * c; });
    for (VORN_Landscape* land : {raised.get(), slope.get()}) {
        for (double x = -3.95; x < 4; x += 0.37) {
            for (double z = -3.95; z < 4; z += 0.41) {
                const double h = land->surfaceHeight(x, z);
                expectVector(land->surfacePoint(VORN_Vector(x, h, z)), x, h, z, "on the surface");
            }
        }
    }
    // On hills along both axes it passes through the grid's own heights.
    auto hills = makeTerrain(5, [](int r, int c) { return (r * 37 + c * c * 11) % 256; });
    for (std::uint32_t r = 0; r < 9; ++r) {
        for (std::uint32_t c = 0; c < 9; ++c) {
            const double x = -4.0 + c;
            const double z = 4.0 - r;
            EXPECT_NEAR(hills->surfaceHeight(x, z), 1 + 5 * hills->height(r, c), 1e-12);
        }
    }
    // Off the grid both give one height scale below the base.
    for (const auto& [x, z] : {std::pair{4.5, 0.0}, {0.0, -4.5}, {-30.0, 2.0}, {notANumber, 0.0}})
        EXPECT_EQ(hills->surfaceHeight(x, z), hills->surfacePoint(VORN_Vector(30, 3, 0)).y());
}
