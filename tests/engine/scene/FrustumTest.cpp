// The view's frustum as plain geometry: where its six planes lie with their margins. (Frustums
// taken into a model frame are checked by the culling picture test of the game.)
#include "engine/scene/VORN_Frustum.h"

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

TEST(FrustumTest, DrawingScopesNestAndGiveBackTheFrustumBeforeThemWhenAPassThrows) {
    const VORN_Frustum outer(45, 4.0 / 3, 1, 100, 800, 600, 0);
    const VORN_Frustum inner(60, 4.0 / 3, 1, 100, 800, 600, 0);
    ASSERT_EQ(VORN_Frustum::drawing(), nullptr);
    {
        const VORN_Frustum::DrawingScope frame(&outer);
        EXPECT_EQ(VORN_Frustum::drawing(), &outer);
        try {
            const VORN_Frustum::DrawingScope pass(&inner);
            EXPECT_EQ(VORN_Frustum::drawing(), &inner);
            throw "VORN_Object::compile(): could not create displaylist";
        } catch (const char*) {
        }
        EXPECT_EQ(VORN_Frustum::drawing(), &outer);
    }
    EXPECT_EQ(VORN_Frustum::drawing(), nullptr);
}
