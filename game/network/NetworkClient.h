// A machine that joined a network game: says hello, learns its seat (or that it watches until the
// next game), gives its name, sends the commands of its own seat and passes on everything the
// host's game does. It answers the host's pings itself.
#pragma once

#include "game/network/NetworkMessage.h"

#include <QObject>
#include <QString>
#include <memory>

class NetworkConnection;
class QLockFile;

class NetworkClient : public QObject {
    Q_OBJECT

public:
    explicit NetworkClient(QObject* parent = nullptr);
    ~NetworkClient() override;

    // Joins the game at host and port; with the token of an earlier welcome from that game, to get
    // the same seat back, or else the one kept in the data folder from a game this machine did not
    // leave (see SeatTokens).
    void connectTo(const QString& host, quint16 port, quint64 token = 0);
    void send(const Network::Message& message);
    // A step of this machine's seat, numbered, so that the host takes it exactly once.
    void sendStep(TurnCommand::Step step);
    // Leaves the game, telling the host.
    void leave();

    int seat = -1;            // given by the host's welcome; -1 while it watches
    quint64 token = 0;        // given with the seat
    bool isWelcomed = false;  // with a seat or to watch
    bool hostSaidBye = false; // the host ended the game on purpose before the connection closed
    QString name;     // this machine's player's name, sent after the welcome; none when empty
    QString password; // the host's, sent with the hello; empty for a host without one
    // Whether the seat's token is kept in the data folder, for a seat back after a crash; it is
    // not while another game of this machine plays at the same host (see SeatTokens).
    bool keepsToken = true;

    // Why a host was never reached.
    enum class Failure {
        NoSuchHost, // the name does not resolve
        Refused,    // nothing listens on that port
        NoAnswer    // no connection within answerLimitMs
    };
    int answerLimitMs = 5000;

signals:
    void welcomed(int seat);
    void refused(Network::Refused::Reason reason, const QString& hostVersion);
    void received(const Network::Message& message);
    void lost();                  // the host went away, or the connection broke
    void failed(Failure failure); // the host was never reached: instead of lost()

private:
    void giveUp(Failure failure);

    NetworkConnection* connection = nullptr;
    bool reached = false; // the connection was made
    quint32 stepsSent = 0;
    QString hostName;
    quint16 hostPort = 0;
    std::unique_ptr<QLockFile> tokenClaim; // while this game keeps its seat's token
};
