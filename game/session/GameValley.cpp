// The settings screen and the valley of each game. After the numbers of players and figures the
// screen chooses the valley (T: the standard one, a random one, each picture of one's own in
// turn; a random valley's number typed with the digits or drawn anew with Z), the wind (W) and the
// weapons (A); Return starts the game, Escape goes back. The standard valley stays laid, craters
// and all, as long as it is played; any other is laid anew for each game. A joined machine lays
// the valley its host sends.
#include "game/session/Game.h"

#include "engine/terrain/TerrainTexture.h"
#include "game/files/DataFileFailure.h"
#include "game/files/DataFiles.h"
#include "game/files/ValleyPicture.h"
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

bool Game::layValley(const GameSettings& chosen) {
    if (chosen.valley == GameSettings::Valley::Standard) {
        if (laidValley.valley == GameSettings::Valley::Standard)
            return true;
        makeCurrent();
        try {
            loadTerrainTexture(terrainTexture,
                               DataFiles().path("valleyTex.bmp").toLocal8Bit().toStdString());
        } catch (int) {
            match->addMessage(
                LogLine(LogLine::Text::Plain, -1, DataFileFailure::message(Bitmap::lastFailure())));
            valleyNote = true;
            return false;
        }
        match->setValley(heightMap);
        laidValley = chosen;
        return true;
    }

    Bitmap heights;
    Bitmap texture;
    if (chosen.valley == GameSettings::Valley::Random) {
        ValleyGenerator::heights(chosen.valleyNumber, heights);
        ValleyGenerator::texture(heights, texture);
    } else {
        const QString path = QString::fromStdString(chosen.valleyPicture);
        try {
            ValleyPicture::loadHeights(path, heights, ValleyGenerator::columns,
                                       ValleyGenerator::rows);
            if (!ValleyPicture::loadTexture(path, texture, ValleyGenerator::textureWidth,
                                            ValleyGenerator::textureHeight))
                ValleyGenerator::texture(heights, texture);
        } catch (int) {
            match->addMessage(
                LogLine(LogLine::Text::Plain, -1, DataFileFailure::message(Bitmap::lastFailure())));
            valleyNote = true;
            return false;
        }
    }
    makeCurrent();
    uploadTexture(terrainTexture, texture.pixels, texture.width, texture.height);
    match->setValley(heights);
    std::swap(valleyTexture.pixels, texture.pixels);
    std::swap(valleyTexture.width, texture.width);
    std::swap(valleyTexture.height, texture.height);
    laidValley = chosen;
    return true;
}

void Game::valleyFromHost(const Message& message) {
    if (const auto* valley = std::get_if<Valley>(&message)) {
        hostSettings = valley->settings;
        match->settings = hostSettings;
        // A picture comes with its heights; a random valley is made here from its number.
        if (hostSettings.valley != GameSettings::Valley::Picture)
            layValley(hostSettings);
    } else if (const auto* heights = std::get_if<ValleyHeights>(&message)) {
        if (hostSettings.valley != GameSettings::Valley::Picture)
            return;
        Bitmap grey;
        grey.resize(heights->columns, heights->rows);
        for (int i = 0; i < heights->grey.size(); ++i)
            grey.pixels[3 * i] = grey.pixels[3 * i + 1] = grey.pixels[3 * i + 2] =
                static_cast<unsigned char>(heights->grey[i]);
        // Coloured here until the host's own texture, if the picture has one, has come.
        Bitmap texture;
        ValleyGenerator::texture(grey, texture);
        makeCurrent();
        uploadTexture(terrainTexture, texture.pixels, texture.width, texture.height);
        match->setValley(grey);
        laidValley = hostSettings;
    } else if (const auto* band = std::get_if<ValleyTexture>(&message)) {
        if (hostSettings.valley != GameSettings::Valley::Picture)
            return;
        if (hostTexture.width != band->width || hostTexture.height != band->height)
            hostTexture.resize(band->width, band->height);
        const std::size_t row = std::size_t(band->width) * 3;
        std::copy(band->rgb.constBegin(), band->rgb.constEnd(),
                  hostTexture.pixels + std::size_t(band->firstRow) * row);
        if (band->firstRow + std::size_t(band->rgb.size()) / row == band->height) {
            makeCurrent();
            uploadTexture(terrainTexture, hostTexture.pixels, hostTexture.width,
                          hostTexture.height);
        }
    }
}
