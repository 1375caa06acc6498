// The search for games on the local network and the question to one host.
#include "game/network/GameFinder.h"

#include "game/network/NetworkMessage.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QUdpSocket>

using Network::GameStatus;

namespace {
constexpr std::size_t mostListed = 32; // a network full of answers lists no more
}

bool GameFinder::Found::joinable() const {
    return status.protocol == Network::protocolVersion;
}

GameFinder::GameFinder(QObject* parent) : QObject(parent), socket(new QUdpSocket(this)) {
    socket->bind(QHostAddress(QHostAddress::Any), 0);
    connect(socket, &QUdpSocket::readyRead, this, &GameFinder::read);
}

namespace {
// Which of a game's addresses to join it at, lowest first: the network's own over loopback, and
// a link-local one, which needs its link named, last.
int preference(const QHostAddress& a) {
    if (a.isLinkLocal())
        return 3;
    if (a.isLoopback())
        return 2;
    return a.protocol() == QAbstractSocket::IPv4Protocol ? 0 : 1;
}
} // namespace

void GameFinder::clear() {
    found.clear();
    emit changed();
}

void GameFinder::search() {
    const QByteArray query = GameStatus::query();
    const quint16 port = searchPort;
    if (!searchOnly.empty()) {
        for (const QHostAddress& to : searchOnly)
            socket->writeDatagram(query, to, port);
        return;
    }
    // Every interface that can broadcast, by its own broadcast address, and the IPv6 ones by
    // the all-nodes group on each; the limited broadcast besides, for a machine that lists none.
    socket->writeDatagram(query, QHostAddress::Broadcast, port);
    const QHostAddress allNodes(QStringLiteral("ff02::1"));
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning))
            continue;
        bool ipv6 = false;
        for (const QNetworkAddressEntry& entry : i.addressEntries()) {
            if (!entry.broadcast().isNull())
                socket->writeDatagram(query, entry.broadcast(), port);
            ipv6 = ipv6 || entry.ip().protocol() == QAbstractSocket::IPv6Protocol;
        }
        if (ipv6 && (flags & QNetworkInterface::CanMulticast)) {
            QNetworkDatagram d(query, allNodes, port);
            d.setInterfaceIndex(uint(i.index()));
            socket->writeDatagram(d);
        }
    }
}

void GameFinder::ask(const QHostAddress& host, quint16 port) {
    socket->writeDatagram(GameStatus::query(), host, port);
}

void GameFinder::read() {
    while (socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = socket->receiveDatagram(Network::mostAnswerBytes + 1);
        const std::optional<GameStatus> status = GameStatus::decode(d.data());
        if (!status)
            continue;
        QHostAddress sender = d.senderAddress();
        bool mapped = false;
        const QHostAddress v4(sender.toIPv4Address(&mapped));
        if (mapped)
            sender = v4; // an IPv4 host answering a dual-stack socket
        // A game that answers at several addresses (IPv4 and IPv6, by broadcast and by
        // multicast) is listed once, at the address best to join.
        Found game{sender, *status};
        bool known = false;
        for (Found& f : found)
            if (f.status.name == game.status.name && f.status.port == game.status.port) {
                if (preference(game.address) <= preference(f.address))
                    f = game;
                else
                    f.status = game.status;
                known = true;
            }
        if (!known && found.size() < mostListed)
            found.push_back(game);
        emit changed();
    }
}
