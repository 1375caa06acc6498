// Craters: the bowl d²/r above the terrain's base around the explosion, lowering only, with fresh
// normals and display lists. Grids have one unit between points; the terrain stands at (0, 1, 0).
#include "tests/engine/terrain/TerrainTestSupport.h"
#include "tests/support/GLTest.h"

#include <cmath>
#include <cstring>
#include <limits>

using namespace VORN_LIB;
using namespace terrain_test;

using CraterTest = GLTest;

namespace {

const double heightScale = 5;

// width × height points over (width - 1) × (height - 1) units.
std::unique_ptr<VORN_Landscape> makeGround(unsigned char grey, int width = 17, int height = 17) {
    auto land = makeLandscape(width, height, width - 1, height - 1, heightScale,
                              [=](int, int) { return grey; });
    land->setPosition(0, 1, 0);
    return land;
}

std::vector<double> heightsOf(const VORN_Landscape& land) {
    std::vector<double> h;
    for (unsigned r = 0; r < land.rows; ++r)
        for (unsigned c = 0; c < land.columns; ++c)
            h.push_back(land.height(r, c));
    return h;
}

std::vector<double> gridOf(const VORN_Landscape& land) {
    return std::vector<double>(land.grid.get(),
                               land.grid.get() + std::size_t(land.rows) * land.columns * 4);
}

// Every grid point within radius of the local point (x, z) lies no higher than the bowl, which
// stands d² / radius world units above the base; every other point keeps its height.
void expectBowl(const VORN_Landscape& land, const std::vector<double>& before, double x, double z,
                double radius) {
    for (unsigned r = 0; r < land.rows; ++r)
        for (unsigned c = 0; c < land.columns; ++c) {
            const double px = c - (land.columns - 1) / 2.0;
            const double pz = (land.rows - 1) / 2.0 - r;
            const double d = std::hypot(px - x, pz - z);
            const double old = before[r * land.columns + c];
            const double expected = d <= radius ? std::min(old, d * d / radius / heightScale) : old;
            EXPECT_NEAR(land.height(r, c), expected, 1e-12) << "row " << r << " column " << c;
        }
}

} // namespace

TEST_F(CraterTest, BowlTouchesTheBaseAtTheCentreAndStandsRadiusHighAtTheRim) {
    auto land = makeGround(255);
    const auto before = heightsOf(*land);
    land->createCrater(VORN_Vector(0, 1, 0), 3);
    EXPECT_EQ(land->height(8, 8), 0.0);
    EXPECT_DOUBLE_EQ(land->height(8, 11), 3 / heightScale);
    EXPECT_DOUBLE_EQ(land->height(5, 8), 3 / heightScale);
    EXPECT_DOUBLE_EQ(land->height(9, 10), 5.0 / 3 / heightScale);
    EXPECT_EQ(land->height(8, 12), 1.0);
    expectBowl(*land, before, 0, 0, 3);
}

TEST_F(CraterTest, GroundIsOnlyEverLowered) {
    auto low = makeGround(26); // 26/255 ≈ 0.102: only the points within about 1.2 units go deeper
    const auto before = heightsOf(*low);
    low->createCrater(VORN_Vector(0.25, 1, -0.5), 3);
    expectBowl(*low, before, 0.25, -0.5, 3);
    EXPECT_EQ(low->height(8, 10), 26 / 255.0);

    // Once dug, the same crater changes nothing, normals included.
    const auto dug = gridOf(*low);
    low->createCrater(VORN_Vector(0.25, 1, -0.5), 3);
    EXPECT_EQ(gridOf(*low), dug);

    // Ground already at the base stays where it is.
    auto base = makeGround(0);
    const auto flat = gridOf(*base);
    base->createCrater(VORN_Vector(0, 1, 0), 3);
    EXPECT_EQ(gridOf(*base), flat);
}

TEST_F(CraterTest, HeightOfTheExplosionPlaysNoPart) {
    auto reference = makeGround(200);
    reference->createCrater(VORN_Vector(1.5, 1, 2.25), 3);
    for (double y : {100.0, -7.0, 4.0}) {
        auto land = makeGround(200);
        land->createCrater(VORN_Vector(1.5, y, 2.25), 3);
        EXPECT_EQ(gridOf(*land), gridOf(*reference)) << "explosion at height " << y;
    }
}

TEST_F(CraterTest, CratersBeyondTheEdgesReachOnlyThePointsInRange) {
    // One unit beyond the row-0 edge (+z): rows 0 and 1 are within reach, row 2 just touches.
    auto north = makeGround(255);
    auto before = heightsOf(*north);
    north->createCrater(VORN_Vector(0.4, 1, 9), 3);
    expectBowl(*north, before, 0.4, 9, 3);
    EXPECT_LT(north->height(0, 8), 1.0);
    EXPECT_LT(north->height(1, 8), 1.0);

    // Beyond the -x edge.
    auto west = makeGround(255);
    before = heightsOf(*west);
    west->createCrater(VORN_Vector(-10, 1, 0.5), 3);
    expectBowl(*west, before, -10, 0.5, 3);
    EXPECT_LT(west->height(8, 0), 1.0);

    // Farther than the radius from every point: nothing changes at all.
    auto away = makeGround(255);
    const auto untouched = gridOf(*away);
    away->createCrater(VORN_Vector(0, 1, 11.5), 3);
    away->createCrater(VORN_Vector(-12, 1, -12), 3);
    EXPECT_EQ(gridOf(*away), untouched);
}

TEST_F(CraterTest, CraterAtThePlusXEdgeOfAWideGridReachesTheLastColumn) {
    auto wide = makeGround(255, 33, 9); // 32 × 8 units, many more columns than rows
    const auto before = heightsOf(*wide);
    wide->createCrater(VORN_Vector(16, 1, 0), 3);
    expectBowl(*wide, before, 16, 0, 3);
    EXPECT_EQ(wide->height(4, 32), 0.0);
    EXPECT_DOUBLE_EQ(wide->height(1, 32), 3 / heightScale);
    EXPECT_DOUBLE_EQ(wide->height(4, 31), 1 / 3.0 / heightScale);
}

TEST_F(CraterTest, NormalsAndDisplayListsFollowTheNewGround) {
    auto land = makeGround(255);
    land->createCrater(VORN_Vector(0, 1, 0), 3);

    // Inside the bowl the normals lean towards its centre; far away they still face up.
    const double* east = land->normal(8, 10);
    EXPECT_LT(east[0], -0.01);
    EXPECT_NEAR(east[2], 0, 1e-12);
    const double* south = land->normal(10, 8); // row 10 lies towards -z
    EXPECT_GT(south[2], 0.01);
    const double* far = land->normal(2, 2);
    EXPECT_EQ(far[1], 1.0);

    // The recorded blocks draw the new heights: base at the centre, rim at 3, the rest at 5.
    const auto check = [&](const std::vector<Triangle>& triangles) {
        ASSERT_EQ(triangles.size(), 2u * 16 * 16);
        for (const auto& t : triangles)
            for (const auto& v : t) {
                const double d = std::hypot(v.x(), v.z());
                const double expected = d <= 3 + 1e-6 ? std::min(5.0, d * d / 3) : 5.0;
                EXPECT_NEAR(v.y(), expected, 1e-3) << v.x() << ", " << v.z();
            }
    };
    check(captureFromAbove(10, [&] { land->draw(nullptr); }));
    for (const auto* shell : shellsOf(*land))
        ASSERT_NE(shell->listName, 0u); // recorded by that draw
    ASSERT_NE(land->wholeShell->listName, 0u);
    check(captureFromAbove(10, [&] {
        glTranslated(-8, 0, 8); // the whole-grid list is recorded in the grid frame
        glCallList(land->wholeShell->listName);
    }));
}

TEST_F(CraterTest, EveryNormalAfterACraterIsTheOneOfTheWholeGrid) {
    // Craters at the centre, off the grid's points, and reaching over the +x and -z edges: the
    // ring of points around the changed ones bends as well, on every side alike.
    auto land = makeGround(255);
    auto reference = makeGround(255);
    const VORN_Vector places[] = {VORN_Vector(0, 1, 0), VORN_Vector(-3.4, 1, 2.7),
                                  VORN_Vector(7.5, 1, -7.2)};
    for (const VORN_Vector& place : places) {
        SCOPED_TRACE(testing::Message() << "crater at " << place.x() << ", " << place.z());
        land->createCrater(place, 3);
        std::memcpy(reference->grid.get(), land->grid.get(),
                    sizeof(double) * land->rows * land->columns * 4);
        reference->createNormals(0, 0, 0, 0);
        for (unsigned r = 0; r < land->rows; ++r)
            for (unsigned c = 0; c < land->columns; ++c)
                for (int i = 0; i < 3; ++i)
                    ASSERT_EQ(land->normal(r, c)[i], reference->normal(r, c)[i])
                        << "row " << r << " column " << c << " component " << i;
    }
    // The first crater's mirror points lean alike: (8, 11) east of the centre as (8, 5) west.
    auto single = makeGround(255);
    single->createCrater(VORN_Vector(0, 1, 0), 3);
    EXPECT_NEAR(single->normal(8, 11)[0], -single->normal(8, 5)[0], 1e-12);
    EXPECT_LT(single->normal(8, 11)[0], -0.01);
    EXPECT_NEAR(single->normal(11, 8)[2], -single->normal(5, 8)[2], 1e-12);
    EXPECT_GT(single->normal(11, 8)[2], 0.01);
}

TEST_F(CraterTest, DegenerateCratersStayHarmless) {
    auto empty = makeLandscape();
    empty->createCrater(VORN_Vector(0, 0, 0), 3);
    EXPECT_FALSE(empty->grid);

    const double notANumber = std::numeric_limits<double>::quiet_NaN();
    auto land = makeGround(255);
    const auto untouched = gridOf(*land);
    land->createCrater(VORN_Vector(notANumber, notANumber, notANumber), 3);
    land->createCrater(VORN_Vector(0, 1, 0), notANumber);
    land->createCrater(VORN_Vector(1e300, 1, -1e300), 3);
    land->createCrater(VORN_Vector(0, 1, 0), 0);
    land->createCrater(VORN_Vector(0, 1, 0), -3);
    EXPECT_EQ(gridOf(*land), untouched);

    // A crater as wide as the world flattens everything down to the base.
    land->createCrater(VORN_Vector(0, 1, 0), 1e300);
    for (double h : heightsOf(*land))
        EXPECT_LT(h, 1e-290);
}
