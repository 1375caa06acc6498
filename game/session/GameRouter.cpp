// The host's menu: the invite link friends join by (K copies it), and with U the home router
// asked to forward the game's port, so that the link works from outside the home network. The
// router's outside address goes into the link once it forwards.
#include "game/session/Game.h"

#include "game/hosting/MatchHost.h"
#include "game/hosting/RouterPortMapping.h"
#include "game/network/HostAddress.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHostAddress>
#include <QNetworkInterface>

namespace {

// This machine's address on its network: the first IPv4 one that is not the loopback, else the
// first global IPv6 one, else the loopback.
QString ownAddress() {
    QString v6;
    for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
        if (a.isLoopback() || a.isLinkLocal())
            continue;
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            return a.toString();
        if (v6.isEmpty() && a.protocol() == QAbstractSocket::IPv6Protocol)
            v6 = a.toString();
    }
    return v6.isEmpty() ? QStringLiteral("127.0.0.1") : v6;
}

} // namespace

void Game::followRouter() {
    if (!hosting)
        return;
    if (front.upnp && !router) {
        router = std::make_unique<RouterPortMapping>();
        RouterPortMapping* r = router.get();
        const auto said = [this](const QString& line) {
            front.routerLine = line;
            showHostLink();
            update();
        };
        connect(r, &RouterPortMapping::opened, this, [said](const QString& outside, bool) {
            said(tr("erreichbar unter %1").arg(outside));
        });
        connect(r, &RouterPortMapping::failed, this,
                [this, r, said](RouterPortMapping::State state, const QString& reason) {
                    if (r->state() == RouterPortMapping::State::Open)
                        said(tr("erreichbar unter %1, router erneuert nicht").arg(r->outside()));
                    else if (state == RouterPortMapping::State::NoRouter)
                        said(tr("kein router fuer upnp gefunden"));
                    else if (state == RouterPortMapping::State::NotBuilt)
                        said(tr("dieses spiel ist ohne upnp gebaut"));
                    else
                        said(tr("router leitet nicht weiter: %1").arg(reason));
                });
        // The window is never deleted before the program ends: the forwarding goes as it quits.
        connect(qApp, &QCoreApplication::aboutToQuit, r, &RouterPortMapping::close);
        front.routerLine = tr("upnp: frage den router ...");
        r->open(hosting->port());
    } else if (!front.upnp && router) {
        router.reset(); // waits until the router dropped the forwarding
        front.routerLine.clear();
    }
    showHostLink();
}

void Game::showHostLink() {
    if (!hosting)
        return;
    const bool outside = router && router->state() == RouterPortMapping::State::Open;
    front.hostLink = HostAddress::link(outside ? router->outside().section(QLatin1Char(':'), 0, 0)
                                               : ownAddress(),
                                       hosting->port());
}

void Game::copyLink() {
    if (front.hostLink.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(front.hostLink);
    front.linkCopied = true;
}
