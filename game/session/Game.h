// The game window: the OpenGL widget that owns a match, draws it, turns keys into its commands,
// and lets its camera, sounds and network part follow the match's events; while no game is under
// way it shows the front end's menus (game/frontend). What it draws and how its camera is steered
// are each their own class (Battlefield, FigureLabels, HudLayout and HudPanels, KeyHelp, the marks
// of the match's events, FieldCamera); the window's behaviour is split by concern: Game.cpp
// (construction, the tick and the match's events), GameOverlay.cpp (the frame: the 3-D pass, the
// labels, the overlay), GameInput.cpp (keys and mouse), GameNetwork.cpp (a joined machine's camera
// and keys on its JoinedMatch, and the names and chat of every network game), GameValley.cpp (each
// game's valley texture), GameArms.cpp (the wind and the weapons of a turn), GameOptions.cpp
// (the options screen's choices followed and kept) and GameRouter.cpp (the host's invite link and
// the home router's port forwarding).
#pragma once

#include "engine/render/VORN_OffscreenTarget.h"
#include "engine/render/VORN_QtRenderer.h"
#include "engine/render/VORN_RenderScaleChooser.h"
#include "engine/scene/VORN_Clock.h"
#include "engine/terrain/Bitmap.h"
#include "game/frontend/FrontEnd.h"
#include "game/hosting/ThrowPrediction.h"
#include "game/hosting/TurnPrediction.h"
#include "game/match/Match.h"
#include "game/network/NetworkMessage.h"
#include "game/network/Roster.h"
#include "game/rules/TurnCommand.h"
#include "game/session/Battlefield.h"
#include "game/session/BlastEffect.h"
#include "game/session/ChatPanel.h"
#include "game/session/DamageFigures.h"
#include "game/session/EdgeWatch.h"
#include "game/session/EnemyPointers.h"
#include "game/session/FieldCamera.h"
#include "game/session/FigureLabels.h"
#include "game/session/HudLayout.h"
#include "game/session/HudPanels.h"
#include "game/session/KeyHelp.h"
#include "game/session/StoryPanel.h"
#include "game/session/ThrowMarks.h"
#include "game/sound/GameSound.h"

#include <QRect>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

class JoinedMatch;
class UserSettings;
class MatchHost;
class ReplayPlayer;
class ReplayReader;
class ReplayRecorder;
class Training;
class GameFinder;
class NetworkClient;
class QPainter;
class QTimer;
class RouterPortMapping;
class ValleyService;

class Game : public VORN_LIB::VORN_QtRenderer {
    Q_OBJECT

    Bitmap heights; // the standard valley's, read by the match and the valley service

public:
    Game();
    ~Game() override;

public slots:
    void resetAll(); // ends any game and shows the main menu
    // One 25 ms tick: the match and what is sent of it, or on a joined machine the picture of the
    // host's game; then a repaint.
    void updateStuff();
    void showDamage(const QVector<Match::Damage>& hurt, VORN_LIB::VORN_Clock::Ticks now);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // The frame: the 3-D picture, its marks and labels, then the overlay (GameOverlay.cpp).
    void paintGL() override;
    // Tab is a key of the game (the player list), never a move of the keyboard focus.
    bool focusNextPrevChild(bool) override { return false; }

public:
    // A new game of the numbers chosen in the menus and the settings chosen on the settings
    // screen, on its valley, its first countdown begun. A valley picture that cannot be read
    // leaves the settings screen up, its message in the message panel.
    void newGame();
    // A first training (GameTraining.cpp): on the standard valley, kept neither as a replay nor
    // as the last game; its hints come in the log, its end on the end screen.
    void startTraining();
    const Training& training() const { return *trainer; }

    // The menus before a game, with what is chosen and typed there (the players, the figures,
    // the settings, the network menu's address and this machine's name), shown while no game is
    // under way; its settings preset from the command line.
    FrontEnd front;
    std::unique_ptr<Match> match; // the rules and the world they move; made with the window

    // Network play (GameNetwork.cpp). Opens a game on a port (0: any free one) that other
    // machines join; false when the port cannot be opened.
    bool hostGame(quint16 port);
    // Joins the game of a host: from then on this window shows the host's game and sends the
    // commands of its own seat.
    void joinGame(const QString& hostName, quint16 port);
    MatchHost* host() const { return hosting.get(); } // while hosting
    // While hosting with front.upnp (GameRouter.cpp): the router asked to forward the port;
    // null otherwise.
    RouterPortMapping* portMapping() const { return router.get(); }
    NetworkClient* client() const { return joining.get(); } // while joined

    // The people of a network game (GameNetwork.cpp); this machine's player's name (--name or the
    // network menu; empty for none) is the front end's, given to the game it opens or joins.
    // A player's name in the network game, empty for none (and outside a network game).
    QString nameOf(int player) const;
    LogLine::Names names() const;
    // Who plays, as the host sent it (on the host, its own roster).
    const Roster& roster() const;
    // The chat: T opens a line, Return sends it, Escape drops it (GameInput.cpp).
    ChatPanel chat;
    bool playerListShown() const { return playerList; } // while Tab is held

    GameSound sound; // the effects; silent without a sound device
    // The settings file the player's choices are kept in: the options as they change (F11's
    // full screen too), the last game as it starts, the computer's level (GameOptions.cpp).
    // Given by the program; without one (as in the tests) nothing is kept. The window follows
    // front.options as they are (the volume, full screen, the render scale) from here on.
    void keepChoicesIn(UserSettings* file);
    // The window follows the options changed since it last did, and keeps them.
    void followOptions();
    // Puts the texts into the language the options name ("auto", "de", "fr"), from the next
    // frame on; given by the program, which holds the translations. Without one (as in most
    // tests) the language stays as it is.
    std::function<void(const QString&)> languageChosen;
    // The 3-D picture's render scale: measured from the frames unless fixed (--render-scale), and
    // the off-screen buffer that draws it below 1 (GameOverlay.cpp).
    VORN_LIB::VORN_RenderScaleChooser renderScale;
    VORN_LIB::VORN_OffscreenTarget pictureTarget;

    // What the battlefield shows of the match's events, besides the match's own world: the
    // blast's flash and sparks, the hit points it took floating up, and the path and landing of
    // each player's last throw (followed in Game.cpp, drawn in GameOverlay.cpp).
    BlastEffect blast;
    DamageFigures damageFigures;
    ThrowMarks throwMarks;
    EdgeWatch edgeWatch;

    // The parts of the window, for whoever drives it.
    const Bitmap& heightMap() const { return heights; }
    ValleyService& valleys() const { return *valleyService; } // lays each game's valley
    JoinedMatch& joined() const { return *joinedMatch; }      // the match as a host has it
    ReplayRecorder& replays() const { return *recorder; }     // the games kept
    // A replay watched here (GameReplay.cpp): its file played through the joined machine's match,
    // as a joined machine plays its host's game; Space pauses, + and - change the speed, PageUp
    // and PageDown skip to the turn before or after, F follows the turn again, Escape ends it.
    // False for a file it refuses, its message on standard error and in the message panel.
    bool watchReplay(const QString& path);
    ReplayPlayer* replay() const { return replayPlayer.get(); } // while watching one
    Battlefield& battlefield() const { return *field; }
    VORN_LIB::VORN_Viewport* viewport() const; // the battlefield's camera
    FieldCamera& camera() const { return *steering; }
    // The search for games on the local network, made when the list is first opened; tests
    // point it at a port of their own (and its searches at the loopback alone).
    GameFinder& localGames();
    QTimer* timer() const { return ticker.get(); } // drives updateStuff()

    // What this frame's overlay says and where, and the key help of F1 (shown while keyHelpShown).
    HudLayout hud() const;
    KeyHelp keyHelp() const;
    // The overlay is laid out for a window of at least overlayRoom: in a window the desktop made
    // smaller it is drawn scaled down to fit (overlayScale() below 1) rather than overlapping.
    static constexpr QSize overlayRoom{800, 600};
    double overlayScale() const;
    QSize overlaySize() const; // the window in the overlay's pixels
    bool keyHelpShown() const { return keyHelpOn; }
    // P during a turn of a game on this machine alone stops every clock of the match until P
    // again; the key help and a question shown during such a turn stop them as well. A network
    // game's clock runs on: a joined machine never stops the host's, and a host never stops the
    // game of the machines joined to it.
    bool pauseKeyOn() const { return pauseOn; }
    const HudPanels& panels() const { return hudPanels; }
    // S on the end screen turns between the winner and the game's story; each end begins with
    // the winner.
    bool storyShown() const { return storyOn; }
    const StoryPanel& storyPage() const { return storyPanel; }
    // Where the last frame put its panels (widget pixels), and its labels.
    const QVector<QRect>& panelsShown() const { return panelsDrawn; }
    const FigureLabels& labels() const { return figureLabels; }
    const EnemyPointers& pointers() const { return enemyPointers; } // of the last frame

private:
    std::unique_ptr<GameFinder> finder;
    void listLocalGames();
    // Gone in the reverse of this order, all before the match above: the timer first, then the
    // network parts (made as a network game opens), the camera, the battlefield, the joined
    // machine's match and the valley service.
    std::unique_ptr<ValleyService> valleyService;
    std::unique_ptr<JoinedMatch> joinedMatch;
    std::unique_ptr<ReplayRecorder> recorder; // every game played or hosted here, kept
    std::unique_ptr<Training> trainer;        // follows the match; a training from T on
    bool inTraining = false;                  // from T until the main menu
    void tellTraining();                      // the training's hint, in the log
    std::unique_ptr<ReplayReader> replayFile; // the replay watched, with its player
    std::unique_ptr<ReplayPlayer> replayPlayer;
    bool replayKey(int key);
    void listReplays();          // the list's entries read anew from the recorder's folder
    bool replayFromList = false; // Escape goes back to the list
    void drawReplayLine(QPainter& painter, QSize room) const;
    std::unique_ptr<Battlefield> field;
    std::unique_ptr<FieldCamera> steering;
    std::unique_ptr<MatchHost> hosting;
    std::unique_ptr<RouterPortMapping> router; // its forwarding goes before the host does
    std::unique_ptr<NetworkClient> joining;
    std::unique_ptr<QTimer> ticker;

    // The frame (GameOverlay.cpp): the 3-D picture with the battlefield's marks, then the labels,
    // then the menus or the status panels, the people and the key help over it.
    void drawPicture(QPainter& painter);
    void drawLabels(QPainter& painter);
    void drawOverlay(QPainter& painter);
    QVector<QRect> overlayPanels() const; // every panel the overlay draws this frame
    void drawPeople(QPainter& painter);   // the chat strip and the player list (GameNetwork.cpp)
    // The wind and the weapons of the turn, the weapons under the turn panel (GameArms.cpp).
    void drawArms(QPainter& painter, const QRect& turnPanel);
    HudPanels hudPanels;
    StoryPanel storyPanel;
    bool storyOn = false;
    FigureLabels figureLabels;
    EnemyPointers enemyPointers;
    QVector<QRect> panelsDrawn;
    bool keyHelpOn = false; // F1 switches it
    bool pauseOn = false;   // P switches it
    // The match stands while something of this window asks it to (GameInput.cpp).
    void followPause();
    // The question's J after Escape in a game: leaves it as Escape did before it asked.
    void leaveGame();
    // V or E pressed in the countdown's last second: the camera's view as the turn begins.
    int earlyCameraKey = 0;
    bool playerList = false;

    void followMatch(); // the camera and the sounds follow the match's events
    UserSettings* remembered = nullptr;
    PlayerOptions optionsFollowed; // the options as the window last followed them
    void rememberLastGame();
    void toggleFullScreen();               // F11 (GameInput.cpp)
    QRect windowedGeometry;                // where F11 puts the window back from full screen
    void clientKey(int key, bool pressed); // a joined machine's keys (GameInput.cpp)
    void menuKey(int key, int digit, const QString& text); // while no game is under way
    void chatKey(QKeyEvent* event);
    void sendChat(const QString& text);
    bool networkNote = false; // the menu shows why a network game ended, until the next game
    TurnCommand clientKeys;   // the keys a joined machine holds for its seat
    // The own turn shown ahead of the host's picture (GameNetwork.cpp): after each shown state,
    // the figure or the aim where the host has them, moved by what the keys did since.
    TurnPrediction prediction;
    bool hostShown = false; // a state was shown: the match holds the host's picture
    TurnPrediction::Pose hostPose;
    TurnPrediction::Aim hostAim;
    void predictOwnTurn(VORN_LIB::VORN_Clock::Ticks now);
    ThrowPrediction throwAhead;
    bool throwPending = false; // the throw was sent before the host's fire mode showed here
    void throwAheadOfHost();
    // The last step a joined machine sent this turn: Return after fire mode was asked for throws,
    // though the picture may not show fire mode yet.
    TurnCommand::Step stepSent = TurnCommand::Step::None;

    // A joined machine (GameNetwork.cpp).
    void received(const Network::Message& message);
    void followJoined(); // the camera, keys and texture of a joined machine follow its match
    // The texture of the valley laid; false, with the broken file's message in the log, when the
    // standard valley's texture cannot be read.
    bool showValleyTexture();
    bool standardTextureShown = true;
    void tellBrokenFile(); // the message of the data file Bitmap::lastFailure() names
    void leaveNetworkGame(const QString& message);
    void tellSeat();                           // a joined machine's seat, in its log between games
    Roster joinedRoster;                       // a joined machine's copy of the host's
    VORN_LIB::VORN_Object* followed = nullptr; // what a joined machine's camera is attached to
    // The host this window last had a seat at, and that seat's token, to join again with.
    QString seatHost;
    quint16 seatPort = 0;
    quint64 seatToken = 0;

    // The host's menu (GameRouter.cpp): the router asked or let go as front.upnp says, the
    // invite link and the router's line set for the menu; K copies the link.
    void followRouter();
    void showHostLink();
    void copyLink();
};
