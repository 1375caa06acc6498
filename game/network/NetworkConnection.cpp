// One connection of a network game: frames out and in, the keep-alive and the peer's end.
#include "game/network/NetworkConnection.h"

#include "game/network/FrameCodec.h"
#include "game/network/ReportLine.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>
#include <cstdio>

NetworkConnection::NetworkConnection(QTcpSocket* s, QObject* parent)
    : QObject(parent), socket(s), keepAlive(new QTimer(this)), frameClock(new QTimer(this)) {
    socket->setParent(this);
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    heard.start();
    connect(socket, &QTcpSocket::connected, this, [this] {
        heard.restart();
        emit connected();
    });
    connect(socket, &QTcpSocket::readyRead, this, &NetworkConnection::readFrames);
    connect(socket, &QTcpSocket::disconnected, this, [this] { close(QString()); });
    connect(socket, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        if (e != QAbstractSocket::RemoteHostClosedError)
            close(socket->errorString());
        else
            close(QString());
    });
    connect(keepAlive, &QTimer::timeout, this, &NetworkConnection::checkSilence);
    keepAlive->start(Network::keepAliveMs);
    frameClock->setSingleShot(true);
    connect(frameClock, &QTimer::timeout, this, [this] {
        close(QStringLiteral("a frame not whole after %1 ms").arg(frameTimeLimitMs));
    });
}

NetworkConnection::~NetworkConnection() {
    socket->disconnect(this);
}

void NetworkConnection::send(const Network::Message& message) {
    if (!open || socket->state() != QAbstractSocket::ConnectedState)
        return;
    const QByteArray frame = FrameCodec::encode(message);
    if (socket->bytesToWrite() + frame.size() > sendLimit) {
        close(QStringLiteral("more than %1 bytes waiting to go out: it does not read")
                  .arg(sendLimit));
        return;
    }
    socket->write(frame);
}

qint64 NetworkConnection::queued() const {
    return socket->bytesToWrite();
}

void NetworkConnection::close(const QString& reason) {
    if (!open)
        return;
    open = false;
    keepAlive->stop();
    frameClock->stop();
    if (!reason.isEmpty())
        ReportLine::write(
            stderr,
            QStringLiteral("tortoise-valley: %1: %2; connection closed").arg(peer(), reason));
    socket->disconnect(this);
    socket->flush();
    socket->disconnectFromHost();
    if (socket->state() != QAbstractSocket::UnconnectedState)
        socket->abort();
    emit closed();
}

QString NetworkConnection::peer() const {
    QHostAddress address = socket->peerAddress();
    bool mapped = false; // an IPv4 peer of a dual-stack socket is shown as IPv4
    const quint32 v4 = address.toIPv4Address(&mapped);
    if (mapped)
        address = QHostAddress(v4);
    return QStringLiteral("%1:%2").arg(address.toString()).arg(socket->peerPort());
}

void NetworkConnection::readFrames() {
    bool whole = false; // a frame was finished, so any part left over is of a new one
    while (open && socket->bytesAvailable() > 0) {
        reader.append(socket->read(Network::frameLimit));
        heard.restart();
        while (open) {
            std::optional<Network::Message> message = reader.next();
            if (reader.failed()) {
                close(reader.error);
                return;
            }
            if (!message)
                break;
            whole = true;
            const VORN_LIB::VORN_Clock::Ticks now = VORN_LIB::VORN_Clock::now();
            if (now - second >= 1000 || now < second) { // a new second, or a clock set back
                second = now;
                framesThisSecond = 0;
            }
            if (++framesThisSecond > frameRateLimit && frameRateLimit > 0) {
                close(QStringLiteral("more than %1 frames in a second").arg(frameRateLimit));
                return;
            }
            emit received(*message);
        }
    }
    if (!open)
        return;
    if (!reader.partial())
        frameClock->stop();
    else if (whole || !frameClock->isActive())
        frameClock->start(frameTimeLimitMs);
}

void NetworkConnection::checkSilence() {
    if (heard.elapsed() > Network::silentLimitMs) {
        close(QStringLiteral("silent for %1 s").arg(Network::silentLimitMs / 1000));
        return;
    }
    send(Network::KeepAlive{});
}
