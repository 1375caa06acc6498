#include "game/match/Training.h"

#include "game/match/Match.h"
#include "game/rules/GameSettings.h"
#include "game/rules/Rules.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <array>
#include <cmath>

using VORN_LIB::VORN_Clock;
using VORN_LIB::VORN_Vector;

namespace {

// Where the own tortoise and the targets stand on the standard valley, x and z.
constexpr std::array<double, 2> ownSpot = {-20, 0};
constexpr std::array<std::array<double, 2>, Training::targetCount> targetSpots = {
    {{{0, -12}}, {{12, 8}}, {{25, -4}}}};

void standAt(Player& player, unsigned slot, const Match& match, double x, double z) {
    Tortoise* figure = player.figure(slot);
    figure->setWorldPosition(match.landscape().surfacePoint(VORN_Vector(x, 0, z)) +
                             VORN_Vector(0, 0.3, 0));
    player.body(slot)->velocity = VORN_Vector(0, 0, 0);
}

} // namespace

Training::Training(Match& followed) : match(followed) {
    connect(&match, &Match::turnClock, this, [this] { follow(); });
    connect(&match, &Match::thrown, this, [this] {
        if (running_ && hint_ <= Hint::Throw)
            stepTo(Hint::TargetsLeft);
    });
    connect(&match, &Match::gameOver, this, [this](bool) {
        if (running_)
            ended(match.player(own) != nullptr && match.player(targets) == nullptr);
    });
}

void Training::start() {
    GameSettings settings;
    settings.wind = GameSettings::Wind::Light;
    match.setSettings(settings);
    match.setSeats(std::vector<Seat>(2));
    match.newGame(2, targetCount);
    // The own player keeps one tortoise; each target falls to any hit.
    for (unsigned slot = 1; slot < unsigned(targetCount); ++slot)
        match.removeFigure(own, slot);
    Player* ownPlayer = match.player(own);
    Player* targetPlayer = match.player(targets);
    standAt(*ownPlayer, 0, match, ownSpot[0], ownSpot[1]);
    targetPlayer->totalHealth = 0;
    for (unsigned slot = 0; slot < unsigned(targetCount); ++slot) {
        targetPlayer->figure(slot)->health = 1;
        targetPlayer->totalHealth += 1;
        standAt(*targetPlayer, slot, match, targetSpots[slot][0], targetSpots[slot][1]);
    }
    match.recountHitPoints();
    match.passOver(targets);
    running_ = true;
    secondsTaken_ = 0;
    hint_ = Hint::Drive;
    startX = ownSpot[0];
    startZ = ownSpot[1];
    match.nextTurn();
    startedAt = match.clockNow();
    emit hintChanged(hint_);
}

int Training::targetsLeft() const {
    const Player* p = match.players().size() > std::size_t(targets)
                          ? match.players()[std::size_t(targets)].get()
                          : nullptr;
    return p ? int(p->alive) : 0;
}

void Training::follow() {
    if (!running_)
        return;
    const Tortoise* figure = match.currentFigure();
    switch (hint_) {
    case Hint::Drive:
        if (figure && std::hypot(figure->worldPosition.x() - startX,
                                 figure->worldPosition.z() - startZ) >= driveFar)
            stepTo(Hint::FireMode);
        break;
    case Hint::FireMode:
        if (match.state() == Aiming) {
            aimYawAt = match.aimYaw();
            aimPowerAt = match.aimPower();
            stepTo(Hint::Aim);
        }
        break;
    case Hint::Aim:
        if (match.aimYaw() != aimYawAt)
            stepTo(Hint::Strength);
        break;
    case Hint::Strength:
        if (match.aimPower() != aimPowerAt) {
            windShownAt = match.clockNow();
            stepTo(Hint::Wind);
        }
        break;
    case Hint::Wind:
        if (match.clockNow() - windShownAt >= VORN_Clock::Ticks(windSeconds * 1000))
            stepTo(Hint::Throw);
        break;
    default:
        break;
    }
}

void Training::stepTo(Hint next) {
    hint_ = next;
    emit hintChanged(hint_);
}

void Training::ended(bool won) {
    running_ = false;
    if (won)
        secondsTaken_ = int((match.clockNow() - startedAt) / 1000);
    stepTo(won ? Hint::Done : Hint::Lost);
}
