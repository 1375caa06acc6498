// The teams' shapes beside their colours, so that teams are told apart without colour: a circle,
// a triangle, a square, a diamond, a star, a plus, a cross, a triangle standing on its point and
// an hourglass lying on its side, for the players 0 to 8. Each is an outline of corners round its
// middle, within radius 1, y up; every point of it is seen from the middle, so a fan of triangles
// from there fills it. The figure labels, the strength pie and the marker over the figure on turn
// draw them.
#pragma once

#include <vector>

class TeamShapes {
public:
    struct Corner {
        double x, y;
    };
    static constexpr int count = 9;

    // The outline of a player's shape (the player's number taken modulo count).
    static const std::vector<Corner>& outline(int player);
};
