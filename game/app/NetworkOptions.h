// The command line's network options: `--host [PORT]` opens a game that other machines join,
// `--join HOST[:PORT]` joins one (so does an invite link, "tortoise-valley://HOST:PORT", given
// on its own or after --join), `--server [PORT] [--players N] [--figures M]` hosts games with
// no window (2 to 9 players, default 2; 1 to 9 figures each, default 1); the port is 47800 unless
// given. `--name NAME` names this machine's player in network games (1 to 16 characters, no
// control character), also when the game is opened or joined from the menu. `--password WORD`
// is asked of every machine that joins a game this machine hosts, or said to the host it joins.
// A headless host also takes `--listen ADDRESS` (the address it listens on; every one by
// default), `--seats-per-address N` and `--watchers-per-address N` (0 to 9, default 2 each), and
// refuses any option it does not know; its --name names the game in the local list and status
// answers; `--replays DIR` keeps a replay of each of its games in DIR. `--upnp` (with --host or
// --server) asks the home router to forward the port.
// `--query HOST[:PORT]` prints a host's status and `--list` the games on the local
// network.
#pragma once

#include <QString>
#include <QStringList>

struct NetworkOptions {
    enum Mode { Alone, Host, Join, Server, Query, List };

    // Reads the arguments after the program's name; a bad one leaves error set.
    static NetworkOptions parse(const QStringList& arguments);

    Mode mode = Alone;
    QString host;
    quint16 port = 0;
    int players = 2; // of a headless host's games
    int figures = 1;
    QString name; // empty: none
    QString password;
    QString listen;  // empty: every address
    QString replays; // a headless host's folder of replays; empty: none kept
    int seatsPerAddress = 2;
    int watchersPerAddress = 2;
    bool upnp = false;
    QString error;

private:
    static QString unknownServerOption(const QStringList& arguments);
};
