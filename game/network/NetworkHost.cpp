#include "game/network/NetworkHost.h"

#include "game/network/NetworkConnection.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <cstdio>

using namespace Network;

namespace {
constexpr int lastSeat = 8; // spieler 8 is the ninth player
}

NetworkHost::NetworkHost(QObject* parent) : QObject(parent), server(new QTcpServer(this)) {
    connect(server, &QTcpServer::newConnection, this, &NetworkHost::accept);
}

NetworkHost::~NetworkHost() {
    for (auto& [peer, state] : peers)
        peer->disconnect(this);
}

bool NetworkHost::listen(quint16 port) {
    if (server->listen(QHostAddress::Any, port))
        return true;
    std::fprintf(stderr, "tortoise-valley: cannot open a game on port %u: %s\n", unsigned(port),
                 qUtf8Printable(server->errorString()));
    return false;
}

quint16 NetworkHost::port() const {
    return server->serverPort();
}

QString NetworkHost::addressOf(int seat) const {
    const auto it = seats.find(seat);
    return it == seats.end() ? QString() : it->second->peer().section(QLatin1Char(':'), 0, -2);
}

void NetworkHost::broadcast(const Message& message) {
    for (auto& [seat, peer] : seats)
        peer->send(message);
}

void NetworkHost::sendTo(int seat, const Message& message) {
    const auto it = seats.find(seat);
    if (it != seats.end())
        it->second->send(message);
}

int NetworkHost::freeSeat() const {
    for (int seat = firstSeat; seat <= lastSeat; ++seat)
        if (!holds(seat))
            return seat;
    return -1;
}

void NetworkHost::accept() {
    while (QTcpSocket* socket = server->nextPendingConnection()) {
        const auto waiting = std::count_if(peers.begin(), peers.end(),
                                           [](const auto& p) { return p.second.seat < 0; });
        if (waiting >= waitingLimit) {
            socket->abort();
            delete socket;
            continue;
        }
        auto* peer = new NetworkConnection(socket, this);
        peer->frameTimeLimitMs = frameTimeLimitMs;
        auto* deadline = new QTimer(peer);
        deadline->setSingleShot(true);
        peers[peer] = Peer{-1, deadline};
        connect(deadline, &QTimer::timeout, this, [this, peer] {
            if (peers.at(peer).seat < 0)
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
        if (seat >= 0) {
            peer->close(QStringLiteral("a second hello"));
        } else if (hello->protocol != protocolVersion) {
            peer->send(Refused{QStringLiteral("falsche version"), gameVersion()});
            peer->close(QStringLiteral("protocol version %1, this game speaks %2")
                            .arg(hello->protocol)
                            .arg(protocolVersion));
        } else if (freeSeat() < 0) {
            peer->send(Refused{QStringLiteral("kein platz"), gameVersion()});
            peer->close(QStringLiteral("every seat is taken"));
        } else {
            const int given = freeSeat();
            state.seat = given;
            state.deadline->start(answerLimitMs);
            seats[given] = peer;
            peer->send(Welcome{given});
            emit joined(given);
        }
        return;
    }
    if (seat < 0) {
        peer->close(QStringLiteral("no hello first"));
        return;
    }
    state.deadline->stop(); // it has answered its welcome
    if (const auto* c = std::get_if<Command>(&message)) {
        if (c->seat != seat)
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
        emit heightmapAsked(seat);
    } else if (std::holds_alternative<Bye>(message)) {
        peer->close(QString());
    } else if (!std::holds_alternative<KeepAlive>(message)) {
        peer->close(
            QStringLiteral("a frame of type %1 that only the host sends").arg(message.index()));
    }
}
