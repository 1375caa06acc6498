// The valley each game is played on, laid on a match the same way for the window, the headless
// host and a machine that joined: the standard valley of the data folder (laid once and kept,
// craters and all, as long as it is played), a random valley made from its number, or a picture
// of one's own read with its texture beside it. It keeps the texture of the valley it laid for
// whoever draws it or sends it; the standard valley's texture is the data folder's own.
#pragma once

#include "engine/terrain/Bitmap.h"
#include "game/rules/GameSettings.h"

#include <QString>
#include <functional>

class Match;

class ValleyService {
public:
    // standard: the heights of the data folder's valley (kept by the caller), already laid.
    explicit ValleyService(const Bitmap& standard) : standard(standard) {}

    // Lays the valley of chosen on match; false, and nothing changes, when its picture cannot be
    // read (the fault in Bitmap::lastFailure()). A picture kept by keepPicture() is not read again.
    bool lay(Match& match, const GameSettings& chosen);
    // Lays a picture valley its host sent as grey heights, coloured here (ValleyGenerator) until
    // the host's own texture comes.
    void layHeights(Match& match, const GameSettings& chosen, const Bitmap& grey);

    // The valley on the match now (the standard one at start), and its texture: empty for the
    // standard valley. ownTexture() is the texture of a picture that came with one, else null.
    const GameSettings& laid() const { return laidSettings; }
    const Bitmap& texture() const { return laidTexture; }
    const Bitmap* ownTexture() const;

    // Reads a valley picture: its heights on the valley's grid, and its texture (made from the
    // heights when it has none beside it; the return value says whether it had). Throws -1 as
    // Bitmap::load does when a file cannot be read.
    static bool loadPicture(const QString& path, Bitmap& heights, Bitmap& texture);
    // A picture already read, laid whenever the settings name its path.
    void keepPicture(const std::string& path, const Bitmap& heights, const Bitmap& texture,
                     bool textured);

    // The one start of a game, for the window and the headless host: the valley of chosen laid (a
    // random valley without a number gets one drawn), the settings on the match, players ×
    // figures, the first countdown begun. laid runs between the valley and the players (the
    // window's sound and texture, the host's texture to send). False, with nothing started, when
    // the valley cannot be laid.
    bool startGame(Match& match, GameSettings chosen, int players, int figures,
                   const std::function<bool(const GameSettings&)>& laid = {});

private:
    static void copy(const Bitmap& from, Bitmap& to);
    static void take(Bitmap& from, Bitmap& to); // to gets from's picture, from the old one

    const Bitmap& standard;
    GameSettings laidSettings;
    Bitmap laidTexture;
    bool laidTextured = false;
    std::string keptPath;
    Bitmap keptHeights;
    Bitmap keptTexture;
    bool keptTextured = false;
};
