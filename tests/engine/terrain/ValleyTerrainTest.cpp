// The shipped valley built into a terrain the way the game builds it: 160 × 80 units, 5 high,
// standing at (0, 1, 0). Figures and grenades sinking into it come back out and stay put.
#include "engine/physics/VORN_BoundingSphere.h"
#include "tests/engine/terrain/TerrainTestSupport.h"
#include "tests/support/GLTest.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

using namespace VORN_LIB;
using namespace terrain_test;

namespace {

std::string dataFile(const char* name) {
    const char* root = std::getenv("TV_SOURCE_DIR");
    return std::string(root ? root : "../..") + "/data/" + name;
}

class ValleyTerrainTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        ASSERT_NO_THROW(picture.load(dataFile("valleyDepth.bmp"))) << Bitmap::lastError();
        valley = makeLandscape();
        valley->setColor(0.7, 0.5, 0.3, 1);
        valley->setSize(160, 80, 5, 1, 1);
        valley->setPosition(0, 1, 0);
        valley->createFromBitmap(picture);
    }

    Bitmap picture;
    std::unique_ptr<VORN_Landscape> valley;
};

struct Ball {
    Ball(double radius, const VORN_Vector& at)
        : object(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                 VORN_Color(1, 1, 1, 1)),
          sphere(radius, &object) {
        object.setPosition(at.x(), at.y(), at.z());
    }
    VORN_Object object;
    VORN_BoundingSphere sphere;
};

} // namespace

TEST_F(ValleyTerrainTest, BuildsTwoLevelsOfBlocksOverTheWholeValley) {
    EXPECT_EQ(valley->columns, 321u);
    EXPECT_EQ(valley->rows, 161u);
    EXPECT_EQ(valley->quadTreeLevels, 2);
    EXPECT_EQ(shellsOf(*valley).size(), 64u);
    EXPECT_NEAR(valley->radius, 178.885, 1e-3);
    EXPECT_NEAR(valley->root->radius, 179.165, 1e-3);
    const auto triangles = captureFromAbove(100, [&] { valley->render(0, nullptr); });
    EXPECT_EQ(triangles.size(), 2u * 320 * 160);
}

TEST_F(ValleyTerrainTest, SunkenSpheresAreCorrectedOnceAndThenStayPut) {
    // Grid point (row r, column c) lies at world (c / 2 - 80, 1 + 5 h, 40 - r / 2).
    for (double radius : {0.3, 0.1}) {
        for (unsigned i = 0; i < 40; ++i) {
            const unsigned r = 2 + (i * 37) % 157, c = 2 + (i * 101) % 317;
            const double x = c / 2.0 - 80, z = 40 - r / 2.0;
            const double ground = 1 + 5 * valley->height(r, c);
            SCOPED_TRACE(testing::Message() << "radius " << radius << " at " << x << ", " << z);

            Ball sunk(radius, VORN_Vector(x, ground + radius / 2, z));
            const std::unique_ptr<VORN_Contact> first(valley->intersect(&sunk.sphere));
            ASSERT_TRUE(first);
            EXPECT_GT(first->positionB.y(), ground + radius / 2);
            EXPECT_GT(first->directionA.y(), 0.9); // the valley's slopes are gentle
            EXPECT_LT(std::abs(first->positionB.x() - x), radius);
            EXPECT_LT(std::abs(first->positionB.z() - z), radius);

            // Where the ground bends, a neighbouring triangle may still reach a little into the
            // corrected sphere; the next pass then nudges it by a small fraction of its radius.
            Ball moved(radius, first->positionB);
            const std::unique_ptr<VORN_Contact> second(valley->intersect(&moved.sphere));
            if (second) {
                const VORN_Vector shift = second->positionB - first->positionB;
                EXPECT_LT(std::sqrt(shift.lengthSquared()), radius / 10);
                EXPECT_GE(second->positionB.y(), first->positionB.y() - 1e-6);
            }
        }
    }
}

TEST_F(ValleyTerrainTest, GrenadeCraterDigsDownToTheBase) {
    // Grid point (70, 180) lies at world x = 10, z = 5.
    const double ground = 1 + 5 * valley->height(70, 180);
    const double aside = valley->height(70, 184);
    ASSERT_GT(ground, 1.5);
    valley->createCrater(VORN_Vector(10, ground, 5), 3.0);
    EXPECT_EQ(valley->height(70, 180), 0.0);
    // Two units away (four grid steps) the bowl stands 4/3 units above the base.
    EXPECT_NEAR(valley->height(70, 184), std::min(aside, 4.0 / 3 / 5), 1e-12);
}
