// A slow line between two machines of a network game, for tests and benchmarks: a TCP relay on
// 127.0.0.1 that takes each connection made to it on to a port of 127.0.0.1 and back, holding what
// it passes on in each direction for a delay drawn anew for every piece (100 ± 20 ms by default).
// A piece never overtakes the one before it, as on a TCP connection. Now and then (2 % of the
// pieces by default) a piece is held for a stall of 200 … 300 ms more, with everything behind it:
// what a lost packet costs a TCP connection while it is sent again. The draws are seeded, so a
// line behaves the same each run. Its delays are engine clock milliseconds: real time, or the
// time a test drives by hand, when the test calls deliver() after each step of the clock.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTcpServer>
#include <QTimer>
#include <deque>
#include <memory>
#include <random>
#include <vector>

class QTcpSocket;

class LinkRelay : public QObject {
    Q_OBJECT

public:
    struct Line {
        int delayMs = 100;
        int jitterMs = 20;  // each piece's delay is delayMs ± jitterMs
        double loss = 0.02; // the share of pieces that stall
        int stallMinMs = 200;
        int stallMaxMs = 300;
        unsigned seed = 1;
    };

    // Listens on 127.0.0.1 at a free port, passing on to 127.0.0.1:target.
    LinkRelay(quint16 target, const Line& line, QObject* parent = nullptr);
    ~LinkRelay() override;

    quint16 port() const { return server.serverPort(); }
    // The stalls so far, and the longest of them, in ms.
    int stalls() const { return stallCount; }
    int longestStallMs() const { return longestStall; }
    // Passes on every piece that is due by the engine clock (its own timer does so every 2 ms).
    void deliver();

private:
    struct Direction {
        QTcpSocket* from = nullptr;
        QTcpSocket* to = nullptr;
        std::deque<std::pair<qint64, QByteArray>> pieces; // due time, bytes
        qint64 lastDue = 0;
        bool ended = false; // from has gone: to is closed once the pieces are through
    };
    struct Pair {
        Direction up;   // the joining side to the target
        Direction down; // and back
    };

    void accept();
    void take(Direction& d);
    qint64 delay();

    QTcpServer server;
    QTimer pump;
    Line line;
    quint16 target;
    std::mt19937 draws;
    std::vector<std::unique_ptr<Pair>> pairs;
    int stallCount = 0;
    int longestStall = 0;
};
