// The edge warning of the tortoise on turn: once as it comes near, again only after it has been
// back clear of the edge, and anew for the next turn.
#include "game/session/EdgeWatch.h"
#include "game/rules/Rules.h"

#include <gtest/gtest.h>

using VORN_LIB::VORN_Vector;

TEST(EdgeWatch, WarnsOnceAsTheFigureComesNearAndAgainOnlyAfterItWasBackClear) {
    // Only the figures' addresses count: two stand-ins.
    const int first = 0, second = 0;
    const auto* a = reinterpret_cast<const Tortoise*>(&first);
    const auto* b = reinterpret_cast<const Tortoise*>(&second);
    const auto at = [](double z) { return VORN_Vector(10, 0, z); }; // the edge is at z = -40

    EdgeWatch watch;
    int warnings = 0;
    for (double z = -30; z >= -39.5; z -= 0.1) // driving towards the edge
        warnings += watch.update(a, at(z));
    EXPECT_EQ(warnings, 1);
    EXPECT_TRUE(EdgeWatch::near(at(-38.1)));
    EXPECT_FALSE(EdgeWatch::near(at(-37.9)));
    EXPECT_TRUE(EdgeWatch::near(VORN_Vector(79, 0, 0)));

    // Rocking at the line does not warn again; back clear and near again does.
    for (int i = 0; i < 10; ++i)
        warnings += watch.update(a, at(i % 2 ? -37.9 : -38.1));
    EXPECT_EQ(warnings, 1);
    EXPECT_FALSE(watch.update(a, at(-37)));
    EXPECT_TRUE(watch.update(a, at(-39)));

    // Between turns nothing; the next turn near the edge warns, another figure's as well.
    EXPECT_FALSE(watch.update(nullptr, VORN_Vector()));
    EXPECT_TRUE(watch.update(a, at(-39)));
    EXPECT_TRUE(watch.update(b, at(-39)));
}
