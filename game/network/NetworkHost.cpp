// The host's side of a network game: the machines that join, their seats and what goes to them.
#include "game/network/NetworkHost.h"

#include "game/network/StatusResponder.h"

#include "game/network/ChatLimit.h"
#include "game/network/NetworkConnection.h"
#include "game/network/ReportLine.h"
#include "game/network/Roster.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <cstdio>

using namespace Network;

NetworkHost::NetworkHost(QObject* parent)
    : QObject(parent), server(new QTcpServer(this)),
      responder(new StatusResponder([this] { return status(); }, this)), pinger(new QTimer(this)) {
    connect(server, &QTcpServer::newConnection, this, &NetworkHost::accept);
    clock.start();
    connect(pinger, &QTimer::timeout, this, &NetworkHost::ping);
    pinger->start(pingMs);
}

void NetworkHost::ping() {
    lastPing = quint32(clock.elapsed());
    for (auto& [peer, state] : peers)
        state.pinged = state.seat >= 0;
    broadcast(Ping{lastPing});
}

NetworkHost::~NetworkHost() {
    for (auto& [peer, state] : peers)
        peer->disconnect(this);
}

bool NetworkHost::listen(quint16 port) {
    return listen(QString(), port);
}

bool NetworkHost::listen(const QString& address, quint16 port) {
    const QHostAddress at =
        address.isEmpty() ? QHostAddress(QHostAddress::Any) : QHostAddress(address);
    if (!at.isNull() && server->listen(at, port)) {
        responder->open(at, server->serverPort());
        return true;
    }
    ReportLine::write(
        stderr, QStringLiteral("tortoise-valley: cannot open a game on %1 port %2: %3")
                    .arg(address.isEmpty() ? QStringLiteral("every address") : address)
                    .arg(port)
                    .arg(at.isNull() ? QStringLiteral("not an address") : server->errorString()));
    return false;
}

Network::GameStatus NetworkHost::status() const {
    Network::GameStatus s;
    s.protocol = Network::protocolVersion;
    s.version = Network::gameVersion();
    s.port = server->serverPort();
    s.watchers = watcherCount();
    s.password = !password.isEmpty();
    s.seated = joinedCount() + (firstSeat > 0 ? 1 : 0);
    s.wanted = lastSeatGiven + 1;
    s.name = QStringLiteral("tortoise-valley");
    s.valley = QStringLiteral("standard");
    if (describeGame)
        describeGame(s);
    return s;
}

void NetworkHost::close() {
    server->close();
    responder->close();
    std::vector<NetworkConnection*> open;
    for (const auto& [peer, state] : peers)
        open.push_back(peer);
    for (NetworkConnection* peer : open) {
        peer->send(Bye{});
        peer->close(QString());
    }
}

qint64 NetworkHost::mostQueued() const {
    qint64 most = 0;
    for (const auto& [peer, state] : peers)
        most = std::max(most, peer->queued());
    return most;
}

qint64 NetworkHost::totalQueued() const {
    qint64 total = 0;
    for (const auto& [peer, state] : peers)
        total += peer->queued();
    return total;
}

QString NetworkHost::addressOf(const NetworkConnection* peer) {
    return peer->peer().section(QLatin1Char(':'), 0, -2);
}

int NetworkHost::seatsFrom(const QString& address) const {
    return int(std::count_if(seats.begin(), seats.end(),
                             [&](const auto& s) { return addressOf(s.second) == address; }));
}

int NetworkHost::watchersFrom(const QString& address) const {
    return int(std::count_if(watchers.begin(), watchers.end(),
                             [&](const NetworkConnection* w) { return addressOf(w) == address; }));
}

quint16 NetworkHost::port() const {
    return server->serverPort();
}

QString NetworkHost::addressOf(int seat) const {
    const auto it = seats.find(seat);
    return it == seats.end() ? QString() : addressOf(it->second);
}

void NetworkHost::broadcast(const Message& message) {
    for (auto& [seat, peer] : seats)
        peer->send(message);
    for (NetworkConnection* peer : watchers)
        peer->send(message);
}

void NetworkHost::sendTo(int seat, const Message& message) {
    const auto it = seats.find(seat);
    if (it != seats.end())
        it->second->send(message);
}

// A seat with its token: the one it came back with, or a new one that replaces any other token
// of that seat (a machine that had it before cannot take it back from this one).
void NetworkHost::seat(NetworkConnection* peer, int given, quint64 token) {
    Peer& state = peers.at(peer);
    const bool arriving = !state.welcomed; // a watcher has the game already
    if (token == 0) {
        for (auto it = tokens.begin(); it != tokens.end();)
            it = it->second == given ? tokens.erase(it) : std::next(it);
        while (token == 0 || tokens.count(token) != 0)
            token = QRandomGenerator::system()->generate64();
        tokens[token] = given;
    }
    if (arriving)
        state.deadline->start(answerLimitMs);
    state.welcomed = true;
    state.seat = given;
    seats[given] = peer;
    peer->send(Welcome{given, token});
    emit joined(given);
    if (arriving)
        emit arrived(peer);
}

void NetworkHost::seatWatchers() {
    // In the order they came, each as its address still may have a seat.
    for (auto it = watchers.begin(); it != watchers.end() && freeSeat() >= 0;) {
        NetworkConnection* peer = *it;
        if (seatsFrom(addressOf(peer)) >= seatsPerAddress) {
            ++it;
            continue;
        }
        it = watchers.erase(it);
        seat(peer, freeSeat(), 0);
    }
}

void NetworkHost::watch(NetworkConnection* peer) {
    Peer& state = peers.at(peer);
    state.welcomed = true;
    state.deadline->start(answerLimitMs);
    watchers.push_back(peer);
    peer->send(Welcome{-1, 0});
    emit watching(addressOf(peer));
    emit arrived(peer);
}

void NetworkHost::forgetAbsentTokens() {
    for (auto it = tokens.begin(); it != tokens.end();)
        it = holds(it->second) ? std::next(it) : tokens.erase(it);
}

int NetworkHost::freeSeat() const {
    for (int seat = firstSeat; seat <= std::min(lastSeat, lastSeatGiven); ++seat)
        if (!holds(seat))
            return seat;
    return -1;
}

void NetworkHost::accept() {
    while (QTcpSocket* socket = server->nextPendingConnection()) {
        const auto waiting = std::count_if(peers.begin(), peers.end(),
                                           [](const auto& p) { return !p.second.welcomed; });
        if (waiting >= waitingLimit) {
            // The oldest silent one makes room, told why: a real joiner is never dropped unheard.
            NetworkConnection* oldest = nullptr;
            quint64 first = ~quint64(0);
            for (const auto& [p, state] : peers)
                if (!state.welcomed && state.arrival < first) {
                    first = state.arrival;
                    oldest = p;
                }
            if (oldest) {
                oldest->send(Refused{Refused::ServerFull, gameVersion()});
                oldest->close(
                    QStringLiteral("the oldest of %1 waiting for their hello").arg(waitingLimit));
            }
        }
        auto* peer = new NetworkConnection(socket, this);
        peer->frameTimeLimitMs = frameTimeLimitMs;
        auto* deadline = new QTimer(peer);
        deadline->setSingleShot(true);
        Peer fresh;
        fresh.deadline = deadline;
        fresh.arrival = ++arrivals;
        peers[peer] = fresh;
        connect(deadline, &QTimer::timeout, this, [this, peer] {
            if (!peers.at(peer).welcomed)
                peer->close(QStringLiteral("no hello within %1 ms").arg(helloLimitMs));
            else
                peer->close(
                    QStringLiteral("no answer to its welcome within %1 ms").arg(answerLimitMs));
        });
        deadline->start(helloLimitMs);
        connect(peer, &NetworkConnection::received, this,
                [this, peer](const Message& m) { handle(peer, m); });
        connect(peer, &NetworkConnection::closed, this, [this, peer] {
            const int seat = peers[peer].seat;
            peers.at(peer).deadline->stop();
            peers.erase(peer);
            peer->deleteLater();
            watchers.erase(std::remove(watchers.begin(), watchers.end(), peer), watchers.end());
            if (seat >= 0) {
                seats.erase(seat);
                emit left(seat);
            }
        });
    }
}

void NetworkHost::handle(NetworkConnection* peer, const Message& message) {
    Peer& state = peers.at(peer);
    const int seat = state.seat;
    if (const auto* hello = std::get_if<Hello>(&message)) {
        const auto back = tokens.find(hello->token);
        if (state.welcomed) {
            peer->close(QStringLiteral("a second hello"));
        } else if (hello->protocol != protocolVersion) {
            peer->send(Refused{Refused::WrongVersion, gameVersion()});
            peer->close(QStringLiteral("protocol version %1, this game speaks %2")
                            .arg(hello->protocol)
                            .arg(protocolVersion));
        } else if (!password.isEmpty() && hello->password != password) {
            peer->send(Refused{Refused::WrongPassword, gameVersion()});
            peer->close(QStringLiteral("a wrong password"));
        } else if (hello->token != 0 && back != tokens.end()) {
            // Back after a broken connection. A line that broke without a word may still look
            // open here until its silence gives it away: the token shows whose seat it is.
            const int given = back->second;
            if (holds(given))
                seats.at(given)->close(QStringLiteral("its seat was taken back with its token"));
            this->seat(peer, given, hello->token);
        } else {
            const QString from = addressOf(peer);
            const bool seated = seatsOpen() && freeSeat() >= 0 && seatsFrom(from) < seatsPerAddress;
            if (seated)
                this->seat(peer, freeSeat(), 0);
            else if (int(watchers.size()) < watcherLimit && watchersFrom(from) < watchersPerAddress)
                watch(peer); // until a seat is free for it
            else {
                peer->send(Refused{Refused::NoRoom, gameVersion()});
                peer->close(QStringLiteral("every seat or every place for %1 is taken").arg(from));
            }
        }
        return;
    }
    if (!state.welcomed) {
        peer->close(QStringLiteral("no hello first"));
        return;
    }
    state.deadline->stop(); // it has answered its welcome
    if (const auto* c = std::get_if<Command>(&message)) {
        if (c->seat != seat || seat < 0)
            peer->close(
                QStringLiteral("a command for seat %1, which it does not hold").arg(c->seat));
        else
            emit command(seat, c->command);
    } else if (const auto* s = std::get_if<Step>(&message)) {
        if (s->seat != seat) {
            peer->close(QStringLiteral("a step for seat %1, which it does not hold").arg(s->seat));
        } else if (s->number > state.lastStep) {
            state.lastStep = s->number;
            emit step(seat, s->step);
        }
    } else if (std::holds_alternative<HeightmapRequest>(message)) {
        // Once for each state of the ground: asking again before it changed gets nothing.
        if (state.heightmapAge != groundAge) {
            state.heightmapAge = groundAge;
            emit heightmapAsked(peer);
        }
    } else if (const auto* name = std::get_if<Name>(&message)) {
        if (state.named) {
            peer->close(QStringLiteral("a second name"));
        } else if (!Roster::acceptableName(name->name)) {
            peer->close(
                QStringLiteral("a name that is none (%1 characters)").arg(name->name.size()));
        } else if (seat >= 0) { // a watcher is named once it has a seat
            state.named = true;
            emit named(seat, name->name);
        }
    } else if (const auto* line = std::get_if<Say>(&message)) {
        if (!ChatLimit::acceptableLine(line->text))
            peer->close(
                QStringLiteral("a chat line that is none (%1 characters)").arg(line->text.size()));
        else if (seat >= 0) // watchers read along
            emit said(seat, line->text);
    } else if (const auto* pong = std::get_if<Pong>(&message)) {
        if (state.pinged && pong->stamp == lastPing) {
            state.pinged = false;
            emit measured(seat, int(quint32(clock.elapsed()) - lastPing));
        }
    } else if (std::holds_alternative<Bye>(message)) {
        peer->close(QString());
    } else if (!std::holds_alternative<KeepAlive>(message)) {
        const int type = std::visit([](const auto& m) { return int(m.type); }, message);
        peer->close(QStringLiteral("a frame of type %1 that only the host sends").arg(type));
    }
}
