// The writing side of the replay file; its layout is told in ReplayFormat.h.
#include "game/files/ReplayWriter.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>

namespace {
QByteArray headerBytes(const ReplayFormat::Header& header) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_15);
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
    out << header.gameVersion << qint64(header.date.toMSecsSinceEpoch());
    const int players = std::min(int(header.players.size()), ReplayFormat::playersLimit);
    out << quint8(players);
    for (int p = 0; p < players; ++p) {
        const ReplayFormat::Seat& seat = header.players[p];
        out << seat.name.left(ReplayFormat::nameLimit) << seat.red << seat.green << seat.blue;
    }
    return bytes;
}

QByteArray chunkHead(ReplayFormat::Chunk kind, qint64 time, int size) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << quint8(kind) << time << quint32(size);
    return bytes;
}
} // namespace

ReplayWriter::~ReplayWriter() {
    if (file.isOpen())
        finish(ReplayFormat::Ending{});
}

bool ReplayWriter::open(const QString& path, const ReplayFormat::Header& header) {
    failure.clear();
    file.setFileName(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(file.errorString());
        return false;
    }
    const QByteArray head = headerBytes(header);
    QByteArray start(ReplayFormat::magic, ReplayFormat::magicSize);
    QDataStream out(&start, QIODevice::Append);
    out << ReplayFormat::version << quint32(head.size());
    write(start + head);
    return !failed();
}

void ReplayWriter::begin(ReplayFormat::Chunk chunk, qint64 time) {
    flush();
    kind = chunk;
    chunkTime = time;
}

void ReplayWriter::add(qint64 time, const QByteArray& frame) {
    if (failed() || !file.isOpen() || frame.size() < 5 || frame.size() > ReplayFormat::frameLimit)
        return;
    QDataStream out(&records, QIODevice::Append);
    out << time;
    records.append(frame);
    if (records.size() > ReplayFormat::chunkBytes) {
        flush();
        kind = ReplayFormat::Chunk::More;
        chunkTime = time;
    }
}

void ReplayWriter::flush() {
    if (records.isEmpty())
        return;
    const QByteArray packed = qCompress(records, 9);
    records.clear();
    write(chunkHead(kind, chunkTime, packed.size()) + packed);
}

bool ReplayWriter::finish(const ReplayFormat::Ending& ending) {
    if (!file.isOpen())
        return !failed();
    flush();
    QByteArray tail;
    QDataStream out(&tail, QIODevice::WriteOnly);
    out << ending.winner << ending.over << ending.lengthMs << ending.turns;
    write(chunkHead(ReplayFormat::Chunk::End, ending.lengthMs, tail.size()) + tail);
    if (!failed() && !file.flush())
        fail(file.errorString());
    file.close();
    return !failed();
}

void ReplayWriter::write(const QByteArray& bytes) {
    if (failed() || !file.isOpen())
        return;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        fail(file.errorString());
        return;
    }
    bytesWritten += bytes.size();
}

void ReplayWriter::fail(const QString& why) {
    if (failure.isEmpty())
        failure = QCoreApplication::translate("Game", "%1: wiederholung nicht geschrieben (%2)")
                      .arg(file.fileName(), why);
}
