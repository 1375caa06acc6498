// The game window: the OpenGL widget that owns a match, draws it, turns keys into its commands,
// and lets its camera, sounds and network part follow the match's events. Its behaviour is split
// by concern: Game.cpp (construction, the tick and the match's events), GameWorld.cpp (what is
// drawn and its teardown), GameInput.cpp (keys and mouse), GameNetwork.cpp (a joined machine) and
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
#include "game/match/Match.h"
#include "game/network/NetworkMessage.h"
#include "game/rules/GameState.h"
#include "game/rules/TurnCommand.h"
#include "game/sound/GameSound.h"

#include <QList>
#include <QRect>
#include <QString>
#include <memory>

class MatchHost;
class NetworkClient;
class QPainter;
class QTimer;
class Player;
class Tortoise;

// The numbers typed in the menus; read only by newGame().
extern int chosenPlayers;
extern int chosenFigures;

class Game : public VORN_LIB::VORN_QtRenderer {
    Q_OBJECT

public:
    Game();
    ~Game() override;

public slots:
    void resetAll();    // ends any game and shows the main menu
    void updateStuff(); // one 25 ms tick: the match, what is sent of it, then a repaint

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

public:
    // A new game of the numbers chosen in the menus, its first countdown begun.
    void newGame();

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

private:
    void setUpWorld();
    void tearDownWorld();
    void followMatch();                    // the camera and the sounds follow the match's events
    void toggleFullScreen();               // F11 (GameInput.cpp)
    void clientKey(int key, bool pressed); // a joined machine's keys (GameInput.cpp)
    void networkMenuKey(QKeyEvent* event);
    bool typingAddress = false; // in the network menu, after J
    QString address;            // the host's address as typed there
    bool networkNote = false;   // the menu shows why a network game ended, until the next game
    TurnCommand clientKeys;     // the keys a joined machine holds for its seat

    // A joined machine (GameNetwork.cpp).
    void received(const Network::Message& message);
    void startFromHost(const Network::Start& start);
    void showState(const Network::State& shown, VORN_LIB::VORN_Clock::Ticks now);
    void showArms(const Network::Arms& arms);
    void leaveNetworkGame(const QString& message);
    VORN_LIB::VORN_Object* followed = nullptr; // what a joined machine's camera is attached to
    VORN_LIB::VORN_Clock::Ticks shownPhaseStart = 0;

    // Overlay (GameOverlay.cpp).
    void drawMenu(QPainter& painter);
    QString computerLevelText() const;
    void drawHud(QPainter& painter);
    void drawTurnPanel(QPainter& painter);
    void drawKeyPanel(QPainter& painter);
    void drawStrengthPie(QPainter& painter);
    void drawMessagePanel(QPainter& painter);
    void drawKeyHelp(QPainter& painter); // GameKeyHelp.cpp
    void drawArms(QPainter& painter);    // the wind and the weapons of the turn (GameArms.cpp)
};
