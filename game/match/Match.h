// One match: the rules and the world they move, with no window. It holds the state, the turn
// clock, the players and their figures, the rates and the aim, the grenade and its impact, the
// message log, the valley's heights, the physics and the collisions; it takes TurnCommands and
// ticks, and tells what happens through its signals. The game window draws it and plays its
// sounds; the network host and the headless host send it to other machines. Times are engine
// clock milliseconds, angles degrees, world units with y up.
#pragma once

#include "engine/physics/VORN_BoundingSphere.h"
#include "engine/physics/VORN_CollisionHandler.h"
#include "engine/physics/VORN_CollisionManger.h"
#include "engine/physics/VORN_PhysicsContainer.h"
#include "engine/physics/VORN_PhysicsGroup.h"
#include "engine/physics/VORN_PhysicsWorld.h"
#include "engine/scene/VORN_Clock.h"
#include "engine/scene/VORN_Scene.h"
#include "engine/terrain/Bitmap.h"
#include "engine/terrain/VORN_Landscape.h"
#include "game/computer/ComputerOpponent.h"
#include "game/computer/TurnView.h"
#include "game/match/GameStory.h"
#include "game/match/LogLine.h"
#include "game/match/Seat.h"
#include "game/rules/GameSettings.h"
#include "game/rules/GameState.h"
#include "game/rules/ImpactState.h"
#include "game/rules/TurnCommand.h"
#include "game/rules/Weapons.h"
#include "game/world/Grenade.h"
#include "game/world/Tortoise.h"

#include <QList>
#include <QObject>
#include <QVector>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class Player;

class Match : public QObject, public VORN_LIB::VORN_CollisionHandler {
    Q_OBJECT

public:
    // Hit points one blast took from one figure that stayed in the game.
    struct Damage {
        int player = -1;
        int damage = 0;
        const Tortoise* figure = nullptr;
    };

    // The valley of the heightmap (the game's data file "valleyDepth.bmp", read by the caller),
    // the lamps' spheres, the physics with one gravity group and the grenade: no players yet.
    explicit Match(const Bitmap& heightMap);
    ~Match() override;
    Match(const Match&) = delete;
    Match& operator=(const Match&) = delete;

    // Collision callback: stops and moves both objects (never the terrain); a grenade hit marks
    // the impact.
    void handleCollision(VORN_LIB::VORN_Object* a, VORN_LIB::VORN_Object* b,
                         VORN_LIB::VORN_Contact* contact) override;

    // Lays a new valley from a grey heightmap (grey 255 = 5 units high), as the constructor lays
    // the first: between games, with no figure on it. The window draws it with its own texture.
    void setValley(const Bitmap& heights);

    // Ends any game: no players, the main menu, the log only welcoming.
    void reset();
    // A new game of players × figures: colours and places drawn, every figure falling onto the
    // valley. The first turn's countdown starts with nextTurn(). Settings other than the classic
    // game's are told in the log: the valley's number or picture, the wind, the weapons.
    void newGame(int players, int figures);
    // The same game as a host's: players of the given colours (three in 0 … 1 each), figures
    // drawn from this machine's draws (a joined machine moves them where the host has them).
    void newGameOf(const QVector<float>& colours, int figures);
    void nextTurn();
    // One timer tick at engine clock reading real (now, or a tick a slow frame held up): with only
    // computers left it plays four ticks' worth, the game's clock running four times as fast.
    void advance(VORN_LIB::VORN_Clock::Ticks real);
    // One tick of the rules and the world at game clock reading now.
    void tick(VORN_LIB::VORN_Clock::Ticks now);

    // A command of the player on turn, from the keys, the computer or another machine: its rates
    // replace the held ones (they steer the figure while Moving, the aim while Aiming); FireMode
    // while Moving enters fire mode, as long as the time to throw is not over (past it the log
    // answers "keine zeit mehr zum werfen"); Throw while Aiming throws; a step in any other state
    // does nothing. In the countdown's last second the command is kept for the turn's start: its
    // rates held from then on, its FireMode taken as the turn begins; earlier in the countdown,
    // and while paused, only the rates are taken (a key let go), no step.
    void apply(const TurnCommand& command);
    TurnCommand heldRates() const; // the rates held now, with no step
    void stopRates();              // lets go of every rate, as a player lets go of the keys
    // Takes a grenade out of play: a throw abandoned or gone off.
    void takeGrenadeOutOfWorld();
    // In fire mode of a game with every weapon: takes the weapon for the throw, if the player on
    // turn has one left; false (and nothing changes) otherwise.
    bool chooseWeapon(Weapon w);
    // How many of the weapon the player has left: Weapons::endless for the grenade; with the
    // grenade alone, none of the others.
    int weaponsLeft(int player, Weapon w) const;

    void addMessage(const LogLine& line); // the newest line of the log; the oldest goes

    // Stops every clock of the match, or lets them go on: while paused no tick runs (the phase
    // clocks, the world, the flight and the computer's search and throw all stand) and the game
    // clock stands, so that going on resumes every timer where it stopped. A reset goes on.
    void pause(bool on);
    bool paused() const { return pausedAt_ != 0; }
    // Whether the countdown under way is in its last second: keys pressed now act at the turn's
    // start.
    bool countdownEnding() const;
    // Whether the turn is past its time to throw: driving goes on, fire mode no longer opens.
    bool throwTimeOver() const;

    // Whether a turn is under way (countdown to flight) in a game.
    bool turnUnderWay() const;
    // Whether the computer plays the turn under way.
    bool computerOnTurn() const;
    // Whether a joined machine plays the turn under way.
    bool remoteOnTurn() const;
    // Whether a computer level is chosen, a game runs and no person's figure is left: the
    // computers then play on at four times the speed.
    bool onlyComputersLeft() const;
    // The game's clock: the engine clock, ahead by the time played fast; during a tick, that
    // tick's reading. Turn timers count it.
    VORN_LIB::VORN_Clock::Ticks clockNow() const;
    // How long the phase under way has run at game clock reading now (0 with no timer running).
    VORN_LIB::VORN_Clock::Ticks msIntoPhase(VORN_LIB::VORN_Clock::Ticks now) const {
        return turnStart_ != 0 ? now - turnStart_ : 0;
    }
    // Whether the grenade is in the world (from fire mode until it is gone).
    bool grenadeShown() const;
    // Start angles, in sixteenths of a degree, of each remaining player's pie slice; the last
    // entry closes the circle (5760).
    QList<int> strengthPieAngles() const;
    // What the computer sees of the tick of its turn at clock reading now.
    TurnView computerView(VORN_LIB::VORN_Clock::Ticks now) const;
    // FNV-1a over the valley's grid heights, as the machines of a network game hold them.
    quint32 heightmapChecksum() const;
    // Digs a crater at a point and notes it in craters. A late joiner digs the noted craters at the
    // grenade's reach; where a weapon dug wider, its heights differ and it asks for the host's.
    void dig(const VORN_LIB::VORN_Vector& point, double radius = Rules::craterRadius);
    // The valley's heights and normals as they were made, before any crater. The terrain's lists
    // are then out of date: whoever draws it records them again.
    void restoreValley();
    // The grid's heights as the valley was laid, before any crater.
    const std::vector<double>& valleyAsLaid() const { return valleyHeights; }

    static constexpr int fastForward = 4; // ticks played per timer tick with only computers left

    // What the match is now, for the window, the hosts and the tests. Cheap reads.
    GameState state() const { return state_; }
    bool frozen() const { return frozen_; } // while true a tick moves nothing
    ImpactState impactState() const { return impactState_; }
    // An entry per player of the game, null once its player is out.
    const std::vector<std::unique_ptr<Player>>& players() const { return players_; }
    const QList<int>& alivePlayers() const { return alivePlayers_; } // in creation order
    unsigned playerCount() const { return playerCount_; }
    int figuresEach() const { return figuresEach_; }
    // The valley, wind and weapons of this game (the classic game unless chosen).
    const GameSettings& settings() const { return settings_; }
    int currentPlayer() const { return currentPlayer_; }
    int totalHitPoints() const { return totalHitPoints_; }
    Tortoise* currentFigure() const { return currentFigure_; }           // not owned
    const std::array<LogLine, 6>& messages() const { return messages_; } // oldest first
    // The round under way: 1 from the game's first turn, one more whenever the turn comes back
    // round to a player at or before the last one's place. Sudden death is on after the rounds
    // the settings give it: every tortoise loses Rules::suddenDeathDamage at each turn's start.
    // A joined machine is told by its host.
    int round() const { return round_; }
    bool suddenDeath() const;
    void takeHostSuddenDeath(bool on) { hostSuddenDeath_ = on; }
    // The story of the game under way or the last one, as the match's events told it.
    const GameStory& story() const { return story_; }
    // Every crater this match dug since the valley was made, in order: digging them again into
    // the valley as made gives its heights now.
    const std::vector<VORN_LIB::VORN_Vector>& craters() const { return craters_; }
    double yawRate() const { return yawRate_; }
    double raiseRate() const { return raiseRate_; }
    double driveRate() const { return driveRate_; }
    double aimYaw() const { return aimYaw_; }
    double aimPitch() const { return aimPitch_; }
    double aimPower() const { return aimPower_; }
    // The engine clock's reading at the last timer tick, and how far the game clock runs ahead
    // of it (the time played fast, less the time paused).
    VORN_LIB::VORN_Clock::Ticks lastRealTick() const { return lastRealTick_; }
    VORN_LIB::VORN_Clock::Ticks clockAhead() const { return clockAhead_; }
    // When the phase under way began on the game clock; 0 while no timer runs.
    VORN_LIB::VORN_Clock::Ticks turnStart() const { return turnStart_; }
    int secondsLeft() const { return secondsLeft_; } // whole seconds of the phase, as shown
    // Whole seconds left to throw while Moving or Aiming: fire mode closes the pace's time to throw
    // after the countdown, driving only its time to drive after it. The turn panel shows both while
    // driving.
    int secondsToThrow() const { return secondsToThrow_; }
    // The wind of the turn, drawn at its start when the game has wind (zero in still air), the
    // weapon taken for its throw (the grenade unless another is chosen in fire mode) and the one
    // in flight, or gone off last.
    const VORN_LIB::VORN_Vector& wind() const { return wind_; }
    Weapon weapon() const { return weapon_; }
    Weapon thrownWeapon() const { return thrownWeapon_; }
    const ComputerOpponent& computer() const { return computer_; } // the chosen level and seats
    // Whether a joined machine plays this player.
    bool seatRemote(int player) const { return seatRemote_(player); }

    // The world the rules move. The scene holds what is drawn of it: the valley, the figures and,
    // while it is out, the grenade.
    const VORN_LIB::VORN_Scene& scene() const { return scene_; }
    const VORN_LIB::VORN_Landscape& landscape() const { return landscape_; }
    const std::array<VORN_LIB::VORN_Object, 4>& lampPosts() const { return lampPosts_; }
    const std::array<VORN_LIB::VORN_BoundingSphere, 4>& lampSpheres() const { return lampSpheres_; }
    const VORN_LIB::VORN_PhysicsGroup& gravityGroup() const { return gravityGroup_; }
    const VORN_LIB::VORN_PhysicsWorld& physicsWorld() const { return physicsWorld_; }
    const VORN_LIB::VORN_CollisionManger& collisions() const { return collisions_; }
    const Grenade& grenade() const { return grenade_; }
    const VORN_LIB::VORN_PhysicsContainer& grenadeBody() const { return grenadeBody_; }
    const VORN_LIB::VORN_BoundingSphere& grenadeSphere() const { return grenadeSphere_; }
    // Whether the flight model moves the grenade: from the throw until it is gone.
    bool grenadeFlying() const { return grenadeFlying_; }

    // The parts of the world a window changes to draw them: it adds its lamps to the scene and
    // gives the valley and the grenade their materials and texture; a joined machine writes the
    // host's heights into the valley. The rules never read what is changed there.
    VORN_LIB::VORN_Scene& scene() { return scene_; }
    VORN_LIB::VORN_Landscape& landscape() { return landscape_; }
    Grenade& grenade() { return grenade_; }

    // The valley, wind and weapons of the next game; a game under way keeps its stock.
    void setSettings(const GameSettings& chosen) { settings_ = chosen; }
    // The computer's level, as chosen in the main menu; it plays every player from spieler 1 on
    // whose seat is left as it is.
    void setComputerLevel(ComputerLevel level) { computer_.level = level; }
    // The seats of the next game started here (newGame), by player: a name, a person or the
    // computer at a level, a colour picked. Seats past the list, and seats left as they are, play
    // as ever. A host's game played here (newGameOf) has none.
    void setSeats(const std::vector<Seat>& chosen) { seats_ = chosen; }
    const std::vector<Seat>& seats() const { return seats_; }
    // The name a seat of the game under way was given here; empty for "spieler N" (and in a
    // host's game, whose names come from the host).
    QString nameOf(int player) const;
    // Computers play each other from spieler 0 on, and their searches run to the end whatever
    // the time: the same seed then gives the same game on any machine (the duel tool).
    void computersPlayEverySeat();
    // A seat whose machine left a network game is played by the computer; one whose machine came
    // back is given back, and its figure stands still until its player steers.
    void computerTakesOver(int player);
    void computerGivesBack(int player);
    // A player whose figures only stand as targets (a training's) is passed over: it never gets a
    // turn. A new game passes no one over.
    void passOver(int player);
    bool passedOver(int player) const;
    // Who tells whether a joined machine plays a player: the network host while it hosts, and no
    // one (every player plays here) otherwise.
    void setRemoteSeats(std::function<bool(int player)> remote);

    // A joined machine's copy of the host's match. Its phase as the host's last state tells it at
    // game clock reading now: the phase, its whole seconds left and how long it has run. Its start
    // stays where it was while the host's states put it within half a second, so the clock's
    // seconds tick once each; the time to throw follows from it here as on the host.
    void takeHostPhase(GameState state, int secondsLeft, VORN_LIB::VORN_Clock::Ticks msIntoPhase,
                       VORN_LIB::VORN_Clock::Ticks now);
    // The aim the host's player holds.
    void takeHostAim(double yaw, double pitch, double power);
    // The turn's wind and weapons as the host has them: its game's wind and weapons, the push of
    // the turn's wind, the weapon taken and what the player on turn has left of each.
    void takeHostArms(GameSettings::Wind wind, GameSettings::Weapons weapons,
                      const VORN_LIB::VORN_Vector& blowing, Weapon taken,
                      const std::array<int, Weapons::count>& left);
    // The host's message log, oldest first.
    void takeHostLog(const std::array<LogLine, 6>& lines);
    // The grenade where the host has it: in the scene at that place while shown, out of it
    // otherwise (it never flies here).
    void showGrenadeAt(bool shown, const VORN_LIB::VORN_Vector& place);
    // The figure of a player's slot leaves the game, as the host's states tell (the turn loses
    // its figure if it was that one); a player with no figure left is out, with no line in the
    // log (the host's log tells it).
    void removeFigure(int player, unsigned slot);
    void dropPlayer(int player);
    // The turn the host's states tell: the player on turn and its figure's slot (no figure for a
    // slot that is not there), and the hit points summed from what the players have.
    void takeHostTurn(int player, int slot);
    void recountHitPoints();
    // The player's record, to move its figures where the host has them; null once it is out.
    Player* player(int index);

    // The phase's clock for listeners at game clock reading now: its start and the seconds left
    // of its limit (none for a phase without one).
    void tellPhaseClock(VORN_LIB::VORN_Clock::Ticks now);

signals:
    void gameStarted();                             // players made, before the first turn
    void turnStarted(int player, Tortoise* figure); // a countdown begins
    void turnClock(VORN_LIB::VORN_Clock::Ticks start, double secondsLeft); // each tick of a phase
    void playStarted();                                                    // the countdown is over
    void thrown();                                                         // the grenade leaves
    void grenadeGone();                           // out of play, exploded or not
    void grenadeOut(VORN_LIB::VORN_Vector where); // left the valley, over the edge at where
    void exploded(VORN_LIB::VORN_Vector point, QVector<Match::Damage> damage); // crater dug
    void struck(QVector<Match::Damage> damage); // sudden death took points from the survivors
    void figureLost(int player);                // a figure left the game
    void playerOut(int player);                 // a player lost its last figure
    void gameOver(bool winner);                 // a winner, or a draw
    void timeUp(int player);                    // the turn ran out of time, with no throw
    void logChanged();                          // a line was added

private:
    friend class MatchDriver; // sets up positions for tests and tools that no game reaches

    std::function<bool(int player)> seatRemote_;
    VORN_LIB::VORN_Scene scene_;
    VORN_LIB::VORN_Landscape landscape_;
    std::array<VORN_LIB::VORN_Object, 4> lampPosts_; // where the lamps stand; own their spheres
    std::array<VORN_LIB::VORN_BoundingSphere, 4> lampSpheres_;
    VORN_LIB::VORN_PhysicsGroup gravityGroup_;
    VORN_LIB::VORN_PhysicsWorld physicsWorld_;
    VORN_LIB::VORN_CollisionManger collisions_;
    Grenade grenade_;
    VORN_LIB::VORN_PhysicsContainer grenadeBody_;
    VORN_LIB::VORN_BoundingSphere grenadeSphere_;
    bool grenadeFlying_ = false;

    GameState state_ = NoGame;
    bool frozen_ = true;
    ImpactState impactState_ = ImpactState::Flying;
    std::vector<std::unique_ptr<Player>> players_;
    QList<int> alivePlayers_;
    unsigned playerCount_ = 0;
    int figuresEach_ = 0;
    GameSettings settings_;
    int currentPlayer_ = -1;
    int totalHitPoints_ = 0;
    Tortoise* currentFigure_ = nullptr;
    std::array<LogLine, 6> messages_;
    GameStory story_; // fed by the match's own signals, before any other listener hears them
    std::vector<VORN_LIB::VORN_Vector> craters_;

    double yawRate_ = 0;
    double raiseRate_ = 0;
    double driveRate_ = 0;
    double aimYaw_ = 0;
    double aimPitch_ = 0;
    double aimPower_ = 0;

    VORN_LIB::VORN_Clock::Ticks lastTick_ = 0; // the game clock's reading at the last tick
    VORN_LIB::VORN_Clock::Ticks lastRealTick_ = 0;
    VORN_LIB::VORN_Clock::Ticks clockAhead_ = 0;
    VORN_LIB::VORN_Clock::Ticks turnStart_ = 0;
    VORN_LIB::VORN_Clock::Ticks ticking_ = 0;  // the game clock of the tick under way, or 0
    VORN_LIB::VORN_Clock::Ticks pausedAt_ = 0; // the engine clock when the pause began, or 0
    bool earlyFireMode_ = false; // Return in the countdown's last second: fire mode at the start
    int secondsLeft_ = 0;
    int secondsToThrow_ = 0;
    bool computersOnlyShown_ = false; // "nur noch computer" said this game
    int round_ = 0;
    bool hostSuddenDeath_ = false;

    VORN_LIB::VORN_Vector wind_;
    Weapon weapon_ = Weapon::Grenade;
    Weapon thrownWeapon_ = Weapon::Grenade;
    std::vector<std::array<int, Weapons::count>> stock_; // what each player has left, by Weapon
    ComputerOpponent computer_;                          // plays its players' turns from the tick
    std::vector<Seat> seats_;                            // of the next game started here
    std::vector<QString> names_;   // of the game under way, by player; empty for "spieler N"
    std::vector<bool> passedOver_; // by player: never on turn

    // The one place players are made: count of them, each with its colour, then its figures.
    void makePlayers(int count, int figures,
                     const std::function<VORN_LIB::VORN_Color(int)>& colourOf);
    void tickUnderWay(VORN_LIB::VORN_Clock::Ticks now);
    void tellSettings();
    void explode(const VORN_LIB::VORN_Vector& point);
    // What one blast of the thrown weapon did: the figures hurt, those lost, the players out.
    struct Outcome {
        VORN_LIB::VORN_Vector point;
        QVector<Damage> hurt;
        std::vector<int> lost;
        std::vector<int> out;
    };
    Outcome blast(const VORN_LIB::VORN_Vector& point);
    bool hurtFigure(unsigned player, unsigned slot, int damage, Outcome& outcome);
    bool opensRound() const;
    void suddenDeathStrikes();
    void logHits(const std::vector<Outcome>& outcomes);
    void playerLost(int index, LogLine::Text event);
    void endGame();
    void startPlay(VORN_LIB::VORN_Clock::Ticks now);
    void timeRanOut();
    void moveFigure(double dt);
    void moveGrenade(double dt);
    // The steps of a turn that apply() takes: fire mode shows the grenade for aiming, the
    // throw sends it off at the aim and takes the weapon from the player's stock.
    void prepareThrow();
    void fire();
    void bounce();
    VORN_LIB::VORN_Vector flightVelocity;     // the grenade's, before a collision stops it
    VORN_LIB::VORN_Clock::Ticks fuseEnds = 0; // when a bouncer goes off
    bool hitFixed = false; // the grenade touched a figure or a lamp, not only the ground
    ComputerPlayer::Field computerField() const;

    std::vector<double> valleyHeights; // the grid's heights as the heightmap made them
};

Q_DECLARE_METATYPE(Match::Damage)
