// The view cone against spheres in eye space, with the worked values of a 45° cone (near 1, far
// 100).
#include "engine/scene/VORN_OcclusionCone.h"
#include "tests/support/GLTest.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

using namespace VORN_LIB;

namespace {
const double quarterPi = std::atan(1.0);
}

class OcclusionConeTest : public GLTest {
protected:
    VORN_OcclusionCone cone{quarterPi, 1.0, 100.0};
};

TEST_F(OcclusionConeTest, FieldsOfTheFortyFiveDegreeCone) {
    EXPECT_NEAR(cone.tanAngle, 1.0, 1e-12);
    EXPECT_NEAR(cone.secAngle, std::sqrt(2.0), 1e-12);
    EXPECT_DOUBLE_EQ(cone.nearPlane, 1.0);
    EXPECT_DOUBLE_EQ(cone.farPlane, 100.0);
    EXPECT_NEAR(cone.rimDistance, 100.0 * std::sqrt(2.0), 1e-9);
}

TEST_F(OcclusionConeTest, WorkedSpheresUnderIdentity) {
    EXPECT_EQ(cone.isVisible(VORN_Vector(0, 0, -10), 1), 2);
    EXPECT_EQ(cone.isVisible(VORN_Vector(10.5, 0, -10), 1), 1);
    EXPECT_EQ(cone.isVisible(VORN_Vector(12, 0, -10), 1), 0);
    EXPECT_EQ(cone.isVisible(VORN_Vector(0, 0, 5), 1), 0);
    EXPECT_EQ(cone.isVisible(VORN_Vector(0, 0, -102), 1), 0);
    EXPECT_EQ(cone.isVisible(VORN_Vector(0, 0, -102), 3), 2);
}

TEST_F(OcclusionConeTest, MantleDistanceIsTheExactDistanceToTheConesSurface) {
    // At depth 10 the 45° mantle lies 10 from the axis; a centre q from the axis lies
    // (q - 10) × cos 45° from the mantle.
    // (11.2, 0, -10): 0.85 outside, so a sphere of radius 1 still reaches 0.15 into the cone.
    EXPECT_EQ(cone.isVisible(VORN_Vector(11.2, 0, -10), 1), 1);
    EXPECT_EQ(cone.isVisible(VORN_Vector(0, -11.2, -10), 1), 1);
    // (11, 0, -10): 0.71 outside; (11.5, 0, -10): 1.06 outside, out of reach.
    EXPECT_EQ(cone.isVisible(VORN_Vector(11, 0, -10), 1), 1);
    EXPECT_EQ(cone.isVisible(VORN_Vector(11.5, 0, -10), 1), 0);
    // (9, 0, -10): 0.71 inside, so the sphere pokes out; (8.5, 0, -10): 1.06 inside, wholly in.
    EXPECT_EQ(cone.isVisible(VORN_Vector(9, 0, -10), 1), 1);
    EXPECT_EQ(cone.isVisible(VORN_Vector(8.5, 0, -10), 1), 2);
    EXPECT_EQ(cone.isVisible(VORN_Vector(0, 10.6, -10), 1), 1); // 0.42 outside
}

TEST_F(OcclusionConeTest, FarRimDividesBySine) {
    // Half angle 60°: the rim distance is 100 / sin 60° = 115.47.
    const VORN_OcclusionCone wide(std::atan(1.0) * 4 / 3, 1, 100);
    EXPECT_NEAR(wide.rimDistance, 100 / std::sin(std::atan(1.0) * 4 / 3), 1e-9);
    // On the axis just before the far plane, within the rim: inside.
    EXPECT_EQ(wide.isVisible(VORN_Vector(0, 0, -95), 1), 2);
    // 50° off the axis at depth 80: 124.5 from the eye, beyond the rim.
    const double h = 80, q = 80 * std::tan(50 * std::atan(1.0) / 45);
    EXPECT_EQ(wide.isVisible(VORN_Vector(q, 0, -h), 1), 0);
}

TEST_F(OcclusionConeTest, CentreIsTakenThroughTheModelViewMatrix) {
    const VORN_Vector centre(0, 0, 10); // behind the eye as it stands
    EXPECT_EQ(cone.isVisible(centre, 1), 0);
    glTranslated(0, 0, -20);
    EXPECT_EQ(cone.isVisible(centre, 1), 2);
    glLoadIdentity();
    glRotated(180, 0, 1, 0); // turned round: +z now lies ahead
    EXPECT_EQ(cone.isVisible(centre, 1), 2);
    glLoadIdentity();
    glRotated(90, 0, 1, 0); // +z now points to the side
    EXPECT_EQ(cone.isVisible(centre, 1), 0);
}

TEST_F(OcclusionConeTest, ZeroRadiusIsAlwaysPartlyVisible) {
    EXPECT_EQ(cone.isVisible(VORN_Vector(0, 0, -10), 0), 1);
    EXPECT_EQ(cone.isVisible(VORN_Vector(0, 0, 500), 0), 1);
    EXPECT_EQ(cone.isVisible(VORN_Vector(1000, 0, -1), 0), 1);
}

TEST_F(OcclusionConeTest, ConstructorRefusesSenselessPlanes) {
    const char* const expected = "VORN_OcclusionCone::VORN_OcclusionCone: senseless parameters";
    const double planes[][2] = {{0.0, 100.0}, {-1.0, 100.0}, {5.0, 5.0}, {10.0, 2.0}};
    for (const auto& p : planes) {
        try {
            VORN_OcclusionCone bad(quarterPi, p[0], p[1]);
            ADD_FAILURE() << "no exception for near " << p[0] << ", far " << p[1];
        } catch (const char* message) {
            EXPECT_STREQ(message, expected);
        }
    }
    EXPECT_NO_THROW(VORN_OcclusionCone(quarterPi, 0.01, 0.02));
}
