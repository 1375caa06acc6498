#include "game/network/NetworkClient.h"

#include "game/network/NetworkConnection.h"

#include <QCoreApplication>
#include <QTcpSocket>
#include <QTimer>

using namespace Network;

NetworkClient::NetworkClient(QObject* parent) : QObject(parent) {}

void NetworkClient::connectTo(const QString& host, quint16 port) {
    auto* socket = new QTcpSocket();
    connection = new NetworkConnection(socket, this);
    connect(connection, &NetworkConnection::connected, this, [this] {
        reached = true;
        connection->send(Hello{protocolVersion, gameVersion()});
    });
    connect(connection, &NetworkConnection::received, this, [this](const Message& m) {
        if (const auto* w = std::get_if<Welcome>(&m)) {
            if (seat >= 0) {
                connection->close(QStringLiteral("a second welcome"));
                return;
            }
            seat = w->seat;
            // Answered at once: the host gives the seat back to others if no answer comes.
            connection->send(KeepAlive{});
            emit welcomed(seat);
        } else if (const auto* r = std::get_if<Refused>(&m)) {
            // Closed before it is said, and not as a lost connection: whoever hears the refusal
            // may leave at once, and this connection is then no longer there.
            const QString reason = r->reason;
            const QString hostVersion = r->hostVersion;
            NetworkConnection* c = connection;
            c->disconnect(this);
            connection = nullptr;
            c->close(QString());
            c->deleteLater();
            emit refused(reason, hostVersion);
        } else if (seat < 0) {
            connection->close(QStringLiteral("no welcome first"));
        } else if (!std::holds_alternative<KeepAlive>(m)) {
            emit received(m);
        }
    });
    // A connection that ends before it was made says why: its socket (deleted with the
    // connection, later) still knows.
    connect(connection, &NetworkConnection::closed, this, [this, socket] {
        connection->deleteLater();
        connection = nullptr;
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
    NetworkConnection* c = connection;
    c->disconnect(this);
    connection = nullptr;
    c->close(QString());
    c->deleteLater();
}
