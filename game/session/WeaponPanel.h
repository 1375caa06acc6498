// The weapons of a game with every weapon, under the turn panel at the top left: one line a weapon
// with its key, its name and how many are left ("2 streubombe 3"; the grenade never runs out),
// the one taken for the throw marked, those used up dimmed.
#pragma once

#include "game/rules/Weapons.h"

#include <QRect>
#include <QString>
#include <array>

class QPainter;

class WeaponPanel {
public:
    static constexpr int width = 200;
    static constexpr int height = 150;

    // Where the panel goes: under the turn panel (the key panel on the right grows in fire mode).
    static QRect place(const QRect& turnPanel);
    static void draw(QPainter& painter, const QRect& panel, Weapon taken,
                     const std::array<int, Weapons::count>& left);

    // A weapon's name, as the players read it.
    static QString name(Weapon w);
    // Its line: the key, the name and, unless it never runs out, what is left.
    static QString line(Weapon w, int left);
};
