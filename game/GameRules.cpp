// The rules of the game: states, turns, the tick, throws, explosions and the message log.
#include "game/Game.h"

using namespace VORN_LIB;

void Game::resetAll() {
    cameraLocked = true;
    frozen = true;
    state = MainMenu;
    for (int i = 0; i < 5; ++i)
        messages[i] = QString();
    messages[5] = tr("Willkommen");
}

void Game::updateStuff() { update(); }

void Game::addMessage(const QString& line) {
    for (int i = 0; i < 5; ++i)
        messages[i] = messages[i + 1];
    messages[5] = line;
}
