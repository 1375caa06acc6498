// The people of a network game, by seat: the name each machine gave, the machine's address and
// its round trip to the host. The host keeps the one that counts and sends it to every machine
// (Network::Players) whenever it changes, so that every machine names the players alike. A seat
// without a name is "spieler N" wherever a name could be shown.
#pragma once

#include "game/network/NetworkMessage.h"

#include <QString>
#include <QVector>

class Roster {
public:
    static constexpr int nameLimit = 16; // characters of a name

    // Whether a text may be a name: 1 to nameLimit characters, not only spaces, and no control
    // character (nor a line break or a change of writing direction).
    static bool acceptableName(const QString& name);

    // The name of a seat's player; empty when it has none.
    QString nameOf(int seat) const;

    // A machine takes a seat: a new player there, with no name yet.
    void seat(int seat, const QString& address);
    // Its machine left: the name stays, so that the log still names who left.
    void leave(int seat);
    void rename(int seat, const QString& name);
    // name as it may stand beside the others of this game: "anna", or "anna (2)", "anna (3)" …
    // when another seat is called so already (letter case aside), cut to nameLimit characters.
    QString unique(int seat, const QString& name) const;
    // A new game: the seats whose machines left are nobody's any more.
    void forgetAbsent();
    void measured(int seat, int roundTripMs);

    // Everyone as the host sends it, seats in order; and what a joined machine was sent, each
    // name that is not one left out.
    Network::Players players() const { return {people}; }
    void take(const Network::Players& sent);

    const QVector<Network::Person>& everyone() const { return people; }

private:
    Network::Person* find(int seat);

    QVector<Network::Person> people; // by seat, in order
};
