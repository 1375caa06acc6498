// The replays of a folder as the list shows them, newest first (by when each game began): each
// file's date, players, winner, length and turns, or why it cannot be played (the reader's
// message).
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

class ReplayList {
public:
    struct Entry {
        QString path;
        QDateTime date;      // when the game began (the file's time for one refused)
        QStringList players; // names, empty for a player without one
        int winner = -1;     // -1: a draw, or a game not played to its end
        bool over = false;
        qint64 lengthMs = 0;
        int turns = 0;
        QString error; // empty for a file that plays
    };
    // Every "*.tvreplay" of the folder; none for a folder that is not there.
    static std::vector<Entry> in(const QString& folder);
};
