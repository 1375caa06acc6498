// The keys of a turn, one row each: the key, the mode it works in (driving or fire mode), what it
// does, and the line of the key help it is shown on. The key handler and the F1 help both read
// the rows, so a key bound here is bound and shown at once.
#pragma once

#include "game/rules/GameState.h"
#include "game/rules/TurnCommand.h"

#include <QList>
#include <QString>
#include <array>

class TurnKeys {
public:
    enum class Mode { Driving, Aiming };
    enum class Does {
        Turn,   // the figure's or the aim's yaw, by sign
        Drive,  // forward and back, or the power in fire mode
        Raise,  // up and down, or the aim's pitch
        Step,   // fire mode while driving, the throw in fire mode
        Weapon, // the weapons' own keys (a row for the help: the keys are the weapons')
    };
    struct Row {
        int key; // Qt::Key, 0 for the weapon keys
        Mode mode;
        Does does;
        int sign;             // +1 or -1 for a rate, 0 otherwise
        const char* helpKey;  // the key help's line this row begins, or null: it is on the line
        const char* helpText; // before it (both translated in the context "Game")
    };
    static const std::array<Row, 15> rows;

    // The command a key pressed in the state gives, from the rates already held; of two opposite
    // keys the first one pressed wins. A key of no row gives the rates unchanged.
    static TurnCommand pressed(TurnCommand held, int key, GameState state);
    // Lets go of the rate a released key held; false for a key that holds none.
    static bool released(int key, TurnCommand& held);

    struct HelpLine {
        QString key, action;
    };
    // The key help's lines of a turn, driving or in fire mode, the weapons' line in a game with
    // every weapon.
    static QList<HelpLine> help(Mode mode, bool everyWeapon);
};
