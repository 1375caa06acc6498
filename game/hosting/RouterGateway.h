// The home router as a UPnP internet gateway: found on the local network by SSDP, asked for its
// outside address and to forward a port to this machine, and to drop the forwarding again. Every
// call blocks (the search for its wait, a request for the router's answer), so it is used off the
// window's thread. A build without libminiupnpc has none: find() then says so.
#pragma once

#include <QString>
#include <memory>

class RouterGateway {
public:
    RouterGateway();
    ~RouterGateway();
    RouterGateway(const RouterGateway&) = delete;
    RouterGateway& operator=(const RouterGateway&) = delete;

    // Whether this build can speak to a router at all.
    static bool builtIn();

    enum class Found { Router, NoRouter, NotBuilt };
    // Looks for the router, waiting waitMs (a second at least) for each of the two kinds of
    // answer it asks for.
    Found find(int waitMs);
    bool found() const;
    // This machine's address as the router sees it, and the router's own outside one ("" when it
    // has none).
    QString localAddress() const;
    QString outsideAddress();

    // Asks for port of protocol ("TCP", "UDP") on the outside to come to the same port here, for
    // leaseSeconds; empty when granted, else the router's reason.
    QString forward(quint16 port, const char* protocol, int leaseSeconds);
    // Drops a forwarding asked for before; empty when the router dropped it.
    QString unforward(quint16 port, const char* protocol);

private:
    struct Router;
    std::unique_ptr<Router> router; // null until found
};
