// The game window: the OpenGL widget, the collision handler, and the owner of the whole world.
// Its behaviour is split by concern: Game.cpp (construction), GameWorld.cpp (the world's set-up
// and teardown), GameRules.cpp (turns, the tick and the commands of the player on turn),
// GameInput.cpp (keys and mouse), GameComputer.cpp (what the computer opponent sees) and
// GameOverlay.cpp (the frame with menus and status panels).
#pragma once

#include "engine/physics/VORN_BoundingSphere.h"
#include "engine/physics/VORN_CollisionHandler.h"
#include "engine/physics/VORN_CollisionManger.h"
#include "engine/physics/VORN_PhysicsContainer.h"
#include "engine/physics/VORN_PhysicsGroup.h"
#include "engine/physics/VORN_PhysicsWorld.h"
#include "engine/render/VORN_Flashlight.h"
#include "engine/render/VORN_OffscreenTarget.h"
#include "engine/render/VORN_QtRenderer.h"
#include "engine/render/VORN_RenderScaleChooser.h"
#include "engine/render/VORN_Viewport.h"
#include "engine/scene/VORN_Clock.h"
#include "engine/scene/VORN_Material.h"
#include "engine/scene/VORN_Scene.h"
#include "engine/terrain/Bitmap.h"
#include "engine/terrain/VORN_Landscape.h"
#include "game/computer/ComputerOpponent.h"
#include "game/computer/TurnView.h"
#include "game/network/NetworkMessage.h"
#include "game/rules/GameState.h"
#include "game/rules/ImpactState.h"
#include "game/rules/TurnCommand.h"
#include "game/sound/GameSound.h"
#include "game/world/Grenade.h"

#include <QList>
#include <QRect>
#include <QString>

class NetworkClient;
class NetworkHost;
class QPainter;
class QTimer;
class Player;
class Tortoise;

// The numbers typed in the menus; read only by newGame().
extern int chosenPlayers;
extern int chosenFigures;

class Game : public VORN_LIB::VORN_QtRenderer, public VORN_LIB::VORN_CollisionHandler {
    Q_OBJECT

public:
    Game();
    ~Game() override;

    // Collision callback: stops and moves both objects (never the terrain); a grenade hit marks
    // the impact.
    void handleCollision(VORN_LIB::VORN_Object* a, VORN_LIB::VORN_Object* b,
                         VORN_LIB::VORN_Contact* contact) override;

public slots:
    void resetAll(); // ends any game and shows the main menu

private slots:
    void updateStuff(); // one 25 ms tick

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

public:
    // Rules (GameRules.cpp).
    void newGame();
    void nextTurn();
    void prepareThrow();
    void fire();
    void addMessage(const QString& line);
    // A command of the player on turn, from the keys, the computer or another machine: its rates
    // replace the held ones (they steer the figure while Moving, the aim while Aiming); FireMode
    // while Moving enters fire mode, Throw while Aiming throws; a step in any other state does
    // nothing.
    void apply(const TurnCommand& command);
    // The rates held now, with no step.
    TurnCommand heldRates() const;
    // Lets go of every rate, as a player lets go of the keys.
    void stopRates();
    // Whether the computer plays the turn under way (countdown to flight).
    bool computerOnTurn() const;
    // Whether a computer level is chosen, a game runs and no person's figure is left: the
    // computers then play on at four times the speed.
    bool onlyComputersLeft() const;
    // The game's clock: the engine clock, ahead by the time played fast. Turn timers count it.
    VORN_LIB::VORN_Clock::Ticks clockNow() const;
    static constexpr int fastForward = 4; // ticks played per timer tick with only computers left

    // Network play (GameNetwork.cpp). Opens a game on a port (0: any free one) that other
    // machines join; false when the port cannot be opened.
    bool hostGame(quint16 port);
    // Joins the game of a host: from then on this window shows the host's game and sends the
    // commands of its own seat.
    void joinGame(const QString& hostName, quint16 port);
    // Whether a joined machine plays this player, on the host.
    bool seatRemote(int player) const;
    // Whether a joined machine plays the turn under way (countdown to flight), on the host.
    bool remoteOnTurn() const;
    NetworkHost* host = nullptr;     // owned (child); while hosting
    NetworkClient* client = nullptr; // owned (child); while joined

    // Start angles, in sixteenths of a degree, of each remaining player's pie slice; the last
    // entry closes the circle (5760).
    QList<int> strengthPieAngles() const;

    QTimer* timer = nullptr; // owned (child of the widget), drives updateStuff()

    // The world, built with the window and torn down with it (GameWorld.cpp).
    VORN_LIB::VORN_Scene scene;
    VORN_LIB::VORN_Viewport* viewport = nullptr; // owned
    VORN_LIB::VORN_Flashlight lamps[4];
    VORN_LIB::VORN_Landscape landscape;
    Bitmap heightMap;
    VORN_LIB::VORN_Material* terrainMaterial = nullptr; // owned
    VORN_LIB::VORN_Material* lampMaterial = nullptr;    // owned
    GLuint terrainTexture = 0;
    VORN_LIB::VORN_PhysicsGroup gravityGroup;
    VORN_LIB::VORN_PhysicsWorld physicsWorld;
    VORN_LIB::VORN_BoundingSphere lampSpheres[4];
    VORN_LIB::VORN_CollisionManger collisions;
    VORN_LIB::VORN_Material* grenadeMaterial = nullptr; // owned
    Grenade grenade;
    VORN_LIB::VORN_PhysicsContainer grenadeBody;
    VORN_LIB::VORN_BoundingSphere grenadeSphere;
    GameSound sound; // the effects; silent without a sound device

    ImpactState impactState = ImpactState::Flying;
    GLuint aimArrowList = 0;       // the red aiming arrow
    double mouseSensitivity = 2.0; // degrees of camera turn per pixel
    int lastMouseX = 0;
    int lastMouseY = 0;
    double yawRate = 0;
    double raiseRate = 0;
    double driveRate = 0;
    VORN_LIB::VORN_Clock::Ticks lastTick = 0;     // the game clock's reading at the last tick
    VORN_LIB::VORN_Clock::Ticks lastRealTick = 0; // the engine clock's reading at the last tick
    VORN_LIB::VORN_Clock::Ticks clockAhead = 0;   // how far the game clock runs ahead
    bool computersOnlyShown = false;              // "nur noch computer" said this game
    VORN_LIB::VORN_Clock::Ticks turnStart = 0;    // 0 means no timer runs
    int secondsLeft = 0;
    GameState state = MainMenu;
    bool frozen = true;         // while true a tick moves nothing
    bool cameraLocked = true;   // while true the mouse does not steer the camera
    Player** players = nullptr; // owned; an entry is null once its player is out
    QList<int> alivePlayers;    // indices of the players still in, in creation order
    unsigned playerCount = 0;
    int currentPlayer = -1;
    int totalHitPoints = 0;
    Tortoise* currentFigure = nullptr; // not owned
    QString messages[6];               // the message log, oldest first
    int labelsShown = 0;               // figure labels in the last frame
    double aimYaw = 0;
    double aimPitch = 0;
    double aimPower = 0;
    ComputerOpponent computer; // the chosen level; plays its players' turns from the tick
    QRect windowedGeometry;    // where F11 puts the window back from full screen

    // The 3-D picture's render scale: measured from the frames unless fixed (--render-scale), and
    // the off-screen buffer that draws it below 1 (GameOverlay.cpp).
    VORN_LIB::VORN_RenderScaleChooser renderScale;
    VORN_LIB::VORN_OffscreenTarget pictureTarget;

private:
    bool turnUnderWay() const; // from the countdown to the flight, in a game
    void setUpWorld();
    void tearDownWorld();
    void deletePlayers();
    void takeGrenadeOutOfWorld();
    void explode(const VORN_LIB::VORN_Vector& point);
    void playerLost(int index, const QString& event);
    void tick(VORN_LIB::VORN_Clock::Ticks now); // the rules and the world at game clock now
    void toggleFullScreen();                    // F11 (GameInput.cpp)
    void clientKey(int key, bool pressed);      // a joined machine's keys (GameInput.cpp)
    void networkMenuKey(QKeyEvent* event);
    bool typingAddress = false; // in the network menu, after J
    QString address;            // the host's address as typed there
    bool networkNote = false;   // the menu shows why a network game ended, until the next game
    TurnCommand clientKeys;     // the keys a joined machine holds for its seat

    // Network play (GameNetwork.cpp).
    void sendState(VORN_LIB::VORN_Clock::Ticks now);
    Network::Message startMessage() const;
    void announceCrater(const VORN_LIB::VORN_Vector& point);
    void sendHeightmap(int seat);
    quint32 heightmapChecksum() const;
    void received(const Network::Message& message);
    void startFromHost(const Network::Start& start);
    void showState(const Network::State& shown, VORN_LIB::VORN_Clock::Ticks now);
    void leaveNetworkGame(const QString& message);
    VORN_LIB::VORN_Object* followed = nullptr; // what a joined machine's camera is attached to
    VORN_LIB::VORN_Clock::Ticks shownPhaseStart = 0;
    // What the computer sees of the tick of its turn at clock reading now (GameComputer.cpp).
    TurnView computerView(VORN_LIB::VORN_Clock::Ticks now) const;
    ComputerPlayer::Field computerField() const;

    // Overlay (GameOverlay.cpp).
    void drawMenu(QPainter& painter);
    QString computerLevelText() const;
    void drawHud(QPainter& painter);
    void drawTurnPanel(QPainter& painter);
    void drawKeyPanel(QPainter& painter);
    void drawStrengthPie(QPainter& painter);
    void drawMessagePanel(QPainter& painter);
};
