// A match played with other machines: the host's side of a network game. It seats the machines
// that join, passes each seat's commands to the match on that seat's turn, lets the computer take
// over a seat whose machine left, and sends the match to every joined machine: each new game with
// its settings and valley,
// each tick's state, each crater and the log. A machine that joins a game under way is sent the
// whole match first, and watches until the next game; one whose connection broke gets its seat
// back from the computer when it joins again with its token. The window and the headless host
// both host through it.
//
// It plays the match's ticks, so that each one is sent.
//
// It keeps the roster: who sits where, their names, addresses and round trips, sent to every
// machine whenever it changes, by which each machine names the players in its log. It passes chat
// lines on to every machine, at most ChatLimit::lines of one machine within ChatLimit::windowMs; a
// line beyond that goes nowhere, and its machine is told.
//
// A seated machine that sends nothing for awayTurns of its turns in a row is away: the computer
// plays its seat (the log says so) until the machine sends a key again.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "engine/scene/VORN_Clock.h"
#include "game/network/ChatLimit.h"
#include "game/network/NetworkMessage.h"
#include "game/network/Roster.h"

#include <QElapsedTimer>
#include <QObject>
#include <map>

class Bitmap;
class Match;
class NetworkConnection;
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
    // Gives the machines that watch the free seats, before a new game.
    void seatWatchers();

    // The match's ticks up to engine clock reading real, each followed by its state to every
    // joined machine. Ticks a slow frame held up are played one by one at their own readings, so
    // that a joined machine gets a state for every tick of the game clock, however seldom the
    // host's window gets round to its timer.
    void advance(VORN_LIB::VORN_Clock::Ticks real);
    // The match's state at game clock reading now, to every joined machine; in a game with wind
    // or every weapon, the turn's wind and weapons after it.
    void sendState(VORN_LIB::VORN_Clock::Ticks now);
    Network::Message armsMessage() const;

    // The name of the player at the host's own keyboard (spieler 0); empty for none.
    void setOwnName(const QString& name);
    const Roster& roster() const { return people; }
    // A player's name, empty for none.
    QString nameOf(int seat) const { return people.nameOf(seat); }
    // A chat line of the host's own player, to every machine; false when it is not a line or
    // comes too fast, and went nowhere.
    bool say(const QString& text);

    static constexpr int mostTicksMade = 8; // a longer hold-up is played as one long tick
    // Turns in a row without a key after which a seat's machine counts as away; 0: never.
    int awayTurns = 2;
    bool isAway(int seat) const { return away.count(seat) != 0; }

    NetworkHost* network = nullptr; // owned (child)
    // The texture of a picture valley, sent with its heights; without it the joined machines
    // colour the picture's heights themselves. Not owned; set by whoever lays the valley.
    const Bitmap* valleyTexture = nullptr;

signals:
    void joined(int seat);
    void left(int seat);
    void named(int seat);
    void chatted(int seat, const QString& text); // a chat line that went to every machine
    void watching(const QString& address);       // a machine came during a game, until the next

private:
    void nameOwnSeats();
    // The settings of the game starting, and a picture valley itself, to every machine or to one.
    void sendValley(NetworkConnection* to = nullptr);
    void announceCrater(const VORN_LIB::VORN_Vector& point);
    void sendHeightmap(NetworkConnection* peer);
    bool passOn(int seat, const QString& text);
    // A key from a seat's machine: one that was away plays its seat again.
    void heardFrom(int seat);
    void turnStarts(int player);

    Match& match;
    Roster people;
    std::map<int, ChatLimit> chatLimits; // by seat, from the seat's latest machine on
    QElapsedTimer chatClock;
    bool logPending = false;        // a change of the log waits to go out
    std::map<int, int> silentTurns; // by seat: its turns in a row without a key from its machine
    std::map<int, bool> away;       // seats the computer plays for a machine that is away
    int onTurn = -1;                // the player of the turn under way
    bool heardOnTurn = false;       // whose machine sent a key in it
};
