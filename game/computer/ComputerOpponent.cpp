// A computer turn, tick by tick. The computer holds its keys as a person would, at the same
// speeds; on the last tick of a motion it chooses the rate that covers exactly the rest, so the
// aim ends where it was planned. If the game integrates less than the tick's time, the rest is
// covered on the next tick; it is never overshot.
#include "game/computer/ComputerOpponent.h"

#include "game/rules/Rules.h"

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
const VORN_Clock::Ticks lastThrowMs = 11900;   // the throw no later than this, at normal ticks
// Slow ticks can hold the aim back past lastThrowMs: it goes on aiming, and throws the aim it has
// reached by this moment, a little before the rules end the aiming time.
VORN_Clock::Ticks lastAimMs(const TurnView& view) {
    return static_cast<VORN_Clock::Ticks>(view.aimSeconds * 1000) - 500;
}
const double steadierBy = 0.8; // scatter of a throw after one more seen from the same place
// Where a drive stops short of the play area's edge.
const double edgeMargin = 2;

// The rate that covers the rest within this tick, at most the full rate of a held key.
double steer(double rest, double fullRate, double dt) {
    if (std::fabs(rest) < 1e-9)
        return 0;
    if (!(dt > 0))
        return rest > 0 ? fullRate : -fullRate;
    return std::clamp(rest / dt, -fullRate, fullRate);
}

// Whether the figure on turn stands on the ground rather than dropping onto it.
bool resting(const TurnView& view) {
    const VORN_Vector& p = view.position;
    return p.y() - view.field.ground(p.x(), p.z()) < Rules::figureRadius + 0.05;
}

bool nearTheEdge(const VORN_Vector& p) {
    return std::fabs(p.x()) > Rules::playAreaX - edgeMargin ||
           std::fabs(p.z()) > Rules::playAreaZ - edgeMargin;
}

double horizontal(const VORN_Vector& a, const VORN_Vector& b) {
    return std::hypot(a.x() - b.x(), a.z() - b.z());
}

} // namespace

ComputerLevel ComputerOpponent::chosenFor(int player) const {
    if (player >= 0 && player < int(seatLevels.size()) && seatLevels[std::size_t(player)])
        return *seatLevels[std::size_t(player)];
    return player >= firstPlayer ? level : ComputerLevel::Off;
}

bool ComputerOpponent::playsFor(int player) const {
    return chosenFor(player) != ComputerLevel::Off ||
           std::find(takenOver.begin(), takenOver.end(), player) != takenOver.end();
}

ComputerLevel ComputerOpponent::playingLevel(int player) const {
    const ComputerLevel chosen = chosenFor(player);
    return chosen != ComputerLevel::Off ? chosen : ComputerLevel::Medium;
}

void ComputerOpponent::takeOver(int player) {
    if (!playsFor(player))
        takenOver.push_back(player);
}

void ComputerOpponent::giveBack(int player) {
    takenOver.erase(std::remove(takenOver.begin(), takenOver.end(), player), takenOver.end());
}

void ComputerOpponent::reset() {
    phase = Phase::Done;
    searching = false;
    turnStarted = 0;
    seen.clear();
    takenOver.clear();
}

TurnCommand ComputerOpponent::act(const TurnView& view) {
    TurnCommand keys; // every key let go unless held below
    const VORN_Clock::Ticks now = view.now;
    const double dt = view.step;

    if (view.state == Moving) {
        if (view.turnStarted != turnStarted) { // a new turn
            turnStarted = view.turnStarted;
            phase = Phase::Think;
            phaseEnds = now + thinkMs;
            searching = false;
            planner = ComputerPlayer(playingLevel(view.player));
        }
        if (now - turnStarted >= lastFireModeMs) {
            searching = false; // a search for a spot left unfinished
            return enterFireMode();
        }
        switch (phase) {
        case Phase::Think:
            // A figure still dropping onto the valley is given time to land first.
            if (now >= phaseEnds && (resting(view) || now - turnStarted >= landingMs))
                think(view);
            break;
        case Phase::Turn:
            keys.yawRate = steer(heading - view.heading, Rules::turnSpeed, dt);
            if (keys.yawRate == 0) {
                driveFrom = view.position;
                phase = Phase::Drive;
                const double seconds = horizontal(driveFrom, driveTo) / Rules::moveSpeed + 1;
                phaseEnds = std::min(now + static_cast<VORN_Clock::Ticks>(seconds * 1000),
                                     turnStarted + lastFireModeMs - settleMs);
            }
            break;
        case Phase::Drive: {
            const double rest =
                horizontal(driveFrom, driveTo) - horizontal(driveFrom, view.position);
            const double speed = -steer(std::max(rest, 0.0), Rules::moveSpeed, dt);
            const double a = view.heading * M_PI / 180.0;
            const VORN_Vector next =
                view.position + VORN_Vector(std::sin(a), 0, std::cos(a)) * (speed * dt);
            if (speed == 0 || now >= phaseEnds || nearTheEdge(next)) {
                phase = Phase::Settle;
                phaseEnds = std::min(now + settleMs, turnStarted + lastFireModeMs);
            } else {
                keys.driveRate = speed; // negative: forward
            }
            break;
        }
        case Phase::Settle:
            if (now >= phaseEnds)
                return enterFireMode();
            break;
        default:
            break;
        }
        return keys;
    }

    // Fire mode.
    if (phase == Phase::TakeOut) {
        plan(view);
        // The weapon is taken as soon as the plan is made, before the aim moves.
        if (phase == Phase::Aim && planned.weapon != Weapon::Grenade)
            keys.weapon = static_cast<int>(planned.weapon) + 1;
        return keys;
    }
    if (now - turnStarted >= lastAimMs(view) && phase != Phase::Done)
        return release(view);
    return aim(view);
}

// Where to drive, searched over as many ticks as it takes, from the field of the first tick.
void ComputerOpponent::think(const TurnView& view) {
    if (!searching) {
        searching = true;
        search = ComputerPlayer::Search(planner, view.field,
                                        ComputerPlayer::Search::drivePlaces(view.field), false);
    }
    if (!search.advance(ComputerOpponent::searchBudget, searchMs))
        return;
    searching = false;
    const std::optional<VORN_Vector> spot = search.driveSpot();
    if (!spot) {
        phase = Phase::Settle;
        phaseEnds = std::min(view.now + settleMs, turnStarted + lastFireModeMs);
        return;
    }
    driveTo = *spot;
    const VORN_Vector& here = view.position;
    // A figure's forward axis at rotation a about y is (-sin a, 0, -cos a).
    const double towards = std::atan2(-(driveTo.x() - here.x()), -(driveTo.z() - here.z()));
    heading = view.heading + ComputerPlayer::wrapDegrees(towards * 180.0 / M_PI - view.heading);
    phase = Phase::Turn;
}

TurnCommand ComputerOpponent::enterFireMode() {
    phase = Phase::TakeOut;
    TurnCommand keys;
    keys.step = TurnCommand::Step::FireMode;
    return keys;
}

// The throw of the aim actually set, predicted once more: thrown when it spares every own figure.
// Otherwise, once per turn, the aim is planned afresh from here; else the turn runs out unthrown.
TurnCommand ComputerOpponent::release(const TurnView& view) {
    TurnCommand keys;
    const ComputerPlayer planner(playingLevel(view.player));
    if (planner.spares(view.field, view.launch, view.aimYaw, view.aimPitch, view.aimPower,
                       planned.weapon)) {
        keys.step = TurnCommand::Step::Throw;
        phase = Phase::Done;
    } else if (!replanned && view.intoTurn() < lastAimMs(view)) {
        replanned = true;
        planned = planner.chooseThrow(view.field, view.launch);
        keys.weapon = static_cast<int>(Weapon::Grenade) + 1; // the grenade, whatever was taken
        phase = Phase::Aim;
        phaseEnds = view.now;
    } else {
        phase = Phase::Done;
    }
    return keys;
}

void ComputerOpponent::plan(const TurnView& view) {
    if (!searching) {
        searching = true;
        planner = ComputerPlayer(playingLevel(view.player));
        const VORN_Vector here = view.field.own.empty() ? view.launch : view.field.own[0].place;
        search = ComputerPlayer::Search(planner, view.field, {{here, view.launch}}, true);
    }
    // The throw is drawn in the tick after the search ends: the fallback into the open and the
    // scatter fly a few dozen more flights, too many to add to a tick's share of the search.
    if (!search.done()) {
        search.advance(ComputerOpponent::searchBudget, searchMs);
        return;
    }
    searching = false;
    replanned = false;
    const ComputerPlayer::Throw exact = search.chosen();
    // Each throw from here at the same figure scatters less: the earlier explosions showed where
    // the aim went.
    const int earlier =
        exact.target >= 0 ? throwsSeen(view.launch, view.field.enemies[exact.target].place) : 0;
    planned = planner.withAimError(view.field, view.launch, planner.armed(view.field, exact),
                                   std::pow(steadierBy, earlier));
    phase = Phase::Aim;
    const double aimSeconds =
        std::max({std::fabs(planned.yaw - view.aimYaw) / Rules::aimSpeed,
                  std::fabs(planned.pitch - view.aimPitch) / Rules::aimSpeed,
                  std::fabs(planned.power - view.aimPower) / Rules::moveSpeed});
    const VORN_Clock::Ticks spare = turnStarted + lastThrowMs - holdMs - view.now -
                                    static_cast<VORN_Clock::Ticks>(std::ceil(aimSeconds * 1000));
    phaseEnds = view.now + std::clamp(spare, VORN_Clock::Ticks(0), aimPauseMs);
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

TurnCommand ComputerOpponent::aim(const TurnView& view) {
    TurnCommand keys;
    const VORN_Clock::Ticks now = view.now;
    switch (phase) {
    case Phase::Aim:
        if (now < phaseEnds)
            break;
        keys.yawRate = steer(planned.yaw - view.aimYaw, Rules::aimSpeed, view.step);
        keys.raiseRate = steer(planned.pitch - view.aimPitch, Rules::aimSpeed, view.step);
        keys.driveRate = steer(planned.power - view.aimPower, Rules::moveSpeed, view.step);
        if (keys == TurnCommand()) {
            phase = Phase::Hold;
            phaseEnds = now + holdMs;
        }
        break;
    case Phase::Hold:
        if (now >= phaseEnds || now - turnStarted + holdMs > lastThrowMs)
            return release(view);
        break;
    default:
        break;
    }
    return keys;
}
