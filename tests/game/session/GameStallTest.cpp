// A game that stalls for seconds between two ticks (the machine busy, the window dragged): the
// next tick moves the world by at most a tenth of a second, so every figure stays on the ground
// where it stood and a driven one does not jump, while the turn's clock goes on in real time.
#include "game/world/Player.h"
#include "game/world/Tortoise.h"
#include "tests/support/GameDriver.h"

#include <vector>

using namespace GameDriver;
using VORN_LIB::VORN_Vector;

namespace {

std::vector<Tortoise*> figures(const Game& g) {
    std::vector<Tortoise*> all;
    for (unsigned u = 0; u < g.match->playerCount(); ++u)
        if (g.match->players()[u])
            for (unsigned j = 0; j < g.match->players()[u]->count; ++j)
                if (g.match->players()[u]->figure(j))
                    all.push_back(g.match->players()[u]->figure(j));
    return all;
}

} // namespace

using GameStall = GameScenario;

TEST_F(GameStall, ASecondsLongStallSlowsTheWorldForOneTickInsteadOfBreakingIt) {
    startRound(9, 9, 5);
    toMoving();
    ticksFor(6); // everybody has dropped onto the valley and come to rest
    const std::vector<Tortoise*> all = figures(g);
    ASSERT_EQ(all.size(), 81u);

    // The current figure is driven forward through the stall; the last one hangs two units above
    // its ground, at rest.
    Tortoise* driven = g.match->currentFigure();
    ASSERT_EQ(driven, all.front());
    Tortoise* hanging = all.back();
    placeOnGround(hanging, hanging->worldPosition.x(), hanging->worldPosition.z());
    hanging->setWorldPosition(hanging->worldPosition + VORN_Vector(0, 2, 0));

    std::vector<VORN_Vector> before;
    for (const Tortoise* f : all)
        before.push_back(f->worldPosition);

    press(Qt::Key_Up);
    tick(1, 8000); // eight seconds between two ticks
    release(Qt::Key_Up);
    ASSERT_EQ(g.match->state(), Moving);
    EXPECT_EQ(g.match->secondsLeft(),
              46); // 14 s of the turn gone: the rules' clock keeps real time

    // A tenth of a second of driving at 2 units/s, and of falling from rest at 0.9 units/s².
    EXPECT_NEAR(horizontalDistance(driven->worldPosition, before.front()), 0.2, 0.01);
    // World positions pass through the single-precision GL matrix stack.
    EXPECT_NEAR(hanging->worldPosition.y(), before.back().y() - 0.9 * 0.1 * 0.1, 1e-6);
    const Player* last = g.match->players()[8].get();
    EXPECT_NEAR(last->body(last->count - 1)->velocity.y(), -0.9 * 0.1, 1e-9);

    // Everybody else stands where they stood, give or take the slow creep of a figure resting on
    // a slope.
    ticksFor(0.5);
    for (std::size_t i = 1; i + 1 < all.size(); ++i) {
        const VORN_Vector p = all[i]->worldPosition;
        SCOPED_TRACE(testing::Message()
                     << "figure " << i << " at " << p.x() << ", " << p.y() << ", " << p.z());
        EXPECT_LT(distance(p, before[i]), 0.2);
    }
}
