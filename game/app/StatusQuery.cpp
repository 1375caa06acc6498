// The status of a host, or of every game on this network, asked with no window.
#include "game/app/StatusQuery.h"

#include "game/app/NetworkOptions.h"
#include "game/network/GameFinder.h"
#include "game/network/HostAddress.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostInfo>
#include <QTcpSocket>
#include <QTimer>
#include <cstdio>

namespace {

QString joinAddress(const QHostAddress& address, quint16 port) {
    return HostAddress::link(address.toString(), port)
        .mid(QStringLiteral("tortoise-valley://").size());
}

int fail(const QString& why) {
    std::fprintf(stderr, "tortoise-valley: %s\n", qUtf8Printable(why));
    return 1;
}

} // namespace

int StatusQuery::run(const NetworkOptions& options) {
    GameFinder finder;
    QEventLoop loop;
    QTimer again;
    if (options.mode == NetworkOptions::List) {
        QTimer::singleShot(listMs, &loop, &QEventLoop::quit);
        finder.search();
        again.setInterval(againMs);
        QObject::connect(&again, &QTimer::timeout, &finder, [&finder] { finder.search(); });
        again.start();
        loop.exec();
        for (const GameFinder::Found& game : finder.games())
            std::printf("%s\n", qUtf8Printable(game.status.report(
                                    joinAddress(game.address, game.status.port))));
        std::printf("games: %d\n", int(finder.games().size()));
        return 0;
    }

    // Only a name is looked up: a lookup of an address asks the name server for the address's
    // name first, and where none answers that takes longer than the whole wait.
    QHostAddress host(options.host);
    if (host.isNull()) {
        const QHostInfo found = QHostInfo::fromName(options.host);
        if (found.error() != QHostInfo::NoError || found.addresses().isEmpty())
            return fail(QStringLiteral("host not found: %1").arg(options.host));
        host = found.addresses().first();
    }
    QTimer::singleShot(waitMs, &loop, &QEventLoop::quit); // from the first ask on
    const auto ask = [&] { finder.ask(host, options.port); };
    ask();
    again.setInterval(againMs);
    QObject::connect(&again, &QTimer::timeout, &finder, ask);
    again.start();
    QObject::connect(&finder, &GameFinder::changed, &loop, &QEventLoop::quit);
    loop.exec();
    const QString target = joinAddress(host, options.port);
    if (!finder.games().empty()) {
        std::printf("%s", qUtf8Printable(finder.games().front().status.report(target)));
        return 0;
    }
    // No answer: the game's own port says why, a closed one at once.
    QTcpSocket probe;
    probe.connectToHost(host, options.port);
    const bool open = probe.waitForConnected(probeMs);
    const QString why = open ? QStringLiteral("its port is open, but no status came")
                        : probe.error() == QAbstractSocket::ConnectionRefusedError
                            ? QStringLiteral("connection refused")
                            : QStringLiteral("no answer");
    probe.abort();
    return fail(QStringLiteral("no game at %1: %2").arg(target, why));
}
