// The host of a network game: listens for machines that join, gives each the next free seat
// (spieler 1, 2, …; spieler 0 is the host's own), passes on the commands of a seat's machine for
// that seat only, and sends every seated machine what the host's game does.
//
// A seat is given only for a hello of this protocol, and kept only by a machine that answers its
// welcome: a game that joins sends a keep-alive at once (and one every two seconds after), so a
// connection that says hello and then nothing gives its seat back after answerLimitMs instead of
// keeping a real player out. A connection that has not said hello within helloLimitMs is closed,
// and at most waitingLimit connections wait for their hello at once; more are closed on arrival.
// Steps (fire mode, throw) come numbered: one whose number was taken already is a repeat and
// does nothing, so each is passed on exactly once, in order.
#pragma once

#include "game/network/NetworkMessage.h"
#include "game/rules/TurnCommand.h"

#include <QObject>
#include <QString>
#include <map>

class NetworkConnection;
class QTcpServer;
class QTimer;

class NetworkHost : public QObject {
    Q_OBJECT

public:
    explicit NetworkHost(QObject* parent = nullptr);
    ~NetworkHost() override;

    // Listens on every address at port (0: any free one); false, with the reason on standard
    // error, when it cannot.
    bool listen(quint16 port);
    quint16 port() const;

    // Whether a joined machine holds the seat of this player.
    bool holds(int seat) const { return seats.count(seat) != 0; }
    // The address of the machine on a seat, "192.168.0.7".
    QString addressOf(int seat) const;
    int joinedCount() const { return int(seats.size()); }

    // The first seat given to a machine that joins: 1 while spieler 0 plays at the host's own
    // keyboard, 0 for a host without one.
    int firstSeat = 1;

    // The limits on the machines that join (tests make them short).
    int helloLimitMs = Network::helloLimitMs;
    int answerLimitMs = Network::answerLimitMs;
    int frameTimeLimitMs = Network::frameTimeLimitMs;
    int waitingLimit = Network::waitingLimit;

    void broadcast(const Network::Message& message);
    void sendTo(int seat, const Network::Message& message);

signals:
    void joined(int seat);
    void left(int seat);
    // A command of a seat's own machine, for that seat: its held rates.
    void command(int seat, const TurnCommand& command);
    // A step of a seat's own machine, once each, in the order it was pressed there.
    void step(int seat, TurnCommand::Step step);
    void heightmapAsked(int seat);

private:
    void accept();
    void handle(NetworkConnection* peer, const Network::Message& message);
    int freeSeat() const;

    QTcpServer* server;
    struct Peer {
        int seat = -1;              // -1 until it has said hello
        QTimer* deadline = nullptr; // for its hello, then for its answer to the welcome
        quint32 lastStep = 0;       // the number of the last step it sent that was taken
    };
    std::map<NetworkConnection*, Peer> peers; // every connection
    std::map<int, NetworkConnection*> seats;
};
