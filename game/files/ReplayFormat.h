// A replay file: a game kept to be watched again. It holds what a machine watching the game was
// sent, as the network's own frames, each stamped with the game clock of the moment it was sent:
//
//   "TVREPLAY", the format version (4 bytes), the header's size (4 bytes) and the header: the
//   game's version, the date, the players with their names and colours;
//   then chunks, each a kind (1 byte), its game clock reading (8 bytes), its size (4 bytes) and
//   its records compressed as qCompress makes them (the records' size first, 4 bytes). A record
//   is its game clock reading (8 bytes) and one whole frame, its length first.
//
// The opening chunk lays the game (its settings and valley, the players' colours); each turn
// begins a chunk whose first record is the whole game at the turn's start, so that a watcher can
// skip to any turn; a long turn goes on in further chunks. The last chunk tells the end: the
// winner, whether the game was played to its end, its length and its turns. A file that stops at
// a chunk's end is a game that was never ended (the program stopped). Every number is
// big-endian, the header in QDataStream's Qt 5.15 format.
//
// A replay is data from other people: every size is capped before anything is allocated.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>
#include <QtGlobal>

struct ReplayFormat {
    static constexpr char magic[] = "TVREPLAY"; // the first 8 bytes
    static constexpr int magicSize = 8;
    // 1: the first. A change of the format writes a new version and keeps reading the old ones.
    static constexpr quint32 version = 1;
    static constexpr const char* suffix = ".tvreplay";

    enum class Chunk : quint8 { Opening = 1, Turn = 2, More = 3, End = 4 };

    static constexpr qint64 fileLimit = 64 * 1024 * 1024;          // bytes of a whole file
    static constexpr quint32 headerLimit = 16 * 1024;              // bytes of the header
    static constexpr quint32 chunkLimit = 4 * 1024 * 1024;         // bytes of one chunk, compressed
    static constexpr quint32 recordsLimit = 4 * 1024 * 1024;       // bytes of one chunk's records
    static constexpr qint64 allRecordsLimit = 512LL * 1024 * 1024; // of every chunk together
    static constexpr int chunkBytes = 1024 * 1024; // a writer begins a new chunk past this
    static constexpr int frameLimit = 64 * 1024;   // bytes of one frame, its length included
    static constexpr int playersLimit = 9;
    static constexpr int nameLimit = 64; // characters of a player's name

    struct Seat {
        QString name; // empty: none given
        float red = 0, green = 0, blue = 0;
    };
    struct Header {
        QString gameVersion; // "1.0.0"
        QDateTime date;      // when the game began, UTC
        QVector<Seat> players;
    };
    struct Ending {
        qint8 winner = -1;   // the player who won; -1 for a draw or a game not played to its end
        bool over = false;   // played to its end
        qint64 lengthMs = 0; // game clock from the first record to the end
        quint32 turns = 0;
    };
    // One record: the game clock when it was sent and its frame without the length (the type byte
    // and the fields, as FrameCodec::decode takes them).
    struct Record {
        qint64 time = 0;
        QByteArray body;
    };
};
