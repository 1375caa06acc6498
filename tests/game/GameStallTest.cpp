// A game that stalls for seconds between two ticks (the machine busy, the process stopped): the
// next physics step drops every figure far into the valley, and the collision passes must put each
// one back on the ground where it stood, not leave it inside the hill.
#include "engine/scene/VORN_Clock.h"
#include "game/Player.h"
#include "game/Tortoise.h"
#include "tests/game/GameDriver.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

using namespace GameDriver;
using VORN_LIB::VORN_Vector;

namespace {

std::vector<Tortoise*> figures(const Game& g) {
    std::vector<Tortoise*> all;
    for (unsigned u = 0; u < g.playerCount; ++u)
        if (g.players[u])
            for (unsigned j = 0; j < g.players[u]->count; ++j)
                if (g.players[u]->figures[j])
                    all.push_back(g.players[u]->figures[j]);
    return all;
}

} // namespace

using GameStall = GameScenario;

TEST_F(GameStall, FiguresStandOnTheGroundWhereTheyStoodAfterASecondsLongStall) {
    startRound(9, 9, 5);
    toMoving();
    ticksFor(6); // everybody has dropped onto the valley and come to rest
    const std::vector<Tortoise*> all = figures(g);
    ASSERT_EQ(all.size(), 81u);

    std::vector<VORN_Vector> before;
    for (const Tortoise* f : all)
        before.push_back(f->worldPosition);

    tick(1, 8000); // eight seconds between two ticks: a fall of some 58 units
    ASSERT_EQ(g.state, Moving);
    ticksFor(0.5);

    const double dx = 160.0 / (g.landscape.columns - 1);
    const double dz = 80.0 / (g.landscape.rows - 1);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const VORN_Vector p = all[i]->worldPosition;
        SCOPED_TRACE(testing::Message()
                     << "figure " << i << " at " << p.x() << ", " << p.y() << ", " << p.z());
        EXPECT_LT(horizontalDistance(p, before[i]), 0.2);
        EXPECT_NEAR(p.y(), before[i].y(), 0.2);
        // One radius above the ground: not below the lowest corner of its cell, and not above
        // the highest grid point within reach of its sphere.
        const auto column = static_cast<std::uint32_t>(std::floor((p.x() + 80) / dx));
        const auto row = static_cast<std::uint32_t>(std::floor((40 - p.z()) / dz));
        double low = 1e9, high = -1e9;
        for (std::uint32_t r = row - 1; r <= row + 2; ++r)
            for (std::uint32_t c = column - 1; c <= column + 2; ++c) {
                if (r >= g.landscape.rows || c >= g.landscape.columns)
                    continue;
                const double y = gridPoint(r, c).y();
                high = std::max(high, y);
                if (r >= row && r <= row + 1 && c >= column && c <= column + 1)
                    low = std::min(low, y);
            }
        EXPECT_GE(p.y(), low + 0.3 - 1e-6);
        EXPECT_LE(p.y(), high + 0.3 + 1e-6);
    }
}
