// The host of a network game: listens for machines that join, gives each the next free seat
// (spieler 1, 2, …; spieler 0 is the host's own), passes on the commands of a seat's machine for
// that seat only, and sends every seated machine what the host's game does.
//
// A seat is given only for a hello of this protocol, and kept only by a machine that answers its
// welcome: a game that joins sends a keep-alive at once (and one every two seconds after), so a
// connection that says hello and then nothing gives its seat back after answerLimitMs instead of
// keeping a real player out. A connection that has not said hello within helloLimitMs is closed,
// and at most waitingLimit connections wait for their hello at once; more are closed on arrival.
//
// While a game is under way (seatsOpen() false) a machine that joins watches: it is welcomed with
// no seat, is sent everything the seated machines are, and gets a seat with a second welcome when
// the next game begins (seatWatchers()). Each seat's welcome carries a token, 64 random bits: a
// machine whose connection broke says it in its next hello and gets the same seat back, as long as
// no new game has forgotten it (forgetAbsentTokens()); a connection that still holds the seat,
// broken without a word, is closed for it.
//
// Every pingMs each seated machine is pinged, and its answer to the last ping gives its round
// trip; any other answer is ignored, so a machine cannot make the host send the roster at will.
// A name or a chat line that is not one (see Roster and ChatLimit), or a second name, closes that
// connection: a game never sends one.
//
// Bounded for the open internet: each connection queues at most Network::sendLimit bytes and sends
// at most Network::frameRateLimit frames a second (see NetworkConnection); a heightmap goes to a
// connection at most once for each state of the ground (groundChanged()), further requests are
// ignored; one address gets at most seatsPerAddress seats and watchersPerAddress places to watch;
// a host with a password refuses a hello without it. When waitingLimit connections wait for their
// hello, the oldest of them is refused ("server full") to make room for the newest, so that a real
// joiner is never dropped without a word. No more seats are given than lastSeatGiven allows; the
// ones beyond watch.
//
// Steps (fire mode, throw) come numbered: one whose number was taken already is a repeat and
// does nothing, so each is passed on exactly once, in order.
#pragma once

#include "game/network/GameStatus.h"
#include "game/network/NetworkMessage.h"
#include "game/rules/TurnCommand.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class NetworkConnection;
class QTcpServer;
class StatusResponder;
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
    int watcherCount() const { return int(watchers.size()); }

    // The first seat given to a machine that joins: 1 while spieler 0 plays at the host's own
    // keyboard, 0 for a host without one.
    int firstSeat = 1;

    // The limits on the machines that join (tests make them short).
    int helloLimitMs = Network::helloLimitMs;
    int answerLimitMs = Network::answerLimitMs;
    int frameTimeLimitMs = Network::frameTimeLimitMs;
    int waitingLimit = Network::waitingLimit;
    int watcherLimit = 8; // machines watching at once; more are turned away for want of room
    // A game window's host takes any number from one address (a LAN); the headless host, which
    // stands on the internet, sets Network::seatsPerAddress and watchersPerAddress.
    int seatsPerAddress = Network::lastSeat + 1;
    int watchersPerAddress = Network::lastSeat + 1;
    int lastSeatGiven = Network::lastSeat; // the highest seat a machine gets: the game's players
    QString password;                      // empty: none asked for
    // What the game tells a status query (GameStatus) beside what the host knows itself (its
    // port, version, watchers, whether a password is asked): its name, players and settings.
    std::function<void(Network::GameStatus&)> describeGame;
    Network::GameStatus status() const;
    // Listens on address ("0.0.0.0", "::1"; empty: every address); false, with the reason on
    // standard error, when it cannot.
    bool listen(const QString& address, quint16 port);
    // The ground changed (a crater, a new valley): each connection may ask for the heightmap once
    // more.
    void groundChanged() { ++groundAge; }
    // The most bytes waiting to go out to any one connection, and to all together.
    qint64 mostQueued() const;
    qint64 totalQueued() const;
    int connectionCount() const { return int(peers.size()); }

    // Whether a machine that joins now gets a seat; while false it watches.
    std::function<bool()> seatsOpen = [] { return true; };
    // Gives the machines that watch a free seat each, in the order they came, with a welcome.
    void seatWatchers();
    // Forgets the tokens of seats that no machine holds now: for a new game.
    void forgetAbsentTokens();

    // Ends every connection with a goodbye (Bye) and stops listening: the host ends its games.
    void close();

    void broadcast(const Network::Message& message); // to every seated and watching machine
    void sendTo(int seat, const Network::Message& message);

signals:
    void joined(int seat);
    void left(int seat);
    // A machine was welcomed, with a seat or to watch: it may be sent the game under way.
    void arrived(NetworkConnection* peer);
    // A machine came during a game and watches it; its address, "192.168.0.7".
    void watching(const QString& address);
    // A command of a seat's own machine, for that seat: its held rates.
    void command(int seat, const TurnCommand& command);
    // A step of a seat's own machine, once each, in the order it was pressed there.
    void step(int seat, TurnCommand::Step step);
    void heightmapAsked(NetworkConnection* peer);
    void named(int seat, const QString& name);
    void said(int seat, const QString& text); // a chat line, not yet counted against its limit
    void measured(int seat, int roundTripMs);

private:
    void accept();
    void handle(NetworkConnection* peer, const Network::Message& message);
    void seat(NetworkConnection* peer, int seat, quint64 token);
    int freeSeat() const;
    void ping();
    void watch(NetworkConnection* peer);
    static QString addressOf(const NetworkConnection* peer);
    int seatsFrom(const QString& address) const;
    int watchersFrom(const QString& address) const;

    QTcpServer* server;
    StatusResponder* responder; // owned (child)
    QTimer* pinger;
    QElapsedTimer clock;  // the stamps of the pings
    quint32 lastPing = 0; // the stamp of the last one
    struct Peer {
        int seat = -1;              // -1 until it has a seat
        bool welcomed = false;      // it has said hello and been welcomed, with a seat or not
        QTimer* deadline = nullptr; // for its hello, then for its answer to the welcome
        bool named = false;         // a name comes once
        bool pinged = false;        // the last ping is not answered yet
        quint32 lastStep = 0;       // the number of the last step it sent that was taken
        quint64 arrival = 0;        // the order the connections came in
        quint64 heightmapAge = 0;   // the ground's age at its last heightmap; 0: none sent
    };
    std::map<NetworkConnection*, Peer> peers; // every connection
    std::map<int, NetworkConnection*> seats;
    std::vector<NetworkConnection*> watchers; // in the order they came
    std::map<quint64, int> tokens;            // the seat each token gets back
    quint64 arrivals = 0;
    quint64 groundAge = 1;
};
