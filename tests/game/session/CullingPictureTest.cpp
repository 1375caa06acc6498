// Exact culling must not change a single pixel, of the passes or of the night's glowing outlines
// (culled by the same planes): frames of a 9 × 9 round seen from a sweep of cameras (inside the
// valley and at its rim, high and low, looking along and across it, into craters dug where blocks
// meet, and with figures just inside and just outside each edge of the picture) are compared with
// the frames of the same cameras culled by the cone alone. With TV_PICTURE_DIR set, every frame of
// the sweep is also written there.
#include "tests/support/GameDriver.h"

#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <QDir>
#include <cmath>
#include <cstdlib>
#include <string>

using namespace GameDriver;
using VORN_LIB::VORN_Vector;

namespace {

class CullingScenario : public GameScenario {
protected:
    struct View {
        VORN_Vector position;
        double yaw, pitch, distance;
        std::string name;
    };

    // Draws the view with and without the exact test and expects the same picture; counts the
    // terrain blocks each drew.
    void compare(const View& v) {
        SCOPED_TRACE(v.name);
        g.viewport()->setView(v.position, v.yaw, v.pitch, v.distance);
        g.viewport()->exactCulling = false;
        const QImage coneOnly = frame();
        blocksConeOnly += g.match->landscape().blocksDrawn;
        g.viewport()->exactCulling = true;
        const QImage exact = frame();
        blocksExact += g.match->landscape().blocksDrawn;
        ++views;
        ASSERT_EQ(exact.size(), coneOnly.size());
        EXPECT_TRUE(exact == coneOnly) << differingPixels(exact, coneOnly) << " pixels differ";
        if (const char* dir = std::getenv("TV_PICTURE_DIR")) {
            QDir().mkpath(dir);
            exact.save(QDir(dir).filePath(QString::fromStdString(v.name) + ".png"));
        }
    }

    // A 9 × 9 round at rest, with craters where four blocks meet, on the border of two, and at the
    // valley's corner (the blocks are 20 × 10 units; the valley spans x -80 … 80 and z -40 … 40).
    void prepare() {
        startRound(9, 9, 11);
        toMoving();
        ticksFor(4); // the figures fall and come to rest
        ASSERT_EQ(g.match->state(), Moving);
        for (const VORN_Vector& c : craters)
            g.match->landscape().createCrater(c, 3.0);
    }

    std::string name(const char* what) { return std::to_string(n++) + "-" + what; }

    static int differingPixels(const QImage& a, const QImage& b) {
        int count = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        return count;
    }

    const VORN_Vector craters[4] = {VORN_Vector(0, 0, 0), VORN_Vector(20, 0, 5),
                                    VORN_Vector(-40, 0, -10), VORN_Vector(78, 0, 38)};
    int n = 0; // frames named so far
    unsigned blocksConeOnly = 0;
    unsigned blocksExact = 0;
    int views = 0;
};

} // namespace

TEST_F(CullingScenario, TheValleyFromEverySideLooksTheSameWithExactCulling) {
    ASSERT_NO_FATAL_FAILURE(prepare());
    // Low inside the valley, turning round at a corner where four blocks meet.
    for (int yaw = 0; yaw < 360; yaw += 15)
        compare({ground(20, 10) + VORN_Vector(0, 0.6, 0), double(yaw), -5, -5, name("low-turn")});
    // High above it, looking down steeply and across the whole valley.
    for (int yaw = 0; yaw < 360; yaw += 45) {
        compare({VORN_Vector(0, 25, 0), double(yaw), -70, -5, name("high-down")});
        compare({VORN_Vector(-30, 12, 20), double(yaw), -20, -5, name("high-across")});
    }
    // At the rim and corners, looking along the edge, out of the valley and into it.
    const VORN_Vector rim[] = {VORN_Vector(79, 2, 0), VORN_Vector(-79, 2, 30),
                               VORN_Vector(0, 2, 39.5), VORN_Vector(-79.5, 1.5, -39.5)};
    for (const VORN_Vector& p : rim)
        for (int yaw = 0; yaw < 360; yaw += 60)
            for (const double pitch : {-30.0, 0.0})
                compare({p, double(yaw), pitch, -5, name("rim")});
    // Into the craters from close by and low, their floors at the bottom edge of the picture.
    for (const VORN_Vector& c : craters)
        for (const double pitch : {-10.0, -25.0, -45.0})
            for (const double yaw : {0.0, 135.0, 250.0})
                compare({ground(c.x(), c.z()) + VORN_Vector(0, 1.5, 0), yaw, pitch, -4,
                         name("crater")});
    EXPECT_LT(blocksExact * 2, blocksConeOnly) << "the sweep must show culled blocks";
    g.viewport()->exactCulling = true;
}

TEST_F(CullingScenario, FiguresAtEveryEdgeOfThePictureLookTheSameWithExactCulling) {
    ASSERT_NO_FATAL_FAILURE(prepare());
    // Figures just inside and just outside each edge of the picture: the look-at point is moved
    // sideways (or up) from the figure until the figure lies beyond the edge by more than its
    // reach.
    const double depth = 5;
    const double tanHigh = std::tan(45.0 / 2 * M_PI / 180);
    const double tanWide = tanHigh * g.viewport()->width / g.viewport()->height;
    const double reach = Tortoise::reach * 0.3;
    int figuresSeen = 0;
    for (unsigned i = 0; i < g.match->playerCount() && figuresSeen < 2; i += 4) {
        const Tortoise* figure = g.match->players()[i]->figure(0);
        if (!figure)
            continue;
        ++figuresSeen;
        const VORN_Vector f = figure->worldPosition;
        for (const double yaw : {30.0 * i, 30.0 * i + 100}) {
            g.viewport()->setView(f, yaw, -15, -depth);
            const VORN_Vector right = g.viewport()->right;
            const VORN_Vector up = g.viewport()->up;
            for (int step = -1; step <= 7; step += 2) {
                const double beyond = step * reach / 5;
                const double sideways = depth * tanWide + beyond;
                const double upwards = depth * tanHigh + beyond;
                compare({f + right * sideways, yaw, -15, -depth, name("figure-left")});
                compare({f - right * sideways, yaw, -15, -depth, name("figure-right")});
                compare({f - up * upwards, yaw, -15, -depth, name("figure-top")});
                compare({f + up * upwards, yaw, -15, -depth, name("figure-bottom")});
            }
        }
    }
    EXPECT_EQ(figuresSeen, 2);
    g.viewport()->exactCulling = true;
}
