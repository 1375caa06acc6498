// The rules: states, turns, the tick, commands of the player on turn, throws, explosions and the
// message log. Times are engine clock milliseconds; angles are degrees; the numbers are Rules'.
#include "game/match/Match.h"

#include "game/rules/Flight.h"
#include "game/rules/GameRandom.h"
#include "game/rules/Rules.h"
#include "game/rules/Wind.h"
#include "game/world/Player.h"
#include "game/world/TeamColours.h"
#include "game/world/Tortoise.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstring>

using namespace VORN_LIB;

namespace {

using Rules::countdownSeconds;
using Rules::wholeSecondsLeft;

const VORN_Vector origin(0, 0, 0);
const VORN_Vector noRotation(0, 0, 0);
const VORN_Vector unitScale(1, 1, 1);
const VORN_Color white(1, 1, 1, 1);

double secondsSince(VORN_Clock::Ticks start, VORN_Clock::Ticks now) {
    return (now - start) * 0.001;
}

// A lamp's sphere is owned by the post it stands on.
void* postOwner(VORN_Object* post) {
    return post;
}

} // namespace

Match::Match(const Bitmap& heightMap)
    : landscape(origin, noRotation, unitScale, white),
      lampPosts{{{origin, noRotation, unitScale, white},
                 {origin, noRotation, unitScale, white},
                 {origin, noRotation, unitScale, white},
                 {origin, noRotation, unitScale, white}}},
      lampSpheres{{{Rules::lampRadius, postOwner(&lampPosts[0])},
                   {Rules::lampRadius, postOwner(&lampPosts[1])},
                   {Rules::lampRadius, postOwner(&lampPosts[2])},
                   {Rules::lampRadius, postOwner(&lampPosts[3])}}},
      collisions(this), grenadeBody(1.0, &grenade, VORN_Vector(0, 0, 0)),
      grenadeSphere(Rules::grenadeRadius, &grenadeBody) {
    qRegisterMetaType<Match::Damage>();
    seatRemote = [](int) { return false; };
    scene.lighting = true;
    gravityGroup.gravity = VORN_Vector(0, -Rules::gravity, 0);
    grenadeSphere.ownerIsContainer = true;
    grenadeSphere.movable = true;

    for (int i = 0; i < Rules::lampCount; ++i) {
        lampPosts[i].setRotation(270, 0, 0);
        lampPosts[i].setWorldPosition(Rules::lampPlace(i));
    }

    landscape.setColor(0.7, 0.5, 0.3, 1);
    landscape.setSize(160, 80, 5, 1, 1);
    landscape.setPosition(0, 1, 0);
    setValley(heightMap);
    scene.children.append(&landscape);

    grenade.size = 0.1;
    grenade.boundingRadius = Grenade::reach * grenade.size;
    grenade.setColor(0, 0, 0, 1);
    grenade.setWorldPosition(0, 6, 0);

    physicsWorld.addGroup(&gravityGroup);
    physicsWorld.maxStep = Rules::longestStep;
    for (VORN_BoundingSphere& sphere : lampSpheres)
        collisions.addVolume(&sphere);
    collisions.addVolume(static_cast<VORN_BoundingVolume*>(&landscape));

    lastTick = VORN_Clock::now();
    lastRealTick = lastTick;
    physicsWorld.lastTicks = lastTick;
    reset();
}

// The figures go before the world they are registered with.
Match::~Match() {
    players.clear();
}

// A grenade shown for aiming stays where it is, drawn behind the menus, as the rates and the aim
// do; a new turn starts them afresh.
void Match::reset() {
    frozen = true;
    stopRates();
    players.clear();
    playerCount = 0;
    currentPlayer = -1;
    currentFigure = nullptr;
    totalHitPoints = 0;
    alivePlayers.clear();
    state = NoGame;
    messages.fill(LogLine());
    messages.back() = LogLine(LogLine::Text::Welcome);
    emit logChanged();
}

void Match::setValley(const Bitmap& heights) {
    landscape.createFromBitmap(heights);
    // The heights craters are dug into: a late joiner digs the same craters into the same ground.
    valleyHeights.clear();
    for (std::size_t i = 0; i < landscape.points(); ++i)
        valleyHeights.push_back(landscape.height(i));
    craters.clear();
}

void Match::newGame(int playerNumber, int figures) {
    // Each player's colour is drawn right before its figures' places, three draws as ever.
    TeamColours colours;
    makePlayers(playerNumber, figures, [&colours](int) {
        const int r = randomDraw();
        const int g = randomDraw();
        const int b = randomDraw();
        return colours.take(r, g, b);
    });
}

void Match::newGameOf(const QVector<float>& colours, int figures) {
    makePlayers(std::min(static_cast<int>(colours.size() / 3), 9), figures, [&colours](int i) {
        return VORN_Color(colours[3 * i], colours[3 * i + 1], colours[3 * i + 2], 1);
    });
}

void Match::makePlayers(int count, int figures, const std::function<VORN_Color(int)>& colourOf) {
    players.clear();
    alivePlayers.clear();
    computer.reset();
    computersOnlyShown = false;
    figuresEach = std::clamp(figures, 1, 9);
    playerCount = static_cast<unsigned>(std::max(count, 0));
    totalHitPoints = static_cast<int>(playerCount) * figuresEach * Rules::startHealth;
    for (unsigned i = 0; i < playerCount; ++i) {
        players.push_back(std::make_unique<Player>(colourOf(static_cast<int>(i))));
        players[i]->createFigures(static_cast<unsigned>(figuresEach), -Rules::dropAreaX,
                                  Rules::dropAreaX, -Rules::dropAreaZ, Rules::dropAreaZ);
        players[i]->registerWith(&scene, &collisions, &gravityGroup);
        alivePlayers.append(static_cast<int>(i));
    }
    stock.clear();
    for (unsigned i = 0; i < playerCount; ++i)
        stock.push_back(settings.weapons == GameSettings::Weapons::All ? Weapons::fullStock()
                                                                       : Weapons::grenadeOnly());
    currentPlayer = -1;
    currentFigure = nullptr;
    tellSettings();
    emit gameStarted();
}

void Match::tellSettings() {
    if (settings.valley == GameSettings::Valley::Random)
        addMessage(
            LogLine(LogLine::Text::ValleyNumber, -1, QString::number(settings.valleyNumber)));
    else if (settings.valley == GameSettings::Valley::Picture)
        addMessage(
            LogLine(LogLine::Text::ValleyPicture, -1,
                    QFileInfo(QString::fromStdString(settings.valleyPicture)).completeBaseName()));
    if (settings.wind == GameSettings::Wind::Light)
        addMessage(LogLine(LogLine::Text::WindLight));
    else if (settings.wind == GameSettings::Wind::Strong)
        addMessage(LogLine(LogLine::Text::WindStrong));
    if (settings.weapons == GameSettings::Weapons::All)
        addMessage(LogLine(LogLine::Text::AllWeapons));
}

void Match::nextTurn() {
    currentPlayer += 1;
    frozen = true;
    state = Countdown;
    stopRates();

    // Nobody left to take the turn: the round is over rather than searched forever.
    bool anyoneLeft = false;
    for (const auto& player : players)
        anyoneLeft = anyoneLeft || (player && player->alive > 0);
    if (!anyoneLeft) {
        state = GameOver;
        currentFigure = nullptr;
        emit gameOver(false);
        return;
    }

    if (currentPlayer >= static_cast<int>(playerCount))
        currentPlayer = 0;
    while (!players[currentPlayer] || players[currentPlayer]->alive == 0)
        currentPlayer = (currentPlayer + 1) % static_cast<int>(playerCount);

    currentFigure = players[currentPlayer]->nextFigure();
    weapon = Weapon::Grenade;
    wind = Wind::draw(settings.wind);
    turnStart = clockNow();
    // The turn panel shows the new countdown from its first frame, not the last phase's seconds.
    secondsLeft = wholeSecondsLeft(countdownSeconds, 0);
    secondsToThrow = 0;
    emit turnStarted(currentPlayer, currentFigure);
}

void Match::advance(VORN_Clock::Ticks real) {
    const VORN_Clock::Ticks elapsed =
        std::min<VORN_Clock::Ticks>(real - lastRealTick, Rules::longestStep * 1000);
    lastRealTick = real;
    const bool fast = onlyComputersLeft();
    if (fast && !computersOnlyShown) {
        addMessage(LogLine(LogLine::Text::OnlyComputers));
        computersOnlyShown = true;
    }
    for (int i = 0; i < (fast ? fastForward : 1); ++i) {
        if (i > 0)
            clockAhead += elapsed;
        tick(real + clockAhead);
    }
}

VORN_Clock::Ticks Match::clockNow() const {
    return ticking != 0 ? ticking : VORN_Clock::now() + clockAhead;
}

bool Match::onlyComputersLeft() const {
    if (computer.level == ComputerLevel::Off || playerCount == 0 || state == GameOver)
        return false;
    for (int u = 0; u < static_cast<int>(playerCount); ++u) // a person at this keyboard or another
        if (players[u] && players[u]->alive > 0 && (u < computer.firstPlayer || seatRemote(u)))
            return false;
    return computer.firstPlayer > 0; // with no person at all (the duel tool) nothing changes
}

void Match::endGame() {
    state = GameOver;
    emit gameOver(!alivePlayers.isEmpty());
}

void Match::tick(VORN_Clock::Ticks now) {
    ticking = now;
    tickUnderWay(now);
    ticking = 0;
}

void Match::tickUnderWay(VORN_Clock::Ticks now) {
    if (playerCount != 0 && alivePlayers.size() <= 1 && state != GameOver)
        endGame();

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
            aimPitch = std::clamp(aimPitch + raiseRate * dt, -90.0, 90.0);
            aimPower = std::max(0.0, aimPower + driveRate * dt);
        }
        if (state == Moving && currentFigure)
            moveFigure(dt);

        collisions.checkCollisions();
        // The figures fall as the physics steps them, the grenade as the flight model moves it,
        // by the same step.
        const double step =
            std::min(secondsSince(physicsWorld.lastTicks, now), physicsWorld.maxStep);
        physicsWorld.stepTo(now);
        if (grenadeFlying)
            moveGrenade(step);
        collisions.checkCollisions();
    }

    // The turn panel's whole seconds; a phase that has just run out shows 0, never below.
    switch (state) {
    case Countdown: {
        const double e = secondsSince(turnStart, now);
        emit turnClock(turnStart, countdownSeconds - e);
        if (e > countdownSeconds) {
            frozen = false;
            state = Moving;
            turnStart = now;
            secondsToThrow = Rules::secondsToThrow(0);
            lastTick = now;
            physicsWorld.lastTicks = now;
            emit playStarted();
        }
        secondsLeft = wholeSecondsLeft(countdownSeconds, e);
        break;
    }
    case Moving:
    case Aiming: {
        const double limit = Rules::phaseSeconds(state);
        const double e = secondsSince(turnStart, now);
        emit turnClock(turnStart, limit - e);
        if (e > limit) {
            timeRanOut();
        } else {
            secondsLeft = wholeSecondsLeft(limit, e);
            secondsToThrow = Rules::secondsToThrow(e);
        }
        break;
    }
    case Flying: {
        const VORN_Vector p = grenade.worldPosition;
        if (impactState == ImpactState::Flying && Rules::outsidePlayArea(p)) {
            takeGrenadeOutOfWorld();
            nextTurn();
        } else if (impactState == ImpactState::Hit) {
            // A bouncer springs off the ground until its time is up; a figure or a lamp it meets
            // sets it off at once.
            if (Weapons::bounces(thrownWeapon) && !hitFixed && now < fuseEnds)
                bounce();
            else
                explode(p);
        } else if (impactState == ImpactState::Flying && grenadeFlying &&
                   Weapons::bounces(thrownWeapon) && now >= fuseEnds) {
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

// A turn out of time ends with no throw: a grenade shown for aiming goes with it, so it does not
// hang over the next turn, and the log says why the turn is over.
void Match::timeRanOut() {
    const int player = currentPlayer;
    if (state == Aiming)
        takeGrenadeOutOfWorld();
    addMessage(LogLine(LogLine::Text::TimeUp));
    emit timeUp(player);
    nextTurn();
}

// Turn on the spot, then drive along the figure's own turned axes. A figure driven beyond the
// play area is lost, and with it the turn.
void Match::moveFigure(double dt) {
    Tortoise* f = currentFigure;
    const VORN_Vector place = f->worldPosition;
    f->rotation[1] += yawRate * dt;
    f->updateTransform(true);
    f->setWorldPosition(place);
    f->position += VORN_Vector(0, raiseRate * dt, driveRate * dt);
    f->updateTransform(true);
    if (!Rules::outsidePlayArea(f->worldPosition))
        return;

    Player* player = players[currentPlayer].get();
    totalHitPoints -= f->health;
    addMessage(LogLine(LogLine::Text::PlayerIs, currentPlayer));
    addMessage(LogLine(LogLine::Text::Suicidal));
    player->removeFigure(static_cast<unsigned>(player->current));
    currentFigure = nullptr;
    emit figureLost(currentPlayer);
    if (player->alive == 0) {
        playerLost(currentPlayer, LogLine::Text::Suicide);
        emit playerOut(currentPlayer);
    }
    nextTurn();
}

void Match::moveGrenade(double dt) {
    // The grenade is never turned: its local frame is the world's.
    grenade.position += grenade.worldOrientation * Flight::step(grenadeBody.velocity, dt, wind);
    grenade.updateTransform(true);
    flightVelocity = grenadeBody.velocity;
}

// Off the ground's slope (its normal from the heights either side), keeping part of the speed.
void Match::bounce() {
    const VORN_Vector p = grenade.worldPosition;
    const double e = 0.5;
    auto h = [this](double x, double z) { return landscape.surfaceHeight(x, z); };
    VORN_Vector n(h(p.x() - e, p.z()) - h(p.x() + e, p.z()), 2 * e,
                  h(p.x(), p.z() - e) - h(p.x(), p.z() + e));
    n.normalize();
    VORN_Vector v = flightVelocity;
    const double into = dot(v, n);
    if (into < 0)
        v = v - n * (2 * into);
    grenadeBody.velocity = v * Weapons::bounceKept;
    impactState = ImpactState::Flying;
}

// Releases only count while a figure or the aim is steered, so a key let go in a menu, during the
// countdown or in flight would leave its rate running into the next turn: every turn and the main
// menu start still. A key held across Return keeps its rate, since fire mode is the same turn.
void Match::stopRates() {
    yawRate = 0;
    raiseRate = 0;
    driveRate = 0;
}

void Match::apply(const TurnCommand& command) {
    yawRate = command.yawRate;
    raiseRate = command.raiseRate;
    driveRate = command.driveRate;
    if (command.weapon >= 1 && command.weapon <= Weapons::count && state == Aiming)
        chooseWeapon(static_cast<Weapon>(command.weapon - 1));
    // Past the time to throw, Return would only show the grenade for the turn to end at the next
    // tick: the figure drives on instead, and the panel shows no time left to throw.
    if (command.step == TurnCommand::Step::FireMode && state == Moving && currentFigure &&
        secondsSince(turnStart, clockNow()) <= Rules::aimSeconds)
        prepareThrow();
    else if (command.step == TurnCommand::Step::Throw && state == Aiming)
        fire();
}

TurnCommand Match::heldRates() const {
    TurnCommand held;
    held.yawRate = yawRate;
    held.raiseRate = raiseRate;
    held.driveRate = driveRate;
    return held;
}

bool Match::turnUnderWay() const {
    const bool turn = state == Countdown || state == Moving || state == Aiming || state == Flying;
    return turn && playerCount != 0;
}

bool Match::computerOnTurn() const {
    return turnUnderWay() && computer.playsFor(currentPlayer) && !seatRemote(currentPlayer);
}

bool Match::remoteOnTurn() const {
    return turnUnderWay() && seatRemote(currentPlayer);
}

bool Match::grenadeShown() const {
    return scene.children.contains(const_cast<Grenade*>(&grenade));
}

void Match::takeGrenadeOutOfWorld() {
    grenadeFlying = false;
    collisions.removeVolume(&grenadeSphere);
    scene.children.removeAll(&grenade);
    emit grenadeGone();
}

bool Match::chooseWeapon(Weapon w) {
    if (state != Aiming || weaponsLeft(currentPlayer, w) == 0)
        return false;
    weapon = w;
    return true;
}

int Match::weaponsLeft(int player, Weapon w) const {
    if (player < 0 || player >= static_cast<int>(stock.size()))
        return w == Weapon::Grenade ? Weapons::endless : 0;
    return stock[player][static_cast<std::size_t>(w)];
}

// Every blast of the weapon: the crater first, then the hit points, each figure hurt by each
// blast it is near; then, blast by blast, what listeners hear.
void Match::explode(const VORN_Vector& point) {
    takeGrenadeOutOfWorld();
    const VORN_Landscape* land = &landscape;
    std::vector<Outcome> outcomes;
    for (const VORN_Vector& at : Weapons::blastPoints(
             thrownWeapon, point, [land](double x, double z) { return land->surfaceHeight(x, z); }))
        outcomes.push_back(blast(at));

    turnStart = clockNow();
    impactState = ImpactState::Exploded;
    // The crater and the blast first, then each loss, then who is out: listeners hear them in
    // that order.
    for (const Outcome& o : outcomes) {
        emit exploded(o.point, o.hurt);
        for (int u : o.lost)
            emit figureLost(u);
        for (int u : o.out)
            emit playerOut(u);
    }
}

Match::Outcome Match::blast(const VORN_Vector& point) {
    const Weapons::Row& rules = Weapons::of(thrownWeapon);
    dig(point, rules.crater);

    Outcome outcome;
    outcome.point = point;
    QVector<Damage>& hurt = outcome.hurt;
    std::vector<int>& lost = outcome.lost;
    std::vector<int>& out = outcome.out;
    for (unsigned u = 0; u < playerCount; ++u) {
        Player* player = players[u].get();
        if (!player)
            continue;
        for (unsigned j = 0; j < player->count; ++j) {
            Tortoise* figure = player->figure(j);
            if (!figure)
                continue;
            const double d = std::sqrt((figure->worldPosition - point).lengthSquared());
            if (!(d < rules.radius))
                continue;
            const int damage = Weapons::damage(thrownWeapon, d);
            if (damage > figure->health) {
                totalHitPoints -= figure->health;
                if (figure == currentFigure)
                    currentFigure = nullptr;
                player->removeFigure(j);
                lost.push_back(static_cast<int>(u));
                addMessage(LogLine(LogLine::Text::Player, static_cast<int>(u)));
                addMessage(LogLine(LogLine::Text::Losses));
                if (player->alive == 0) {
                    playerLost(static_cast<int>(u), LogLine::Text::Missing);
                    out.push_back(static_cast<int>(u));
                    break;
                }
            } else {
                figure->health -= damage;
                player->totalHealth -= damage;
                totalHitPoints -= damage;
                hurt.append({static_cast<int>(u), damage, figure});
            }
        }
    }
    return outcome;
}

// A player without figures is out at once: its record dropped and taken off the list of the living.
void Match::playerLost(int index, LogLine::Text event) {
    players[index].reset();
    alivePlayers.removeAll(index);
    addMessage(LogLine(LogLine::Text::Player, index));
    addMessage(LogLine(event));
}

void Match::prepareThrow() {
    state = Aiming;
    scene.children.append(&grenade);
    grenade.setWorldPosition(Rules::launchPoint(currentFigure->worldPosition));
    aimYaw = 0;
    aimPitch = 0;
    aimPower = Rules::startPower;
}

void Match::fire() {
    const VORN_Vector direction = Rules::throwDirection(aimYaw, aimPitch);
    state = Flying;
    grenadeFlying = true;
    collisions.addVolume(&grenadeSphere);
    impactState = ImpactState::Flying;
    turnStart = 0;
    grenadeBody.velocity = direction * aimPower;
    thrownWeapon = weapon;
    hitFixed = false;
    if (Weapons::bounces(weapon))
        fuseEnds = clockNow() + static_cast<VORN_Clock::Ticks>(Weapons::of(weapon).fuse * 1000);
    if (currentPlayer >= 0 && currentPlayer < static_cast<int>(stock.size())) {
        int& left = stock[currentPlayer][static_cast<std::size_t>(weapon)];
        if (left != Weapons::endless)
            --left;
    }
    emit thrown();
}

void Match::handleCollision(VORN_Object* a, VORN_Object* b, VORN_Contact* contact) {
    VORN_Object* terrain = &landscape;
    if (a != terrain) {
        emit a->collisionDetected();
        a->setWorldPosition(contact->positionA);
    }
    if (b != terrain) {
        emit b->collisionDetected();
        b->setWorldPosition(contact->positionB);
    }
    if (a == &grenade || b == &grenade) {
        impactState = ImpactState::Hit;
        hitFixed = hitFixed || (a != terrain && b != terrain);
    }
}

void Match::addMessage(const LogLine& line) {
    std::rotate(messages.begin(), messages.begin() + 1, messages.end());
    messages.back() = line;
    emit logChanged();
}

QList<int> Match::strengthPieAngles() const {
    QList<int> angles{0};
    const int remaining = alivePlayers.size();
    double sum = 0.0;
    for (const auto& player : players) {
        if (!player)
            continue;
        // With no hit points left anywhere the remaining players share the circle equally.
        sum += totalHitPoints != 0 ? static_cast<double>(player->totalHealth) / totalHitPoints
                                   : 1.0 / remaining;
        angles.append(static_cast<int>(sum * 5760));
    }
    return angles;
}

quint32 Match::heightmapChecksum() const {
    quint32 sum = 2166136261u;
    for (std::size_t i = 0; i < landscape.points(); ++i) {
        const double height = landscape.height(i);
        unsigned char bytes[sizeof(double)];
        std::memcpy(bytes, &height, sizeof(double));
        for (unsigned char b : bytes)
            sum = (sum ^ b) * 16777619u;
    }
    return sum;
}

void Match::dig(const VORN_Vector& point, double radius) {
    landscape.createCrater(point, radius);
    craters.push_back(point);
}

void Match::restoreValley() {
    if (!landscape.grid)
        return;
    for (std::size_t i = 0; i < valleyHeights.size(); ++i)
        landscape.setHeight(i, valleyHeights[i]);
    landscape.createNormals(0, 0, 0, 0);
    craters.clear();
}

TurnView Match::computerView(VORN_Clock::Ticks now) const {
    TurnView view;
    view.state = state;
    view.now = now;
    view.turnStarted = turnStart;
    // The step the tick is about to take, capped as the tick caps it.
    view.step = std::min((now - lastTick) * 0.001, Rules::longestStep);
    if (currentFigure) {
        view.position = currentFigure->worldPosition;
        view.heading = currentFigure->rotation.y();
    }
    view.aimYaw = aimYaw;
    view.aimPitch = aimPitch;
    view.aimPower = aimPower;
    view.launch = grenade.worldPosition;
    view.field = computerField();
    view.field.wind = wind;
    for (int w = 0; w < Weapons::count; ++w)
        view.field.stock[w] = weaponsLeft(currentPlayer, static_cast<Weapon>(w));
    return view;
}

// Its own figures (the one on turn first), the others, the lamps, and the valley's heights. Figures
// still falling count where they will land.
ComputerPlayer::Field Match::computerField() const {
    ComputerPlayer::Field field;
    const VORN_Landscape* land = &landscape;
    field.ground = [land](double x, double z) { return land->surfaceHeight(x, z); };

    auto restingPlace = [&](const Tortoise* f) {
        const VORN_Vector p = f->worldPosition;
        const double ground = field.ground(p.x(), p.z()) + Rules::figureRadius;
        return ComputerPlayer::Figure{VORN_Vector(p.x(), std::min(p.y(), ground), p.z()),
                                      f->health};
    };
    if (currentFigure)
        field.own.push_back(restingPlace(currentFigure));
    for (unsigned u = 0; u < playerCount; ++u) {
        const Player* player = players[u].get();
        for (unsigned j = 0; player && j < player->count; ++j) {
            const Tortoise* f = player->figure(j);
            if (!f || f == currentFigure)
                continue;
            if (static_cast<int>(u) == currentPlayer)
                field.own.push_back(restingPlace(f));
            else
                field.enemies.push_back(restingPlace(f));
        }
    }
    for (int i = 0; i < Rules::lampCount; ++i)
        field.fixed.push_back({lampPosts[i].worldPosition, lampSpheres[i].radius});
    return field;
}
