// The camera keys and the mouse's steering of this window's camera.
#include "game/session/FieldCamera.h"

#include "engine/render/VORN_Viewport.h"
#include "game/match/Match.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// The view at the start of a turn: five units behind the figure, a little above it, looking the
// way it faces, out over the field.
constexpr double behindPitch = -15;
constexpr double behindDistance = -5;
// An enemy is seen from the side of the figure on turn, from a little higher.
constexpr double enemyPitch = -20;
// A crater is looked down on from further and higher, so that its floor shows over the ridges.
constexpr double blastPitch = -40;
constexpr double blastDistance = -10;
// In fire mode the camera lifts with a share of the aim's elevation, within these limits.
constexpr double aimPitchShare = 0.3;
constexpr double aimViewLowest = -50;
constexpr double aimViewHighest = 10;
} // namespace

FieldCamera::FieldCamera(VORN_LIB::VORN_Viewport& viewport, const Match& match)
    : viewport(viewport), match(match) {}

bool FieldCamera::key(int key) {
    if (isLocked || (key != Qt::Key_V && key != Qt::Key_E))
        return false;
    if (key == Qt::Key_V)
        viewBehind();
    else
        viewNextEnemy();
    return true;
}

void FieldCamera::viewBehind() {
    if (match.state() == Aiming) { // turns from where it looks now
        if (Tortoise* figure = match.currentFigure())
            viewport.attach(figure); // no longer an enemy's
        viewport.setView(match.grenade().worldPosition, viewport.yaw, viewport.pitch,
                         viewport.distance);
        aimView = true;
        viewYaw = viewport.yaw;
        viewPitch = viewport.pitch;
        turnedYaw = turnedPitch = 0;
        return;
    }
    Tortoise* figure = match.currentFigure();
    if (!figure)
        return;
    viewport.attach(figure);
    viewport.setView(figure->worldPosition, figure->rotation.y(), behindPitch, behindDistance);
}

// The enemies in the order of their turns after the player on turn, each player's figures by slot;
// the one after the figure the camera follows, the first when it follows none of them.
void FieldCamera::viewNextEnemy() {
    std::vector<Tortoise*> enemies;
    const int players = static_cast<int>(match.playerCount());
    for (int k = 1; k < players; ++k) {
        const Player* player = match.players()[(match.currentPlayer() + k) % players].get();
        for (unsigned j = 0; player && j < player->count; ++j)
            if (Tortoise* figure = player->figure(j))
                enemies.push_back(figure);
    }
    if (enemies.empty())
        return;
    aimView = false;
    std::size_t next = 0;
    for (std::size_t i = 0; i < enemies.size(); ++i)
        if (enemies[i] == viewport.attached)
            next = (i + 1) % enemies.size();
    Tortoise* enemy = enemies[next];

    double yaw = viewport.yaw; // from the figure on turn toward the enemy, when there is one
    if (const Tortoise* own = match.currentFigure()) {
        const double dx = enemy->worldPosition.x() - own->worldPosition.x();
        const double dz = enemy->worldPosition.z() - own->worldPosition.z();
        if (dx != 0 || dz != 0)
            yaw = std::atan2(-dx, -dz) * 180.0 / M_PI;
    }
    viewport.attach(enemy);
    viewport.setView(enemy->worldPosition, yaw, enemyPitch, behindDistance);
}

double FieldCamera::aimViewPitch(double aimPitch) {
    return std::clamp(behindPitch + aimPitchShare * aimPitch, aimViewLowest, aimViewHighest);
}

// Fire mode turns the aim's view on as it begins; the camera looks at the grenade waiting to be
// thrown, from where it stands at its distance. The yaw takes the shorter way round.
void FieldCamera::followAim(VORN_LIB::VORN_Clock::Ticks now) {
    const bool aiming = match.state() == Aiming;
    if (aiming && !wasAiming) {
        aimView = true;
        viewYaw = viewport.yaw;
        viewPitch = viewport.pitch;
        turnedYaw = turnedPitch = 0;
        lastFollow = now;
    }
    wasAiming = aiming;
    if (!aiming || !aimView)
        return;
    const double seconds = std::clamp((now - lastFollow) / 1000.0, 0.0, 1.0);
    lastFollow = now;
    const double share = 1 - std::exp(-seconds / aimSettle);
    viewYaw += std::remainder(match.aimYaw() + turnedYaw - viewYaw, 360.0) * share;
    const double pitch = std::clamp(aimViewPitch(match.aimPitch()) + turnedPitch, -90.0, 90.0);
    viewPitch += (pitch - viewPitch) * share;
    viewport.setView(match.grenade().worldPosition, viewYaw, viewPitch, viewport.distance);
}

void FieldCamera::viewBlast(const VORN_LIB::VORN_Vector& point) {
    viewport.attach(nullptr);
    viewport.setView(point, viewport.yaw, blastPitch, blastDistance);
}

void FieldCamera::mouseMoved(QPoint at) {
    const QPoint moved = mouse - at;
    mouse = at;
    if (isLocked)
        return;
    if (!(aimView && match.state() == Aiming)) {
        viewport.rotate(moved.x() * sensitivity, moved.y() * sensitivity);
        return;
    }
    // Away from the aim's view at once, and kept there as the aim turns.
    turnedYaw += moved.x() * sensitivity;
    turnedPitch = std::clamp(turnedPitch + moved.y() * sensitivity, -90.0, 90.0);
    viewYaw += moved.x() * sensitivity;
    viewPitch = std::clamp(viewPitch + moved.y() * sensitivity, -90.0, 90.0);
    viewport.setView(match.grenade().worldPosition, viewYaw, viewPitch, viewport.distance);
}

void FieldCamera::mousePressed(Qt::MouseButton button, QPoint at) {
    if (!isLocked && button == Qt::MiddleButton)
        viewport.distance = 0;
    mouse = at;
}

void FieldCamera::wheel(int delta) {
    if (!isLocked) {
        viewport.distance += delta / 100.0;
        viewport.keepAboveGround();
    }
}
