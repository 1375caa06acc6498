// The valley of each game, as the front end's settings screen chose it. The standard valley stays
// laid, craters and all, as long as it is played; any other is laid anew for each game. Each
// valley is laid by the window's ValleyService, a joined machine's as its host sends it.
#include "game/session/Game.h"

#include "game/files/DataFileFailure.h"
#include "game/hosting/ValleyService.h"
#include "game/session/Battlefield.h"

bool Game::showValleyTexture() {
    makeCurrent();
    if (valleyService->laid().valley != GameSettings::Valley::Standard) {
        field->showTexture(valleyService->texture());
        standardTextureShown = false;
        return true;
    }
    if (standardTextureShown)
        return true;
    if (!field->showStandardTexture()) {
        tellBrokenFile();
        return false;
    }
    standardTextureShown = true;
    return true;
}

void Game::tellBrokenFile() {
    match->addMessage(
        LogLine(LogLine::Text::Plain, -1, DataFileFailure::message(Bitmap::lastFailure())));
    front.valleyNote = true;
}
