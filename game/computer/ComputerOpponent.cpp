// A computer turn, tick by tick. The computer sets the rates as held keys would set them, at the
// same speeds; on the last tick of a motion it chooses the rate that covers exactly the rest, so
// the aim ends where it was planned. If the game integrates less than the tick's time, the rest
// is covered on the next tick; it is never overshot.
#include "game/computer/ComputerOpponent.h"

#include "game/session/Game.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <algorithm>
#include <cmath>

using namespace VORN_LIB;

namespace {

// The timetable of a turn, from the end of the countdown. The aim takes at most 6 s (a half turn
// at 30 degrees per second, or the power from 1 to 13 at 2 per second), so fire mode by 5.4 s
// leaves room for it before the throw at 11.9 s; the pauses shrink when time is short.
const VORN_Clock::Ticks thinkMs = 500;         // before the first move of a turn
const VORN_Clock::Ticks landingMs = 2500;      // waiting longer for the figure to land
const VORN_Clock::Ticks settleMs = 400;        // before fire mode
const VORN_Clock::Ticks lastFireModeMs = 5400; // fire mode no later than this
const VORN_Clock::Ticks aimPauseMs = 400;      // in fire mode, before the aim moves
const VORN_Clock::Ticks holdMs = 300;          // between the aim reached and the throw
const VORN_Clock::Ticks lastThrowMs = 11900;   // the throw no later than this
const double steadierBy = 0.8; // scatter of a throw after one more seen from the same place

// The rate that covers the rest within this tick, at most the full rate of a held key.
double steer(double rest, double fullRate, double dt) {
    if (std::fabs(rest) < 1e-9)
        return 0;
    if (!(dt > 0))
        return rest > 0 ? fullRate : -fullRate;
    return std::clamp(rest / dt, -fullRate, fullRate);
}

// Height of the valley's surface at world x/z, from the triangles the terrain is drawn and
// collides with (each grid cell split along its diagonal from (row, column) to (row + 1,
// column + 1)). The terrain is never turned in the game; off the grid the surface lies one
// height scale below the terrain's base.
double valleyHeight(const VORN_Landscape& land, double x, double z) {
    const double base = land.worldPosition.y();
    if (!land.grid || land.rows < 2 || land.columns < 2)
        return base - land.heightScale;
    const double gx =
        (x - land.worldPosition.x() + land.sizeX / 2) / (land.sizeX / (land.columns - 1));
    const double gz =
        (land.sizeZ / 2 - (z - land.worldPosition.z())) / (land.sizeZ / (land.rows - 1));
    if (!(gx >= 0 && gz >= 0 && gx <= land.columns - 1 && gz <= land.rows - 1))
        return base - land.heightScale;
    const std::uint32_t column = std::min(static_cast<std::uint32_t>(gx), land.columns - 2);
    const std::uint32_t row = std::min(static_cast<std::uint32_t>(gz), land.rows - 2);
    const double fx = gx - column;
    const double fz = gz - row;
    const double h00 = land.height(row, column);
    const double h10 = land.height(row + 1, column);
    const double h01 = land.height(row, column + 1);
    const double h11 = land.height(row + 1, column + 1);
    const double h = fz >= fx ? h00 + (h10 - h00) * (fz - fx) + (h11 - h00) * fx
                              : h00 + (h01 - h00) * (fx - fz) + (h11 - h00) * fz;
    return base + land.heightScale * h;
}

// Whether the figure on turn stands on the ground rather than dropping onto it.
bool resting(const Game& game) {
    const VORN_Vector p = game.currentFigure->worldPosition;
    return p.y() - valleyHeight(game.landscape, p.x(), p.z()) < ComputerPlayer::figureRadius + 0.05;
}

bool nearTheEdge(const VORN_Vector& p) {
    return std::fabs(p.x()) > 78 || std::fabs(p.z()) > 38;
}

double horizontal(const VORN_Vector& a, const VORN_Vector& b) {
    return std::hypot(a.x() - b.x(), a.z() - b.z());
}

} // namespace

bool ComputerOpponent::playsFor(int player) const {
    return level != ComputerLevel::Off && player >= firstPlayer;
}

ComputerPlayer::Field ComputerOpponent::fieldOf(const Game& game) {
    ComputerPlayer::Field field;
    const VORN_Landscape* land = &game.landscape;
    field.ground = [land](double x, double z) { return valleyHeight(*land, x, z); };

    auto restingPlace = [&](const Tortoise* f) {
        const VORN_Vector p = f->worldPosition;
        const double ground = field.ground(p.x(), p.z()) + ComputerPlayer::figureRadius;
        return ComputerPlayer::Figure{VORN_Vector(p.x(), std::min(p.y(), ground), p.z()),
                                      f->health};
    };
    if (game.currentFigure)
        field.own.push_back(restingPlace(game.currentFigure));
    for (unsigned u = 0; u < game.playerCount; ++u) {
        const Player* player = game.players[u];
        for (unsigned j = 0; player && j < player->count; ++j) {
            const Tortoise* f = player->figures[j];
            if (!f || f == game.currentFigure)
                continue;
            if (static_cast<int>(u) == game.currentPlayer)
                field.own.push_back(restingPlace(f));
            else
                field.enemies.push_back(restingPlace(f));
        }
    }
    for (int i = 0; i < 4; ++i)
        field.fixed.push_back({game.lamps[i].worldPosition, game.lampSpheres[i].radius});
    return field;
}

void ComputerOpponent::act(Game& game, VORN_Clock::Ticks now) {
    if (!game.currentFigure || (game.state != Moving && game.state != Aiming))
        return;
    // The step the tick is about to take, capped as the tick caps it.
    const double dt = std::min((now - game.lastTick) * 0.001, Game::longestStep);
    Tortoise* figure = game.currentFigure;

    if (game.state == Moving) {
        if (game.turnStart != turnStarted) { // a new turn
            turnStarted = game.turnStart;
            phase = Phase::Think;
            phaseEnds = now + thinkMs;
        }
        game.stopRates();
        if (now - turnStarted >= lastFireModeMs) {
            enterFireMode(game, now);
            return;
        }
        switch (phase) {
        case Phase::Think:
            // A figure still dropping onto the valley is given time to land first.
            if (now >= phaseEnds && (resting(game) || now - turnStarted >= landingMs))
                think(game, now);
            break;
        case Phase::Turn: {
            const double rest = heading - figure->rotation.y();
            game.yawRate = steer(rest, game.turnSpeed, dt);
            if (game.yawRate == 0) {
                driveFrom = figure->worldPosition;
                phase = Phase::Drive;
                const double seconds = horizontal(driveFrom, driveTo) / game.moveSpeed + 1;
                phaseEnds = std::min(now + static_cast<VORN_Clock::Ticks>(seconds * 1000),
                                     turnStarted + lastFireModeMs - settleMs);
            }
            break;
        }
        case Phase::Drive: {
            const double rest =
                horizontal(driveFrom, driveTo) - horizontal(driveFrom, figure->worldPosition);
            const double speed = -steer(std::max(rest, 0.0), game.moveSpeed, dt);
            const double a = figure->rotation.y() * M_PI / 180.0;
            const VORN_Vector next =
                figure->worldPosition + VORN_Vector(std::sin(a), 0, std::cos(a)) * (speed * dt);
            if (speed == 0 || now >= phaseEnds || nearTheEdge(next)) {
                phase = Phase::Settle;
                phaseEnds = std::min(now + settleMs, turnStarted + lastFireModeMs);
            } else {
                game.driveRate = speed; // negative: forward
            }
            break;
        }
        case Phase::Settle:
            if (now >= phaseEnds)
                enterFireMode(game, now);
            break;
        default:
            break;
        }
        return;
    }

    // Fire mode.
    if (now - turnStarted >= lastThrowMs && phase != Phase::Done) {
        game.stopRates();
        game.fire();
        phase = Phase::Done;
        return;
    }
    aim(game, now, dt);
}

void ComputerOpponent::think(Game& game, VORN_Clock::Ticks now) {
    const ComputerPlayer planner(level);
    const std::optional<VORN_Vector> spot = planner.driveTarget(fieldOf(game));
    if (!spot) {
        phase = Phase::Settle;
        phaseEnds = std::min(now + settleMs, turnStarted + lastFireModeMs);
        return;
    }
    driveTo = *spot;
    const VORN_Vector here = game.currentFigure->worldPosition;
    // A figure's forward axis at rotation a about y is (-sin a, 0, -cos a).
    const double towards = std::atan2(-(driveTo.x() - here.x()), -(driveTo.z() - here.z()));
    const double turned = game.currentFigure->rotation.y();
    heading = turned + ComputerPlayer::wrapDegrees(towards * 180.0 / M_PI - turned);
    phase = Phase::Turn;
}

void ComputerOpponent::enterFireMode(Game& game, VORN_Clock::Ticks now) {
    game.stopRates();
    game.prepareThrow();
    const ComputerPlayer planner(level);
    const ComputerPlayer::Field field = fieldOf(game);
    const VORN_Vector launch = game.grenade.worldPosition;
    const ComputerPlayer::Throw exact = planner.chooseThrow(field, launch);
    // Each throw from here at the same figure scatters less: the earlier explosions showed where
    // the aim went.
    const int earlier =
        exact.target >= 0 ? throwsSeen(launch, field.enemies[exact.target].place) : 0;
    planned = planner.withAimError(field, launch, exact, std::pow(steadierBy, earlier));
    phase = Phase::Aim;
    const double aimSeconds = std::max({std::fabs(planned.yaw) / (game.turnSpeed * 0.25),
                                        std::fabs(planned.pitch) / (game.turnSpeed * 0.25),
                                        std::fabs(planned.power - game.aimPower) / game.moveSpeed});
    const VORN_Clock::Ticks spare = turnStarted + lastThrowMs - holdMs - now -
                                    static_cast<VORN_Clock::Ticks>(std::ceil(aimSeconds * 1000));
    phaseEnds = now + std::clamp(spare, VORN_Clock::Ticks(0), aimPauseMs);
}

int ComputerOpponent::throwsSeen(const VORN_Vector& launch, const VORN_Vector& target) {
    for (std::size_t i = 0; i < seen.size(); ++i) {
        Aimed a = seen[i];
        if (horizontal(a.from, launch) < 1 && horizontal(a.at, target) < 1) {
            seen.erase(seen.begin() + static_cast<std::ptrdiff_t>(i));
            seen.insert(seen.begin(), {launch, target, a.throws + 1});
            return a.throws;
        }
    }
    seen.insert(seen.begin(), {launch, target, 1});
    if (seen.size() > 32)
        seen.pop_back();
    return 0;
}

void ComputerOpponent::aim(Game& game, VORN_Clock::Ticks now, double dt) {
    game.stopRates();
    switch (phase) {
    case Phase::Aim:
        if (now < phaseEnds)
            break;
        game.yawRate = steer(planned.yaw - game.aimYaw, game.turnSpeed * 0.25, dt);
        game.raiseRate = steer(planned.pitch - game.aimPitch, game.turnSpeed * 0.25, dt);
        game.driveRate = steer(planned.power - game.aimPower, game.moveSpeed, dt);
        if (game.yawRate == 0 && game.raiseRate == 0 && game.driveRate == 0) {
            phase = Phase::Hold;
            phaseEnds = now + holdMs;
        }
        break;
    case Phase::Hold:
        if (now >= phaseEnds || now - turnStarted + holdMs > lastThrowMs) {
            game.fire();
            phase = Phase::Done;
        }
        break;
    default:
        break;
    }
}
