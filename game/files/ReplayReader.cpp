// The reading side of the replay file; its layout is told in ReplayFormat.h. Every size is
// checked against the bytes there are and against the format's limits before it is used.
#include "game/files/ReplayReader.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QtEndian>
#include <zlib.h>

namespace {
QString cutShort() {
    return QCoreApplication::translate("Game", "wiederholung unvollstaendig");
}
QString corrupted() {
    return QCoreApplication::translate("Game", "wiederholung beschaedigt");
}
QString tooLarge() {
    return QCoreApplication::translate("Game", "wiederholung zu gross");
}
} // namespace

bool ReplayReader::open(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        name = path;
        data.clear();
        return refuse(QCoreApplication::translate("Game", "datei nicht lesbar"));
    }
    if (file.size() > ReplayFormat::fileLimit) {
        name = path;
        data.clear();
        return refuse(tooLarge());
    }
    return read(file.readAll(), path);
}

bool ReplayReader::refuse(const QString& reason) {
    failure = name.isEmpty() ? reason : name + QStringLiteral(": ") + reason;
    openingChunks.clear();
    turnChunks.clear();
    hasEnd = false;
    return false;
}

bool ReplayReader::read(const QByteArray& bytes, const QString& fileName) {
    *this = ReplayReader();
    name = fileName;
    if (bytes.size() > ReplayFormat::fileLimit)
        return refuse(tooLarge());
    data = bytes;
    if (data.size() < ReplayFormat::magicSize ||
        data.left(ReplayFormat::magicSize) != QByteArray(ReplayFormat::magic))
        return refuse(data.size() < ReplayFormat::magicSize &&
                              QByteArray(ReplayFormat::magic).startsWith(data) && !data.isEmpty()
                          ? cutShort()
                          : QCoreApplication::translate("Game", "keine wiederholung"));

    QDataStream in(data);
    in.setVersion(QDataStream::Qt_5_15);
    in.setFloatingPointPrecision(QDataStream::SinglePrecision);
    in.skipRawData(ReplayFormat::magicSize);
    quint32 version = 0, headerSize = 0;
    in >> version;
    if (in.status() != QDataStream::Ok)
        return refuse(cutShort());
    if (version != ReplayFormat::version)
        return refuse(QCoreApplication::translate(
                          "Game", "wiederholung der version %1 wird nicht unterstuetzt")
                          .arg(version));
    in >> headerSize;
    if (in.status() != QDataStream::Ok)
        return refuse(cutShort());
    if (headerSize > ReplayFormat::headerLimit)
        return refuse(corrupted());
    const int headerAt = ReplayFormat::magicSize + 8;
    if (qint64(headerAt) + headerSize > data.size())
        return refuse(cutShort());

    {
        // QDataStream checks a string's length against the bytes there are before it allocates.
        QDataStream h(data.mid(headerAt, int(headerSize)));
        h.setVersion(QDataStream::Qt_5_15);
        h.setFloatingPointPrecision(QDataStream::SinglePrecision);
        qint64 date = 0;
        quint8 players = 0;
        h >> head.gameVersion >> date >> players;
        if (h.status() != QDataStream::Ok || players > ReplayFormat::playersLimit ||
            head.gameVersion.size() > ReplayFormat::nameLimit)
            return refuse(corrupted());
        head.date = QDateTime::fromMSecsSinceEpoch(date, Qt::UTC);
        for (int p = 0; p < players; ++p) {
            ReplayFormat::Seat seat;
            h >> seat.name >> seat.red >> seat.green >> seat.blue;
            if (h.status() != QDataStream::Ok || seat.name.size() > ReplayFormat::nameLimit)
                return refuse(corrupted());
            head.players.append(seat);
        }
        if (!h.atEnd())
            return refuse(corrupted());
    }

    int at = headerAt + int(headerSize);
    qint64 unpacked = 0;
    qint64 clock = std::numeric_limits<qint64>::min();
    bool first = true;
    while (at < data.size()) {
        if (hasEnd)
            return refuse(corrupted()); // nothing follows the end
        constexpr int chunkHeadSize = 13;
        if (data.size() - at < chunkHeadSize)
            return refuse(cutShort());
        const auto* p = reinterpret_cast<const uchar*>(data.constData()) + at;
        const quint8 kind = p[0];
        const qint64 time = qFromBigEndian<qint64>(p + 1);
        const quint32 size = qFromBigEndian<quint32>(p + 9);
        at += chunkHeadSize;
        if (size > ReplayFormat::chunkLimit)
            return refuse(tooLarge());
        if (qint64(size) > data.size() - at)
            return refuse(cutShort());
        Chunk chunk{at, int(size), time};
        at += int(size);

        switch (ReplayFormat::Chunk(kind)) {
        case ReplayFormat::Chunk::End: {
            QDataStream e(data.mid(chunk.offset, chunk.size));
            e >> end.winner >> end.over >> end.lengthMs >> end.turns;
            if (e.status() != QDataStream::Ok || !e.atEnd() || end.winner < -1 ||
                end.winner >= ReplayFormat::playersLimit || end.lengthMs < 0)
                return refuse(corrupted());
            hasEnd = true;
            continue;
        }
        case ReplayFormat::Chunk::Opening:
            if (!turnChunks.isEmpty())
                return refuse(corrupted());
            break;
        case ReplayFormat::Chunk::Turn:
            break;
        case ReplayFormat::Chunk::More:
            if (turnChunks.isEmpty() && openingChunks.isEmpty())
                return refuse(corrupted());
            break;
        default:
            return refuse(corrupted());
        }
        if (chunk.size < 4)
            return refuse(corrupted());
        unpacked += qFromBigEndian<quint32>(data.constData() + chunk.offset);
        if (unpacked > ReplayFormat::allRecordsLimit)
            return refuse(tooLarge());
        QVector<ReplayFormat::Record> records;
        QString why;
        if (!unpack(chunk, &records, &why))
            return refuse(why);
        for (const ReplayFormat::Record& r : records) {
            if (r.time < clock)
                return refuse(corrupted()); // the game clock never runs backwards
            clock = r.time;
        }
        if (first) {
            startTime = records.first().time;
            first = false;
        }
        finalTime = clock;

        if (ReplayFormat::Chunk(kind) == ReplayFormat::Chunk::Turn)
            turnChunks.append({chunk});
        else if (ReplayFormat::Chunk(kind) == ReplayFormat::Chunk::Opening || turnChunks.isEmpty())
            openingChunks.append(chunk);
        else
            turnChunks.last().append(chunk);
    }
    if (openingChunks.isEmpty())
        return refuse(turnChunks.isEmpty() ? cutShort() : corrupted());
    return true;
}

bool ReplayReader::unpack(const Chunk& chunk, QVector<ReplayFormat::Record>* records,
                          QString* why) const {
    const auto* packed = reinterpret_cast<const uchar*>(data.constData()) + chunk.offset;
    const quint32 size = qFromBigEndian<quint32>(packed);
    if (size > ReplayFormat::recordsLimit) {
        *why = tooLarge();
        return false;
    }
    if (size == 0) {
        *why = corrupted();
        return false;
    }
    // Unpacked into exactly the size the chunk claims, never more: a chunk that unpacks to more
    // or less, or does not end where its size says, is corrupted.
    QByteArray raw(int(size), Qt::Uninitialized);
    z_stream z{};
    if (inflateInit(&z) != Z_OK) {
        *why = corrupted();
        return false;
    }
    z.next_in = const_cast<Bytef*>(packed + 4);
    z.avail_in = uInt(chunk.size - 4);
    z.next_out = reinterpret_cast<Bytef*>(raw.data());
    z.avail_out = uInt(size);
    const int result = inflate(&z, Z_FINISH);
    const bool whole = result == Z_STREAM_END && z.total_out == size && z.avail_in == 0;
    inflateEnd(&z);
    if (!whole) {
        *why = corrupted();
        return false;
    }

    const auto* r = reinterpret_cast<const uchar*>(raw.constData());
    int at = 0;
    while (at < raw.size()) {
        if (raw.size() - at < 12) {
            *why = corrupted();
            return false;
        }
        const qint64 time = qFromBigEndian<qint64>(r + at);
        const quint32 length = qFromBigEndian<quint32>(r + at + 8);
        at += 12;
        if (length < 1 || length > quint32(ReplayFormat::frameLimit - 4) ||
            qint64(length) > raw.size() - at) {
            *why = corrupted();
            return false;
        }
        records->append({time, raw.mid(at, int(length))});
        at += int(length);
    }
    return true;
}

QVector<ReplayFormat::Record> ReplayReader::recordsOf(const QVector<Chunk>& chunks) const {
    QVector<ReplayFormat::Record> records;
    QString why;
    for (const Chunk& chunk : chunks)
        if (!unpack(chunk, &records, &why))
            return {}; // checked on reading: cannot fail
    return records;
}

QVector<ReplayFormat::Record> ReplayReader::opening() const {
    return recordsOf(openingChunks);
}

QVector<ReplayFormat::Record> ReplayReader::turn(int index) const {
    if (index < 0 || index >= turnChunks.size())
        return {};
    return recordsOf(turnChunks[index]);
}

qint64 ReplayReader::turnTime(int index) const {
    return index >= 0 && index < turnChunks.size() ? turnChunks[index].first().time : 0;
}
