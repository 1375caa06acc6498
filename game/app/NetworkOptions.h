// The command line's network options: `--host [PORT]` opens a game that other machines join,
// `--join HOST[:PORT]` joins one (so does an invite link, "tortoise-valley://HOST:PORT", given
// on its own or after --join), `--server [PORT] [--players N] [--figures M]` hosts games with
// no window (2 to 9 players, default 2; 1 to 9 figures each, default 1); the port is 47800 unless
// given. `--name NAME` names this machine's player in network games (1 to 16 characters, no
// control character), also when the game is opened or joined from the menu.
#pragma once

#include <QString>
#include <QStringList>

struct NetworkOptions {
    enum Mode { Alone, Host, Join, Server };

    // Reads the arguments after the program's name; a bad one leaves error set.
    static NetworkOptions parse(const QStringList& arguments);

    Mode mode = Alone;
    QString host;
    quint16 port = 0;
    int players = 2; // of a headless host's games
    int figures = 1;
    QString name; // empty: none
    QString error;
};
