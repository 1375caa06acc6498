// The replays of a folder, each read and checked as it would be played.
#include "game/files/ReplayList.h"

#include "game/files/ReplayFormat.h"
#include "game/files/ReplayReader.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

std::vector<ReplayList::Entry> ReplayList::in(const QString& folder) {
    std::vector<Entry> entries;
    const QFileInfoList files = QDir(folder).entryInfoList(
        {QString("*") + ReplayFormat::suffix}, QDir::Files | QDir::Readable, QDir::Time);
    for (const QFileInfo& file : files) {
        Entry e;
        e.path = file.filePath();
        ReplayReader reader;
        if (!reader.open(e.path)) {
            e.error = reader.error();
            e.date = file.lastModified().toUTC();
            entries.push_back(e);
            continue;
        }
        e.date = reader.header().date;
        for (const ReplayFormat::Seat& seat : reader.header().players)
            e.players.append(seat.name);
        e.winner = reader.ended() && reader.ending().over ? reader.ending().winner : -1;
        e.over = reader.ended() && reader.ending().over;
        e.lengthMs = reader.lastTime() - reader.firstTime();
        e.turns = reader.turns();
        entries.push_back(e);
    }
    // Newest first by when each game began (a copied file's time is the copy's).
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.date > b.date; });
    return entries;
}
