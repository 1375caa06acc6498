// The computer at the keyboard: the level chosen in the main menu, the players it plays, and
// their turns, played through what the keys act through: the rate fields and the two steps of a
// throw (prepareThrow, fire), from the tick. A turn: a moment to think, perhaps a short drive to
// a spot with a clear arc, fire mode, the aim turned, raised and powered at the rates held keys
// give, and the throw, at most 12 seconds after the countdown. Times are engine clock
// milliseconds, angles degrees.
#pragma once

#include "engine/scene/VORN_Clock.h"
#include "game/computer/ComputerLevel.h"
#include "game/computer/ComputerPlayer.h"

#include <vector>

class Game;

class ComputerOpponent {
public:
    // Whether the computer plays this player: every player from firstPlayer on once a level is
    // chosen.
    bool playsFor(int player) const;

    // One tick of a computer turn in Moving or Aiming, run by the rules before the rates are
    // applied; now is the tick's clock reading.
    void act(Game& game, VORN_LIB::VORN_Clock::Ticks now);

    // What the computer sees of the game now: its own figures (the one on turn first), the
    // others, the lamps, and the valley's heights. Figures still falling count where they land.
    static ComputerPlayer::Field fieldOf(const Game& game);

    ComputerLevel level = ComputerLevel::Off;
    // The first player the computer plays; spieler 0 stays at the keyboard. Only the duel tool,
    // which lets computers play each other, sets 0.
    int firstPlayer = 1;

private:
    enum class Phase {
        Think,  // a moment before anything happens
        Turn,   // turning the figure towards the spot it drives to
        Drive,  // driving there
        Settle, // a moment before fire mode
        Aim,    // turning, raising and powering the aim
        Hold,   // a moment before the throw
        Done    // thrown
    };

    void think(Game& game, VORN_LIB::VORN_Clock::Ticks now);
    void enterFireMode(Game& game, VORN_LIB::VORN_Clock::Ticks now);
    void aim(Game& game, VORN_LIB::VORN_Clock::Ticks now, double dt);

    Phase phase = Phase::Done;
    VORN_LIB::VORN_Clock::Ticks turnStarted = 0; // the start of the Moving phase it plays
    VORN_LIB::VORN_Clock::Ticks phaseEnds = 0;
    VORN_LIB::VORN_Vector driveFrom;
    VORN_LIB::VORN_Vector driveTo;
    double heading = 0; // the figure's rotation about y that faces driveTo
    ComputerPlayer::Throw planned;

    // Throws from one place at a figure at another: the explosions the computer has seen there.
    struct Aimed {
        VORN_LIB::VORN_Vector from;
        VORN_LIB::VORN_Vector at;
        int throws = 0;
    };
    // How many throws it has already made from launch at the figure at target; counts this one.
    int throwsSeen(const VORN_LIB::VORN_Vector& launch, const VORN_LIB::VORN_Vector& target);
    std::vector<Aimed> seen; // the latest first, at most a few dozen
};
