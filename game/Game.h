// The game window: the OpenGL widget, the owner of the whole world, the rules, the input and the
// overlay. Its behaviour is split by concern over Game*.cpp files.
#pragma once

#include "engine/render/VORN_QtRenderer.h"
#include "engine/scene/VORN_Clock.h"
#include "game/GameState.h"

#include <QList>
#include <QString>

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
    void resetAll(); // ends any game and shows the main menu

private slots:
    void updateStuff(); // one 25 ms tick

protected:
    void paintEvent(QPaintEvent* event) override;

public:
    QTimer* timer = nullptr; // owned (child of the widget), drives updateStuff()

    unsigned char impactState = 0; // 0 flying, 1 hit something, 2 explosion handled
    double mouseSensitivity = 2.0; // degrees of camera turn per pixel
    double moveSpeed = 2.0;        // units per second for driving and for the throw power
    double turnSpeed = 120.0;      // degrees per second for turning a figure
    int lastMouseX = 0;
    int lastMouseY = 0;
    double yawRate = 0;
    double raiseRate = 0;
    double driveRate = 0;
    VORN_LIB::VORN_Clock::Ticks lastTick = 0;
    VORN_LIB::VORN_Clock::Ticks turnStart = 0; // 0 means no timer runs
    int secondsLeft = 0;
    GameState state = MainMenu;
    bool frozen = true;       // while true a tick moves nothing
    bool cameraLocked = true; // while true the mouse does not steer the camera
    Player** players = nullptr; // owned; an entry is null once its player is out
    QList<int> alivePlayers;    // indices of the players still in, in creation order
    unsigned playerCount = 0;
    int currentPlayer = -1;
    int totalHitPoints = 0;
    Tortoise* currentFigure = nullptr; // not owned
    QString messages[6];               // the message log, oldest first
    double aimYaw = 0;
    double aimPitch = 0;
    double aimPower = 0;

    void addMessage(const QString& line);
};
