// The terrain's height grid: construction from in-memory pictures, normals, size and depth.
#include "tests/engine/terrain/TerrainTestSupport.h"
#include "tests/support/GLTest.h"

#include <cmath>
#include <cstring>

using namespace VORN_LIB;
using namespace terrain_test;

using LandscapeGridTest = GLTest;

namespace {

void expectNormal(const VORN_Landscape& land, unsigned row, unsigned column, double x, double y,
                  double z) {
    const double* n = land.normal(row, column);
    EXPECT_NEAR(n[0], x, 1e-9) << "row " << row << " column " << column;
    EXPECT_NEAR(n[1], y, 1e-9) << "row " << row << " column " << column;
    EXPECT_NEAR(n[2], z, 1e-9) << "row " << row << " column " << column;
}

std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const char* message) {
        return message;
    }
    return "(nothing thrown)";
}

} // namespace

TEST_F(LandscapeGridTest, SmallestPictureGivesUpwardNormalsAndOneLevelOfLeaves) {
    auto land = makeLandscape(2, 2, 4, 4, 1, [](int r, int c) { return r * 100 + c * 50; });
    ASSERT_TRUE(land->grid);
    EXPECT_EQ(land->columns, 2u);
    EXPECT_EQ(land->rows, 2u);
    for (unsigned r = 0; r < 2; ++r)
        for (unsigned c = 0; c < 2; ++c)
            expectNormal(*land, r, c, 0, 1, 0);
    EXPECT_TRUE(land->quadTreeBuilt);
    EXPECT_EQ(land->quadTreeLevels, 0);
    EXPECT_EQ(shellsOf(*land).size(), 4u);
    EXPECT_EQ(captureFromAbove(4, [&] { land->draw(nullptr); }).size(), 2u);
}

TEST_F(LandscapeGridTest, PictureNarrowerThanTwoPixelsBuildsNothing) {
    const int sizes[][2] = {{1, 5}, {5, 1}, {0, 0}, {1, 1}};
    for (const auto& size : sizes) {
        auto land = makeLandscape(3, 3, 2, 2, 1, [](int, int) { return 255; });
        Bitmap thin;
        fillGrey(thin, size[0], size[1], [](int, int) { return 255; });
        land->createFromBitmap(thin);
        EXPECT_FALSE(land->grid) << size[0] << " x " << size[1];
        EXPECT_FALSE(land->quadTreeBuilt);
        EXPECT_TRUE(captureFromAbove(4, [&] { land->draw(nullptr); }).empty());
        // Recording and resizing an empty terrain stay harmless.
        land->compile();
        land->setSize(4, 4, 1, 1, 1);
        EXPECT_TRUE(captureFromAbove(4, [&] { land->draw(nullptr); }).empty());
    }

    Bitmap noPixels;
    noPixels.width = 4;
    noPixels.height = 4;
    auto land = makeLandscape();
    land->createFromBitmap(noPixels);
    EXPECT_FALSE(land->grid);
}

TEST_F(LandscapeGridTest, LargestChannelGivesTheHeightInPictureOrder) {
    Bitmap picture;
    const std::array<unsigned char, 3> colours[] = {{255, 0, 0},     {0, 0, 51}, {10, 200, 30},
                                                    {255, 255, 255}, {0, 0, 0},  {7, 7, 8}};
    fillPicture(picture, 3, 2, [&](int r, int c) { return colours[r * 3 + c]; });
    auto land = makeLandscape();
    land->createFromBitmap(picture);
    ASSERT_TRUE(land->grid);
    EXPECT_DOUBLE_EQ(land->height(0, 0), 1.0);
    EXPECT_DOUBLE_EQ(land->height(0, 1), 0.2);
    EXPECT_DOUBLE_EQ(land->height(0, 2), 200 / 255.0);
    EXPECT_DOUBLE_EQ(land->height(1, 0), 1.0);
    EXPECT_DOUBLE_EQ(land->height(1, 1), 0.0);
    EXPECT_DOUBLE_EQ(land->height(1, 2), 8 / 255.0);
    // The picture stays with the caller, untouched.
    EXPECT_EQ(picture.pixels[3 * 5 + 2], 8);
}

TEST_F(LandscapeGridTest, QuadTreeDepthFollowsTheSmallerSide) {
    const struct {
        int width, height;
        int levels;
    } cases[] = {{256, 256, 2}, {1024, 128, 1}, {128, 1024, 1}, {54, 54, 0},
                 {55, 60, 1},   {148, 500, 1},  {149, 149, 2}};
    for (const auto& c : cases) {
        auto land = makeLandscape(c.width, c.height, 160, 80, 5, [](int, int) { return 0; });
        EXPECT_EQ(land->quadTreeLevels, c.levels) << c.width << " x " << c.height;
        EXPECT_EQ(shellsOf(*land).size(), std::size_t(1) << (2 * (c.levels + 1)));
    }
}

TEST_F(LandscapeGridTest, SizeSetsTheDiagonalAsRadiusAndRebuildsTheTree) {
    auto land = makeLandscape();
    land->setSize(160, 80, 5, 1, 1);
    EXPECT_NEAR(land->radius, std::sqrt(32000.0), 1e-9);
    EXPECT_NEAR(land->radius, 178.885, 1e-3);
    EXPECT_FALSE(land->quadTreeBuilt); // nothing to rebuild yet

    land = makeLandscape(60, 60, 2, 2, 1, [](int, int) { return 0; });
    ASSERT_EQ(land->quadTreeLevels, 1);
    land->draw(nullptr); // records the lists
    const auto before = shellsOf(*land);
    const GLuint oldList = before[0]->listName;
    ASSERT_NE(oldList, 0u);
    land->setSize(160, 80, 5, 1, 1);
    EXPECT_NEAR(land->root->radius, 179.165, 1e-3);
    EXPECT_EQ(land->quadTreeLevels, 1);
    const auto after = shellsOf(*land);
    ASSERT_EQ(after.size(), 16u);
    for (const auto* shell : after)
        EXPECT_EQ(shell->listName, 0u);    // no lists until the next compile
    EXPECT_EQ(glIsList(oldList), GL_TRUE); // dropped by the next draw, with its context
    // The new leaves draw directly, at the new size.
    const auto triangles = captureFromAbove(100, [&] { land->draw(nullptr); });
    EXPECT_EQ(glIsList(oldList), GL_FALSE);
    for (const auto* shell : after)
        EXPECT_EQ(shell->listName, 0u);
    EXPECT_EQ(triangles.size(), 2u * 59 * 59);
    double maxX = -1e9;
    for (const auto& t : triangles)
        for (const auto& v : t)
            maxX = std::max(maxX, v.x());
    EXPECT_NEAR(maxX, 80, 1e-3);
}

TEST_F(LandscapeGridTest, NormalsFollowTheStoredSlopeNotTheDrawnOne) {
    // Heights rise by 10/255 per column and 20/255 per row; one unit between grid points.
    const auto grey = [](int r, int c) { return 10 * c + 20 * r; };
    auto flat = makeLandscape(3, 3, 2, 2, 1, grey);
    expectNormal(*flat, 1, 1, -0.03906577866820359, 0.9961773560391917, 0.07813155733640718);
    // Rising towards +x tilts the normal towards -x; rising with the rows (towards -z) tilts
    // it towards +z. The height scale plays no part.
    auto tall = makeLandscape(3, 3, 2, 2, 5, grey);
    expectNormal(*tall, 1, 1, -0.03906577866820359, 0.9961773560391917, 0.07813155733640718);
    // Every border point faces straight up.
    for (unsigned i = 0; i < 3; ++i) {
        expectNormal(*flat, 0, i, 0, 1, 0);
        expectNormal(*flat, 2, i, 0, 1, 0);
        expectNormal(*flat, i, 0, 0, 1, 0);
        expectNormal(*flat, i, 2, 0, 1, 0);
    }
    // Doubling the spacing along x halves the x slope.
    auto wide = makeLandscape(3, 3, 4, 2, 1, [](int, int c) { return 51 * c; });
    const double a = 2 * 51 / 255.0; // height difference across two columns
    const double length = std::sqrt(a * a + 16.0);
    expectNormal(*wide, 1, 1, -a / length, 4.0 / length, 0);
}

TEST_F(LandscapeGridTest, NormalRangesCoverTheRequestedArea) {
    const auto bumpy = [](int r, int c) { return (r * 37 + c * 91 + r * c * 13) % 256; };
    auto whole = makeLandscape(7, 6, 6, 5, 5, bumpy);
    auto spelled = makeLandscape(7, 6, 6, 5, 5, bumpy);
    spelled->createNormals(0, spelled->rows, 0, spelled->columns);
    whole->createNormals(0, 0, 0, 0);
    const std::size_t doubles = std::size_t(whole->rows) * whole->columns * 4;
    EXPECT_EQ(std::memcmp(whole->grid.get(), spelled->grid.get(), doubles * sizeof(double)), 0);

    // Scribble over the normals, then recompute rows [2, 4) and columns [1, 3) only.
    for (std::size_t i = 0; i < doubles; i += 4)
        whole->grid[i + 1] = whole->grid[i + 2] = whole->grid[i + 3] = 7.0;
    whole->createNormals(2, 4, 1, 3);
    for (unsigned r = 0; r < whole->rows; ++r)
        for (unsigned c = 0; c < whole->columns; ++c) {
            const bool inside = r >= 2 && r < 4 && c >= 1 && c < 3;
            for (int k = 0; k < 3; ++k) {
                const double expected = inside ? spelled->normal(r, c)[k] : 7.0;
                EXPECT_EQ(whole->normal(r, c)[k], expected) << r << ", " << c;
            }
        }

    // An end beyond the grid means "to the last"; a begin beyond its end changes nothing.
    whole->createNormals(4, 1000, 0, 1000);
    expectNormal(*whole, 5, 6, 0, 1, 0);
    for (std::size_t i = 0; i < doubles; i += 4)
        whole->grid[i + 1] = 7.0;
    whole->createNormals(5, 3, 0, 0);
    whole->createNormals(0, 0, 4, 2);
    for (std::size_t i = 0; i < doubles; i += 4)
        EXPECT_EQ(whole->grid[i + 1], 7.0);
}

TEST_F(LandscapeGridTest, MissingOrUnusableDataIsReported) {
    auto land = makeLandscape();
    EXPECT_EQ(messageOf([&] { land->createNormals(0, 0, 0, 0); }),
              "VORN_Landscape::createNormals(): no data to create normals from");

    // A negative side read as unsigned asks for billions of points.
    Bitmap upsideDown;
    fillGrey(upsideDown, 4, 4, [](int, int) { return 0; });
    upsideDown.height = -4;
    EXPECT_EQ(messageOf([&] { land->createFromBitmap(upsideDown); }),
              "VORN_Landscape::createFromBitmap(): cannot allocate memory");
    EXPECT_FALSE(land->grid);
}

TEST_F(LandscapeGridTest, RebuildingReplacesGridTreeAndLists) {
    auto land = makeLandscape(5, 5, 4, 4, 1, [](int, int) { return 255; });
    Bitmap bigger;
    fillGrey(bigger, 9, 7, [](int, int) { return 0; });
    land->createFromBitmap(bigger);
    EXPECT_EQ(land->columns, 9u);
    EXPECT_EQ(land->rows, 7u);
    EXPECT_DOUBLE_EQ(land->height(6, 8), 0.0);
    ASSERT_TRUE(land->wholeShell);
    EXPECT_EQ(land->wholeShell->rowEnd, 7u);
    EXPECT_EQ(land->wholeShell->columnEnd, 9u);
    const auto triangles = captureFromAbove(4, [&] { land->draw(nullptr); });
    EXPECT_EQ(triangles.size(), 2u * 8 * 6);
    for (const auto& t : triangles)
        for (const auto& v : t)
            EXPECT_NEAR(v.y(), 0.0, 1e-5);
}
