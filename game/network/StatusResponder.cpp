// The host's status answers.
#include "game/network/StatusResponder.h"

#include "engine/scene/VORN_Clock.h"
#include "game/network/ReportLine.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

using Network::GameStatus;

StatusResponder::StatusResponder(std::function<GameStatus()> describe, QObject* parent)
    : QObject(parent), describe(std::move(describe)) {}

bool StatusResponder::open(const QHostAddress& address, quint16 gamePort, quint16 sharedPort) {
    close();
    own = new QUdpSocket(this);
    if (!own->bind(address, gamePort)) {
        ReportLine::write(stderr,
                          QStringLiteral("tortoise-valley: no status answers on UDP port %1: %2")
                              .arg(gamePort)
                              .arg(own->errorString()));
        delete own;
        own = nullptr;
    }
    shared = new QUdpSocket(this);
    if (!shared->bind(address, sharedPort,
                      QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        delete shared; // the local list will not show this game; the game is hosted all the same
        shared = nullptr;
    }
    for (QUdpSocket* s : {own, shared})
        if (s)
            connect(s, &QUdpSocket::readyRead, this, [this, s] { readFrom(s); });
    return own || shared;
}

void StatusResponder::close() {
    delete own;
    delete shared;
    own = shared = nullptr;
}

bool StatusResponder::mayAnswer(const QHostAddress& sender, quint16 port, qint64 now) {
    if (now - secondStart >= 1000) {
        secondStart = now;
        inThisSecond = 0;
        // Senders heard from over a second ago may be asked of again: forget them.
        for (auto i = lastAnswer.begin(); i != lastAnswer.end();)
            i = now - i->second >= 1000 ? lastAnswer.erase(i) : std::next(i);
    }
    if (inThisSecond >= answersPerSecond)
        return false;
    const auto key = std::make_pair(sender.toString(), port);
    const auto last = lastAnswer.find(key);
    if (last != lastAnswer.end() && now - last->second < 1000)
        return false;
    lastAnswer[key] = now;
    ++inThisSecond;
    return true;
}

void StatusResponder::readFrom(QUdpSocket* socket) {
    // Every datagram waiting is read, answered or not, so that none stays to be read again.
    while (socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket->receiveDatagram(Network::queryBytes + 1);
        if (!datagram.isValid() || !GameStatus::isQuery(datagram.data()) ||
            datagram.senderPort() == 0 ||
            !mayAnswer(datagram.senderAddress(), quint16(datagram.senderPort()),
                       VORN_LIB::VORN_Clock::now()))
            continue;
        // Straight back to the sender, from whatever address the system picks: a query sent by
        // broadcast or multicast has no address of this machine's to answer from.
        QNetworkDatagram reply(describe().encode(), datagram.senderAddress(),
                               quint16(datagram.senderPort()));
        if (datagram.senderAddress().isLinkLocal())
            reply.setInterfaceIndex(datagram.interfaceIndex()); // the link it is on
        socket->writeDatagram(reply);
        ++answers;
    }
}
