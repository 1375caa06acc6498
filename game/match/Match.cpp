// The rules: states, turns, the tick, commands of the player on turn, throws, explosions and the
// message log. Times are engine clock milliseconds; angles are degrees; the numbers are Rules'.
#include "game/match/Match.h"

#include "game/rules/Flight.h"
#include "game/rules/GameRandom.h"
#include "game/rules/Rules.h"
#include "game/rules/SettingChoices.h"
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
    : landscape_(origin, noRotation, unitScale, white),
      lampPosts_{{{origin, noRotation, unitScale, white},
                  {origin, noRotation, unitScale, white},
                  {origin, noRotation, unitScale, white},
                  {origin, noRotation, unitScale, white}}},
      lampSpheres_{{{Rules::lampRadius, postOwner(&lampPosts_[0])},
                    {Rules::lampRadius, postOwner(&lampPosts_[1])},
                    {Rules::lampRadius, postOwner(&lampPosts_[2])},
                    {Rules::lampRadius, postOwner(&lampPosts_[3])}}},
      collisions_(this), grenadeBody_(1.0, &grenade_, VORN_Vector(0, 0, 0)),
      grenadeSphere_(Rules::grenadeRadius, &grenadeBody_) {
    qRegisterMetaType<Match::Damage>();
    seatRemote_ = [](int) { return false; };
    scene_.lighting = true;
    gravityGroup_.gravity = VORN_Vector(0, -Rules::gravity, 0);
    grenadeSphere_.ownerIsContainer = true;
    grenadeSphere_.movable = true;

    for (int i = 0; i < Rules::lampCount; ++i) {
        lampPosts_[i].setRotation(270, 0, 0);
        lampPosts_[i].setWorldPosition(Rules::lampPlace(i));
    }

    landscape_.setColor(0.7, 0.5, 0.3, 1);
    landscape_.setSize(160, 80, 5, 1, 1);
    landscape_.setPosition(0, 1, 0);
    setValley(heightMap);
    scene_.children.append(&landscape_);

    grenade_.size = 0.1;
    grenade_.boundingRadius = Grenade::reach * grenade_.size;
    grenade_.setColor(0, 0, 0, 1);
    grenade_.setWorldPosition(0, 6, 0);

    physicsWorld_.addGroup(&gravityGroup_);
    physicsWorld_.maxStep = Rules::longestStep;
    for (VORN_BoundingSphere& sphere : lampSpheres_)
        collisions_.addVolume(&sphere);
    collisions_.addVolume(static_cast<VORN_BoundingVolume*>(&landscape_));

    lastTick_ = VORN_Clock::now();
    lastRealTick_ = lastTick_;
    physicsWorld_.lastTicks = lastTick_;
    reset();

    // The story hears every event first, on a joined machine as on the host: the end screen and
    // the host's report read it complete.
    connect(this, &Match::gameStarted, this, [this] { story_.begin(*this); });
    connect(this, &Match::turnStarted, this, [this] { story_.turnBegins(*this); });
    connect(this, &Match::exploded, this, [this] { story_.settle(*this); });
    connect(this, &Match::figureLost, this, [this] { story_.settle(*this); });
    connect(this, &Match::gameOver, this, [this] { story_.end(*this); });
}

// The figures go before the world they are registered with.
Match::~Match() {
    players_.clear();
}

// A grenade shown for aiming stays where it is, drawn behind the menus, as the rates and the aim
// do; a new turn starts them afresh.
void Match::reset() {
    pause(false);
    frozen_ = true;
    stopRates();
    players_.clear();
    playerCount_ = 0;
    currentPlayer_ = -1;
    currentFigure_ = nullptr;
    totalHitPoints_ = 0;
    alivePlayers_.clear();
    passedOver_.clear();
    state_ = NoGame;
    messages_.fill(LogLine());
    messages_.back() = LogLine(LogLine::Text::Welcome);
    emit logChanged();
}

void Match::setValley(const Bitmap& heights) {
    landscape_.createFromBitmap(heights);
    // The heights craters are dug into: a late joiner digs the same craters into the same ground.
    valleyHeights.clear();
    for (std::size_t i = 0; i < landscape_.points(); ++i)
        valleyHeights.push_back(landscape_.height(i));
    craters_.clear();
}

void Match::newGame(int playerNumber, int figures) {
    // A colour a seat picked is its own; the others are drawn among the rest, each right before
    // its figures' places, three draws as ever, so that the figures drop where they always did.
    TeamColours colours;
    std::vector<int> picked(std::size_t(std::max(playerNumber, 0)), -1);
    for (std::size_t i = 0; i < picked.size() && i < seats_.size(); ++i)
        if (colours.reserve(seats_[i].colour))
            picked[i] = seats_[i].colour;
    for (std::size_t i = 0; i < computer_.seatLevels.size(); ++i)
        computer_.seatLevels[i] = i < seats_.size() ? seats_[i].level : std::nullopt;
    names_.assign(picked.size(), QString());
    for (std::size_t i = 0; i < picked.size() && i < seats_.size(); ++i)
        names_[i] = seats_[i].name;
    makePlayers(playerNumber, figures, [&colours, &picked](int i) {
        const int r = randomDraw();
        const int g = randomDraw();
        const int b = randomDraw();
        const int own = picked[std::size_t(i)];
        return own >= 0 ? TeamColours::palette()[std::size_t(own)] : colours.take(r, g, b);
    });
}

void Match::newGameOf(const QVector<float>& colours, int figures) {
    computer_.seatLevels.fill(std::nullopt); // the host's seats are the host's
    names_.clear();
    makePlayers(std::min(static_cast<int>(colours.size() / 3), 9), figures, [&colours](int i) {
        return VORN_Color(colours[3 * i], colours[3 * i + 1], colours[3 * i + 2], 1);
    });
}

QString Match::nameOf(int player) const {
    return player >= 0 && player < int(names_.size()) ? names_[std::size_t(player)] : QString();
}

void Match::makePlayers(int count, int figures, const std::function<VORN_Color(int)>& colourOf) {
    players_.clear();
    alivePlayers_.clear();
    passedOver_.clear();
    computer_.reset();
    computersOnlyShown_ = false;
    round_ = 0;
    hostSuddenDeath_ = false;
    figuresEach_ = std::clamp(figures, 1, 9);
    playerCount_ = static_cast<unsigned>(std::max(count, 0));
    totalHitPoints_ = static_cast<int>(playerCount_) * figuresEach_ * Rules::startHealth;
    for (unsigned i = 0; i < playerCount_; ++i) {
        players_.push_back(std::make_unique<Player>(colourOf(static_cast<int>(i))));
        players_[i]->createFigures(static_cast<unsigned>(figuresEach_), -Rules::dropAreaX,
                                   Rules::dropAreaX, -Rules::dropAreaZ, Rules::dropAreaZ);
        players_[i]->registerWith(&scene_, &collisions_, &gravityGroup_);
        alivePlayers_.append(static_cast<int>(i));
    }
    stock_.clear();
    for (unsigned i = 0; i < playerCount_; ++i)
        stock_.push_back(settings_.weapons == GameSettings::Weapons::All ? Weapons::fullStock()
                                                                         : Weapons::grenadeOnly());
    currentPlayer_ = -1;
    currentFigure_ = nullptr;
    tellSettings();
    emit gameStarted();
}

void Match::tellSettings() {
    if (settings_.valley == GameSettings::Valley::Random)
        addMessage(
            LogLine(LogLine::Text::ValleyNumber, -1, QString::number(settings_.valleyNumber)));
    else if (settings_.valley == GameSettings::Valley::Picture)
        addMessage(
            LogLine(LogLine::Text::ValleyPicture, -1,
                    QFileInfo(QString::fromStdString(settings_.valleyPicture)).completeBaseName()));
    for (const SettingChoices::Row& row : SettingChoices::rows) {
        const int line = row.values[static_cast<std::size_t>(row.get(settings_))].logLine;
        if (line != SettingChoices::noLogLine)
            addMessage(LogLine(static_cast<LogLine::Text>(line)));
    }
}

// The choices' log lines are lines of the log's own numbering.
static_assert(SettingChoices::rows[0].values[1].logLine == int(LogLine::Text::WindLight) &&
                  SettingChoices::rows[0].values[2].logLine == int(LogLine::Text::WindStrong) &&
                  SettingChoices::rows[1].values[1].logLine == int(LogLine::Text::AllWeapons) &&
                  SettingChoices::rows[2].values[1].logLine == int(LogLine::Text::PaceQuick) &&
                  SettingChoices::rows[2].values[2].logLine == int(LogLine::Text::PaceLong) &&
                  SettingChoices::rows[3].values[1].logLine == int(LogLine::Text::SuddenDeath5) &&
                  SettingChoices::rows[3].values[2].logLine == int(LogLine::Text::SuddenDeath10),
              "a choice's log line is not the log's");

void Match::nextTurn() {
    const bool wasOn = suddenDeath();
    if (opensRound())
        ++round_;
    if (suddenDeath()) {
        if (!wasOn)
            addMessage(LogLine(LogLine::Text::SuddenDeath));
        suddenDeathStrikes();
    }
    currentPlayer_ += 1;
    frozen_ = true;
    state_ = Countdown;
    stopRates();
    earlyFireMode_ = false;

    // Nobody left to take the turn: the round is over rather than searched forever.
    bool anyoneLeft = false;
    for (unsigned i = 0; i < players_.size(); ++i)
        anyoneLeft = anyoneLeft || (players_[i] && players_[i]->alive > 0 && !passedOver(int(i)));
    if (!anyoneLeft) {
        state_ = GameOver;
        currentFigure_ = nullptr;
        emit gameOver(false);
        return;
    }

    if (currentPlayer_ >= static_cast<int>(playerCount_))
        currentPlayer_ = 0;
    while (!players_[currentPlayer_] || players_[currentPlayer_]->alive == 0 ||
           passedOver(currentPlayer_))
        currentPlayer_ = (currentPlayer_ + 1) % static_cast<int>(playerCount_);

    currentFigure_ = players_[currentPlayer_]->nextFigure();
    weapon_ = Weapon::Grenade;
    wind_ = Wind::draw(settings_.wind);
    turnStart_ = clockNow();
    // The turn panel shows the new countdown from its first frame, not the last phase's seconds.
    secondsLeft_ = wholeSecondsLeft(countdownSeconds, 0);
    secondsToThrow_ = 0;
    emit turnStarted(currentPlayer_, currentFigure_);
}

void Match::advance(VORN_Clock::Ticks real) {
    if (paused())
        return;
    const VORN_Clock::Ticks elapsed =
        std::min<VORN_Clock::Ticks>(real - lastRealTick_, Rules::longestStep * 1000);
    lastRealTick_ = real;
    const bool fast = onlyComputersLeft();
    if (fast && !computersOnlyShown_) {
        addMessage(LogLine(LogLine::Text::OnlyComputers));
        computersOnlyShown_ = true;
    }
    for (int i = 0; i < (fast ? fastForward : 1); ++i) {
        if (i > 0)
            clockAhead_ += elapsed;
        tick(real + clockAhead_);
    }
}

VORN_Clock::Ticks Match::clockNow() const {
    if (ticking_ != 0)
        return ticking_;
    return (paused() ? pausedAt_ : VORN_Clock::now()) + clockAhead_;
}

// The game clock stands while paused: the time paused is taken off its lead over the engine
// clock, and off the timer's last reading, so that the fast play of computers counts none of it.
void Match::pause(bool on) {
    if (on == paused())
        return;
    if (on) {
        pausedAt_ = VORN_Clock::now();
        return;
    }
    const VORN_Clock::Ticks stood = VORN_Clock::now() - pausedAt_;
    clockAhead_ -= stood;
    lastRealTick_ += stood;
    pausedAt_ = 0;
}

bool Match::countdownEnding() const {
    return state_ == Countdown && playerCount_ != 0 &&
           secondsSince(turnStart_, clockNow()) >= countdownSeconds - 1;
}

bool Match::throwTimeOver() const {
    return state_ == Moving &&
           secondsSince(turnStart_, clockNow()) > Rules::timesOf(settings_.pace).aim;
}

bool Match::onlyComputersLeft() const {
    if (playerCount_ == 0 || state_ == GameOver)
        return false;
    // A person's seat: one at this keyboard, as its seat or the menu's level chose, or another's.
    bool person = false;
    for (int u = 0; u < static_cast<int>(playerCount_); ++u) {
        if (computer_.chosenFor(u) != ComputerLevel::Off && !seatRemote_(u))
            continue;
        if (players_[u] && players_[u]->alive > 0)
            return false;
        person = true;
    }
    // A game of computers alone from its start (the duel tool, or every seat chosen so) is
    // watched at its own speed.
    return person;
}

void Match::endGame() {
    state_ = GameOver;
    emit gameOver(!alivePlayers_.isEmpty());
}

void Match::tick(VORN_Clock::Ticks now) {
    if (paused())
        return;
    ticking_ = now;
    tickUnderWay(now);
    ticking_ = 0;
}

void Match::tickUnderWay(VORN_Clock::Ticks now) {
    if (playerCount_ != 0 && alivePlayers_.size() <= 1 && state_ != GameOver)
        endGame();

    if (computerOnTurn() && currentFigure_ && (state_ == Moving || state_ == Aiming)) {
        const GameState before = state_;
        apply(computer_.act(computerView(now)));
        // Fire mode has just begun: the computer aims from where its grenade now is, at once.
        if (before == Moving && state_ == Aiming)
            apply(computer_.act(computerView(now)));
    }

    if (!frozen_) {
        const double dt = std::min(secondsSince(lastTick_, now), Rules::longestStep);
        lastTick_ = now;

        if (state_ == Aiming) {
            aimYaw_ += yawRate_ * dt;
            aimPitch_ = std::clamp(aimPitch_ + raiseRate_ * dt, -90.0, 90.0);
            aimPower_ = std::max(0.0, aimPower_ + driveRate_ * dt);
        }
        if (state_ == Moving && currentFigure_)
            moveFigure(dt);

        collisions_.checkCollisions();
        // The figures fall as the physics steps them, the grenade as the flight model moves it,
        // by the same step.
        const double step =
            std::min(secondsSince(physicsWorld_.lastTicks, now), physicsWorld_.maxStep);
        physicsWorld_.stepTo(now);
        if (grenadeFlying_)
            moveGrenade(step);
        collisions_.checkCollisions();
    }

    // The turn panel's whole seconds; a phase that has just run out shows 0, never below.
    switch (state_) {
    case Countdown:
    case Moving:
    case Aiming: {
        const double limit = Rules::phaseSeconds(state_, settings_.pace);
        const double e = secondsSince(turnStart_, now);
        tellPhaseClock(now);
        if (e <= limit) {
            secondsLeft_ = wholeSecondsLeft(limit, e);
            if (state_ != Countdown)
                secondsToThrow_ = Rules::secondsToThrow(e, settings_.pace);
        } else if (state_ == Countdown) {
            startPlay(now);
            secondsLeft_ = 0; // the countdown's own time, run out
        } else {
            timeRanOut();
        }
        break;
    }
    case Flying: {
        const VORN_Vector p = grenade_.worldPosition;
        if (impactState_ == ImpactState::Flying && Rules::outsidePlayArea(p)) {
            // Out of the valley: said where it crossed the edge, and the turn passes at once.
            takeGrenadeOutOfWorld();
            addMessage(LogLine(LogLine::Text::OutOfPlay));
            emit grenadeOut(Rules::edgePointOf(p));
            nextTurn();
        } else if (impactState_ == ImpactState::Hit) {
            // A bouncer springs off the ground until its time is up; a figure or a lamp it meets
            // sets it off at once.
            if (Weapons::bounces(thrownWeapon_) && !hitFixed && now < fuseEnds)
                bounce();
            else
                explode(p);
        } else if (impactState_ == ImpactState::Flying && grenadeFlying_ &&
                   Weapons::bounces(thrownWeapon_) && now >= fuseEnds) {
            explode(p);
        }
        if (state_ == Flying && turnStart_ != 0 &&
            secondsSince(turnStart_, now) > Rules::waitAfterExplosion)
            nextTurn();
        break;
    }
    default:
        break;
    }
}

// The countdown is over: the world moves, and the clocks to drive and to throw start now.
void Match::startPlay(VORN_Clock::Ticks now) {
    frozen_ = false;
    state_ = Moving;
    turnStart_ = now;
    secondsToThrow_ = Rules::secondsToThrow(0, settings_.pace);
    lastTick_ = now;
    physicsWorld_.lastTicks = now;
    emit playStarted();
    // Return pressed as the countdown ended: fire mode as the turn begins.
    if (earlyFireMode_ && state_ == Moving && currentFigure_)
        prepareThrow();
    earlyFireMode_ = false;
}

// A turn out of time ends with no throw: a grenade shown for aiming goes with it, so it does not
// hang over the next turn, and the log says why the turn is over.
void Match::timeRanOut() {
    const int player = currentPlayer_;
    if (state_ == Aiming)
        takeGrenadeOutOfWorld();
    addMessage(LogLine(LogLine::Text::TimeUp));
    emit timeUp(player);
    nextTurn();
}

// Turn on the spot, then drive along the figure's own turned axes. A figure driven beyond the
// play area is lost, and with it the turn.
void Match::moveFigure(double dt) {
    Tortoise* f = currentFigure_;
    const VORN_Vector place = f->worldPosition;
    f->rotation[1] += yawRate_ * dt;
    f->updateTransform(true);
    f->setWorldPosition(place);
    f->position += VORN_Vector(0, raiseRate_ * dt, driveRate_ * dt);
    f->updateTransform(true);
    if (!Rules::outsidePlayArea(f->worldPosition))
        return;

    Player* player = players_[currentPlayer_].get();
    totalHitPoints_ -= f->health;
    addMessage(LogLine(LogLine::Text::PlayerIs, currentPlayer_));
    addMessage(LogLine(LogLine::Text::Suicidal));
    player->removeFigure(static_cast<unsigned>(player->current));
    currentFigure_ = nullptr;
    emit figureLost(currentPlayer_);
    if (player->alive == 0) {
        playerLost(currentPlayer_, LogLine::Text::Suicide);
        emit playerOut(currentPlayer_);
    }
    nextTurn();
}

void Match::moveGrenade(double dt) {
    // The grenade is never turned: its local frame is the world's.
    grenade_.position += grenade_.worldOrientation * Flight::step(grenadeBody_.velocity, dt, wind_);
    grenade_.updateTransform(true);
    flightVelocity = grenadeBody_.velocity;
}

// Off the ground's slope (its normal from the heights either side), keeping part of the speed.
void Match::bounce() {
    const VORN_Vector p = grenade_.worldPosition;
    const double e = 0.5;
    auto h = [this](double x, double z) { return landscape_.surfaceHeight(x, z); };
    VORN_Vector n(h(p.x() - e, p.z()) - h(p.x() + e, p.z()), 2 * e,
                  h(p.x(), p.z() - e) - h(p.x(), p.z() + e));
    n.normalize();
    VORN_Vector v = flightVelocity;
    const double into = dot(v, n);
    if (into < 0)
        v = v - n * (2 * into);
    grenadeBody_.velocity = v * Weapons::bounceKept;
    impactState_ = ImpactState::Flying;
}

// Releases only count while a figure or the aim is steered, so a key let go in a menu, during the
// countdown or in flight would leave its rate running into the next turn: every turn and the main
// menu start still. A key held across Return keeps its rate, since fire mode is the same turn.
void Match::stopRates() {
    yawRate_ = 0;
    raiseRate_ = 0;
    driveRate_ = 0;
}

void Match::apply(const TurnCommand& command) {
    // Rates count in the countdown only in its last second, held into the turn; a rate let go
    // counts everywhere (a held one stands still while nothing ticks).
    const bool early = countdownEnding();
    const auto take = [early, this](double& held, double rate) {
        if (early || state_ != Countdown || rate == 0)
            held = rate;
    };
    take(yawRate_, command.yawRate);
    take(raiseRate_, command.raiseRate);
    take(driveRate_, command.driveRate);
    if (paused())
        return;
    if (early && command.step == TurnCommand::Step::FireMode)
        earlyFireMode_ = true;
    if (command.weapon >= 1 && command.weapon <= Weapons::count && state_ == Aiming)
        chooseWeapon(static_cast<Weapon>(command.weapon - 1));
    // Past the time to throw, Return would only show the grenade for the turn to end at the next
    // tick: the figure drives on instead, the log says why, and the panel shows only the time to
    // drive.
    if (command.step == TurnCommand::Step::FireMode && state_ == Moving && currentFigure_) {
        if (!throwTimeOver())
            prepareThrow();
        else if (messages_.back().text != LogLine::Text::NoTimeToThrow)
            addMessage(LogLine(LogLine::Text::NoTimeToThrow));
    } else if (command.step == TurnCommand::Step::Throw && state_ == Aiming) {
        fire();
    }
}

TurnCommand Match::heldRates() const {
    TurnCommand held;
    held.yawRate = yawRate_;
    held.raiseRate = raiseRate_;
    held.driveRate = driveRate_;
    return held;
}

bool Match::turnUnderWay() const {
    const bool turn =
        state_ == Countdown || state_ == Moving || state_ == Aiming || state_ == Flying;
    return turn && playerCount_ != 0;
}

bool Match::computerOnTurn() const {
    return turnUnderWay() && computer_.playsFor(currentPlayer_) && !seatRemote_(currentPlayer_);
}

bool Match::remoteOnTurn() const {
    return turnUnderWay() && seatRemote_(currentPlayer_);
}

bool Match::grenadeShown() const {
    return scene_.children.contains(const_cast<Grenade*>(&grenade_));
}

void Match::takeGrenadeOutOfWorld() {
    grenadeFlying_ = false;
    collisions_.removeVolume(&grenadeSphere_);
    scene_.children.removeAll(&grenade_);
    emit grenadeGone();
}

bool Match::chooseWeapon(Weapon w) {
    if (state_ != Aiming || weaponsLeft(currentPlayer_, w) == 0)
        return false;
    weapon_ = w;
    return true;
}

int Match::weaponsLeft(int player, Weapon w) const {
    if (player < 0 || player >= static_cast<int>(stock_.size()))
        return w == Weapon::Grenade ? Weapons::endless : 0;
    return stock_[player][static_cast<std::size_t>(w)];
}

// Every blast of the weapon: the crater first, then the hit points, each figure hurt by each
// blast it is near; then, blast by blast, what listeners hear.
void Match::explode(const VORN_Vector& point) {
    takeGrenadeOutOfWorld();
    const VORN_Landscape* land = &landscape_;
    std::vector<Outcome> outcomes;
    for (const VORN_Vector& at :
         Weapons::blastPoints(thrownWeapon_, point,
                              [land](double x, double z) { return land->surfaceHeight(x, z); }))
        outcomes.push_back(blast(at));

    turnStart_ = clockNow();
    impactState_ = ImpactState::Exploded;
    logHits(outcomes);
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

// What the throw's blasts took from each player's tortoises that survived them, one line a player
// in the order of the players (figures lost have their own lines already).
void Match::logHits(const std::vector<Outcome>& outcomes) {
    std::vector<int> taken(playerCount_, 0);
    for (const Outcome& o : outcomes)
        for (const Damage& d : o.hurt)
            if (d.player >= 0 && d.player < static_cast<int>(taken.size()))
                taken[std::size_t(d.player)] += d.damage;
    for (std::size_t u = 0; u < taken.size(); ++u)
        if (taken[u] > 0)
            addMessage(LogLine::hit(currentPlayer_, static_cast<int>(u), taken[u]));
}

Match::Outcome Match::blast(const VORN_Vector& point) {
    const Weapons::Row& rules = Weapons::of(thrownWeapon_);
    dig(point, rules.crater);

    Outcome outcome;
    outcome.point = point;
    for (unsigned u = 0; u < playerCount_; ++u) {
        Player* player = players_[u].get();
        if (!player)
            continue;
        for (unsigned j = 0; j < player->count; ++j) {
            Tortoise* figure = player->figure(j);
            if (!figure)
                continue;
            const double d = std::sqrt((figure->worldPosition - point).lengthSquared());
            if (!(d < rules.radius))
                continue;
            if (!hurtFigure(u, j, Weapons::damage(thrownWeapon_, d), outcome))
                break;
        }
    }
    return outcome;
}

// A figure takes damage: lost when it is more than the figure has left, its player out with its
// last figure (false then: the player and its figures are gone), else hurt by it.
bool Match::hurtFigure(unsigned u, unsigned slot, int damage, Outcome& outcome) {
    Player* player = players_[u].get();
    Tortoise* figure = player->figure(slot);
    if (damage <= figure->health) {
        figure->health -= damage;
        player->totalHealth -= damage;
        totalHitPoints_ -= damage;
        outcome.hurt.append({static_cast<int>(u), damage, figure});
        return true;
    }
    totalHitPoints_ -= figure->health;
    if (figure == currentFigure_)
        currentFigure_ = nullptr;
    player->removeFigure(slot);
    outcome.lost.push_back(static_cast<int>(u));
    addMessage(LogLine(LogLine::Text::Player, static_cast<int>(u)));
    addMessage(LogLine(LogLine::Text::Losses));
    if (player->alive != 0)
        return true;
    playerLost(static_cast<int>(u), LogLine::Text::Missing);
    outcome.out.push_back(static_cast<int>(u));
    return false;
}

// Whether the turn about to start opens a round: the game's first, or one that comes back round
// because no living player sits after the one who had the last.
bool Match::opensRound() const {
    if (currentPlayer_ < 0)
        return true;
    for (unsigned u = static_cast<unsigned>(currentPlayer_) + 1; u < playerCount_; ++u)
        if (players_[u] && players_[u]->alive > 0)
            return false;
    return true;
}

bool Match::suddenDeath() const {
    const int rounds = Rules::roundsBeforeSuddenDeath(settings_.suddenDeath);
    return hostSuddenDeath_ || (rounds > 0 && round_ > rounds);
}

// Sudden death at a turn's start: every tortoise loses its points as a blast would take them. The
// story counts the losses as nobody's; the log says when it begins.
void Match::suddenDeathStrikes() {
    story_.settle(*this); // the last turn's own doing first
    Outcome outcome;
    for (unsigned u = 0; u < playerCount_; ++u)
        for (unsigned j = 0; players_[u] && j < players_[u]->count; ++j)
            if (players_[u]->figure(j) && !hurtFigure(u, j, Rules::suddenDeathDamage, outcome))
                break;
    story_.nobodysDoing(*this);
    emit struck(outcome.hurt);
    for (int u : outcome.lost)
        emit figureLost(u);
    for (int u : outcome.out)
        emit playerOut(u);
}

// A player without figures is out at once: its record dropped and taken off the list of the living.
void Match::playerLost(int index, LogLine::Text event) {
    players_[index].reset();
    alivePlayers_.removeAll(index);
    addMessage(LogLine(LogLine::Text::Player, index));
    addMessage(LogLine(event));
}

void Match::prepareThrow() {
    state_ = Aiming;
    scene_.children.append(&grenade_);
    grenade_.setWorldPosition(Rules::launchPoint(currentFigure_->worldPosition));
    aimYaw_ = 0;
    aimPitch_ = 0;
    aimPower_ = Rules::startPower;
}

void Match::fire() {
    const VORN_Vector direction = Rules::throwDirection(aimYaw_, aimPitch_);
    state_ = Flying;
    grenadeFlying_ = true;
    collisions_.addVolume(&grenadeSphere_);
    impactState_ = ImpactState::Flying;
    turnStart_ = 0;
    grenadeBody_.velocity = direction * aimPower_;
    thrownWeapon_ = weapon_;
    hitFixed = false;
    if (Weapons::bounces(weapon_))
        fuseEnds = clockNow() + static_cast<VORN_Clock::Ticks>(Weapons::of(weapon_).fuse * 1000);
    if (currentPlayer_ >= 0 && currentPlayer_ < static_cast<int>(stock_.size())) {
        int& left = stock_[currentPlayer_][static_cast<std::size_t>(weapon_)];
        if (left != Weapons::endless)
            --left;
    }
    emit thrown();
}

void Match::handleCollision(VORN_Object* a, VORN_Object* b, VORN_Contact* contact) {
    VORN_Object* terrain = &landscape_;
    if (a != terrain) {
        emit a->collisionDetected();
        a->setWorldPosition(contact->positionA);
    }
    if (b != terrain) {
        emit b->collisionDetected();
        b->setWorldPosition(contact->positionB);
    }
    if (a == &grenade_ || b == &grenade_) {
        impactState_ = ImpactState::Hit;
        hitFixed = hitFixed || (a != terrain && b != terrain);
    }
}

void Match::addMessage(const LogLine& line) {
    std::rotate(messages_.begin(), messages_.begin() + 1, messages_.end());
    messages_.back() = line;
    emit logChanged();
}

QList<int> Match::strengthPieAngles() const {
    QList<int> angles{0};
    const int remaining = alivePlayers_.size();
    double sum = 0.0;
    for (const auto& player : players_) {
        if (!player)
            continue;
        // With no hit points left anywhere the remaining players share the circle equally.
        sum += totalHitPoints_ != 0 ? static_cast<double>(player->totalHealth) / totalHitPoints_
                                    : 1.0 / remaining;
        angles.append(static_cast<int>(sum * 5760));
    }
    return angles;
}

quint32 Match::heightmapChecksum() const {
    quint32 sum = 2166136261u;
    for (std::size_t i = 0; i < landscape_.points(); ++i) {
        const double height = landscape_.height(i);
        unsigned char bytes[sizeof(double)];
        std::memcpy(bytes, &height, sizeof(double));
        for (unsigned char b : bytes)
            sum = (sum ^ b) * 16777619u;
    }
    return sum;
}

void Match::dig(const VORN_Vector& point, double radius) {
    landscape_.createCrater(point, radius);
    craters_.push_back(point);
}

void Match::restoreValley() {
    if (!landscape_.grid)
        return;
    for (std::size_t i = 0; i < valleyHeights.size(); ++i)
        landscape_.setHeight(i, valleyHeights[i]);
    landscape_.createNormals(0, 0, 0, 0);
    craters_.clear();
}

TurnView Match::computerView(VORN_Clock::Ticks now) const {
    TurnView view;
    view.state = state_;
    view.player = currentPlayer_;
    view.now = now;
    view.turnStarted = turnStart_;
    view.aimSeconds = Rules::timesOf(settings_.pace).aim;
    // The step the tick is about to take, capped as the tick caps it.
    view.step = std::min((now - lastTick_) * 0.001, Rules::longestStep);
    if (currentFigure_) {
        view.position = currentFigure_->worldPosition;
        view.heading = currentFigure_->rotation.y();
    }
    view.aimYaw = aimYaw_;
    view.aimPitch = aimPitch_;
    view.aimPower = aimPower_;
    view.launch = grenade_.worldPosition;
    view.field = computerField();
    view.field.wind = wind_;
    for (int w = 0; w < Weapons::count; ++w)
        view.field.stock[w] = weaponsLeft(currentPlayer_, static_cast<Weapon>(w));
    return view;
}

// Its own figures (the one on turn first), the others, the lamps, and the valley's heights. Figures
// still falling count where they will land.
ComputerPlayer::Field Match::computerField() const {
    ComputerPlayer::Field field;
    const VORN_Landscape* land = &landscape_;
    field.ground = [land](double x, double z) { return land->surfaceHeight(x, z); };

    auto restingPlace = [&](const Tortoise* f) {
        const VORN_Vector p = f->worldPosition;
        const double ground = field.ground(p.x(), p.z()) + Rules::figureRadius;
        return ComputerPlayer::Figure{VORN_Vector(p.x(), std::min(p.y(), ground), p.z()),
                                      f->health};
    };
    if (currentFigure_)
        field.own.push_back(restingPlace(currentFigure_));
    for (unsigned u = 0; u < playerCount_; ++u) {
        const Player* player = players_[u].get();
        for (unsigned j = 0; player && j < player->count; ++j) {
            const Tortoise* f = player->figure(j);
            if (!f || f == currentFigure_)
                continue;
            if (static_cast<int>(u) == currentPlayer_)
                field.own.push_back(restingPlace(f));
            else
                field.enemies.push_back(restingPlace(f));
        }
    }
    for (int i = 0; i < Rules::lampCount; ++i)
        field.fixed.push_back({lampPosts_[i].worldPosition, lampSpheres_[i].radius});
    return field;
}

void Match::tellPhaseClock(VORN_Clock::Ticks now) {
    const double limit = Rules::phaseSeconds(state_, settings_.pace);
    if (limit > 0)
        emit turnClock(turnStart_, limit - secondsSince(turnStart_, now));
}

void Match::computersPlayEverySeat() {
    computer_.firstPlayer = 0;
    computer_.searchMs = HUGE_VAL;
}

void Match::computerTakesOver(int player) {
    computer_.takeOver(player);
}

void Match::computerGivesBack(int player) {
    computer_.giveBack(player);
    if (player == currentPlayer_)
        stopRates();
}

void Match::setRemoteSeats(std::function<bool(int player)> remote) {
    seatRemote_ = remote ? std::move(remote) : [](int) { return false; };
}

void Match::takeHostPhase(GameState state, int secondsLeft, VORN_Clock::Ticks msIntoPhase,
                          VORN_Clock::Ticks now) {
    const bool timed = Rules::phaseSeconds(state, settings_.pace) > 0;
    const VORN_Clock::Ticks start = timed || msIntoPhase > 0 ? now - msIntoPhase : 0;
    if (state != state_ || !timed || std::abs(start - turnStart_) > 500)
        turnStart_ = start;
    state_ = state;
    secondsLeft_ = secondsLeft;
    secondsToThrow_ = Rules::secondsToThrow(msIntoPhase * 0.001, settings_.pace);
}

void Match::takeHostAim(double yaw, double pitch, double power) {
    aimYaw_ = yaw;
    aimPitch_ = pitch;
    aimPower_ = power;
}

void Match::takeHostArms(GameSettings::Wind wind, GameSettings::Weapons weapons,
                         const VORN_Vector& blowing, Weapon taken,
                         const std::array<int, Weapons::count>& left) {
    settings_.wind = wind;
    settings_.weapons = weapons;
    wind_ = blowing;
    weapon_ = taken;
    if (currentPlayer_ >= 0 && currentPlayer_ < static_cast<int>(stock_.size()))
        stock_[static_cast<std::size_t>(currentPlayer_)] = left;
}

void Match::takeHostLog(const std::array<LogLine, 6>& lines) {
    messages_ = lines;
    emit logChanged();
}

void Match::showGrenadeAt(bool shown, const VORN_Vector& place) {
    const bool out = grenadeShown();
    if (shown && !out)
        scene_.children.append(&grenade_);
    else if (!shown && out)
        scene_.children.removeAll(&grenade_);
    if (shown)
        grenade_.setWorldPosition(place);
}

void Match::removeFigure(int player, unsigned slot) {
    Player* p = this->player(player);
    if (!p || !p->figure(slot))
        return;
    if (p->figure(slot) == currentFigure_)
        currentFigure_ = nullptr;
    p->removeFigure(slot);
}

void Match::passOver(int player) {
    if (player < 0 || player >= static_cast<int>(playerCount_))
        return;
    passedOver_.resize(playerCount_, false);
    passedOver_[std::size_t(player)] = true;
}

bool Match::passedOver(int player) const {
    return player >= 0 && std::size_t(player) < passedOver_.size() &&
           passedOver_[std::size_t(player)];
}

void Match::dropPlayer(int player) {
    if (player < 0 || player >= static_cast<int>(players_.size()))
        return;
    players_[static_cast<std::size_t>(player)].reset();
    alivePlayers_.removeAll(player);
}

void Match::takeHostTurn(int player, int slot) {
    currentPlayer_ = player;
    const Player* p = this->player(player);
    currentFigure_ =
        p && slot >= 0 && unsigned(slot) < p->count ? p->figure(unsigned(slot)) : nullptr;
}

void Match::recountHitPoints() {
    totalHitPoints_ = 0;
    for (const auto& p : players_)
        if (p)
            totalHitPoints_ += p->totalHealth;
}

Player* Match::player(int index) {
    if (index < 0 || index >= static_cast<int>(players_.size()))
        return nullptr;
    return players_[static_cast<std::size_t>(index)].get();
}
