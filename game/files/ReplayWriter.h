// Writes one replay file as the game goes: the header first, then each chunk as soon as it is
// whole, so that a game cut short by the program's end leaves the turns played. Once a write
// fails (a full disk, a folder that cannot be written) the writer says why once and writes no
// more; the game goes on without it.
#pragma once

#include "game/files/ReplayFormat.h"

#include <QFile>
#include <QString>

class ReplayWriter {
public:
    ReplayWriter() = default;
    ~ReplayWriter();
    ReplayWriter(const ReplayWriter&) = delete;
    ReplayWriter& operator=(const ReplayWriter&) = delete;

    // Creates the file and writes its header; false, with the reason in error(), when it cannot.
    bool open(const QString& path, const ReplayFormat::Header& header);
    // Begins a chunk of a kind (the opening, a turn) at a game clock reading; the one before is
    // written.
    void begin(ReplayFormat::Chunk kind, qint64 time);
    // A whole frame (its length first, as FrameCodec::encode makes it) sent at a game clock
    // reading. A chunk that has grown past ReplayFormat::chunkBytes is written and goes on in
    // another.
    void add(qint64 time, const QByteArray& frame);
    // Writes the last chunk and the end, and closes the file; false when any write failed.
    bool finish(const ReplayFormat::Ending& ending);

    bool isOpen() const { return file.isOpen(); }
    bool failed() const { return !failure.isEmpty(); }
    const QString& error() const { return failure; }
    QString path() const { return file.fileName(); }
    qint64 written() const { return bytesWritten; }

private:
    void flush();
    void write(const QByteArray& bytes);
    void fail(const QString& why);

    QFile file;
    QByteArray records; // the chunk being filled
    ReplayFormat::Chunk kind = ReplayFormat::Chunk::Opening;
    qint64 chunkTime = 0;
    qint64 bytesWritten = 0;
    QString failure;
};
