// The marker over the tortoise on turn: a small upside-down pyramid in its team's colour, edged in
// white, bobbing gently above the figure. It is drawn after the valley with no depth test, no fog
// and no lighting, so that neither hills, lamps, the night nor the fog ever hide it.
#pragma once

#include "engine/math/VORN_Color.h"
#include "engine/math/VORN_Vector.h"
#include "engine/scene/VORN_Clock.h"

class TurnMarker {
public:
    // Height of the marker's tip above the figure's centre at clock reading now: between
    // lowest and lowest + bob, once up and down every period.
    static double tipHeight(VORN_LIB::VORN_Clock::Ticks now);
    static constexpr double lowest = 0.55;
    static constexpr double bob = 0.15;
    static constexpr VORN_LIB::VORN_Clock::Ticks period = 1200;

    // Draws the marker over a figure at its world position, with the view of the 3-D picture of
    // pictureScale picture pixels to each window pixel (its edge 2 window pixels wide). With a
    // player's shape (0 and up) its top is that team's shape (TeamShapes) instead of a square.
    // Every GL state it changes is put back.
    static void draw(const VORN_LIB::VORN_Vector& figure, const VORN_LIB::VORN_Color& colour,
                     VORN_LIB::VORN_Clock::Ticks now, double pictureScale = 1.0, int shape = -1);
};
