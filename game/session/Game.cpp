// Construction and destruction of the game window.
#include "game/session/Game.h"

#include "game/files/DataFiles.h"
#include "game/rules/Rules.h"
#include "game/world/Player.h"

#include <QIcon>
#include <QTimer>
#include <cstdlib>
#include <ctime>

using namespace VORN_LIB;

int chosenPlayers = 0;
int chosenFigures = 0;

namespace {
const VORN_Vector origin(0, 0, 0);
const VORN_Vector noRotation(0, 0, 0);
const VORN_Vector unitScale(1, 1, 1);
const VORN_Color white(1, 1, 1, 1);

// A lamp's sphere is owned by the lamp object itself.
void* lampOwner(VORN_Flashlight* lamp) {
    return static_cast<VORN_Object*>(lamp);
}

// The tortoise icon of the menu entry, compiled into the game (desktop/icons.qrc), so the window
// shows it wherever the game was started from.
QIcon gameIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}
} // namespace

Game::Game()
    : VORN_QtRenderer(), VORN_CollisionHandler(), timer(new QTimer(this)), scene(),
      viewport(new VORN_Viewport(&scene)), lamps{{origin, noRotation, unitScale, white},
                                                 {origin, noRotation, unitScale, white},
                                                 {origin, noRotation, unitScale, white},
                                                 {origin, noRotation, unitScale, white}},
      landscape(origin, noRotation, unitScale, white),
      lampSpheres{{Rules::lampRadius, lampOwner(&lamps[0])},
                  {Rules::lampRadius, lampOwner(&lamps[1])},
                  {Rules::lampRadius, lampOwner(&lamps[2])},
                  {Rules::lampRadius, lampOwner(&lamps[3])}},
      collisions(this), grenade(), grenadeBody(1.0, &grenade, VORN_Vector(0, 0, 0)),
      grenadeSphere(Rules::grenadeRadius, &grenadeBody) {
    gravityGroup.gravity = VORN_Vector(0, -Rules::gravity, 0);
    grenadeSphere.ownerIsContainer = true;

    if (!format().doubleBuffer())
        throw -1;

    srand(static_cast<unsigned>(time(nullptr)));
    setMouseTracking(true);
    Q_INIT_RESOURCE(icons);
    setWindowIcon(gameIcon());
    timer->setInterval(Rules::tickMs);
    connect(timer, &QTimer::timeout, this, &Game::updateStuff);

    setUpWorld();

    timer->start();
    lastTick = VORN_Clock::now();
    lastRealTick = lastTick;
    physicsWorld.lastTicks = lastTick;
    glClearColor(0, 0, 0.2f, 1);
    sound.open(DataFiles()); // each effect looked up as each bitmap is
    resetAll();
}

Game::~Game() {
    makeCurrent();
    delete timer;
    timer = nullptr;
    tearDownWorld();
}
