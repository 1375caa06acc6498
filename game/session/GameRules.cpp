// The rules: states, turns, the tick, commands of the player on turn, throws, explosions and the
// message log. Times are engine clock milliseconds; angles are degrees; the numbers are Rules'.
#include "game/session/Game.h"

#include "game/network/NetworkHost.h"
#include "game/rules/GameRandom.h"
#include "game/rules/Rules.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <algorithm>
#include <cmath>

using namespace VORN_LIB;

namespace {

using Rules::aimSeconds;
using Rules::countdownSeconds;
using Rules::moveSeconds;

double secondsSince(VORN_Clock::Ticks start, VORN_Clock::Ticks now) {
    return (now - start) * 0.001;
}

// Whole seconds left of a limit after e seconds, truncated toward zero and never negative.
int wholeSecondsLeft(double limit, double e) {
    return std::max(0, static_cast<int>(limit - e));
}

} // namespace

void Game::resetAll() {
    viewport->attach(nullptr);
    cameraLocked = true;
    frozen = true;
    stopRates();
    deletePlayers();
    playerCount = 0;
    currentPlayer = -1;
    currentFigure = nullptr;
    totalHitPoints = 0;
    alivePlayers.clear();
    state = MainMenu;
    for (int i = 0; i < 5; ++i)
        messages[i] = QString();
    messages[5] = tr("Willkommen");
}

void Game::newGame() {
    sound.newGame();
    deletePlayers();
    alivePlayers.clear();
    computer.reset();
    computersOnlyShown = false;
    networkNote = false;
    totalHitPoints = chosenPlayers * chosenFigures * Rules::startHealth;
    playerCount = static_cast<unsigned>(chosenPlayers);
    players = new Player*[playerCount];
    for (unsigned i = 0; i < playerCount; ++i) {
        const double r = randomDraw() / 32767.0;
        const double g = randomDraw() / 32767.0;
        const double b = randomDraw() / 32767.0;
        players[i] = new Player(VORN_Color(r, g, b, 1));
        players[i]->createFigures(static_cast<unsigned>(chosenFigures), -Rules::dropAreaX,
                                  Rules::dropAreaX, -Rules::dropAreaZ, Rules::dropAreaZ);
        players[i]->registerWith(&scene, &collisions, &gravityGroup);
        alivePlayers.append(static_cast<int>(i));
    }
    if (host)
        host->broadcast(startMessage());
}

void Game::nextTurn() {
    currentPlayer += 1;
    frozen = true;
    cameraLocked = true;
    state = Countdown;
    stopRates();

    // Nobody left to take the turn: the round is over rather than searched forever.
    bool anyoneLeft = false;
    for (unsigned i = 0; i < playerCount; ++i)
        anyoneLeft = anyoneLeft || (players[i] && players[i]->alive > 0);
    if (!anyoneLeft) {
        state = GameOver;
        sound.gameOver(false);
        currentFigure = nullptr;
        viewport->attach(nullptr);
        return;
    }

    if (currentPlayer >= static_cast<int>(playerCount))
        currentPlayer = 0;
    while (!players[currentPlayer] || players[currentPlayer]->alive == 0)
        currentPlayer = (currentPlayer + 1) % static_cast<int>(playerCount);

    currentFigure = players[currentPlayer]->nextFigure();
    viewport->attach(currentFigure);
    turnStart = clockNow();
    // The turn panel shows the new countdown from its first frame, not the last phase's seconds.
    secondsLeft = wholeSecondsLeft(countdownSeconds, 0);
}

// One tick of the timer. Once only computers are left it plays four ticks' worth: the game's clock
// runs four times as fast and the world moves in four steps, each as long as a normal tick's.
void Game::updateStuff() {
    if (client) { // a joined window shows the host's game and moves nothing itself
        update();
        return;
    }
    const VORN_Clock::Ticks real = VORN_Clock::now();
    const VORN_Clock::Ticks elapsed =
        std::min<VORN_Clock::Ticks>(real - lastRealTick, Rules::longestStep * 1000);
    lastRealTick = real;
    const bool fast = onlyComputersLeft();
    if (fast && !computersOnlyShown) {
        addMessage(tr("nur noch computer"));
        computersOnlyShown = true;
    }
    for (int i = 0; i < (fast ? fastForward : 1); ++i) {
        if (i > 0)
            clockAhead += elapsed;
        tick(clockNow());
    }
    if (host)
        sendState(clockNow());
    update();
}

VORN_Clock::Ticks Game::clockNow() const {
    return VORN_Clock::now() + clockAhead;
}

bool Game::onlyComputersLeft() const {
    if (computer.level == ComputerLevel::Off || playerCount == 0 || state == GameOver)
        return false;
    for (int u = 0; u < static_cast<int>(playerCount); ++u) // a person at this keyboard or another
        if (players[u] && players[u]->alive > 0 && (u < computer.firstPlayer || seatRemote(u)))
            return false;
    return computer.firstPlayer > 0; // with no person at all (the duel tool) nothing changes
}

void Game::tick(VORN_Clock::Ticks now) {
    if (playerCount != 0 && alivePlayers.size() <= 1 && state != GameOver) {
        state = GameOver;
        sound.gameOver(!alivePlayers.isEmpty());
    }

    if (computerOnTurn() && currentFigure && (state == Moving || state == Aiming)) {
        const GameState before = state;
        apply(computer.act(computerView(now)));
        // Fire mode has just begun: the computer aims from where its grenade now is, at once.
        if (before == Moving && state == Aiming)
            apply(computer.act(computerView(now)));
    }

    if (!frozen) {
        const double dt = std::min(secondsSince(lastTick, now), Rules::longestStep);
        lastTick = now;

        if (state == Aiming) {
            aimYaw += yawRate * dt;
            aimPitch = qBound(-90.0, aimPitch + raiseRate * dt, 90.0);
            aimPower += driveRate * dt;
            if (aimPower < 0)
                aimPower = 0;
        }

        if (state == Moving && currentFigure) {
            Tortoise* f = currentFigure;
            // Turn on the spot, then drive along the figure's own turned axes.
            const VORN_Vector place = f->worldPosition;
            f->rotation[1] += yawRate * dt;
            f->updateTransform(true);
            f->setWorldPosition(place);
            f->position += VORN_Vector(0, raiseRate * dt, driveRate * dt);
            f->updateTransform(true);

            if (Rules::outsidePlayArea(f->worldPosition)) {
                Player* player = players[currentPlayer];
                totalHitPoints -= f->health;
                addMessage(tr("spieler ") + QString::number(currentPlayer) + tr(" ist"));
                addMessage(tr("suizidgefaehrdet"));
                player->removeFigure(static_cast<unsigned>(player->current));
                currentFigure = nullptr;
                sound.figureLost();
                if (player->alive == 0)
                    playerLost(currentPlayer, tr("begeht selbstmord"));
                nextTurn();
            }
        }

        collisions.checkCollisions();
        physicsWorld.stepTo(now);
        collisions.checkCollisions();
    }

    // The turn panel's whole seconds; a phase that has just run out shows 0, never below.
    switch (state) {
    case Countdown: {
        const double e = secondsSince(turnStart, now);
        sound.turnClock(turnStart, countdownSeconds - e);
        if (e > countdownSeconds) {
            sound.turnStarts();
            frozen = false;
            cameraLocked = false;
            state = Moving;
            turnStart = now;
            lastTick = now;
            physicsWorld.lastTicks = now;
        }
        secondsLeft = wholeSecondsLeft(countdownSeconds, e);
        break;
    }
    case Moving: {
        const double e = secondsSince(turnStart, now);
        sound.turnClock(turnStart, moveSeconds - e);
        if (e > moveSeconds)
            nextTurn();
        else
            secondsLeft = wholeSecondsLeft(moveSeconds, e);
        break;
    }
    case Aiming: {
        const double e = secondsSince(turnStart, now);
        sound.turnClock(turnStart, aimSeconds - e);
        if (e > aimSeconds)
            nextTurn();
        else
            secondsLeft = wholeSecondsLeft(aimSeconds, e);
        break;
    }
    case Flying: {
        const VORN_Vector p = grenade.worldPosition;
        if (impactState == ImpactState::Flying && Rules::outsidePlayArea(p)) {
            takeGrenadeOutOfWorld();
            nextTurn();
        } else if (impactState == ImpactState::Hit) {
            explode(p);
        }
        if (state == Flying && turnStart != 0 &&
            secondsSince(turnStart, now) > Rules::waitAfterExplosion)
            nextTurn();
        break;
    }
    default:
        break;
    }
}

// Releases only count while a figure or the aim is steered, so a key let go in a menu, during the
// countdown or in flight would leave its rate running into the next turn: every turn and the main
// menu start still. A key held across Return keeps its rate, since fire mode is the same turn.
void Game::stopRates() {
    yawRate = 0;
    raiseRate = 0;
    driveRate = 0;
}

void Game::apply(const TurnCommand& command) {
    yawRate = command.yawRate;
    raiseRate = command.raiseRate;
    driveRate = command.driveRate;
    if (command.step == TurnCommand::Step::FireMode && state == Moving && currentFigure)
        prepareThrow();
    else if (command.step == TurnCommand::Step::Throw && state == Aiming)
        fire();
}

TurnCommand Game::heldRates() const {
    TurnCommand held;
    held.yawRate = yawRate;
    held.raiseRate = raiseRate;
    held.driveRate = driveRate;
    return held;
}

bool Game::turnUnderWay() const {
    const bool turn = state == Countdown || state == Moving || state == Aiming || state == Flying;
    return turn && playerCount != 0;
}

bool Game::computerOnTurn() const {
    return turnUnderWay() && computer.playsFor(currentPlayer) && !seatRemote(currentPlayer);
}

bool Game::remoteOnTurn() const {
    return turnUnderWay() && seatRemote(currentPlayer);
}

void Game::takeGrenadeOutOfWorld() {
    viewport->attach(nullptr);
    gravityGroup.remove(&grenadeBody);
    collisions.removeVolume(&grenadeSphere);
    scene.children.removeAll(&grenade);
}

void Game::explode(const VORN_Vector& point) {
    takeGrenadeOutOfWorld();
    landscape.createCrater(point, Rules::craterRadius);
    announceCrater(point);
    sound.explosion(point);

    for (unsigned u = 0; u < playerCount; ++u) {
        Player* player = players[u];
        if (!player)
            continue;
        for (unsigned j = 0; j < player->count; ++j) {
            Tortoise* figure = player->figures[j];
            if (!figure)
                continue;
            const double d = std::sqrt((figure->worldPosition - point).lengthSquared());
            if (!(d < Rules::blastRadius))
                continue;
            const int damage = Rules::blastDamage(d);
            if (damage > figure->health) {
                totalHitPoints -= figure->health;
                if (figure == currentFigure)
                    currentFigure = nullptr;
                player->removeFigure(j);
                sound.figureLost();
                addMessage(tr("spieler ") + QString::number(u));
                addMessage(tr("meldet verluste"));
                if (player->alive == 0) {
                    playerLost(static_cast<int>(u), tr("wird vermisst"));
                    break;
                }
            } else {
                figure->health -= damage;
                player->totalHealth -= damage;
                totalHitPoints -= damage;
            }
        }
    }

    turnStart = clockNow();
    impactState = ImpactState::Exploded;
}

// A player without figures is out at once: deleted, nulled and taken off the list of the living.
void Game::playerLost(int index, const QString& event) {
    delete players[index];
    players[index] = nullptr;
    alivePlayers.removeAll(index);
    addMessage(tr("spieler ") + QString::number(index));
    addMessage(event);
}

void Game::prepareThrow() {
    state = Aiming;
    scene.children.append(&grenade);
    grenade.setWorldPosition(Rules::launchPoint(currentFigure->worldPosition));
    aimYaw = 0;
    aimPitch = 0;
    aimPower = Rules::startPower;
}

void Game::fire() {
    const VORN_Vector direction = Rules::throwDirection(aimYaw, aimPitch);
    state = Flying;
    gravityGroup.add(&grenadeBody);
    collisions.addVolume(&grenadeSphere);
    impactState = ImpactState::Flying;
    turnStart = 0;
    grenadeBody.velocity = direction * aimPower;
    viewport->attach(&grenade);
    sound.launch();
}

void Game::handleCollision(VORN_Object* a, VORN_Object* b, VORN_Contact* contact) {
    VORN_Object* terrain = &landscape;
    if (a != terrain) {
        emit a->collisionDetected();
        a->setWorldPosition(contact->positionA);
    }
    if (b != terrain) {
        emit b->collisionDetected();
        b->setWorldPosition(contact->positionB);
    }
    if (a == &grenade || b == &grenade)
        impactState = ImpactState::Hit;
}

void Game::addMessage(const QString& line) {
    for (int i = 0; i < 5; ++i)
        messages[i] = messages[i + 1];
    messages[5] = line;
}
