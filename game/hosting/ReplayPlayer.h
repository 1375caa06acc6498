// Plays a replay file the way a joined machine plays its host's stream: the file's records go to
// a JoinedMatch as they come due on the replay's own clock, which runs with the engine clock at
// the chosen speed (x1/4 … x4) and stands while paused. The replay's clock is the recorded game's
// clock, so the JoinedMatch sees the states arrive as far apart as they were played. Skipping to
// a turn starts it from the whole game recorded at its start. Times are engine clock
// milliseconds; the replay's clock is the recorded game's.
#pragma once

#include "engine/scene/VORN_Clock.h"
#include "game/files/ReplayReader.h"

#include <QObject>
#include <QString>
#include <QVector>

class JoinedMatch;

class ReplayPlayer : public QObject {
    Q_OBJECT

public:
    using Ticks = VORN_LIB::VORN_Clock::Ticks;

    // Plays what reader read (it must stay while this plays) into joined.
    ReplayPlayer(JoinedMatch& joined, const ReplayReader& reader, QObject* parent = nullptr);

    // Lays the game and starts its first turn at engine clock reading now.
    void start(Ticks now);
    // The records due up to engine clock reading now, then the picture of the moment.
    void advance(Ticks now);

    void pause(bool on);
    bool paused() const { return isPaused; }
    // x1/4, x1/2, x1, x2, x4: one step faster or slower, never beyond.
    void faster();
    void slower();
    double speed() const;
    // The turn under way (0 the first) and skipping: the next one, the one before (or the start of
    // this one when it has run for a while).
    int turn() const { return onTurn; }
    int turns() const { return reader.turns(); }
    void toTurn(int index);
    void nextTurn() { toTurn(onTurn + 1); }
    void previousTurn();
    // Whether every record was played.
    bool atEnd() const;
    Ticks clock() const { return replayClock; } // the recorded game's clock shown now
    // A record whose frame could not be read, "<reason>"; empty while all could.
    const QString& error() const { return failure; }

    static constexpr int slowest = -2, fastest = 2; // speed is 2 to the power of the step
    static constexpr Ticks restartMs = 2000; // into a turn past this, previous starts it again

signals:
    void turnChanged(int turn);

private:
    void feed(const ReplayFormat::Record& record);
    void load(int index);

    JoinedMatch& joined;
    const ReplayReader& reader;
    QVector<ReplayFormat::Record> records; // of the turn under way
    int next = 0;                          // the next record of it to play
    int onTurn = -1;
    Ticks replayClock = 0;
    Ticks lastNow = 0;
    double carry = 0; // what a slow speed left of a millisecond
    int step = 0;
    bool isPaused = false;
    QString failure;
};
