// The tokens of seats this machine holds in running network games, kept in its data folder, one
// small file per host and port, so that a player whose game crashed or whose machine restarted
// gets the same seat back at the next join. A token is forgotten when its player leaves the game.
#pragma once

#include <QString>

class SeatTokens {
public:
    // The token kept for the game at host and port; 0 for none.
    static quint64 stored(const QString& host, quint16 port);
    static void keep(const QString& host, quint16 port, quint64 token);
    static void forget(const QString& host, quint16 port);

private:
    static QString fileOf(const QString& host, quint16 port);
};
