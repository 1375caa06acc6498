// The driver of a match: everything through the match's public operations, but for the positions
// a test sets up by hand (the driver is the match's friend for those).
#include "tools/driver/MatchDriver.h"

#include "engine/scene/VORN_Clock.h"
#include "engine/terrain/Bitmap.h"
#include "game/files/DataFiles.h"
#include "game/match/Match.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <cmath>
#include <cstdlib>

using VORN_LIB::VORN_Clock;
using VORN_LIB::VORN_Vector;

MatchDriver::MatchDriver(Match& match, std::function<void()> timerTick)
    : match(match), timerTick(std::move(timerTick)) {
    if (!this->timerTick)
        this->timerTick = [this] { this->match.advance(VORN_Clock::now()); };
}

const Bitmap& MatchDriver::valley() {
    static const Bitmap* heights = [] {
        auto* read = new Bitmap(); // kept until the process ends
        read->load(DataFiles().path(QStringLiteral("valleyDepth.bmp")).toLocal8Bit().toStdString());
        return read;
    }();
    return *heights;
}

std::unique_ptr<Match> MatchDriver::newMatch() {
    VORN_Clock::setManual(1000);
    return std::make_unique<Match>(valley());
}

void MatchDriver::tick(int count, long ms) {
    for (int i = 0; i < count; ++i) {
        VORN_Clock::advance(ms);
        timerTick();
    }
}

void MatchDriver::ticksFor(double seconds) {
    tick(static_cast<int>(std::lround(seconds / 0.025)));
}

bool MatchDriver::tickUntil(const std::function<bool()>& done, int maxTicks) {
    for (int i = 0; i < maxTicks; ++i) {
        if (done())
            return true;
        tick();
    }
    return done();
}

void MatchDriver::startRound(int players, int figures, unsigned seed) {
    std::srand(seed);
    match.newGame(players, figures);
    match.nextTurn();
}

void MatchDriver::toMoving() {
    tickUntil([this] { return match.state() == Moving; }, 200);
}

VORN_Vector MatchDriver::ground(double x, double z) const {
    return match.landscape().surfacePoint(VORN_Vector(x, 0, z));
}

void MatchDriver::placeOnGround(Tortoise* figure, double x, double z) {
    figure->setWorldPosition(ground(x, z) + VORN_Vector(0, 0.3, 0));
    for (const auto& player : match.players())
        for (unsigned j = 0; player && j < player->count; ++j)
            if (player->figure(j) == figure)
                player->body(j)->velocity = VORN_Vector(0, 0, 0);
}

void MatchDriver::holdFiguresStill() {
    for (const auto& player : match.players())
        for (unsigned j = 0; player && j < player->count; ++j)
            if (player->body(j))
                player->body(j)->velocity = VORN_Vector(0, 0, 0);
}

void MatchDriver::explodeAt(const VORN_Vector& point) {
    // A sphere test with any motion steps the objects back along their paths, so everything is
    // held still for this one tick: the blast then finds the figures where they are.
    holdFiguresStill();
    match.grenadeBody_.velocity = VORN_Vector(0, 0, 0);
    match.grenade_.setWorldPosition(point);
    match.impactState_ = ImpactState::Hit;
    tick(1, 0);
}

void MatchDriver::putInPhase(GameState state) {
    match.state_ = state;
}

void MatchDriver::aim(double yaw, double pitch, double power) {
    match.aimYaw_ = yaw;
    match.aimPitch_ = pitch;
    match.aimPower_ = power;
}

void MatchDriver::blowWind(const VORN_Vector& wind) {
    match.wind_ = wind;
}

void MatchDriver::moveGrenade(const VORN_Vector& velocity, ImpactState impact) {
    match.grenadeBody_.velocity = velocity;
    match.impactState_ = impact;
}

void MatchDriver::startPhaseClockAt(VORN_Clock::Ticks start) {
    match.turnStart_ = start;
}

void MatchDriver::showPlayers(unsigned count) {
    match.playerCount_ = count;
}

QStringList MatchDriver::log() const {
    QStringList lines;
    for (const LogLine& line : match.messages())
        lines << line.shown();
    return lines;
}

std::vector<std::vector<int>> MatchDriver::healthOfAll() const {
    std::vector<std::vector<int>> all(match.playerCount());
    for (unsigned u = 0; u < match.playerCount(); ++u) {
        const Player* player = match.players()[u].get();
        for (unsigned j = 0; j < static_cast<unsigned>(match.figuresEach()); ++j)
            all[u].push_back(player && player->figure(j) ? player->figure(j)->health : -1);
    }
    return all;
}
