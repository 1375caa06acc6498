// One seat of a game started at this machine, as the seats screen sets it before the game: who
// plays it and how it is shown. A seat left as it is plays as it always did: "spieler N", a drawn
// colour, and a person or the computer as the main menu's level has it (the computer from
// spieler 1 on).
#pragma once

#include "game/computer/ComputerLevel.h"

#include <QString>
#include <optional>

struct Seat {
    static constexpr int most = 9; // a game's players at most, each with a seat

    QString name; // empty: "spieler N"; else 1 to Roster::nameLimit characters
    // None: as the main menu's computer level has it; Off: a person at the keyboard; another
    // level: the computer at that level.
    std::optional<ComputerLevel> level;
    int colour = -1; // one of TeamColours::palette(), or -1: drawn as ever

    bool leftAsItIs() const { return name.isEmpty() && !level && colour < 0; }
    bool operator==(const Seat& o) const {
        return name == o.name && level == o.level && colour == o.colour;
    }
    bool operator!=(const Seat& o) const { return !(*this == o); }
};
