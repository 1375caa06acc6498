// Every game kept as a replay file. Times in the file are the game clock, milliseconds.
#include "game/hosting/ReplayRecorder.h"

#include "game/hosting/MatchMessages.h"
#include "game/hosting/MatchSnapshot.h"
#include "game/match/Match.h"
#include "game/network/FrameCodec.h"
#include "game/world/Player.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

using namespace VORN_LIB;

ReplayRecorder::ReplayRecorder(Match& match, const QString& folder, QObject* parent)
    : QObject(parent), match(match), where(folder) {
    connect(&match, &Match::gameStarted, this, [this] { begin(); });
    connect(&match, &Match::turnStarted, this, [this] { turnBegins(); });
    connect(&match, &Match::logChanged, this, [this] { logPending = true; });
    connect(&match, &Match::exploded, this, [this](const VORN_Vector& point) {
        if (logPending)
            add(MatchMessages::log(this->match), this->match.clockNow());
        logPending = false;
        for (const Network::Message& m : MatchMessages::crater(this->match, point))
            add(m, this->match.clockNow());
    });
    connect(&match, &Match::gameOver, this, [this](bool won) {
        if (!writer)
            return;
        overAt = std::max<VORN_Clock::Ticks>(this->match.clockNow(), 1);
        winner =
            won && !this->match.alivePlayers().isEmpty() ? this->match.alivePlayers().first() : -1;
    });
}

ReplayRecorder::~ReplayRecorder() {
    if (writer)
        finish(false);
}

// Qt's generic data folder is $XDG_DATA_HOME, or ~/.local/share; in a test, its own.
QString ReplayRecorder::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           "/tortoise-valley/replays";
}

void ReplayRecorder::begin() {
    if (writer)
        finish(false); // a new game before the last was over
    if (where.isEmpty() || !enabled)
        return;
    if (!QDir().mkpath(where)) {
        fail(QCoreApplication::translate("Game", "%1: wiederholung nicht geschrieben (%2)")
                 .arg(where, QCoreApplication::translate("Game", "ordner nicht anlegbar")));
        return;
    }
    ReplayFormat::Header header;
    header.gameVersion = Network::gameVersion();
    header.date = QDateTime::currentDateTimeUtc();
    for (unsigned p = 0; p < match.playerCount(); ++p) {
        const Player* player = match.players()[p].get();
        ReplayFormat::Seat seat;
        seat.name = nameOf ? nameOf(int(p)) : QString();
        if (player) {
            seat.red = float(player->color[0]);
            seat.green = float(player->color[1]);
            seat.blue = float(player->color[2]);
        }
        header.players.append(seat);
    }
    const QString stem = where + "/" + header.date.toString("yyyy-MM-dd_HH-mm-ss");
    QString path = stem + ReplayFormat::suffix;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QString("_%1").arg(n) + ReplayFormat::suffix;

    writer = std::make_unique<ReplayWriter>();
    if (!writer->open(path, header)) {
        fail(writer->error());
        writer.reset();
        return;
    }
    last = path;
    startedAt = lastAt = match.clockNow();
    overAt = 0;
    winner = -1;
    turns = 0;
    stateAt = 0;
    lastArms.clear();
    logPending = false;
    writer->begin(ReplayFormat::Chunk::Opening, startedAt);
    for (const Network::Message& m : MatchMessages::valley(match, valleyTexture))
        add(m, startedAt);
    add(MatchMessages::start(match), startedAt);
    add(MatchMessages::log(match), startedAt);
}

void ReplayRecorder::turnBegins() {
    if (!writer || overAt != 0)
        return;
    const VORN_Clock::Ticks now = std::max(match.clockNow(), lastAt);
    writer->begin(ReplayFormat::Chunk::Turn, now);
    ++turns;
    add(MatchSnapshot::of(match, now), now);
    lastArms.clear(); // a turn skipped to learns them anew
    stateAt = 0;
}

void ReplayRecorder::tick(VORN_Clock::Ticks now) {
    if (!writer)
        return;
    if (match.playerCount() == 0 || match.state() == NoGame) {
        finish(false); // the game was left
        return;
    }
    if (match.paused())
        return; // the game clock stands: nothing to record until it goes on
    const VORN_Clock::Ticks at = now + match.clockAhead();
    if (logPending) {
        add(MatchMessages::log(match), at);
        logPending = false;
    }
    const Network::State state = MatchMessages::state(match, at);
    if (stateAt == 0 || at - stateAt >= stateMs || state.state != lastState.state ||
        state.currentPlayer != lastState.currentPlayer ||
        state.grenadeShown != lastState.grenadeShown) {
        add(state, at);
        stateAt = at;
        lastState = state;
    }
    if (MatchMessages::hasArms(match)) {
        const QByteArray arms = FrameCodec::encode(MatchMessages::arms(match));
        if (arms != lastArms) {
            add(MatchMessages::arms(match), at);
            lastArms = arms;
        }
    }
    if (overAt != 0 && at - overAt >= endMs) {
        add(MatchSnapshot::of(match, at), at);
        finish(true);
    }
}

void ReplayRecorder::add(const Network::Message& message, VORN_Clock::Ticks at) {
    if (!writer)
        return;
    lastAt = std::max(lastAt, at); // the file's clock never runs back
    writer->add(lastAt, FrameCodec::encode(message));
    if (writer->failed()) {
        fail(writer->error());
        writer.reset();
    }
}

void ReplayRecorder::finish(bool over) {
    ReplayFormat::Ending ending;
    ending.over = over;
    ending.winner = qint8(over ? winner : -1);
    ending.lengthMs = lastAt - startedAt;
    ending.turns = turns;
    const bool whole = writer->finish(ending);
    const QString error = writer->error();
    writer.reset();
    if (!whole) {
        fail(error);
        return;
    }
    prune();
    emit written(last);
}

// The newest files stay; a file that is not a replay is never touched.
void ReplayRecorder::prune() {
    const QFileInfoList files =
        QDir(where).entryInfoList({QString("*") + ReplayFormat::suffix}, QDir::Files, QDir::Time);
    for (int i = kept; i < files.size(); ++i)
        QFile::remove(files[i].filePath());
}

void ReplayRecorder::fail(const QString& message) {
    if (told)
        return;
    told = true;
    std::fprintf(stderr, "%s\n", qPrintable(message));
    emit failure(message);
}
