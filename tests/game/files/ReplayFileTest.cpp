// The replay file: what is written is read back whole, turn by turn, and a file that is cut
// short, corrupted, hostile or of another version is refused with its one message.
#include "game/files/ReplayReader.h"
#include "game/files/ReplayWriter.h"

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Chunk = ReplayFormat::Chunk;

// A frame as the network makes it: its length, then a type byte and the fields.
QByteArray frame(quint8 type, const QByteArray& fields) {
    QByteArray f(4, 0);
    qToBigEndian<quint32>(quint32(fields.size() + 1), f.data());
    return f + char(type) + fields;
}

ReplayFormat::Header header() {
    ReplayFormat::Header h;
    h.gameVersion = "1.0.0";
    h.date = QDateTime(QDate(2026, 12, 11), QTime(11, 30), Qt::UTC);
    h.players = {{"anna", 1, 0, 0}, {QString(), 0, 1, 0.5f}};
    return h;
}

// Two turns, the second long enough to go on in more chunks.
QByteArray written(const QString& path) {
    ReplayWriter w;
    EXPECT_TRUE(w.open(path, header()));
    w.begin(Chunk::Opening, 1000);
    w.add(1000, frame(36, "valley"));
    w.begin(Chunk::Turn, 1025);
    w.add(1025, frame(13, "whole game"));
    w.add(1050, frame(5, "state"));
    w.begin(Chunk::Turn, 2000);
    for (int i = 0; i < 3000; ++i)
        w.add(2000 + 25 * i, frame(5, QByteArray::number(i).repeated(200)));
    EXPECT_TRUE(w.finish({1, true, 76000, 2}));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// A chunk made by hand: its records' size as it claims it, and its compressed bytes.
QByteArray chunk(Chunk kind, const QByteArray& packed) {
    QByteArray c;
    QDataStream out(&c, QIODevice::WriteOnly);
    out << quint8(kind) << qint64(0) << quint32(packed.size());
    return c + packed;
}
QByteArray record(qint64 time, const QByteArray& f) {
    QByteArray r(8, 0);
    qToBigEndian<qint64>(time, r.data());
    return r + f;
}

} // namespace

TEST(ReplayFile, WhatIsWrittenIsReadBackTurnByTurnWithItsHeaderAndEnd) {
    QTemporaryDir dir;
    const QString path = dir.filePath("game.tvreplay");
    const QByteArray bytes = written(path);

    ReplayReader r;
    ASSERT_TRUE(r.open(path)) << r.error().toStdString();
    EXPECT_TRUE(r.error().isEmpty());
    EXPECT_EQ(r.header().gameVersion, "1.0.0");
    EXPECT_EQ(r.header().date, header().date);
    ASSERT_EQ(r.header().players.size(), 2);
    EXPECT_EQ(r.header().players[0].name, "anna");
    EXPECT_EQ(r.header().players[1].name, "");
    EXPECT_FLOAT_EQ(r.header().players[1].blue, 0.5f);
    ASSERT_TRUE(r.ended());
    EXPECT_EQ(r.ending().winner, 1);
    EXPECT_TRUE(r.ending().over);
    EXPECT_EQ(r.ending().lengthMs, 76000);

    ASSERT_EQ(r.opening().size(), 1);
    EXPECT_EQ(r.opening()[0].body, QByteArray("\x24valley"));
    ASSERT_EQ(r.turns(), 2);
    EXPECT_EQ(r.turnTime(1), 2000);
    const auto first = r.turn(0);
    ASSERT_EQ(first.size(), 2);
    EXPECT_EQ(first[0].time, 1025);
    EXPECT_EQ(first[0].body, QByteArray("\x0dwhole game"));
    EXPECT_EQ(first[1].body, QByteArray("\x05state"));
    // The long turn spans chunks and comes back whole and in order.
    const auto second = r.turn(1);
    ASSERT_EQ(second.size(), 3000);
    EXPECT_EQ(second[2999].time, 2000 + 25 * 2999);
    EXPECT_EQ(second[1234].body, "\x05" + QByteArray::number(1234).repeated(200));
    EXPECT_EQ(r.firstTime(), 1000);
    EXPECT_EQ(r.lastTime(), 2000 + 25 * 2999);
    EXPECT_TRUE(r.turn(2).isEmpty());
    EXPECT_LT(bytes.size(), 3000 * 600 / 10); // compressed

    // The program stopped between chunks: the turns are there, the end is not.
    const int endSize = 13 + 1 + 1 + 8 + 4;
    ASSERT_TRUE(r.read(bytes.left(bytes.size() - endSize)));
    EXPECT_FALSE(r.ended());
    EXPECT_EQ(r.turns(), 2);
}

TEST(ReplayFile, ACutCorruptedHostileOrUnknownFileIsRefusedWithItsMessage) {
    QTemporaryDir dir;
    const QByteArray good = written(dir.filePath("good.tvreplay"));
    const int headerSize = int(qFromBigEndian<quint32>(good.constData() + 12));
    const int chunksAt = 16 + headerSize;
    const QByteArray start = good.left(chunksAt);
    const QByteArray opening =
        good.mid(chunksAt, 13 + qFromBigEndian<quint32>(good.constData() + chunksAt + 9));
    const auto changed = [&](int at, const QByteArray& bytes) {
        QByteArray b = good;
        b.replace(at, bytes.size(), bytes);
        return b;
    };
    QByteArray big(4, 0);
    qToBigEndian<quint32>(0xFFFFFFF0u, big.data());
    QByteArray claimsMore = qCompress(record(0, frame(5, "x")));
    qToBigEndian<quint32>(ReplayFormat::recordsLimit + 1, claimsMore.data());
    QByteArray liesSmall = qCompress(record(0, frame(5, "xxxxxxxx")));
    qToBigEndian<quint32>(4, liesSmall.data());
    QByteArray flipped = good;
    flipped[chunksAt + 13 + 10] = char(flipped[chunksAt + 13 + 10] ^ 0x55);
    QByteArray badFrame = record(0, frame(5, "x"));
    qToBigEndian<quint32>(0x7FFFFFFFu, badFrame.data() + 8);

    const struct {
        const char* what;
        QByteArray bytes;
        const char* message;
    } files[] = {
        {"empty", QByteArray(), "keine wiederholung"},
        {"a picture", QByteArray("BM\x36\x00\x00\x00 not a replay at all"), "keine wiederholung"},
        {"cut in the magic", good.left(5), "wiederholung unvollstaendig"},
        {"cut in the version", good.left(10), "wiederholung unvollstaendig"},
        {"a later version", changed(8, QByteArray("\0\0\0\x07", 4)),
         "wiederholung der version 7 wird nicht unterstuetzt"},
        {"cut in the header", good.left(20), "wiederholung unvollstaendig"},
        {"a huge header", changed(12, big), "wiederholung beschaedigt"},
        {"absurd players", changed(16 + 14 + 8, "\xff"), "wiederholung beschaedigt"},
        {"no chunk", start, "wiederholung unvollstaendig"},
        {"cut in a chunk's head", start + opening.left(7), "wiederholung unvollstaendig"},
        {"cut in a chunk", good.left(good.size() - 40), "wiederholung unvollstaendig"},
        {"a huge chunk", changed(chunksAt + 9, big), "wiederholung zu gross"},
        {"huge records claimed", start + chunk(Chunk::Opening, claimsMore),
         "wiederholung zu gross"},
        {"fewer records than unpacked", start + chunk(Chunk::Opening, liesSmall),
         "wiederholung beschaedigt"},
        {"a corrupted chunk", flipped, "wiederholung beschaedigt"},
        {"a huge frame", start + chunk(Chunk::Opening, qCompress(badFrame)),
         "wiederholung beschaedigt"},
        {"an unknown chunk", changed(chunksAt, "\x09"), "wiederholung beschaedigt"},
        {"the clock running back",
         start +
             chunk(Chunk::Opening, qCompress(record(5, frame(5, "a")) + record(4, frame(5, "b")))),
         "wiederholung beschaedigt"},
        {"more after the end", good + opening, "wiederholung beschaedigt"},
    };
    for (const auto& f : files) {
        ReplayReader r;
        EXPECT_FALSE(r.read(f.bytes, "x.tvreplay")) << f.what;
        EXPECT_EQ(r.error().toStdString(), std::string("x.tvreplay: ") + f.message) << f.what;
        EXPECT_EQ(r.turns(), 0) << f.what;
    }

    ReplayReader r;
    EXPECT_FALSE(r.open(dir.filePath("none.tvreplay")));
    EXPECT_EQ(r.error(), dir.filePath("none.tvreplay") + ": datei nicht lesbar");
}

TEST(ReplayFile, AFolderThatCannotBeWrittenIsToldAndNothingElseFails) {
    ReplayWriter w;
    EXPECT_FALSE(w.open("/proc/no-such-folder/game.tvreplay", header()));
    EXPECT_TRUE(w.failed());
    EXPECT_TRUE(w.error().startsWith("/proc/no-such-folder/game.tvreplay: wiederholung nicht "
                                     "geschrieben ("));
    w.begin(Chunk::Turn, 0);
    w.add(0, frame(5, "state"));
    EXPECT_FALSE(w.finish({}));
}
