// Keeps every game of a match as a replay file: one file a game in its folder, written as the
// game goes (see ReplayFormat). It records what a machine watching the game would be sent, made
// by the same code as the network host's messages (MatchMessages): at the game's start its
// settings, valley and players, at each turn's start the whole game, and between them the state
// of every tick, the log, the craters and blasts. The newest `kept` files of the folder stay,
// older ones go. A folder that cannot be made or written, or a full disk, is told once on
// standard error (and by failed()) and the game plays on unrecorded.
//
// Whoever plays the match's ticks calls tick() after them: the window, the network host's
// window, the headless host. Times are engine clock milliseconds; the file's are the game clock.
#pragma once

#include "engine/scene/VORN_Clock.h"
#include "game/files/ReplayWriter.h"
#include "game/network/NetworkMessage.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class Bitmap;
class Match;

class ReplayRecorder : public QObject {
    Q_OBJECT

public:
    // Records the games of match into folder (made when missing).
    ReplayRecorder(Match& match, const QString& folder, QObject* parent = nullptr);
    ~ReplayRecorder() override; // a game under way is written as left before its end

    // $XDG_DATA_HOME/tortoise-valley/replays, or ~/.local/share/tortoise-valley/replays when
    // XDG_DATA_HOME is not set.
    static QString defaultFolder();
    static constexpr int kept = 50;    // files of the folder kept, the newest
    static constexpr int endMs = 1500; // recorded of the end, after the game is over
    // A state every this many ms of the game clock at most, and at every change of the phase, the
    // player on turn or the grenade's being out: the watching match draws between them.
    static constexpr int stateMs = 50;

    // After the match's ticks at engine clock reading now: the state it shows.
    void tick(VORN_LIB::VORN_Clock::Ticks now);

    // Whether a game that starts is recorded: a joined machine's copy of its host's game is not
    // (it is the host's to keep).
    bool enabled = true;
    // The players' names for the file's header (empty: none given); none set: no names.
    std::function<QString(int player)> nameOf;
    // The texture of a picture valley, recorded with its heights. Not owned.
    const Bitmap* valleyTexture = nullptr;

    bool recording() const { return writer != nullptr; }
    const QString& folder() const { return where; }
    QString lastFile() const { return last; } // the file of the game under way or the last one
    bool failed() const { return told; }

signals:
    void written(const QString& path);    // a game's file is whole
    void failure(const QString& message); // told once

private:
    void begin();
    void add(const Network::Message& message, VORN_LIB::VORN_Clock::Ticks at);
    void turnBegins();
    void finish(bool over);
    void prune();
    void fail(const QString& message);

    Match& match;
    QString where;
    QString last;
    std::unique_ptr<ReplayWriter> writer;
    VORN_LIB::VORN_Clock::Ticks startedAt = 0;
    VORN_LIB::VORN_Clock::Ticks lastAt = 0;  // the newest record's game clock
    VORN_LIB::VORN_Clock::Ticks overAt = 0;  // when the game ended; 0 while it runs
    VORN_LIB::VORN_Clock::Ticks stateAt = 0; // the last state's game clock
    Network::State lastState;
    QByteArray lastArms; // as encoded: sent again only when it changed
    int winner = -1;
    quint32 turns = 0;
    bool logPending = false;
    bool told = false;
};
