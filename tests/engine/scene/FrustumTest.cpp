// The view's frustum as plain geometry: where its six planes lie with their margins, and that a
// frustum taken into a model frame judges points and spheres as it does in eye space.
#include "engine/scene/VORN_Frustum.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace VORN_LIB;

namespace {

// 90 degrees high (tan 1 at depth 1), twice as wide, near 1, far 100, on 200 × 100 pixels with a
// margin of 5 pixels: the sides lie at x = ±2.1 · depth and y = ±1.1 · depth.
VORN_Frustum wideView() {
    return VORN_Frustum(90, 2, 1, 100, 200, 100, 5);
}

bool excludesPoint(const VORN_Frustum& f, const VORN_Vector& p) {
    return f.excludesBox(p, p);
}

} // namespace

TEST(FrustumTest, PlanesLieAtThePicturesEdgesPlusTheMarginAndAtNearAndFar) {
    const VORN_Frustum f = wideView();
    const struct {
        VORN_Vector inside, outside;
        const char* edge;
    } cases[] = {
        {VORN_Vector(20.95, 0, -10), VORN_Vector(21.05, 0, -10), "right"},
        {VORN_Vector(-20.95, 0, -10), VORN_Vector(-21.05, 0, -10), "left"},
        {VORN_Vector(0, 10.95, -10), VORN_Vector(0, 11.05, -10), "top"},
        {VORN_Vector(0, -10.95, -10), VORN_Vector(0, -11.05, -10), "bottom"},
        {VORN_Vector(0, 0, -0.995), VORN_Vector(0, 0, -0.98), "near, pulled 1 % towards the eye"},
        {VORN_Vector(0, 0, -100.9), VORN_Vector(0, 0, -101.1), "far, pushed 1 % away"},
        {VORN_Vector(0, 0, -50), VORN_Vector(0, 0, 5), "behind the eye"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(excludesPoint(f, c.inside)) << c.edge;
        EXPECT_TRUE(excludesPoint(f, c.outside)) << c.edge;
    }

    // A box that reaches over an edge is kept; one lying wholly beyond it is not; an empty box
    // holds nothing.
    EXPECT_FALSE(f.excludesBox(VORN_Vector(20, -1, -12), VORN_Vector(30, 1, -8)));
    EXPECT_TRUE(f.excludesBox(VORN_Vector(26, -1, -12), VORN_Vector(30, 1, -8)));
    EXPECT_TRUE(f.excludesBox(VORN_Vector(1, 0, -10), VORN_Vector(0, 1, -9)));

    // A sphere is judged by its distance from the slanted plane: (22, 0, -10) lies
    // 1 / √(1 + 2.1²) ≈ 0.43 beyond the right one.
    EXPECT_FALSE(f.excludesSphere(VORN_Vector(22, 0, -10), 0.45));
    EXPECT_TRUE(f.excludesSphere(VORN_Vector(22, 0, -10), 0.41));
    EXPECT_FALSE(f.excludesSphere(VORN_Vector(0, 0, -101.5), 0.6));
    EXPECT_TRUE(f.excludesSphere(VORN_Vector(0, 0, -101.5), 0.4));
}

TEST(FrustumTest, FrustumInAModelFrameJudgesAsInEyeSpace) {
    // A frame turned 30 degrees about y, scaled by 2 and moved (column-major, as GL gives it).
    const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
    const double m[16] = {2 * c, 0, -2 * s, 0, 0, 2, 0, 0, 2 * s, 0, 2 * c, 0, 3, -1, -20, 1};
    const auto toEye = [&](const VORN_Vector& p) {
        return VORN_Vector(m[0] * p.x() + m[4] * p.y() + m[8] * p.z() + m[12],
                           m[1] * p.x() + m[5] * p.y() + m[9] * p.z() + m[13],
                           m[2] * p.x() + m[6] * p.y() + m[10] * p.z() + m[14]);
    };
    const VORN_Frustum eye = wideView();
    const VORN_Frustum model = eye.inFrame(m);

    int inside = 0;
    for (int i = -12; i <= 12; ++i)
        for (int j = -6; j <= 6; ++j)
            for (int k = -30; k <= 12; k += 3) {
                const VORN_Vector p(1.7 * i, 1.9 * j, 1.3 * k);
                const bool out = excludesPoint(eye, toEye(p));
                EXPECT_EQ(excludesPoint(model, p), out) << p.x() << ", " << p.y() << ", " << p.z();
                // Distances in the model frame are half those in eye space.
                EXPECT_EQ(model.excludesSphere(p, 0.25), eye.excludesSphere(toEye(p), 0.5));
                inside += out ? 0 : 1;
            }
    EXPECT_GT(inside, 100) << "the points must lie on both sides of the planes";
    EXPECT_LT(inside, 25 * 13 * 15 - 100);
}
