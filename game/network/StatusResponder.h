// A host's answers to status queries (GameStatus): on UDP at the game's own port, and on the
// local network's findPort, which every host of a machine shares. One answer per query, at most
// one a second to any one sender, and at most answersPerSecond in all: a flood of queries, forged
// senders among them, gets no more than that out of the host. Times are real milliseconds.
#pragma once

#include "game/network/GameStatus.h"

#include <QHostAddress>
#include <QObject>
#include <functional>
#include <map>
#include <utility>

class QUdpSocket;

class StatusResponder : public QObject {
    Q_OBJECT

public:
    static constexpr int answersPerSecond = 50;

    explicit StatusResponder(std::function<Network::GameStatus()> describe,
                             QObject* parent = nullptr);

    // Listens at address (Any for every one) on gamePort and on findPort (the second one only
    // where it can be had: shared with the other hosts of this machine). False when neither
    // opens, with the reason on standard error; the game is hosted all the same.
    bool open(const QHostAddress& address, quint16 gamePort,
              quint16 sharedPort = Network::findPort);
    void close();
    int answered() const { return answers; }

private:
    void readFrom(QUdpSocket* socket);
    bool mayAnswer(const QHostAddress& sender, quint16 port, qint64 now);

    std::function<Network::GameStatus()> describe;
    QUdpSocket* own = nullptr;                                // at the game's port
    QUdpSocket* shared = nullptr;                             // at findPort
    std::map<std::pair<QString, quint16>, qint64> lastAnswer; // to each sender
    qint64 secondStart = 0;
    int inThisSecond = 0;
    int answers = 0;
};
