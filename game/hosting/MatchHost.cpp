// The host's side of a network game. World units, y up, degrees, milliseconds.
#include "game/hosting/MatchHost.h"

#include "game/match/Match.h"
#include "game/network/NetworkHost.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <algorithm>

using namespace VORN_LIB;
using namespace Network;

namespace {
constexpr int heightsPerFrame = 4096;
}

MatchHost::MatchHost(Match& match, QObject* parent)
    : QObject(parent), network(new NetworkHost(this)), match(match) {
    match.seatRemote = [this](int player) { return network->holds(player); };
    connect(network, &NetworkHost::joined, this, [this](int seat) {
        this->match.addMessage(LogLine(LogLine::Text::Joined, seat));
        this->match.addMessage(LogLine(LogLine::Text::JoinedFrom, seat, network->addressOf(seat)));
        emit joined(seat);
    });
    connect(network, &NetworkHost::left, this, [this](int seat) {
        this->match.addMessage(LogLine(LogLine::Text::Left, seat));
        // The seat plays on: by the computer, at the chosen level or at mittel.
        if (this->match.playerCount != 0 && seat < static_cast<int>(this->match.playerCount))
            this->match.computer.takeOver(seat);
        emit left(seat);
    });
    connect(network, &NetworkHost::command, this, [this](int seat, const TurnCommand& command) {
        // Only the seat on turn drives, aims and throws; anything else is ignored.
        Match& m = this->match;
        if (seat == m.currentPlayer && m.playerCount != 0 &&
            (m.state == Moving || m.state == Aiming) && network->holds(seat))
            m.apply(command);
    });
    connect(network, &NetworkHost::heightmapAsked, this, &MatchHost::sendHeightmap);
    connect(&match, &Match::gameStarted, this, [this] { network->broadcast(startMessage()); });
    connect(&match, &Match::exploded, this,
            [this](const VORN_Vector& point) { announceCrater(point); });
}

MatchHost::~MatchHost() {
    match.seatRemote = [](int) { return false; };
}

bool MatchHost::listen(quint16 port) {
    return network->listen(port);
}

quint16 MatchHost::port() const {
    return network->port();
}

bool MatchHost::holds(int seat) const {
    return network->holds(seat);
}

int MatchHost::joinedCount() const {
    return network->joinedCount();
}

QString MatchHost::addressOf(int seat) const {
    return network->addressOf(seat);
}

void MatchHost::seatEveryPlayer() {
    network->firstSeat = 0;
}

Message MatchHost::startMessage() const {
    Start start;
    for (const auto& player : match.players)
        for (int c = 0; c < 3; ++c)
            start.colours.append(float(player->color[c]));
    start.figures = match.figuresEach;
    return start;
}

void MatchHost::sendState(VORN_Clock::Ticks now) {
    State s;
    s.state = match.state;
    s.currentPlayer = static_cast<qint8>(match.currentPlayer);
    s.secondsLeft = static_cast<qint16>(match.secondsLeft);
    s.msIntoPhase = match.turnStart != 0 ? static_cast<qint32>(now - match.turnStart) : 0;
    s.grenadeShown = match.grenadeShown();
    const VORN_Vector g = match.grenade.worldPosition;
    s.grenadeX = float(g.x());
    s.grenadeY = float(g.y());
    s.grenadeZ = float(g.z());
    s.aimYaw = float(match.aimYaw);
    s.aimPitch = float(match.aimPitch);
    s.aimPower = float(match.aimPower);
    for (unsigned u = 0; u < match.playerCount; ++u) {
        const Player* player = match.players[u].get();
        for (unsigned j = 0; player && j < player->count; ++j) {
            const Tortoise* f = player->figure(j);
            if (!f)
                continue;
            if (f == match.currentFigure)
                s.currentSlot = static_cast<qint8>(j);
            const VORN_Vector p = f->worldPosition;
            s.figures.append({quint8(u), quint8(j), float(p.x()), float(p.y()), float(p.z()),
                              float(f->rotation.y()), qint16(f->health)});
        }
    }
    for (const LogLine& line : match.messages)
        s.messages.append(line.shown());
    network->broadcast(s);
    if (match.settings.wind != GameSettings::Wind::Off ||
        match.settings.weapons != GameSettings::Weapons::Grenade)
        network->broadcast(armsMessage());
}

Message MatchHost::armsMessage() const {
    Arms arms;
    arms.wind = match.settings.wind;
    arms.weapons = match.settings.weapons;
    arms.windX = float(match.wind.x());
    arms.windZ = float(match.wind.z());
    arms.taken = match.weapon;
    for (int w = 0; w < Weapons::count; ++w)
        arms.left[w] = static_cast<qint8>(match.weaponsLeft(match.currentPlayer, Weapon(w)));
    return arms;
}

void MatchHost::announceCrater(const VORN_Vector& point) {
    if (match.thrownWeapon != Weapon::Grenade)
        network->broadcast(
            Blast{match.thrownWeapon, float(point.x()), float(point.y()), float(point.z())});
    else
        network->broadcast(
            Event{Event::Crater, float(point.x()), float(point.y()), float(point.z())});
    network->broadcast(Checksum{match.heightmapChecksum()});
}

void MatchHost::sendHeightmap(int seat) {
    const VORN_Landscape& landscape = match.landscape;
    const quint32 n = landscape.rows * landscape.columns;
    for (quint32 first = 0; landscape.grid && first < n; first += heightsPerFrame) {
        HeightRows part;
        part.firstValue = first;
        for (quint32 i = first; i < std::min(n, first + heightsPerFrame); ++i)
            part.heights.append(landscape.grid[std::size_t(i) * 4]);
        network->sendTo(seat, part);
    }
}
