// The wind and the weapons of the turn beside the status panels, in a game that has them: the
// wind's arrow at the top centre, the weapons under the turn panel while the player on turn aims.
#include "game/session/Game.h"

#include "game/session/Battlefield.h"
#include "game/session/WeaponPanel.h"
#include "game/session/WindArrow.h"

#include <QPainter>

void Game::drawArms(QPainter& painter, const QRect& turnPanel) {
    if (match->settings().wind != GameSettings::Wind::Off)
        WindArrow::draw(painter, overlaySize().width(), match->wind(), field->viewport().right,
                        field->viewport().back);
    if (match->settings().weapons == GameSettings::Weapons::All && match->state() == Aiming) {
        std::array<int, Weapons::count> left{};
        for (int i = 0; i < Weapons::count; ++i)
            left[i] = match->weaponsLeft(match->currentPlayer(), static_cast<Weapon>(i));
        WeaponPanel::draw(painter, WeaponPanel::place(turnPanel), match->weapon(), left);
    }
}
