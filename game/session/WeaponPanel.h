// The weapons of a game with every weapon, under the key panel at the top right: one line a weapon
// with its key, its name and how many are left ("2 streubombe 3"; the grenade never runs out),
// the one taken for the throw marked, those used up dimmed.
#pragma once

#include "game/rules/Weapons.h"

#include <QString>
#include <array>

class QPainter;

class WeaponPanel {
public:
    static constexpr int width = 200;
    static constexpr int height = 150;
    static constexpr int top = 206; // below the key panel

    // The panel at the right edge of a window windowWidth pixels wide.
    static void draw(QPainter& painter, int windowWidth, Weapon taken,
                     const std::array<int, Weapons::count>& left);

    // A weapon's name, as the players read it.
    static QString name(Weapon w);
    // Its line: the key, the name and, unless it never runs out, what is left.
    static QString line(Weapon w, int left);
};
