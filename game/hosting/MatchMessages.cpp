// The messages of a match as a watching machine gets them. World units, y up, degrees, ms.
#include "game/hosting/MatchMessages.h"

#include "game/hosting/MatchSnapshot.h"
#include "game/match/Match.h"
#include "game/world/Player.h"

#include "engine/terrain/Bitmap.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

using namespace VORN_LIB;
using namespace Network;

namespace {
constexpr int textureBytesPerFrame = 57344; // well inside a frame
} // namespace

Start MatchMessages::start(const Match& match) {
    Start start;
    for (const auto& player : match.players())
        for (int c = 0; c < 3; ++c)
            start.colours.append(float(player->color[c]));
    start.figures = match.figuresEach();
    return start;
}

QVector<Message> MatchMessages::valley(const Match& match, const Bitmap* t) {
    QVector<Message> messages;
    Valley valley;
    valley.settings = match.settings();
    // A picture is named by its file's name alone: the host's folders are its own business.
    if (valley.settings.valley == GameSettings::Valley::Picture)
        valley.settings.valleyPicture =
            QFileInfo(QString::fromStdString(valley.settings.valleyPicture))
                .completeBaseName()
                .toStdString();
    messages.append(valley);
    if (valley.settings.valley != GameSettings::Valley::Picture)
        return messages;

    // The heights as the picture gave them, before any crater.
    const VORN_Landscape& land = match.landscape();
    ValleyHeights heights;
    heights.columns = quint16(land.columns);
    heights.rows = quint16(land.rows);
    heights.grey.resize(int(land.columns * land.rows));
    for (int i = 0; i < heights.grey.size() && std::size_t(i) < match.valleyAsLaid().size(); ++i)
        heights.grey[i] =
            char(std::clamp<long>(std::lround(match.valleyAsLaid()[std::size_t(i)] * 255), 0, 255));
    messages.append(heights);

    if (!t || t->pixels.empty() || t->width <= 0 || t->width > 4096 || t->height > 65535)
        return messages;
    const int rowBytes = t->width * 3;
    const int rowsPerFrame = std::max(1, textureBytesPerFrame / rowBytes);
    for (int first = 0; first < t->height; first += rowsPerFrame) {
        ValleyTexture band;
        band.width = quint16(t->width);
        band.height = quint16(t->height);
        band.firstRow = quint16(first);
        const int rows = std::min(rowsPerFrame, t->height - first);
        band.rgb = QByteArray(reinterpret_cast<const char*>(t->pixels.data()) +
                                  std::size_t(first) * rowBytes,
                              rows * rowBytes);
        messages.append(band);
    }
    return messages;
}

State MatchMessages::state(const Match& match, VORN_Clock::Ticks now) {
    State s;
    s.time = now;
    s.state = match.state();
    s.currentPlayer = static_cast<qint8>(match.currentPlayer());
    s.secondsLeft = static_cast<qint16>(match.secondsLeft());
    s.msIntoPhase = static_cast<qint32>(match.msIntoPhase(now));
    s.grenadeShown = match.grenadeShown();
    const VORN_Vector g = match.grenade().worldPosition;
    s.grenadeX = float(g.x());
    s.grenadeY = float(g.y());
    s.grenadeZ = float(g.z());
    s.aimYaw = float(match.aimYaw());
    s.aimPitch = float(match.aimPitch());
    s.aimPower = float(match.aimPower());
    s.figures = MatchSnapshot::figuresOf(match, s.currentSlot);
    return s;
}

bool MatchMessages::hasArms(const Match& match) {
    return match.settings().wind != GameSettings::Wind::Off ||
           match.settings().weapons != GameSettings::Weapons::Grenade || match.suddenDeath();
}

Arms MatchMessages::arms(const Match& match) {
    Arms arms;
    arms.wind = match.settings().wind;
    arms.weapons = match.settings().weapons;
    arms.windX = float(match.wind().x());
    arms.windZ = float(match.wind().z());
    arms.taken = match.weapon();
    arms.suddenDeath = match.suddenDeath();
    for (int w = 0; w < Weapons::count; ++w)
        arms.left[w] = static_cast<qint8>(match.weaponsLeft(match.currentPlayer(), Weapon(w)));
    return arms;
}

QVector<Message> MatchMessages::crater(const Match& match, const VORN_Vector& point) {
    QVector<Message> messages;
    if (match.thrownWeapon() != Weapon::Grenade)
        messages.append(
            Blast{match.thrownWeapon(), float(point.x()), float(point.y()), float(point.z())});
    else
        messages.append(Event{Event::Crater, float(point.x()), float(point.y()), float(point.z())});
    messages.append(Checksum{match.heightmapChecksum()});
    return messages;
}

Log MatchMessages::log(const Match& match) {
    return Log{MatchSnapshot::logOf(match)};
}
