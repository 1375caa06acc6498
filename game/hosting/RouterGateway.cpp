// The router's UPnP calls through libminiupnpc.
#include "game/hosting/RouterGateway.h"

#ifdef TV_HAS_UPNP
#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>
#include <miniupnpc/upnperrors.h>
#endif

#include <QByteArray>

#ifdef TV_HAS_UPNP

struct RouterGateway::Router {
    UPNPUrls urls{};
    IGDdatas data{};
    char local[64] = {};
    ~Router() { FreeUPNPUrls(&urls); }
};

namespace {

QString reason(int code) {
    const char* text = strupnperror(code);
    return text ? QString::fromLatin1(text) : QStringLiteral("error %1").arg(code);
}

} // namespace

RouterGateway::RouterGateway() = default;
RouterGateway::~RouterGateway() = default;

bool RouterGateway::builtIn() {
    return true;
}

RouterGateway::Found RouterGateway::find(int waitMs) {
    router.reset();
    int error = 0;
    // Gateways answer the first; the second catches any device, and the gateway is chosen
    // among them below. Each kind is waited for at least a second.
    static const char* const kinds[] = {"urn:schemas-upnp-org:device:InternetGatewayDevice:1",
                                        "upnp:rootdevice", nullptr};
    UPNPDev* devices =
        upnpDiscoverDevices(kinds, waitMs, nullptr, nullptr, UPNP_LOCAL_PORT_ANY, 0, 2, &error, 0);
    if (!devices)
        return Found::NoRouter;
    auto r = std::make_unique<Router>();
#if MINIUPNPC_API_VERSION >= 18
    char outside[64] = {};
    const int kind = UPNP_GetValidIGD(devices, &r->urls, &r->data, r->local, sizeof r->local,
                                      outside, sizeof outside);
    // 1: connected; 2: connected behind another NAT (a private outside address); 3: not connected
    const bool usable = kind == 1 || kind == 2;
#else
    const int kind = UPNP_GetValidIGD(devices, &r->urls, &r->data, r->local, sizeof r->local);
    const bool usable = kind == 1; // 2: an IGD that says it is not connected
#endif
    freeUPNPDevlist(devices);
    if (!usable)
        return Found::NoRouter; // what the router's description filled in goes with r
    router = std::move(r);
    return Found::Router;
}

QString RouterGateway::outsideAddress() {
    if (!router)
        return QString();
    char address[40] = {};
    if (UPNP_GetExternalIPAddress(router->urls.controlURL, router->data.first.servicetype,
                                  address) != UPNPCOMMAND_SUCCESS)
        return QString();
    const QString text = QString::fromLatin1(address);
    return text == QLatin1String("0.0.0.0") ? QString() : text;
}

QString RouterGateway::forward(quint16 port, const char* protocol, int leaseSeconds) {
    if (!router)
        return QStringLiteral("no router");
    const QByteArray number = QByteArray::number(port);
    const QByteArray lease = QByteArray::number(leaseSeconds);
    const int code = UPNP_AddPortMapping(router->urls.controlURL, router->data.first.servicetype,
                                         number.constData(), number.constData(), router->local,
                                         "Tortoise Valley", protocol, nullptr, lease.constData());
    return code == UPNPCOMMAND_SUCCESS ? QString() : reason(code);
}

QString RouterGateway::unforward(quint16 port, const char* protocol) {
    if (!router)
        return QStringLiteral("no router");
    const QByteArray number = QByteArray::number(port);
    const int code = UPNP_DeletePortMapping(router->urls.controlURL, router->data.first.servicetype,
                                            number.constData(), protocol, nullptr);
    return code == UPNPCOMMAND_SUCCESS ? QString() : reason(code);
}

QString RouterGateway::localAddress() const {
    return router ? QString::fromLatin1(router->local) : QString();
}

#else // a build without libminiupnpc

struct RouterGateway::Router {};

RouterGateway::RouterGateway() = default;
RouterGateway::~RouterGateway() = default;

bool RouterGateway::builtIn() {
    return false;
}

RouterGateway::Found RouterGateway::find(int) {
    return Found::NotBuilt;
}

QString RouterGateway::outsideAddress() {
    return QString();
}

QString RouterGateway::forward(quint16, const char*, int) {
    return QStringLiteral("built without upnp");
}

QString RouterGateway::unforward(quint16, const char*) {
    return QStringLiteral("built without upnp");
}

QString RouterGateway::localAddress() const {
    return QString();
}

#endif

bool RouterGateway::found() const {
    return router != nullptr;
}
