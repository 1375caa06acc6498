// The slow line's relay: each piece held on the engine clock, in order.
#include "tests/support/LinkRelay.h"

#include "engine/scene/VORN_Clock.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <algorithm>

LinkRelay::LinkRelay(quint16 target, const Line& line, QObject* parent)
    : QObject(parent), line(line), target(target), draws(line.seed) {
    connect(&server, &QTcpServer::newConnection, this, &LinkRelay::accept);
    server.listen(QHostAddress::LocalHost, 0);
    pump.setInterval(2);
    connect(&pump, &QTimer::timeout, this, &LinkRelay::deliver);
    pump.start();
}

LinkRelay::~LinkRelay() {
    for (auto& pair : pairs)
        for (Direction* d : {&pair->up, &pair->down})
            d->from->disconnect(this);
}

void LinkRelay::accept() {
    while (QTcpSocket* joining = server.nextPendingConnection()) {
        joining->setParent(this);
        auto* onward = new QTcpSocket(this);
        onward->connectToHost(QHostAddress::LocalHost, target);
        for (QTcpSocket* s : {joining, onward})
            s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        pairs.push_back(std::make_unique<Pair>());
        Pair* pair = pairs.back().get();
        pair->up.from = joining;
        pair->up.to = onward;
        pair->down.from = onward;
        pair->down.to = joining;
        for (Direction* d : {&pair->up, &pair->down}) {
            connect(d->from, &QTcpSocket::readyRead, this, [this, d] { take(*d); });
            connect(d->from, &QTcpSocket::disconnected, this, [this, d] {
                take(*d);
                d->ended = true;
            });
            connect(d->from, &QAbstractSocket::errorOccurred, this, [d] { d->ended = true; });
        }
    }
}

qint64 LinkRelay::delay() {
    std::uniform_int_distribution<int> jitter(-line.jitterMs, line.jitterMs);
    qint64 ms = std::max(0, line.delayMs + jitter(draws));
    if (std::uniform_real_distribution<double>(0, 1)(draws) < line.loss) {
        const int stall =
            std::uniform_int_distribution<int>(line.stallMinMs, line.stallMaxMs)(draws);
        ++stallCount;
        longestStall = std::max(longestStall, stall);
        ms += stall;
    }
    return ms;
}

void LinkRelay::take(Direction& d) {
    const QByteArray bytes = d.from->readAll();
    if (bytes.isEmpty())
        return;
    // Never before the piece ahead of it.
    d.lastDue = std::max(d.lastDue, VORN_LIB::VORN_Clock::now() + delay());
    d.pieces.emplace_back(d.lastDue, bytes);
}

void LinkRelay::deliver() {
    const qint64 now = VORN_LIB::VORN_Clock::now();
    for (auto& pair : pairs) {
        for (Direction* d : {&pair->up, &pair->down}) {
            while (!d->pieces.empty() && d->pieces.front().first <= now) {
                d->to->write(d->pieces.front().second);
                d->pieces.pop_front();
            }
            if (d->ended && d->pieces.empty() && d->to->state() == QAbstractSocket::ConnectedState)
                d->to->disconnectFromHost();
        }
    }
}
