// The valley of each game, as the front end's settings screen chose it. The standard valley stays
// laid, craters and all, as long as it is played; any other is laid anew for each game. A joined
// machine lays the valley its host sends.
#include "game/session/Game.h"

#include "engine/terrain/TerrainTexture.h"
#include "game/files/DataFileFailure.h"
#include "game/files/DataFiles.h"
#include "game/files/ValleyPicture.h"
#include "game/world/ValleyGenerator.h"

#include <algorithm>

using namespace VORN_LIB;
using namespace Network;

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
            front.valleyNote = true;
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
            front.valleyNote = true;
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
