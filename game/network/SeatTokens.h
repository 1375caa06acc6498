// The tokens of seats this machine holds in running network games, kept in its data folder, one
// small file per host and port, so that a player whose game crashed or whose machine restarted
// gets the same seat back at the next join. A token is forgotten when its player leaves the game.
// A game that joins claims the file of its host and port first, and holds the claim while it
// plays there: a second game of this machine joining the same host finds it claimed and joins
// as a newcomer, instead of taking the first one's seat away with its token. A crashed game's
// claim goes with its process.
#pragma once

#include <QString>
#include <memory>

class QLockFile;

class SeatTokens {
public:
    // The claim on the token of the game at host and port, held until it is destroyed; none when
    // another game of this machine holds it.
    static std::unique_ptr<QLockFile> claim(const QString& host, quint16 port);
    // The token kept for the game at host and port; 0 for none.
    static quint64 stored(const QString& host, quint16 port);
    static void keep(const QString& host, quint16 port, quint64 token);
    static void forget(const QString& host, quint16 port);
    // The host and port of the game whose token was kept last, for a seat back at the next
    // start; false when no token is kept.
    static bool newest(QString& host, quint16& port);

private:
    static QString folder();
    static QString fileOf(const QString& host, quint16 port);
};
