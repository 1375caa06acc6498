// The game window: the OpenGL widget that owns a match, draws it, turns keys into its commands,
// and lets its camera, sounds and network part follow the match's events; while no game is under
// way it shows the front end's menus (game/frontend). Its behaviour is split by concern: Game.cpp
// (construction, the tick and the match's events), GameWorld.cpp (what is drawn and its teardown),
// GameInput.cpp (keys and mouse), GameKeyHelp.cpp (the F1 help), GameNetwork.cpp (a joined
// machine's camera and keys on its JoinedMatch, and the names and chat of every network game),
// GameValley.cpp (each game's valley), GameArms.cpp (the wind and the weapons of a turn) and
// GameOverlay.cpp (the frame with menus and status panels).
#pragma once

#include "engine/render/VORN_Flashlight.h"
#include "engine/render/VORN_OffscreenTarget.h"
#include "engine/render/VORN_QtRenderer.h"
#include "engine/render/VORN_RenderScaleChooser.h"
#include "engine/render/VORN_Viewport.h"
#include "engine/scene/VORN_Clock.h"
#include "engine/scene/VORN_Material.h"
#include "engine/scene/VORN_Scene.h"
#include "engine/terrain/Bitmap.h"
#include "game/frontend/FrontEnd.h"
#include "game/match/Match.h"
#include "game/network/NetworkMessage.h"
#include "game/network/Roster.h"
#include "game/rules/GameState.h"
#include "game/rules/TurnCommand.h"
#include "game/session/BlastEffect.h"
#include "game/session/ChatPanel.h"
#include "game/session/DamageFigures.h"
#include "game/session/PanelImage.h"
#include "game/session/ThrowMarks.h"
#include "game/sound/GameSound.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QVector>
#include <memory>

class JoinedMatch;
class MatchHost;
class ValleyService;
class NetworkClient;
class QFont;
class QPainter;
class QTimer;
class Player;
class Tortoise;

class Game : public VORN_LIB::VORN_QtRenderer {
    Q_OBJECT

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
    void paintEvent(QPaintEvent* event) override;
    // Tab is a key of the game (the player list), never a move of the keyboard focus.
    bool focusNextPrevChild(bool) override { return false; }

public:
    // A new game of the numbers chosen in the menus and the settings chosen on the settings
    // screen, on its valley, its first countdown begun. A valley picture that cannot be read
    // leaves the settings screen up, its message in the message panel.
    void newGame();

    // The menus before a game, with what is chosen and typed there (the players, the figures,
    // the settings, the network menu's address and this machine's name), shown while no game is
    // under way; its settings preset from the command line.
    FrontEnd front;
    // Who lays each game's valley on the match (made with the window), and while joined the
    // match as the host has it.
    std::unique_ptr<ValleyService> valleys;
    std::unique_ptr<JoinedMatch> joined;

    // The camera keys (GameInput.cpp), for this window's camera alone. V: the start view of a
    // turn, behind the figure on turn looking the way it faces. E: the next enemy figure in turn,
    // seen from the side of the figure on turn; the camera follows it until the next key or turn.
    void viewBehind();
    void viewNextEnemy();

    // The key help of F1 (GameKeyHelp.cpp): each key and mouse action of the current screen.
    struct KeyHelpLine {
        QString key;
        QString action;
    };
    QList<KeyHelpLine> keyHelp() const;
    // Where the help is drawn: the panel centred in the window and sized to its longest line, in a
    // font ("Helvetica") shrunk until the panel fits; the title at keyX on titleBaseline, each
    // line's key at keyX and its action at actionX, on baselines lineStep apart from
    // firstBaseline.
    struct KeyHelpLayout {
        QRect panel;
        int pointSize;
        int keyX;
        int actionX;
        int titleBaseline;
        int firstBaseline;
        int lineStep;
    };
    KeyHelpLayout keyHelpLayout() const;
    bool keyHelpShown = false; // F1 switches it

    // Network play (GameNetwork.cpp). Opens a game on a port (0: any free one) that other
    // machines join; false when the port cannot be opened.
    bool hostGame(quint16 port);
    // Joins the game of a host: from then on this window shows the host's game and sends the
    // commands of its own seat.
    void joinGame(const QString& hostName, quint16 port);
    MatchHost* host = nullptr;       // owned (child); while hosting
    NetworkClient* client = nullptr; // owned (child); while joined

    // The people of a network game (GameNetwork.cpp); this machine's player's name (--name or the
    // network menu; empty for none) is the front end's, given to the game it opens or joins.
    // A player's name in the network game, empty for none (and outside a network game).
    QString nameOf(int player) const;
    LogLine::Names names() const;
    // How the turn panel names a player: the name, else "spieler N".
    QString playerTitle(int player) const;
    // Who plays, as the host sent it (on the host, its own roster).
    const Roster& roster() const;
    // The chat: T opens a line, Return sends it, Escape drops it (GameInput.cpp).
    ChatPanel chat;
    bool playerListShown = false; // while Tab is held

    QTimer* timer = nullptr; // owned (child of the widget), drives updateStuff()

    // What is drawn besides the match's world, built with the window (GameWorld.cpp).
    Bitmap heightMap;
    std::unique_ptr<Match> match; // the rules and the world they move; made with the window
    std::unique_ptr<VORN_LIB::VORN_Viewport> viewport;
    VORN_LIB::VORN_Flashlight lamps[4];
    std::unique_ptr<VORN_LIB::VORN_Material> terrainMaterial;
    std::unique_ptr<VORN_LIB::VORN_Material> lampMaterial;
    GLuint terrainTexture = 0;
    std::unique_ptr<VORN_LIB::VORN_Material> grenadeMaterial;
    GameSound sound; // the effects; silent without a sound device

    GLuint aimArrowList = 0;       // the red aiming arrow
    double mouseSensitivity = 2.0; // degrees of camera turn per pixel
    int lastMouseX = 0;
    int lastMouseY = 0;
    bool cameraLocked = true; // while true the mouse does not steer the camera
    int labelsShown = 0;      // figure labels in the last frame
    QRect windowedGeometry;   // where F11 puts the window back from full screen

    // The 3-D picture's render scale: measured from the frames unless fixed (--render-scale), and
    // the off-screen buffer that draws it below 1 (GameOverlay.cpp).
    VORN_LIB::VORN_RenderScaleChooser renderScale;
    VORN_LIB::VORN_OffscreenTarget pictureTarget;

    // What the battlefield shows of the match's events, besides the match's own world: the
    // blast's flash and sparks, the hit points it took floating up, and where each tortoise's
    // last throw came down (followed in Game.cpp, drawn in GameOverlay.cpp).
    BlastEffect blast;
    DamageFigures damageFigures;
    ThrowMarks throwMarks;

    // The aiming lines of the key panel in fire mode: direction and elevation in whole degrees,
    // the strength with one decimal. The strength bar is full at fullStrength.
    QStringList aimLines() const;
    static double fullStrength();

    // The overlay's panels, each kept as a picture until what it shows changes; where the last
    // frame put them (widget pixels), and where it put the figure labels and damage figures.
    struct Panels {
        PanelImage turn, keys, pie, messages, menu;
    } panels;
    QVector<QRect> panelsShown;
    QVector<QRect> labelsPlaced;

private:
    void setUpWorld();
    void tearDownWorld();
    void followMatch();                    // the camera and the sounds follow the match's events
    void toggleFullScreen();               // F11 (GameInput.cpp)
    void clientKey(int key, bool pressed); // a joined machine's keys (GameInput.cpp)
    void menuKey(int key, int digit, const QString& text); // while no game is under way
    void chatKey(QKeyEvent* event);
    void sendChat(const QString& text);
    bool networkNote = false; // the menu shows why a network game ended, until the next game
    TurnCommand clientKeys;   // the keys a joined machine holds for its seat
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

public:
    // Overlay (GameOverlay.cpp). A panel's line: its text at x on baseline y (pixels from the
    // panel's top left) in a font.
    struct PanelLine {
        int x, y;
        QString text;
        const QFont* font;
    };
    QList<PanelLine> menuLines() const;
    QList<PanelLine> turnLines() const;
    QList<PanelLine> keyLines() const;
    QList<PanelLine> messageLines() const;
    // Where each panel of the screen shown goes (widget pixels), sized to its lines.
    struct HudPlaces {
        QRect turn, keys, pie, messages;
    };
    HudPlaces hudPlaces() const;
    QRect menuPlace() const;
    QVector<QRect> overlayPanels() const; // every panel the overlay draws this frame
    void drawMenu(QPainter& painter);
    QString computerLevelText() const;
    void drawHud(QPainter& painter, const HudPlaces& places);
    void drawMessagePanel(QPainter& painter);
    void drawPeople(QPainter& painter);  // the chat strip and the player list (GameNetwork.cpp)
    void drawKeyHelp(QPainter& painter); // GameKeyHelp.cpp
    // The wind and the weapons of the turn, the weapons under the turn panel (GameArms.cpp).
    void drawArms(QPainter& painter, const QRect& turnPanel);
};
