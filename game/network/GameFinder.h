// Looks for games: by one query to every host of the local network (broadcast on IPv4, the
// all-nodes multicast group on IPv6, to findPort) when asked, or straight to one host's game port.
// The games that answer are listed, each once, by the address and port they are joined at; an
// answer that is not one is ignored. The list is what answered since the last search().
#pragma once

#include "game/network/GameStatus.h"

#include <QHostAddress>
#include <QObject>
#include <vector>

class QUdpSocket;

class GameFinder : public QObject {
    Q_OBJECT

public:
    struct Found {
        QHostAddress address; // where it answered from, and is joined at
        Network::GameStatus status;
        // Whether this machine can join it: the same protocol.
        bool joinable() const;
    };

    explicit GameFinder(QObject* parent = nullptr);

    // Asks every host of the local network (at searchPort); the list keeps what answered
    // before, anew with each answer.
    void search();
    quint16 searchPort = Network::findPort;
    // Where a test's searches go instead of the network's broadcast and multicast: the loopback.
    std::vector<QHostAddress> searchOnly;
    void clear(); // forgets the list
    // Asks one host at its game's port.
    void ask(const QHostAddress& host, quint16 port);
    const std::vector<Found>& games() const { return found; }

signals:
    void changed(); // a game was added to the list or answered anew

private:
    void read();
    QUdpSocket* socket = nullptr;
    std::vector<Found> found;
};
