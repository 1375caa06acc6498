// Construction and destruction of the game window.
#include "game/Game.h"

#include <QTimer>
#include <cstdlib>
#include <ctime>

using namespace VORN_LIB;

int chosenPlayers = 0;
int chosenFigures = 0;

Game::Game() : VORN_QtRenderer() {
    timer = new QTimer(this);

    if (!format().doubleBuffer())
        throw -1;

    srand(static_cast<unsigned>(time(nullptr)));
    setMouseTracking(true);
    timer->setInterval(25);
    connect(timer, &QTimer::timeout, this, &Game::updateStuff);

    timer->start();
    lastTick = VORN_Clock::now();
    glClearColor(0, 0, 0.2f, 1);
    resetAll();
}

Game::~Game() { delete timer; }
