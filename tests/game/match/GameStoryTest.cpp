// The story of a game as the match tells it: each player's damage dealt, taken and done to itself,
// its figures lost, its best shot, and every player's hit points at the start of each turn.
// Times are driven by hand in 25 ms ticks; world units, y up.
#include "tests/support/MatchScenario.h"

#include "game/match/GameStory.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

using VORN_LIB::VORN_Vector;

namespace {

class GameStoryScenario : public MatchScenario {
protected:
    // Every figure on the ground at a place of its own, far from the blasts below.
    void park() {
        for (unsigned u = 0; u < match->playerCount(); ++u)
            if (Player* p = match->players()[u].get())
                for (unsigned j = 0; j < p->count; ++j)
                    if (Tortoise* f = p->figure(j))
                        driver.placeOnGround(f, -50 + 8.0 * u, -20 + 8.0 * j);
    }
    // A throw of the player on turn that goes off at a point, then on to the next turn.
    void throwAt(const VORN_Vector& point) {
        prepareAndFire();
        driver.explodeAt(point);
        toNextMoving();
    }
};

} // namespace

TEST_F(GameStoryScenario, EachPlayersDamageLossesAndBestShotAreCounted) {
    driver.startRound(3, 2, 11);
    driver.toMoving();
    const VORN_Vector air = driver.ground(40, 20) + VORN_Vector(0, 4, 0);
    Tortoise* victim = match->players()[2]->figure(0);

    // Turn 1: player 0 hits a figure of player 2 straight on (75).
    park();
    victim->setWorldPosition(air);
    throwAt(air);
    ASSERT_EQ(victim->health, 25);
    // Turns 2 and 3: players 1 and 2 throw into empty ground.
    park();
    throwAt(air);
    park();
    throwAt(air);

    // Turn 4: player 0's blast takes 25 at 2 units from player 1, 12 at 2.5 from its own other
    // figure, and the last 25 of player 2's figure at 1 unit: that one is lost.
    ASSERT_EQ(match->currentPlayer(), 0);
    park();
    Tortoise* own = match->currentFigure() == match->players()[0]->figure(0)
                        ? match->players()[0]->figure(1)
                        : match->players()[0]->figure(0);
    match->players()[1]->figure(1)->setWorldPosition(air + VORN_Vector(2, 0, 0));
    own->setWorldPosition(air + VORN_Vector(0, 0, 2.5));
    victim->setWorldPosition(air + VORN_Vector(-1, 0, 0));
    prepareAndFire();
    driver.explodeAt(air);
    ASSERT_EQ(match->players()[2]->figure(0), nullptr);

    const std::vector<GameStory::Tally>& t = match->story().tallies();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].dealt, 75 + 25 + 25);
    EXPECT_EQ(t[0].own, 12);
    EXPECT_EQ(t[0].taken, 0);
    EXPECT_EQ(t[0].lost, 0);
    // The best shot is the first, the bigger one, and stays.
    EXPECT_EQ(t[0].bestShot, 75);
    EXPECT_EQ(t[0].bestTurn, 1);
    EXPECT_EQ(t[1].taken, 25);
    EXPECT_EQ(t[1].dealt, 0);
    EXPECT_EQ(t[1].bestTurn, 0);
    EXPECT_EQ(t[2].taken, 100);
    EXPECT_EQ(t[2].lost, 1);
    EXPECT_EQ(t[2].own, 0);
    // Every hit point gone is someone's doing.
    int gone = 0;
    for (const GameStory::Tally& each : t)
        gone += each.taken + each.own;
    EXPECT_EQ(gone, 3 * 200 - match->totalHitPoints());

    // The hit points at the start of each turn: full at the first, player 2 hurt from the second.
    toNextMoving();
    EXPECT_EQ(match->story().turns(), 5);
    const std::vector<std::vector<int>>& s = match->story().strengths();
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0], std::vector<int>({200, 200, 200}));
    EXPECT_EQ(s[1], std::vector<int>({200, 200, 125}));
    EXPECT_EQ(s[4], std::vector<int>({188, 175, 100}));

    // A new game starts a new story.
    driver.startRound(2, 1, 12);
    EXPECT_EQ(match->story().tallies().size(), 2u);
    EXPECT_EQ(match->story().tallies()[0].dealt, 0);
    EXPECT_EQ(match->story().tallies()[1].lost, 0);
    EXPECT_EQ(match->story().strengths(), std::vector<std::vector<int>>({{100, 100}}));
}
