// What a player sees of a blast: a flash of light swelling and fading at the point, and a short
// burst of sparks flying out, falling and cooling to smoke. Started by the match's explosion and
// run by the game's clock; fixed-function GL alone (a blended sphere and points). The sparks are
// scattered by a generator of their own, so that the game's random draws stay as they were.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "engine/scene/VORN_Clock.h"

#include <GL/glu.h>
#include <vector>

class BlastEffect {
public:
    BlastEffect() = default;
    ~BlastEffect(); // releases the quadric (the GL context current)
    BlastEffect(const BlastEffect&) = delete;
    BlastEffect& operator=(const BlastEffect&) = delete;

    static constexpr VORN_LIB::VORN_Clock::Ticks flashMs = 300;  // the flash swells and fades
    static constexpr VORN_LIB::VORN_Clock::Ticks burstMs = 1400; // the sparks fly and fade
    static constexpr int sparkCount = 60;
    static constexpr double flashRadius = 1.6; // the flash's sphere at its largest

    // A new blast at a world point at clock reading now; one that still shows is replaced.
    void start(const VORN_LIB::VORN_Vector& point, VORN_LIB::VORN_Clock::Ticks now);
    // Whether anything of it shows at clock reading now.
    bool active(VORN_LIB::VORN_Clock::Ticks now) const;
    // How bright the flash is at now (1 at the blast, 0 once it is over).
    double flashLevel(VORN_LIB::VORN_Clock::Ticks now) const;
    // Where each spark is at now (empty once the burst is over).
    std::vector<VORN_LIB::VORN_Vector> sparks(VORN_LIB::VORN_Clock::Ticks now) const;

    // Draws it with the view of the 3-D picture, blended additively over the valley: hills in
    // front hide it, the fog does not dim it. Every GL state it changes is put back.
    void draw(VORN_LIB::VORN_Clock::Ticks now);

private:
    VORN_LIB::VORN_Vector centre;
    VORN_LIB::VORN_Clock::Ticks started = 0; // 0: no blast yet
    std::vector<VORN_LIB::VORN_Vector> velocities;
    GLUquadric* quadric = nullptr; // made on the first draw
};
