// The computer at the keyboard: the level chosen in the main menu, the players it plays, and
// their turns, played with the commands the keys give: rates at the speeds of held keys and the
// two steps of a throw. A turn: a moment to think, perhaps a short drive to a spot with a clear
// arc, fire mode, the aim turned, raised and powered, and the throw of the aim reached, once its
// predicted blast spares every own figure: at most 12 seconds after the countdown while the ticks
// come at their normal rate, later when slow ticks hold the aim back. Times are engine clock
// milliseconds, angles degrees.
#pragma once

#include "engine/scene/VORN_Clock.h"
#include "game/computer/ComputerLevel.h"
#include "game/computer/ComputerPlayer.h"
#include "game/computer/TurnView.h"
#include "game/rules/TurnCommand.h"

#include <array>
#include <optional>
#include <vector>

class ComputerOpponent {
public:
    // Whether the computer plays this player: as its seat chose, else every player from
    // firstPlayer on once a level is chosen; and every player it took over.
    bool playsFor(int player) const;
    // The level chosen for a player before the game: its seat's, else the main menu's from
    // firstPlayer on; Off for a person.
    ComputerLevel chosenFor(int player) const;

    // One tick of a computer turn in Moving or Aiming: what its keys do now. The rules apply it
    // before they move the world.
    TurnCommand act(const TurnView& view);

    // Forgets the turn under way, the throws it has seen and the players it took over: a new
    // game starts afresh.
    void reset();
    // Plays this player from now on too (one whose machine left a network game), at the chosen
    // level, or at mittel when none is chosen.
    void takeOver(int player);
    // Gives a player it took over back (its machine joined again); the chosen level's players stay.
    void giveBack(int player);

    // Arc searches per tick while it plans (ComputerPlayer::Search::advance): a few milliseconds
    // of the tick even with 81 figures and no clear arc (bench/GameBench: BM_ComputerPlan).
    static constexpr int searchBudget = 16;
    // And no search begun later in the tick than this. The time makes when a plan is ready depend
    // on the machine's speed; the duel tool, which measures play and not time, sets no limit, so
    // that its games come out the same for the same seeds.
    double searchMs = 4;

    ComputerLevel level = ComputerLevel::Off;
    // The seats' own choices, by player: none where the seat was left as the main menu has it,
    // Off for a person, else the computer at that level. Kept from game to game until set again.
    std::array<std::optional<ComputerLevel>, 9> seatLevels{}; // a game's players at most
    // The first player the computer plays; spieler 0 stays at the keyboard. Only the duel tool,
    // which lets computers play each other, sets 0.
    int firstPlayer = 1;

private:
    enum class Phase {
        Think,   // a moment before anything happens
        Turn,    // turning the figure towards the spot it drives to
        Drive,   // driving there
        Settle,  // a moment before fire mode
        TakeOut, // fire mode asked for: the plan waits for the grenade's place
        Aim,     // turning, raising and powering the aim
        Hold,    // a moment before the throw
        Done     // thrown
    };

    // The level it plays a player at: mittel for a taken-over seat chosen for a person.
    ComputerLevel playingLevel(int player) const;
    void think(const TurnView& view);
    TurnCommand enterFireMode();
    void plan(const TurnView& view);
    TurnCommand aim(const TurnView& view);
    TurnCommand release(const TurnView& view); // the throw, if the aim set spares its own

    Phase phase = Phase::Done;
    VORN_LIB::VORN_Clock::Ticks turnStarted = 0; // the start of the turn it plays
    VORN_LIB::VORN_Clock::Ticks phaseEnds = 0;   // clock reading
    VORN_LIB::VORN_Vector driveFrom;
    VORN_LIB::VORN_Vector driveTo;
    double heading = 0; // the figure's rotation about y that faces driveTo
    ComputerPlayer::Throw planned;
    ComputerPlayer planner{ComputerLevel::Off}; // this turn's level; the search points to it
    ComputerPlayer::Search search; // the plan under way, advanced a bounded amount per tick
    bool searching = false;
    bool replanned = false; // the aim planned afresh this turn, its throw having looked unsafe

    // Throws from one place at a figure at another: the explosions the computer has seen there.
    struct Aimed {
        VORN_LIB::VORN_Vector from;
        VORN_LIB::VORN_Vector at;
        int throws = 0;
    };
    // How many throws it has already made from launch at the figure at target; counts this one.
    int throwsSeen(const VORN_LIB::VORN_Vector& launch, const VORN_LIB::VORN_Vector& target);
    std::vector<Aimed> seen; // the latest first, at most a few dozen
    std::vector<int> takenOver;
};
