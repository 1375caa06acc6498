// A first training: one tortoise of the player's own on the standard valley in a light wind, and
// three targets at fixed spots, each taken out by any hit. The targets' player never gets a turn.
// The training follows the match and tells which hint is due, one step at a time: drive, fire
// mode, aim, strength, wind, throw, then how many targets are left between throws. It ends when
// the three are out, with the time taken on the game clock, or when the own tortoise is lost. It
// never counts as a game: whoever starts it keeps no replay and no last game of it.
#pragma once

#include "engine/scene/VORN_Clock.h"

#include <QObject>

class Match;

class Training : public QObject {
    Q_OBJECT

public:
    enum class Hint { Drive, FireMode, Aim, Strength, Wind, Throw, TargetsLeft, Done, Lost };

    static constexpr int own = 0;     // the player's own tortoise's player
    static constexpr int targets = 1; // the targets' player
    static constexpr int targetCount = 3;
    static constexpr double driveFar = 1;    // world units driven before the next hint
    static constexpr double windSeconds = 3; // the wind's hint shows this long

    // Follows the match from now on; start() sets a training up on it.
    explicit Training(Match& followed);

    // A new training on the standard valley (laid by the caller): the own tortoise and the three
    // targets placed, the first turn's countdown begun, the hints from the first one.
    void start();
    bool running() const { return running_; }

    Hint hint() const { return hint_; }
    int targetsLeft() const;
    // The time taken, in whole seconds of the game clock from the first turn's start to the
    // third hit; 0 before the end.
    int secondsTaken() const { return secondsTaken_; }

signals:
    void hintChanged(Training::Hint hint);

private:
    void follow(); // each tick of a phase: the step the player is at
    void stepTo(Hint next);
    void ended(bool won);

    Match& match;
    bool running_ = false;
    Hint hint_ = Hint::Drive;
    VORN_LIB::VORN_Clock::Ticks startedAt = 0;
    VORN_LIB::VORN_Clock::Ticks windShownAt = 0;
    double startX = 0, startZ = 0;       // where the own tortoise stood at the start
    double aimYawAt = 0, aimPowerAt = 0; // the aim as fire mode opened
    int secondsTaken_ = 0;
};
