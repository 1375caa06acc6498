// The host's side of a network game. World units, y up, degrees, milliseconds.
#include "game/hosting/MatchHost.h"

#include "game/hosting/MatchMessages.h"
#include "game/hosting/MatchSnapshot.h"
#include "game/match/Match.h"
#include "game/network/NetworkConnection.h"
#include "game/network/NetworkHost.h"
#include "game/rules/Rules.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <algorithm>

using namespace VORN_LIB;
using namespace Network;

namespace {
constexpr int heightsPerFrame = 4096;
} // namespace

MatchHost::MatchHost(Match& match, QObject* parent)
    : QObject(parent), network(new NetworkHost(this)), match(match) {
    match.setRemoteSeats([this](int player) { return network->holds(player) && !isAway(player); });
    chatClock.start();
    // Between games a machine that joins is seated; during one it watches until the next.
    network->seatsOpen = [this] {
        return this->match.playerCount() == 0 || this->match.state() == GameOver;
    };
    connect(network, &NetworkHost::joined, this, [this](int seat) {
        Match& m = this->match;
        people.seat(seat, network->addressOf(seat));
        chatLimits.erase(seat);
        network->broadcast(people.players());
        m.addMessage(LogLine(LogLine::Text::Joined, seat));
        m.addMessage(LogLine(LogLine::Text::JoinedFrom, seat, network->addressOf(seat)));
        // A machine back on its seat plays it again instead of the computer, from a standstill.
        if (m.playerCount() != 0 && seat < static_cast<int>(m.playerCount()))
            m.computerGivesBack(seat);
        emit joined(seat);
    });
    connect(network, &NetworkHost::watching, this, &MatchHost::watching);
    connect(network, &NetworkHost::arrived, this, [this](NetworkConnection* peer) {
        peer->send(people.players()); // a watcher too learns who plays
        if (this->match.playerCount() == 0)
            return;
        sendValley(peer); // the ground the snapshot's craters are dug into
        peer->send(MatchSnapshot::of(this->match, this->match.clockNow()));
    });
    connect(network, &NetworkHost::left, this, [this](int seat) {
        away.erase(seat);
        silentTurns.erase(seat);
        people.leave(seat);
        network->broadcast(people.players());
        this->match.addMessage(LogLine(LogLine::Text::Left, seat));
        // The seat plays on: by the computer, at the chosen level or at mittel.
        if (this->match.playerCount() != 0 && seat < static_cast<int>(this->match.playerCount()))
            this->match.computerTakesOver(seat);
        emit left(seat);
    });
    connect(network, &NetworkHost::command, this, [this](int seat, const TurnCommand& command) {
        heardFrom(seat);
        // Only the seat on turn drives, aims and throws; anything else is ignored.
        Match& m = this->match;
        if (seat == m.currentPlayer() && m.playerCount() != 0 &&
            (m.state() == Moving || m.state() == Aiming) && network->holds(seat))
            m.apply(command);
    });
    connect(network, &NetworkHost::step, this, [this](int seat, TurnCommand::Step step) {
        heardFrom(seat);
        Match& m = this->match;
        if (seat == m.currentPlayer() && m.playerCount() != 0 &&
            (m.state() == Moving || m.state() == Aiming) && network->holds(seat)) {
            TurnCommand command = m.heldRates();
            command.step = step;
            m.apply(command);
        }
    });
    connect(network, &NetworkHost::heightmapAsked, this, &MatchHost::sendHeightmap);
    connect(network, &NetworkHost::named, this, [this](int seat, const QString& name) {
        people.rename(seat, people.unique(seat, name)); // a second "anna" is "anna (2)"
        network->broadcast(people.players());
        emit named(seat);
    });
    connect(network, &NetworkHost::measured, this, [this](int seat, int roundTripMs) {
        people.measured(seat, roundTripMs);
        network->broadcast(people.players());
    });
    connect(network, &NetworkHost::said, this, [this](int seat, const QString& text) {
        if (!passOn(seat, text))
            network->sendTo(seat, ChatDropped{});
    });
    connect(&match, &Match::gameStarted, this, [this] {
        // A new game: the watchers take the free seats, and a seat left in the last game is
        // no longer kept for its machine.
        network->seatWatchers();
        network->forgetAbsentTokens();
        for (const auto& entry : away)
            this->match.computerGivesBack(entry.first); // a new game: every machine plays again
        away.clear();
        silentTurns.clear();
        onTurn = -1;
        people.forgetAbsent();
        nameOwnSeats();
        network->broadcast(people.players());
        sendValley();
        network->broadcast(MatchMessages::start(this->match));
    });
    // The log goes out once for all the lines an event adds, after the event.
    connect(&match, &Match::logChanged, this, [this] {
        if (logPending)
            return;
        logPending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                logPending = false;
                network->broadcast(MatchMessages::log(this->match));
            },
            Qt::QueuedConnection);
    });
    connect(&match, &Match::exploded, this,
            [this](const VORN_Vector& point) { announceCrater(point); });
    connect(&match, &Match::turnStarted, this, &MatchHost::turnStarts);
}

void MatchHost::heardFrom(int seat) {
    silentTurns[seat] = 0;
    if (seat == onTurn)
        heardOnTurn = true;
    if (!isAway(seat))
        return;
    away.erase(seat);
    Match& m = match;
    m.addMessage(LogLine(LogLine::Text::Back, seat));
    if (m.playerCount() != 0 && seat < static_cast<int>(m.playerCount())) {
        m.computerGivesBack(seat); // and lets go of the rates the computer held
    }
}

// The turn that ended counts against its seat's machine when it sent nothing in it.
void MatchHost::turnStarts(int player) {
    if (awayTurns > 0 && onTurn >= 0 && network->holds(onTurn) && !isAway(onTurn)) {
        int& silent = silentTurns[onTurn];
        silent = heardOnTurn ? 0 : silent + 1;
        if (silent >= awayTurns && onTurn < static_cast<int>(match.playerCount())) {
            away[onTurn] = true;
            match.computerTakesOver(onTurn);
            match.addMessage(LogLine(LogLine::Text::Away, onTurn));
        }
    }
    onTurn = player;
    heardOnTurn = false;
}

MatchHost::~MatchHost() {
    match.setRemoteSeats({});
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

void MatchHost::setOwnName(const QString& name) {
    if (network->firstSeat == 0)
        return; // no keyboard of its own
    people.seat(0, QString());
    people.rename(0, people.unique(0, name));
    network->broadcast(people.players());
}

// The seats no machine holds play at this one: each is named as its seat here was (the host's own
// keeps the name it has in the network, if any), so that every machine shows the same names.
void MatchHost::nameOwnSeats() {
    for (int seat = 0; seat < int(match.playerCount()); ++seat) {
        const QString name = match.nameOf(seat);
        if (!network->holds(seat) && !name.isEmpty() && people.nameOf(seat).isEmpty())
            people.rename(seat, people.unique(seat, name));
    }
}

bool MatchHost::say(const QString& text) {
    return network->firstSeat != 0 && ChatLimit::acceptableLine(text) && passOn(0, text);
}

bool MatchHost::passOn(int seat, const QString& text) {
    if (!chatLimits[seat].allow(chatClock.elapsed()))
        return false;
    network->broadcast(Chat{qint8(seat), text});
    emit chatted(seat, text);
    return true;
}

void MatchHost::seatWatchers() {
    network->seatWatchers();
}

void MatchHost::advance(VORN_Clock::Ticks real) {
    const VORN_Clock::Ticks last = match.lastRealTick();
    const VORN_Clock::Ticks ticks =
        last > 0 && real > last ? (real - last + Rules::tickMs / 2) / Rules::tickMs : 1;
    for (VORN_Clock::Ticks k = std::clamp<VORN_Clock::Ticks>(ticks, 1, mostTicksMade) - 1; k >= 0;
         --k) {
        const VORN_Clock::Ticks at = real - k * Rules::tickMs;
        match.advance(at);
        sendState(at + match.clockAhead());
    }
}

void MatchHost::sendValley(NetworkConnection* to) {
    if (!to)
        network->groundChanged();
    for (const Message& m : MatchMessages::valley(match, valleyTexture)) {
        if (to)
            to->send(m);
        else
            network->broadcast(m);
    }
}

void MatchHost::sendState(VORN_Clock::Ticks now) {
    network->broadcast(MatchMessages::state(match, now));
    if (MatchMessages::hasArms(match))
        network->broadcast(MatchMessages::arms(match));
}

Message MatchHost::armsMessage() const {
    return MatchMessages::arms(match);
}

void MatchHost::announceCrater(const VORN_Vector& point) {
    for (const Message& m : MatchMessages::crater(match, point))
        network->broadcast(m);
    network->groundChanged();
}

void MatchHost::sendHeightmap(NetworkConnection* peer) {
    const VORN_Landscape& landscape = match.landscape();
    const quint32 n = quint32(landscape.points());
    for (quint32 first = 0; first < n; first += heightsPerFrame) {
        HeightRows part;
        part.firstValue = first;
        for (quint32 i = first; i < std::min(n, first + heightsPerFrame); ++i)
            part.heights.append(landscape.height(std::size_t(i)));
        peer->send(part);
    }
}
