#include "game/network/NetworkClient.h"

#include "game/network/NetworkConnection.h"

#include <QCoreApplication>
#include <QTcpSocket>

using namespace Network;

NetworkClient::NetworkClient(QObject* parent) : QObject(parent) {}

void NetworkClient::connectTo(const QString& host, quint16 port) {
    auto* socket = new QTcpSocket();
    connection = new NetworkConnection(socket, this);
    connect(connection, &NetworkConnection::connected, this, [this] {
        connection->send(Hello{protocolVersion, QCoreApplication::applicationVersion()});
    });
    connect(connection, &NetworkConnection::received, this, [this](const Message& m) {
        if (const auto* w = std::get_if<Welcome>(&m)) {
            if (seat >= 0) {
                connection->close(QStringLiteral("a second welcome"));
                return;
            }
            seat = w->seat;
            emit welcomed(seat);
        } else if (const auto* r = std::get_if<Refused>(&m)) {
            emit refused(r->reason);
            connection->close(QString());
        } else if (seat < 0) {
            connection->close(QStringLiteral("no welcome first"));
        } else if (!std::holds_alternative<KeepAlive>(m)) {
            emit received(m);
        }
    });
    connect(connection, &NetworkConnection::closed, this, [this] {
        connection->deleteLater();
        connection = nullptr;
        emit lost();
    });
    socket->connectToHost(host, port);
}

void NetworkClient::send(const Message& message) {
    if (connection)
        connection->send(message);
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
