// The valley of each game, as the front end's settings screen chose it. The standard valley stays
// laid, craters and all, as long as it is played; any other is laid anew for each game. Each
// valley is laid by the window's ValleyService, a joined machine's as its host sends it.
#include "game/session/Game.h"

#include "engine/terrain/TerrainTexture.h"
#include "game/files/DataFileFailure.h"
#include "game/files/DataFiles.h"
#include "game/files/ValleyPicture.h"
#include "game/hosting/ValleyService.h"
#include "game/world/ValleyGenerator.h"

#include <algorithm>

using namespace VORN_LIB;
using namespace Network;

bool Game::showValleyTexture() {
    makeCurrent();
    if (valleys->laid().valley != GameSettings::Valley::Standard) {
        const Bitmap& texture = valleys->texture();
        uploadTexture(terrainTexture, texture.pixels.data(), texture.width, texture.height);
        standardTextureShown = false;
        return true;
    }
    if (standardTextureShown)
        return true;
    try {
        loadTerrainTexture(terrainTexture,
                           DataFiles().path("valleyTex.bmp").toLocal8Bit().toStdString());
    } catch (int) {
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
