// A match played with other machines: the host's side of a network game. It seats the machines
// that join, passes each seat's commands to the match on that seat's turn, lets the computer take
// over a seat whose machine left, and sends the match to every joined machine: each new game,
// each tick's state and each crater. The window and the headless host both host through it.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "engine/scene/VORN_Clock.h"
#include "game/network/NetworkMessage.h"

#include <QObject>

class Match;
class NetworkHost;

class MatchHost : public QObject {
    Q_OBJECT

public:
    MatchHost(Match& match, QObject* parent = nullptr);
    ~MatchHost() override;

    // Listens on every address at port (0: any free one); false, with the reason on standard
    // error, when it cannot.
    bool listen(quint16 port);
    quint16 port() const;
    // Whether a joined machine holds the seat of this player.
    bool holds(int seat) const;
    int joinedCount() const;
    // The address of the machine on a seat, "192.168.0.7".
    QString addressOf(int seat) const;
    // From seat 0 on for a host without a keyboard of its own; from 1 by default.
    void seatEveryPlayer();

    // The match's state at game clock reading now, to every joined machine; in a game with wind
    // or every weapon, the turn's wind and weapons after it.
    void sendState(VORN_LIB::VORN_Clock::Ticks now);
    Network::Message armsMessage() const;

    NetworkHost* network = nullptr; // owned (child)

signals:
    void joined(int seat);
    void left(int seat);

private:
    Network::Message startMessage() const;
    void announceCrater(const VORN_LIB::VORN_Vector& point);
    void sendHeightmap(int seat);

    Match& match;
};
