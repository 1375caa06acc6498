// What the computer opponent sees of its turn: a copy of the figures, the aim and the ground,
// taken each tick it plays. Figures still falling count where they will land.
#include "game/session/Game.h"

#include "game/rules/Rules.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <algorithm>

using namespace VORN_LIB;

TurnView Game::computerView(VORN_Clock::Ticks now) const {
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
    return view;
}

// Its own figures (the one on turn first), the others, the lamps, and the valley's heights.
ComputerPlayer::Field Game::computerField() const {
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
        const Player* player = players[u];
        for (unsigned j = 0; player && j < player->count; ++j) {
            const Tortoise* f = player->figures[j];
            if (!f || f == currentFigure)
                continue;
            if (static_cast<int>(u) == currentPlayer)
                field.own.push_back(restingPlace(f));
            else
                field.enemies.push_back(restingPlace(f));
        }
    }
    for (int i = 0; i < 4; ++i)
        field.fixed.push_back({lamps[i].worldPosition, lampSpheres[i].radius});
    return field;
}
