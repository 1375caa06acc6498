// The settings screen and the valley of each game. After the numbers of players and figures the
// screen chooses the valley (T: the standard one, a random one, each picture of one's own in
// turn; a random valley's number typed with the digits or drawn anew with Z), the wind (W) and the
// weapons (A); Return starts the game, Escape goes back. The standard valley stays laid, craters
// and all, as long as it is played; any other is laid anew for each game. Each valley is laid by
// the window's ValleyService, a joined machine's as its host sends it.
#include "game/session/Game.h"

#include "engine/terrain/TerrainTexture.h"
#include "game/files/DataFileFailure.h"
#include "game/files/DataFiles.h"
#include "game/files/ValleyPicture.h"
#include "game/hosting/ValleyService.h"
#include "game/world/ValleyGenerator.h"

#include <QKeyEvent>
#include <algorithm>

using namespace VORN_LIB;
using namespace Network;

void Game::openSettings() {
    ownValleys =
        ValleyPicture::listed(valleyFolder.isEmpty() ? ValleyPicture::folder() : valleyFolder);
    if (!givenPicture.isEmpty() && !ownValleys.contains(givenPicture))
        ownValleys.prepend(givenPicture);
    if (settings.valley == GameSettings::Valley::Random && settings.valleyNumber == 0)
        settings.valleyNumber = ValleyGenerator::drawNumber();
    valleyNote = false;
    match->state = AskSettings;
}

void Game::settingsKey(int key, int digit) {
    const bool random = settings.valley == GameSettings::Valley::Random;
    switch (key) {
    case Qt::Key_Return:
        newGame();
        break;
    case Qt::Key_Escape:
        valleyNote = false;
        match->state = AskFigures;
        break;
    case Qt::Key_T:
        nextValley();
        break;
    case Qt::Key_Z:
        settings.valley = GameSettings::Valley::Random;
        settings.valleyNumber = ValleyGenerator::drawNumber();
        break;
    case Qt::Key_Backspace:
        if (random)
            settings.valleyNumber /= 10;
        break;
    case Qt::Key_W:
        settings.wind = settings.wind == GameSettings::Wind::Off     ? GameSettings::Wind::Light
                        : settings.wind == GameSettings::Wind::Light ? GameSettings::Wind::Strong
                                                                     : GameSettings::Wind::Off;
        break;
    case Qt::Key_A:
        settings.weapons = settings.weapons == GameSettings::Weapons::Grenade
                               ? GameSettings::Weapons::All
                               : GameSettings::Weapons::Grenade;
        break;
    default:
        // The digits type a random valley's number; one more digit than it can take starts
        // a new number.
        if (random && digit >= 0) {
            const int longer = settings.valleyNumber * 10 + digit;
            settings.valleyNumber = longer <= ValleyGenerator::lastNumber ? longer : digit;
        }
        break;
    }
}

void Game::nextValley() {
    GameSettings& s = settings;
    if (s.valley == GameSettings::Valley::Standard) {
        s.valley = GameSettings::Valley::Random;
        if (s.valleyNumber == 0)
            s.valleyNumber = ValleyGenerator::drawNumber();
        return;
    }
    // After the random valley the first picture, after each picture the next, after the last
    // the standard valley.
    const int at = s.valley == GameSettings::Valley::Random
                       ? -1
                       : int(ownValleys.indexOf(QString::fromStdString(s.valleyPicture)));
    if (at + 1 < ownValleys.size()) {
        s.valley = GameSettings::Valley::Picture;
        s.valleyPicture = ownValleys[at + 1].toStdString();
    } else {
        s.valley = GameSettings::Valley::Standard;
    }
}

QString Game::valleyText() const {
    switch (settings.valley) {
    case GameSettings::Valley::Standard:
        break;
    case GameSettings::Valley::Random:
        return tr("zufall %1").arg(settings.valleyNumber);
    case GameSettings::Valley::Picture:
        return ValleyPicture::nameOf(QString::fromStdString(settings.valleyPicture));
    }
    return tr("standard");
}

bool Game::showValleyTexture() {
    makeCurrent();
    if (valleys->laid().valley != GameSettings::Valley::Standard) {
        const Bitmap& texture = valleys->texture();
        uploadTexture(terrainTexture, texture.pixels, texture.width, texture.height);
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
    valleyNote = true;
}
