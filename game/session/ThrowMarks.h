// What each player's last throw left to see, kept until that player throws again: the dotted path
// the grenade flew, and where it came down, a ring in the player's team colour with a cross in
// the middle, following the ground. Drawn during that player's turns.
#pragma once

#include "engine/math/VORN_Color.h"
#include "engine/math/VORN_Vector.h"

#include <map>
#include <optional>
#include <vector>

namespace VORN_LIB {
class VORN_Landscape;
}

class ThrowMarks {
public:
    static constexpr double ringRadius = 0.6;
    // The path keeps a point of the flight each dotSpacing units along it, at most mostDots of
    // them (a long flight's later points are dropped).
    static constexpr double dotSpacing = 0.6;
    static constexpr std::size_t mostDots = 2000;

    void clear(); // a new game
    // A player throws: what its last throw left is forgotten.
    void thrown(int player);
    // The grenade of the last throw is at a point of its flight now.
    void flew(const VORN_LIB::VORN_Vector& at);
    // The last throw came down at a point (the blast's centre); later blasts of it change nothing.
    void landed(const VORN_LIB::VORN_Vector& point);
    // Where a player's last throw landed (none while it flies, or when it left the valley), and
    // the points of its flight, from the throw on.
    std::optional<VORN_LIB::VORN_Vector> markOf(int player) const;
    const std::vector<VORN_LIB::VORN_Vector>& pathOf(int player) const;

    // Draws a mark on the valley with the view of the 3-D picture (depth tested, unlit, not
    // fogged), its line 3 window pixels wide in a picture of pictureScale picture pixels to each
    // window pixel. Every GL state it changes is put back.
    static void draw(const VORN_LIB::VORN_Landscape& land, const VORN_LIB::VORN_Vector& point,
                     const VORN_LIB::VORN_Color& colour, double pictureScale = 1.0);
    // Draws a path as faint round dots 5 window pixels wide, the same way.
    static void drawPath(const std::vector<VORN_LIB::VORN_Vector>& path,
                         const VORN_LIB::VORN_Color& colour, double pictureScale = 1.0);

private:
    struct Mark {
        std::vector<VORN_LIB::VORN_Vector> path;
        std::optional<VORN_LIB::VORN_Vector> landed;
    };
    std::map<int, Mark> marks; // by player
    int flying = -1;           // the player whose throw is in the air, or -1
};
