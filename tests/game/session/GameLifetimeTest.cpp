// Building and tearing down the whole world with the window, in the middle of a game: every
// player, figure, material and list goes with it (the sanitized test run reports any leak).
#include "engine/scene/VORN_Clock.h"
#include "game/session/Game.h"
#include "game/world/Player.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <gtest/gtest.h>

using VORN_LIB::VORN_Clock;

namespace {

void press(Game& game, int key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(&game, &down);
    QApplication::sendEvent(&game, &up);
}

} // namespace

TEST(GameLifetime, TearsDownInTheMiddleOfAFlight) {
    VORN_Clock::setManual(1000);
    Game* game = new Game();
    game->timer()->stop();
    press(*game, Qt::Key_Return);
    press(*game, Qt::Key_3);
    press(*game, Qt::Key_2);
    press(*game, Qt::Key_Return); // the settings screen
    ASSERT_EQ(game->match->playerCount(), 3u);
    VORN_Clock::advance(3100);
    game->updateStuff();
    ASSERT_EQ(game->match->state(), Moving);
    press(*game, Qt::Key_Return);
    press(*game, Qt::Key_Return);
    ASSERT_EQ(game->match->state(), Flying);
    // Six figures fall, the grenade flies, the camera follows the grenade.
    EXPECT_EQ(game->match->gravityGroup().containers.size(), 6u);
    EXPECT_TRUE(game->match->grenadeFlying());
    EXPECT_EQ(game->viewport()->attached, &game->match->grenade());
    delete game;
    VORN_Clock::useReal();
}
