// A glow of its own around the grenade, from fire mode until it is gone, so that the black grenade
// stands out against the night ground: a soft yellow halo with a white core, a fixed size on the
// screen, pulsing a little. Neither hills nor fog hide it, so the eye can follow
// a throw to where it lands.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "engine/scene/VORN_Clock.h"

class GrenadeGlow {
public:
    static constexpr float haloPixels = 16;
    static constexpr float corePixels = 6;

    // Draws the glow at a world point with the view of the 3-D picture. Every GL state it changes
    // is put back.
    static void draw(const VORN_LIB::VORN_Vector& at, VORN_LIB::VORN_Clock::Ticks now);
};
