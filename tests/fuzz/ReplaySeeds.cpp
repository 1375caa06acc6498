// Writes the replay fuzzer's seeds into a folder: small replay files as a game makes them, the
// network's own frames in them, one played to its end and one left
// before it.
#include "game/files/ReplayWriter.h"
#include "game/network/FrameCodec.h"

#include <QDir>
#include <cstdio>

namespace {
bool write(const QString& path, bool ended) {
    ReplayFormat::Header header;
    header.gameVersion = "1.0.0";
    header.date = QDateTime::fromMSecsSinceEpoch(1796990400000, Qt::UTC);
    header.players = {{"anna", 1, 0, 0}, {"bert", 0, 0, 1}};
    ReplayWriter w;
    if (!w.open(path, header))
        return false;
    w.begin(ReplayFormat::Chunk::Opening, 1000);
    w.add(1000, FrameCodec::encode(Network::Valley{}));
    w.add(1000, FrameCodec::encode(Network::Start{{1, 0, 0, 0, 0, 1}, 1}));
    for (int turn = 0; turn < 2; ++turn) {
        const qint64 at = 1025 + turn * 1000;
        Network::Snapshot snapshot;
        snapshot.state = Countdown;
        snapshot.currentPlayer = qint8(turn);
        snapshot.figures = {{0, 0, 1, 2, 3, 0, 100}, {1, 0, -1, 2, -3, 90, 100}};
        w.begin(ReplayFormat::Chunk::Turn, at);
        w.add(at, FrameCodec::encode(snapshot));
        for (int tick = 0; tick < 4; ++tick) {
            Network::State state;
            state.time = at + tick * 25;
            state.state = Moving;
            state.currentPlayer = qint8(turn);
            state.figures = snapshot.figures;
            w.add(state.time, FrameCodec::encode(state));
        }
        w.add(at + 100, FrameCodec::encode(Network::Log{{{1, qint8(turn), QString()}}}));
    }
    // A game left before its end tells no winner.
    return w.finish(ended ? ReplayFormat::Ending{1, true, 2100, 2} : ReplayFormat::Ending{});
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: replay_seeds <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    return write(folder + "/ended.tvreplay", true) && write(folder + "/left.tvreplay", false) ? 0
                                                                                              : 1;
}
