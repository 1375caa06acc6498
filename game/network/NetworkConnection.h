// One TCP connection of a network game, on either side: frames out and in, a keep-alive every
// two seconds, and the end of a peer that sends something bad, stays silent for ten seconds or
// takes longer than ten seconds to finish a frame it started (a byte now and then is not enough).
// Reads at most a frame's worth per step, so a flood can neither grow memory nor hold up a tick.
// What waits to go out is bounded too: a peer that lets more than sendLimit bytes pile up (it
// does not read) is closed, and a peer that sends more than frameRateLimit frames within a
// second of the game's clock is closed for flooding.
#pragma once

#include "game/network/FrameReader.h"
#include "game/network/NetworkMessage.h"

#include "engine/scene/VORN_Clock.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QTcpSocket;
class QTimer;

class NetworkConnection : public QObject {
    Q_OBJECT

public:
    // Takes the socket over (connected, or connecting).
    NetworkConnection(QTcpSocket* socket, QObject* parent);
    ~NetworkConnection() override;

    void send(const Network::Message& message);
    // Ends the connection; a reason is said once on standard error, naming the peer.
    void close(const QString& reason);
    // The peer's address and port, "127.0.0.1:51234".
    QString peer() const;
    bool isOpen() const { return open; }

    // How long a frame may take from its first byte to its last.
    int frameTimeLimitMs = Network::frameTimeLimitMs;
    qint64 sendLimit = Network::sendLimit;
    int frameRateLimit = Network::frameRateLimit; // 0: none (a host's frames, to a joined game)
    // The bytes that wait to go out to the peer.
    qint64 queued() const;

signals:
    void connected();
    void received(const Network::Message& message);
    void closed(); // once, however the connection ended

private:
    void readFrames();
    void checkSilence();

    QTcpSocket* socket;
    QTimer* keepAlive;
    QTimer* frameClock; // runs while part of a frame has come
    FrameReader reader;
    QElapsedTimer heard;
    VORN_LIB::VORN_Clock::Ticks second = 0; // the start of the second the frames are counted in
    int framesThisSecond = 0;
    bool open = true;
};
