// The story of one game in figures, for the end screen and the headless host: for each player the
// hit points it took from the others, those the others took from it, those its own turns cost its
// own figures (its blasts, a figure driven off the valley), the figures it lost and its best
// shot (the most it took from the others in one throw, and the turn of it); and every player's
// hit points at the start of each turn and at the end, for the graph. The match feeds it at its
// own events, which a joined machine's match gives as well: what each player's figures lost
// between two events is put down to the player on turn, so the record needs no list of who was
// hurt. A new game clears it.
#pragma once

#include "engine/math/VORN_Color.h"

#include <vector>

class Match;

class GameStory {
public:
    struct Tally {
        int dealt = 0; // hit points taken from the other players' figures
        int taken = 0; // hit points the others took from its figures
        int own = 0;   // hit points its own turns cost its own figures
        int lost = 0;  // figures gone
        int bestShot = 0;
        int bestTurn = 0; // the turn of the best shot, from 1; 0 for none
    };

    // A new game of the match's players, each at the hit points it has.
    void begin(const Match& match);
    // A turn begins: what changed before is counted, then the players' hit points noted.
    void turnBegins(const Match& match);
    // What the players' figures lost since the last look, put down to the player on turn.
    void settle(const Match& match);
    // What the players' figures lost to nobody's throw (sudden death): figures lost are counted,
    // no player is credited.
    void nobodysDoing(const Match& match);
    // The game is over: the last changes counted and the hit points at the end noted.
    void end(const Match& match);

    const std::vector<Tally>& tallies() const { return tally; }
    // Each player's hit points at the start of every turn and then at the end, one row each.
    const std::vector<std::vector<int>>& strengths() const { return strength; }
    int turns() const { return turn; }
    int startStrength() const { return full; } // each player's hit points at the start
    // Each player's colour, kept when it is out.
    const std::vector<VORN_LIB::VORN_Color>& colours() const { return colour; }

private:
    void note(const Match& match);

    std::vector<Tally> tally;
    std::vector<VORN_LIB::VORN_Color> colour;
    std::vector<std::vector<int>> strength;
    std::vector<int> health;  // each player's hit points at the last look
    std::vector<int> figures; // and its figures
    int turn = 0;
    int actor = -1;    // the player on turn, whose doing every change is; -1 before the first
    int turnDealt = 0; // what the turn under way took from the others
    int full = 0;
    bool over = false;
};
