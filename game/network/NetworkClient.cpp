// The joined machine's side of a network game: its connection, its seat and what it sends.
#include "game/network/NetworkClient.h"

#include "game/network/NetworkConnection.h"
#include "game/network/SeatTokens.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QTcpSocket>
#include <QTimer>

using namespace Network;

NetworkClient::NetworkClient(QObject* parent) : QObject(parent) {}

NetworkClient::~NetworkClient() = default;

void NetworkClient::connectTo(const QString& host, quint16 port, quint64 rejoin) {
    hostName = host;
    hostPort = port;
    if (keepsToken) {
        tokenClaim.reset(); // a claim of its own from an earlier join is no other game's
        tokenClaim = SeatTokens::claim(host, port);
        keepsToken = tokenClaim != nullptr;
    }
    if (rejoin == 0 && keepsToken)
        rejoin = SeatTokens::stored(host, port);
    auto* socket = new QTcpSocket();
    connection = new NetworkConnection(socket, this);
    connection->frameRateLimit = 0; // a new valley comes in many frames at once
    connect(connection, &NetworkConnection::connected, this, [this, rejoin] {
        reached = true;
        connection->send(Hello{protocolVersion, gameVersion(), rejoin, password});
    });
    connect(connection, &NetworkConnection::received, this, [this](const Message& m) {
        if (const auto* w = std::get_if<Welcome>(&m)) {
            // One welcome, or two for a machine that watched until the next game.
            if (seat >= 0 || (isWelcomed && w->seat < 0)) {
                connection->close(QStringLiteral("a second welcome"));
                return;
            }
            seat = w->seat;
            token = w->token;
            if (keepsToken && seat >= 0 && token != 0)
                SeatTokens::keep(hostName, hostPort, token);
            // Answered at once: the host gives the seat back to others if no answer comes.
            if (!isWelcomed)
                connection->send(KeepAlive{});
            if (seat >= 0 && !name.isEmpty()) // a watcher gives it once it has a seat
                connection->send(Name{name});
            isWelcomed = true;
            emit welcomed(seat);
        } else if (const auto* r = std::get_if<Refused>(&m)) {
            // Closed before it is said, and not as a lost connection: whoever hears the refusal
            // may leave at once, and this connection is then no longer there.
            const Refused::Reason reason = r->reason;
            const QString hostVersion = r->hostVersion;
            if (keepsToken)
                SeatTokens::forget(hostName, hostPort);
            tokenClaim.reset();
            NetworkConnection* c = connection;
            c->disconnect(this);
            connection = nullptr;
            c->close(QString());
            c->deleteLater();
            emit refused(reason, hostVersion);
        } else if (!isWelcomed) {
            connection->close(QStringLiteral("no welcome first"));
        } else if (std::holds_alternative<Bye>(m)) {
            hostSaidBye = true; // its connection ends next
            if (keepsToken)
                SeatTokens::forget(hostName, hostPort); // the host ended: no seat to come back to
        } else if (const auto* ping = std::get_if<Ping>(&m)) {
            connection->send(Pong{ping->stamp});
        } else if (!std::holds_alternative<KeepAlive>(m)) {
            emit received(m);
        }
    });
    // A connection that ends before it was made says why: its socket (deleted with the
    // connection, later) still knows.
    connect(connection, &NetworkConnection::closed, this, [this, socket] {
        connection->deleteLater();
        connection = nullptr;
        tokenClaim.reset(); // the token stays, for the next join of any game of this machine
        if (reached)
            emit lost();
        else
            emit failed(socket->error() == QAbstractSocket::HostNotFoundError ? Failure::NoSuchHost
                        : socket->error() == QAbstractSocket::ConnectionRefusedError
                            ? Failure::Refused
                            : Failure::NoAnswer);
    });
    QTimer::singleShot(answerLimitMs, this, [this] {
        if (!reached && connection)
            giveUp(Failure::NoAnswer);
    });
    socket->connectToHost(host, port);
}

void NetworkClient::giveUp(Failure failure) {
    NetworkConnection* c = connection;
    c->disconnect(this);
    connection = nullptr;
    c->close(QString());
    c->deleteLater();
    tokenClaim.reset();
    emit failed(failure);
}

void NetworkClient::send(const Message& message) {
    if (connection)
        connection->send(message);
}

void NetworkClient::sendStep(TurnCommand::Step step) {
    if (connection && seat >= 0)
        connection->send(Step{seat, ++stepsSent, step});
}

void NetworkClient::leave() {
    if (!connection)
        return;
    connection->send(Bye{});
    if (keepsToken)
        SeatTokens::forget(hostName, hostPort); // left on purpose: no seat to come back to
    tokenClaim.reset();
    NetworkConnection* c = connection;
    c->disconnect(this);
    connection = nullptr;
    c->close(QString());
    c->deleteLater();
}
