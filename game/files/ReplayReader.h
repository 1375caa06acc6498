// Reads a replay file, whoever made it: a file that is cut short inside its header or a chunk,
// corrupted, hostile (absurd counts or sizes) or of a version this game does not know is refused
// with one clear message in the player's language, and never makes it crash, hang or allocate
// more than the format's limits. Opening checks every chunk through; a turn's records are
// unpacked again when they are asked for, so a long game costs its compressed size in memory.
#pragma once

#include "game/files/ReplayFormat.h"

#include <QByteArray>
#include <QString>
#include <QVector>

class ReplayReader {
public:
    // Reads and checks the file; false, with the message in error(), when it is refused.
    bool open(const QString& path);
    // The same from a file's bytes (the file's name only for the message).
    bool read(const QByteArray& bytes, const QString& name = QString());

    // "<file>: <reason>", for the list and standard error; empty when the file was read.
    const QString& error() const { return failure; }

    const ReplayFormat::Header& header() const { return head; }
    // The end the file tells; a game never ended has ended() false and the turns the file holds.
    const ReplayFormat::Ending& ending() const { return end; }
    bool ended() const { return hasEnd; }

    // What lays the game, and the records of a turn (0 the first); empty for a turn not there.
    QVector<ReplayFormat::Record> opening() const;
    int turns() const { return int(turnChunks.size()); }
    QVector<ReplayFormat::Record> turn(int index) const;
    qint64 turnTime(int index) const; // the game clock at the turn's start
    qint64 firstTime() const { return startTime; }
    qint64 lastTime() const { return finalTime; }

private:
    struct Chunk {
        int offset = 0; // of the compressed bytes in data
        int size = 0;
        qint64 time = 0;
    };
    bool refuse(const QString& reason);
    bool unpack(const Chunk& chunk, QVector<ReplayFormat::Record>* records, QString* why) const;
    QVector<ReplayFormat::Record> recordsOf(const QVector<Chunk>& chunks) const;

    QByteArray data;
    QString name;
    QString failure;
    ReplayFormat::Header head;
    ReplayFormat::Ending end;
    bool hasEnd = false;
    QVector<Chunk> openingChunks;
    QVector<QVector<Chunk>> turnChunks;
    qint64 startTime = 0;
    qint64 finalTime = 0;
};
