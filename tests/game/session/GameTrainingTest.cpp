// The training from the main menu: T lays the standard valley and sets the training up, its hints
// come in the log, three hits end it on the end screen with the time taken, and it is kept neither
// as a replay nor as the last game.
#include "tests/support/GameDriver.h"

#include "game/hosting/ReplayRecorder.h"
#include "game/match/Training.h"
#include "game/session/HudLayout.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

using namespace GameDriver;

TEST_F(GameScenario, TheTrainingFromTheMainMenuEndsOnTheEndScreenAfterThreeHitsAndIsNoGame) {
    const int playersBefore = g.front.players;
    const QString keptBefore = g.replays().lastFile();
    tap(Qt::Key_T);
    Match& m = *g.match;
    ASSERT_TRUE(g.training().running());
    ASSERT_EQ(m.playerCount(), 2u);
    EXPECT_TRUE(m.passedOver(Training::targets));
    EXPECT_EQ(log().last(), QStringLiteral("tipp: pfeiltasten fahren"));
    EXPECT_FALSE(g.replays().recording());

    for (int hit = 0; hit < Training::targetCount; ++hit) {
        SCOPED_TRACE(hit);
        ASSERT_TRUE(tickUntil([&] { return m.state() == Moving; }, 2000));
        EXPECT_EQ(m.currentPlayer(), Training::own) << "the targets never have a turn";
        tap(Qt::Key_Return); // fire mode
        tap(Qt::Key_Return); // thrown
        ASSERT_EQ(m.state(), Flying);
        const Player* targets = m.players()[Training::targets].get();
        ASSERT_NE(targets, nullptr);
        const Tortoise* target = nullptr;
        for (unsigned slot = 0; !target && slot < targets->count; ++slot)
            target = targets->figure(slot);
        ASSERT_NE(target, nullptr);
        explodeAt(target->worldPosition);
    }
    ASSERT_TRUE(tickUntil([&] { return m.state() == GameOver; }, 400));
    QStringList shown;
    for (const HudLayout::Line& line : g.hud().menuLines())
        shown << line.text;
    ASSERT_GE(shown.size(), 2);
    EXPECT_EQ(shown[0], QStringLiteral("training"));
    EXPECT_EQ(shown[1], QStringLiteral("geschafft: %1 s").arg(g.training().secondsTaken()));
    EXPECT_GT(g.training().secondsTaken(), 0);

    tap(Qt::Key_Return);
    EXPECT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    EXPECT_EQ(g.front.players, playersBefore);
    EXPECT_EQ(g.replays().lastFile(), keptBefore) << "no replay of a training";
    EXPECT_TRUE(g.front.trainingResult.isEmpty());
}
