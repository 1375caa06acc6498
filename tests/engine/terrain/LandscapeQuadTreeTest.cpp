// The terrain's quadtree: block ranges, bounding spheres, display lists and cone culling, observed
// through the triangles that really reach OpenGL.
#include "engine/scene/VORN_OcclusionCone.h"
#include "tests/engine/terrain/TerrainTestSupport.h"
#include "tests/support/GLTest.h"

#include <cmath>
#include <set>

using namespace VORN_LIB;
using namespace terrain_test;

using LandscapeQuadTreeTest = GLTest;

namespace {

const double quarterTurn = std::atan(1.0); // 45 degrees in radians

std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const char* message) {
        return message;
    }
    return "(nothing thrown)";
}

struct Range {
    unsigned rowBegin, rowEnd, columnBegin, columnEnd;
};

Range rangeOf(const VORN_Landscape::IndexShell& s) {
    return {s.rowBegin, s.rowEnd, s.columnBegin, s.columnEnd};
}

} // namespace

TEST_F(LandscapeQuadTreeTest, ZeroLevelsSplitTheGridIntoFourOverlappingQuadrants) {
    auto land = makeLandscape(257, 257, 160, 80, 5, [](int, int) { return 0; });
    land->buildQuadTree(0);
    EXPECT_EQ(land->quadTreeLevels, 0);
    ASSERT_TRUE(land->root);
    EXPECT_DOUBLE_EQ(land->root->centerX, 80);
    EXPECT_DOUBLE_EQ(land->root->centerZ, -40);

    const struct {
        double x, z;
        Range range;
    } expected[4] = {{120, -60, {128, 257, 128, 257}},
                     {40, -60, {128, 257, 0, 129}},
                     {40, -20, {0, 129, 0, 129}},
                     {120, -20, {0, 129, 128, 257}}};
    for (int k = 0; k < 4; ++k) {
        const auto* leaf =
            dynamic_cast<const VORN_Landscape::QuadTreeLeaf*>(land->root->children[k].get());
        ASSERT_NE(leaf, nullptr) << "child " << k;
        const Range r = rangeOf(leaf->shell);
        EXPECT_EQ(r.rowBegin, expected[k].range.rowBegin) << "child " << k;
        EXPECT_EQ(r.rowEnd, expected[k].range.rowEnd) << "child " << k;
        EXPECT_EQ(r.columnBegin, expected[k].range.columnBegin) << "child " << k;
        EXPECT_EQ(r.columnEnd, expected[k].range.columnEnd) << "child " << k;
        EXPECT_DOUBLE_EQ(leaf->shell.centerX, expected[k].x);
        EXPECT_DOUBLE_EQ(leaf->shell.centerZ, expected[k].z);
        EXPECT_DOUBLE_EQ(leaf->centerX, expected[k].x);
        EXPECT_DOUBLE_EQ(leaf->centerZ, expected[k].z);
        EXPECT_NEAR(leaf->shell.radius, 90, 1e-9);
        EXPECT_EQ(leaf->radius, 0.0);
        EXPECT_EQ(leaf->shell.landscape, land.get());
        for (const auto& grandChild : leaf->children)
            EXPECT_FALSE(grandChild);
    }
}

TEST_F(LandscapeQuadTreeTest, BoundingSpheresAreTwiceTheCornerDistance) {
    auto land = makeLandscape(160, 160, 160, 80, 5, [](int, int) { return 0; });
    ASSERT_EQ(land->quadTreeLevels, 2);
    EXPECT_NEAR(land->root->radius, 179.165, 1e-3);
    for (const auto& first : land->root->children) {
        ASSERT_TRUE(first);
        EXPECT_NEAR(first->radius, 90, 1e-9);
        for (const auto& second : first->children) {
            ASSERT_TRUE(second);
            EXPECT_NEAR(second->radius, 2 * std::sqrt(525.0), 1e-9);
        }
    }
    const auto shells = shellsOf(*land);
    ASSERT_EQ(shells.size(), 64u);
    for (const auto* shell : shells)
        EXPECT_NEAR(shell->radius, 2 * std::sqrt(150.0), 1e-9);
    // First-level centres sit a quarter of the extent away from the root's, (+x, -z) first.
    EXPECT_DOUBLE_EQ(land->root->children[0]->centerX, 120);
    EXPECT_DOUBLE_EQ(land->root->children[0]->centerZ, -60);
    EXPECT_DOUBLE_EQ(land->root->children[2]->centerX, 40);
    EXPECT_DOUBLE_EQ(land->root->children[2]->centerZ, -20);
}

TEST_F(LandscapeQuadTreeTest, BlocksShareBordersAndCoverEveryCellOnce) {
    const struct {
        int width, height, levels;
    } cases[] = {{2, 2, 0}, {2, 2, 2}, {5, 3, 1}, {9, 7, 1}, {8, 8, 2}, {257, 257, 0}, {33, 17, 3}};
    for (const auto& c : cases) {
        auto land = makeLandscape(c.width, c.height, 4, 4, 1, [](int, int) { return 0; });
        land->buildQuadTree(std::uint8_t(c.levels));
        std::vector<int> drawn(std::size_t(c.width) * c.height, 0);
        for (const auto* shell : shellsOf(*land)) {
            ASSERT_LE(shell->rowEnd, land->rows);
            ASSERT_LE(shell->columnEnd, land->columns);
            for (unsigned r = shell->rowBegin; r + 1 < shell->rowEnd; ++r)
                for (unsigned col = shell->columnBegin; col + 1 < shell->columnEnd; ++col)
                    ++drawn[r * c.width + col];
        }
        for (int r = 0; r + 1 < c.height; ++r)
            for (int col = 0; col + 1 < c.width; ++col)
                EXPECT_EQ(drawn[r * c.width + col], 1)
                    << c.width << " x " << c.height << " at " << c.levels << " levels, cell " << r
                    << ", " << col;
        // So the whole tree draws exactly the cells of the grid, two triangles each.
        land->compile();
        EXPECT_EQ(captureFromAbove(4, [&] { land->draw(nullptr); }).size(),
                  std::size_t(2) * (c.width - 1) * (c.height - 1));
    }

    // Neighbours meet on a shared row and column.
    auto land = makeLandscape(9, 9, 4, 4, 1, [](int, int) { return 0; });
    land->buildQuadTree(0);
    const Range lowerRight =
        rangeOf(static_cast<const VORN_Landscape::QuadTreeLeaf&>(*land->root->children[0]).shell);
    const Range upperLeft =
        rangeOf(static_cast<const VORN_Landscape::QuadTreeLeaf&>(*land->root->children[2]).shell);
    EXPECT_EQ(lowerRight.rowBegin + 1, upperLeft.rowEnd);
    EXPECT_EQ(lowerRight.columnBegin + 1, upperLeft.columnEnd);
}

TEST_F(LandscapeQuadTreeTest, FirstDrawRecordsOneListPerLeafAndOneForTheWholeGrid) {
    auto land = makeLandscape(60, 60, 8, 8, 1, [](int r, int c) { return (r * c) % 256; });
    // Building the grid records nothing; the first draw does, and draws the whole grid.
    for (const auto* shell : shellsOf(*land))
        EXPECT_EQ(shell->listName, 0u);
    EXPECT_EQ(land->wholeShell->listName, 0u);
    EXPECT_EQ(captureFromAbove(8, [&] { land->render(0, nullptr); }).size(), 2u * 59 * 59);
    std::set<GLuint> names;
    for (const auto* shell : shellsOf(*land)) {
        EXPECT_NE(shell->listName, 0u);
        EXPECT_EQ(glIsList(shell->listName), GL_TRUE);
        names.insert(shell->listName);
    }
    EXPECT_EQ(names.size(), 16u);
    ASSERT_TRUE(land->wholeShell);
    const auto& whole = *land->wholeShell;
    EXPECT_EQ(glIsList(whole.listName), GL_TRUE);
    EXPECT_EQ(names.count(whole.listName), 0u);
    EXPECT_EQ(whole.rowBegin, 0u);
    EXPECT_EQ(whole.rowEnd, 60u);
    EXPECT_EQ(whole.columnBegin, 0u);
    EXPECT_EQ(whole.columnEnd, 60u);
    EXPECT_EQ(whole.centerX, 0.0);
    EXPECT_EQ(whole.centerZ, 0.0);
    EXPECT_EQ(whole.radius, 1.0);
    // The object's own pair of lists is never recorded, so paint() reaches draw().
    EXPECT_EQ(land->displayList, 0u);
    EXPECT_EQ(captureFromAbove(8, [&] { land->render(0, nullptr); }).size(), 2u * 59 * 59);
    EXPECT_FALSE(land->listsStale);

    // Destroying the terrain releases every list.
    const GLuint wholeName = whole.listName;
    land.reset();
    EXPECT_EQ(glIsList(wholeName), GL_FALSE);
    for (GLuint name : names)
        EXPECT_EQ(glIsList(name), GL_FALSE);
}

TEST_F(LandscapeQuadTreeTest, DrawCentresTheGridWithRowZeroTowardsPlusZ) {
    // Only the first point of the picture is raised.
    auto land =
        makeLandscape(5, 4, 8, 6, 3, [](int r, int c) { return r == 0 && c == 0 ? 255 : 0; });
    double before[16], after[16];
    modelView(before);
    const auto triangles = captureFromAbove(10, [&] { land->draw(nullptr); });
    modelView(after);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(before[i], after[i]);

    ASSERT_EQ(triangles.size(), 2u * 4 * 3);
    VORN_Vector low(1e9, 1e9, 1e9), high(-1e9, -1e9, -1e9);
    for (const auto& t : triangles)
        for (const auto& v : t) {
            for (unsigned k = 0; k < 3; ++k) {
                low[k] = std::min(low[k], v[k]);
                high[k] = std::max(high[k], v[k]);
            }
            const bool raised = std::abs(v.x() + 4) < 1e-3 && std::abs(v.z() - 3) < 1e-3;
            EXPECT_NEAR(v.y(), raised ? 3.0 : 0.0, 1e-3) << v.x() << ", " << v.z();
        }
    EXPECT_NEAR(low.x(), -4, 1e-3);
    EXPECT_NEAR(high.x(), 4, 1e-3);
    EXPECT_NEAR(low.z(), -3, 1e-3);
    EXPECT_NEAR(high.z(), 3, 1e-3);
    EXPECT_NEAR(high.y(), 3, 1e-3);

    // Every triangle faces up (counter-clockwise from above) and each cell is split along the
    // diagonal from (row i, column j) to (row i + 1, column j + 1): seen from above, each triangle
    // has a corner at its cell's top-left (-x, +z) and one at its bottom-right (+x, -z).
    for (const auto& t : triangles) {
        EXPECT_GT(cross(t[1] - t[0], t[2] - t[0]).y(), 0);
        double left = 1e9, right = -1e9, top = -1e9, bottom = 1e9;
        for (const auto& v : t) {
            left = std::min(left, v.x());
            right = std::max(right, v.x());
            top = std::max(top, v.z());
            bottom = std::min(bottom, v.z());
        }
        const auto has = [&](double x, double z) {
            for (const auto& v : t)
                if (std::abs(v.x() - x) < 1e-3 && std::abs(v.z() - z) < 1e-3)
                    return true;
            return false;
        };
        EXPECT_TRUE(has(left, top) && has(right, bottom));
    }
}

TEST_F(LandscapeQuadTreeTest, ShellsDrawStripsWithNormalsAndRepeatedTextureCoordinates) {
    auto land = makeLandscape(5, 4, 8, 6, 1, [](int r, int c) { return 40 * r + 10 * c; });
    land->setSize(8, 6, 1, 2, 3);
    VORN_Landscape::IndexShell shell(1, 4, 2, 5, 0, 0, 1, land.get());
    const auto triangles = captureFromAbove(10, [&] { shell.draw(); });
    EXPECT_EQ(triangles.size(), 2u * 2 * 2);
    // The last vertex drawn is point (2, 4): row 2 of the last strip, last column.
    shell.draw();
    GLdouble texture[4], normal[3];
    glGetDoublev(GL_CURRENT_TEXTURE_COORDS, texture);
    glGetDoublev(GL_CURRENT_NORMAL, normal);
    EXPECT_NEAR(texture[0], 2.0, 1e-6);
    EXPECT_NEAR(texture[1], 3.0 * 2 / 3, 1e-6);
    EXPECT_NEAR(normal[0], 0.0, 1e-6); // (2, 4) lies on the border
    EXPECT_NEAR(normal[1], 1.0, 1e-6);
}

TEST_F(LandscapeQuadTreeTest, ShellsCheckTheirRanges) {
    auto land = makeLandscape(5, 4, 8, 6, 1, [](int, int) { return 0; });
    EXPECT_EQ(messageOf([&] { VORN_Landscape::IndexShell(3, 2, 0, 1, 0, 0, 1, land.get()); }),
              "VORN_Landscape::IndexShell.IndexShell(): parameters are nonsense");
    EXPECT_EQ(messageOf([&] { VORN_Landscape::IndexShell(0, 1, 2, 1, 0, 0, 1, land.get()); }),
              "VORN_Landscape::IndexShell.IndexShell(): parameters are nonsense");

    const std::string bad = "VORN_Landscape::IndexShell.compile(): Bad landscape index values";
    VORN_Landscape::IndexShell tooLow(0, 5, 0, 5, 0, 0, 1, land.get());
    EXPECT_EQ(messageOf([&] { tooLow.compile(); }), bad);
    VORN_Landscape::IndexShell tooWide(0, 4, 0, 6, 0, 0, 1, land.get());
    EXPECT_EQ(messageOf([&] { tooWide.compile(); }), bad);
    VORN_Landscape::IndexShell turned(0, 4, 0, 5, 0, 0, 1, land.get());
    turned.rowBegin = 3;
    turned.rowEnd = 2;
    EXPECT_EQ(messageOf([&] { turned.compile(); }), bad);
    // A block beyond the grid draws nothing rather than reading past it.
    EXPECT_TRUE(captureFromAbove(10, [&] { tooLow.render(nullptr); }).empty());

    // A shell without a terrain records nothing.
    VORN_Landscape::IndexShell orphan(0, 2, 0, 2, 0, 0, 1, nullptr);
    orphan.compile();
    EXPECT_EQ(orphan.listName, 0u);

    // One row, or no column, records an empty list.
    VORN_Landscape::IndexShell oneRow(2, 3, 0, 5, 0, 0, 1, land.get());
    VORN_Landscape::IndexShell noColumn(0, 4, 3, 3, 0, 0, 1, land.get());
    for (auto* shell : {&oneRow, &noColumn}) {
        shell->compile();
        EXPECT_NE(shell->listName, 0u);
        EXPECT_TRUE(captureFromAbove(10, [&] { shell->render(nullptr); }).empty());
    }
    // Compiling again replaces the list.
    VORN_Landscape::IndexShell block(0, 2, 0, 2, 0, 0, 1, land.get());
    block.compile();
    block.compile();
    EXPECT_EQ(captureFromAbove(10, [&] { block.render(nullptr); }).size(), 2u);
}

TEST_F(LandscapeQuadTreeTest, RootWhollyInsideTheConeDrawsEveryLeafWithoutAskingAgain) {
    // A flat 2 × 2 terrain facing the eye 10 units ahead. The cone's far plane at 8 cuts the
    // root's sphere (depth 10, radius 2.83) but leaves it "wholly inside" the mantle; each leaf's
    // sphere (radius 1.41 around depth 10) lies wholly beyond the far plane.
    auto land = makeLandscape(3, 3, 2, 2, 0, [](int, int) { return 0; });
    ASSERT_EQ(land->quadTreeLevels, 0);
    const VORN_OcclusionCone cone(quarterTurn, 1, 8);
    glTranslated(0, 0, -10);
    glRotated(90, 1, 0, 0);

    EXPECT_EQ(captureTriangles(20, [&] { land->draw(&cone); }).size(), 8u);

    // Asked on their own, the leaves would all have been culled.
    glTranslated(-1, 0, 1); // the terrain's centring
    for (auto* shell : shellsOf(*land))
        EXPECT_TRUE(captureTriangles(20, [&] { shell->render(&cone); }).empty());
}

TEST_F(LandscapeQuadTreeTest, PartlyVisibleRootAsksItsLeaves) {
    // The same terrain 12 units to the right, 10 ahead, under a 45-degree cone: the root
    // straddles the mantle, the two leaves nearer the axis reach into the cone (their spheres of
    // radius 1.41 lie 1.06 outside it), the outer two do not (1.77 outside).
    auto land = makeLandscape(3, 3, 2, 2, 0, [](int, int) { return 0; });
    const VORN_OcclusionCone cone(quarterTurn, 1, 100);
    glTranslated(12, 0, -10);
    glRotated(90, 1, 0, 0);
    const auto triangles = captureTriangles(20, [&] { land->draw(&cone); });
    ASSERT_EQ(triangles.size(), 4u);
    for (const auto& t : triangles)
        for (const auto& v : t)
            EXPECT_LE(v.x(), 12.0 + 1e-4);

    // Behind the eye nothing is drawn; without a cone everything is.
    glLoadIdentity();
    glTranslated(0, 0, 10);
    glRotated(90, 1, 0, 0);
    EXPECT_TRUE(captureTriangles(20, [&] { land->draw(&cone); }).empty());
    EXPECT_EQ(captureTriangles(20, [&] { land->draw(nullptr); }).size(), 8u);
}

TEST_F(LandscapeQuadTreeTest, NullConeDrawsEveryLeafOfADeepTree) {
    auto land = makeLandscape(160, 160, 16, 8, 1, [](int r, int c) { return (r + c) % 256; });
    ASSERT_EQ(land->quadTreeLevels, 2);
    EXPECT_EQ(captureFromAbove(20, [&] { land->draw(nullptr); }).size(), 2u * 159 * 159);
}

TEST_F(LandscapeQuadTreeTest, BlockBoxesFitTheirPointsAndFollowCraters) {
    // Hills over 129 × 65 points in 16 blocks; each box must be the tightest one around the
    // block's points (grid frame, heights scaled), and the root's around the whole grid.
    auto land = makeLandscape(129, 65, 32, 16, 3, [](int r, int c) {
        return static_cast<unsigned char>(128 + 100 * std::sin(c * 0.2) * std::cos(r * 0.3));
    });
    const auto expectTightBoxes = [&] {
        for (auto* shell : shellsOf(*land)) {
            double low[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
            double high[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
            for (unsigned r = shell->rowBegin; r < shell->rowEnd; ++r)
                for (unsigned c = shell->columnBegin; c < shell->columnEnd; ++c) {
                    const double p[3] = {32.0 * c / 128, 3 * land->height(r, c), -16.0 * r / 64};
                    for (int k = 0; k < 3; ++k) {
                        low[k] = std::min(low[k], p[k]);
                        high[k] = std::max(high[k], p[k]);
                    }
                }
            for (int k = 0; k < 3; ++k) {
                EXPECT_NEAR(shell->boundsLow[k], low[k], 1e-12) << "axis " << k;
                EXPECT_NEAR(shell->boundsHigh[k], high[k], 1e-12) << "axis " << k;
            }
        }
    };
    ASSERT_EQ(shellsOf(*land).size(), 16u);
    expectTightBoxes();
    EXPECT_NEAR(land->root->boundsLow.x(), 0, 1e-12);
    EXPECT_NEAR(land->root->boundsHigh.x(), 32, 1e-12);
    EXPECT_NEAR(land->root->boundsLow.z(), -16, 1e-12);
    EXPECT_NEAR(land->root->boundsHigh.z(), 0, 1e-12);
    EXPECT_GT(land->root->boundsLow.y(), 0.3) << "the hills stand above the base before a crater";

    // A crater where four blocks meet reaches down to the base: the four boxes and every node
    // above them must follow it down.
    land->createCrater(VORN_Vector(0, 0, 0), 2.0);
    expectTightBoxes();
    EXPECT_EQ(land->root->boundsLow.y(), 0);
    for (const auto& child : land->root->children)
        EXPECT_EQ(child->boundsLow.y(), 0);
}
