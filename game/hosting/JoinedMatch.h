// A joined machine's copy of the host's match. It never simulates: it applies what the host sends
// (the new game, the whole game on joining, the states played back by its StateBuffer, the log,
// the craters and blasts, the turn's wind and weapons, the valley and its heights) to a Match, and
// tells what changed through the match's own signals (turn started, play started, thrown,
// exploded, figure lost, player out, game over, the turn clock), so whoever draws the match
// follows one stream of events whether it plays, hosts or joined. What only a joined machine needs
// besides comes through the signals below. Times are engine clock milliseconds.
#pragma once

#include "engine/scene/VORN_Clock.h"
#include "game/match/Match.h"
#include "game/network/NetworkMessage.h"
#include "game/network/StateBuffer.h"

#include <QObject>
#include <functional>
#include <vector>

class Tortoise;
class ValleyService;

class JoinedMatch : public QObject {
    Q_OBJECT

public:
    JoinedMatch(Match& match, ValleyService& valleys, QObject* parent = nullptr);

    // A message of the host, arrived at engine clock reading now; false for one that is not about
    // the match (names, chat).
    bool take(const Network::Message& message, VORN_LIB::VORN_Clock::Ticks now);
    // The picture the states give for engine clock reading now, applied to the match.
    void show(VORN_LIB::VORN_Clock::Ticks now);
    // Forgets the host's states: the game is left.
    void clear() { states.clear(); }
    const StateBuffer& shownStates() const { return states; }
    const Bitmap& hostPictureTexture() const { return hostTexture; } // as far as it came

    // What the figures of a player lost, and who left the game, when placing the host's figures.
    struct Placed {
        QVector<Match::Damage> hurt;
        std::vector<int> lost; // a player for each figure gone
        std::vector<int> out;  // players with none left
    };
    // The one placing of the host's figures on a match: each where the host has it, turned its
    // way and with its health; a figure the host has no more is gone here too (removing is told
    // first, so a camera can let go of it), and a player with none left is out. Then the turn: the
    // player on turn and its figure at slot (none when either is not there).
    static Placed placeFigures(Match& match, const QVector<Network::Figure>& figures, int player,
                               int slot, const std::function<void(const Tortoise*)>& removing = {});
    // Turns and moves a figure to where the host has it (its health is left as it is).
    static void place(Tortoise& figure, const Network::Figure& at);

    // Makes the drawing context current before the match changes what is drawn (figures gone, a
    // new game, a new valley); set by whoever draws the match.
    std::function<void()> drawingCurrent;

signals:
    void heightsWanted();  // the ground differs from the host's: ask for its heights
    void replacing();      // a whole game from the host is about to replace this one
    void replaced();       // it did: the valley's lists are to be recorded again
    void groundReplaced(); // the host's heights came whole: the lists are to be recorded again
    void removing(const Tortoise* figure);    // a figure is about to go
    void hurt(QVector<Match::Damage> damage); // hit points the host's figures lost, shown here
    void gameLeft();                          // the host left its game: back to the menu
    // A state was shown; before it, the state and the player on turn were these.
    void shown(GameState before, int playerBefore);
    void logTaken();                        // the host's log is the match's now
    void valleyLaid();                      // a new valley lies: its texture is to be shown
    void textureArrived(const Bitmap& rgb); // the host's own texture of a picture valley came

private:
    void showState(const Network::State& shown, VORN_LIB::VORN_Clock::Ticks now);
    void showSnapshot(const Network::Snapshot& snapshot);
    void showArms(const Network::Arms& arms);
    void blastAt(const VORN_LIB::VORN_Vector& at, double crater);
    void valleyFrom(const Network::Message& message);
    void makeCurrent() const;

    Match& match;
    ValleyService& valleys;
    StateBuffer states;
    GameSettings hostSettings; // the settings of the host's next game, as last sent
    Bitmap hostTexture;        // the host's picture texture as it comes
};
