// What a host tells anyone who asks about its game, by a small UDP datagram: on the local network
// to a query sent by broadcast or multicast to findPort, and to a query sent straight to the
// game's own port (server lists, monitors, `--query`). A query is padded to queryBytes, so that
// no answer is more than twice as large as the query that asked for it; anything else that comes
// is ignored.
#pragma once

#include "game/rules/GameSettings.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace Network {

constexpr quint16 findPort = 47799; // where every host on a network listens for queries
constexpr int queryBytes = 128;
constexpr int mostAnswerBytes = 2 * queryBytes;

struct GameStatus {
    quint32 protocol = 0; // the host's protocol: another one cannot be joined
    QString version;      // the host's game version, "1.0.0"
    QString name;         // the game's name: the host's --name, or the machine's
    quint16 port = 0;     // where the game is joined (TCP)
    int seated = 0;       // players at a keyboard now, the host's own included
    int wanted = 0;       // players of the game
    int watchers = 0;
    QString valley; // as the log names it: "standard", "zufall 4711", a picture's name
    GameSettings::Wind wind = GameSettings::Wind::Off;
    GameSettings::Weapons weapons = GameSettings::Weapons::Grenade;
    bool password = false; // a password is asked

    bool operator==(const GameStatus& other) const;

    // The game's settings, its valley named "standard", "random 4711" or by the picture's file.
    void describe(const GameSettings& settings);
    // A game's name: the one given, else the machine's, cut to what an answer carries.
    static QString nameOr(const QString& given);
    // The status as lines of "key: value", in English, for --query and server lists.
    QString report(const QString& address) const;

    QByteArray encode() const;
    // The status of an answer; none for anything that is not one in every byte.
    static std::optional<GameStatus> decode(const QByteArray& datagram);
    // The query, and whether a datagram is one.
    static QByteArray query();
    static bool isQuery(const QByteArray& datagram);
};

} // namespace Network
