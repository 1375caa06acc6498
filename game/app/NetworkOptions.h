// The command line's network options: `--host [PORT]` opens a game that other machines join,
// `--join HOST[:PORT]` joins one; the port is 47800 unless given.
#pragma once

#include <QString>
#include <QStringList>

struct NetworkOptions {
    enum Mode { Alone, Host, Join };

    // Reads the arguments after the program's name; a bad one leaves error set.
    static NetworkOptions parse(const QStringList& arguments);

    Mode mode = Alone;
    QString host;
    quint16 port = 0;
    QString error;
};
