// Laying the valley of a game's settings, and starting the game on it.
#include "game/hosting/ValleyService.h"

#include "game/files/ValleyPicture.h"
#include "game/match/Match.h"
#include "game/world/ValleyGenerator.h"

#include <algorithm>

bool ValleyService::lay(Match& match, const GameSettings& chosen) {
    if (chosen.valley == GameSettings::Valley::Standard) {
        if (laidSettings.valley != GameSettings::Valley::Standard) {
            match.setValley(standard);
            Bitmap none;
            take(none, laidTexture);
            laidTextured = false;
        }
        laidSettings = chosen;
        return true;
    }
    Bitmap heights;
    Bitmap texture;
    bool textured = false;
    if (chosen.valley == GameSettings::Valley::Random) {
        ValleyGenerator::heights(chosen.valleyNumber, heights);
        ValleyGenerator::texture(heights, texture);
    } else if (!keptPath.empty() && chosen.valleyPicture == keptPath) {
        copy(keptHeights, heights);
        copy(keptTexture, texture);
        textured = keptTextured;
    } else {
        try {
            textured = loadPicture(QString::fromStdString(chosen.valleyPicture), heights, texture);
        } catch (int) {
            return false;
        }
    }
    match.setValley(heights);
    take(texture, laidTexture);
    laidTextured = textured;
    laidSettings = chosen;
    return true;
}

void ValleyService::layHeights(Match& match, const GameSettings& chosen, const Bitmap& grey) {
    Bitmap texture;
    ValleyGenerator::texture(grey, texture);
    match.setValley(grey);
    take(texture, laidTexture);
    laidTextured = false;
    laidSettings = chosen;
}

const Bitmap* ValleyService::ownTexture() const {
    return laidSettings.valley == GameSettings::Valley::Picture && laidTextured ? &laidTexture
                                                                                : nullptr;
}

bool ValleyService::loadPicture(const QString& path, Bitmap& heights, Bitmap& texture) {
    ValleyPicture::loadHeights(path, heights, ValleyGenerator::columns, ValleyGenerator::rows);
    if (ValleyPicture::loadTexture(path, texture, ValleyGenerator::textureWidth,
                                   ValleyGenerator::textureHeight))
        return true;
    ValleyGenerator::texture(heights, texture);
    return false;
}

void ValleyService::keepPicture(const std::string& path, const Bitmap& heights,
                                const Bitmap& texture, bool textured) {
    keptPath = path;
    copy(heights, keptHeights);
    copy(texture, keptTexture);
    keptTextured = textured;
}

bool ValleyService::startGame(Match& match, GameSettings chosen, int players, int figures,
                              const std::function<bool(const GameSettings&)>& laid) {
    if (chosen.valley == GameSettings::Valley::Random && chosen.valleyNumber == 0)
        chosen.valleyNumber = ValleyGenerator::drawNumber();
    if (!lay(match, chosen))
        return false;
    if (laid && !laid(chosen))
        return false;
    match.setSettings(chosen);
    match.newGame(players, figures);
    match.nextTurn();
    return true;
}

void ValleyService::copy(const Bitmap& from, Bitmap& to) {
    if (from.width <= 0 || from.height <= 0) {
        Bitmap none;
        take(none, to);
        return;
    }
    to.resize(from.width, from.height);
    to.pixels = from.pixels;
}

void ValleyService::take(Bitmap& from, Bitmap& to) {
    std::swap(to.pixels, from.pixels);
    std::swap(to.width, from.width);
    std::swap(to.height, from.height);
}
