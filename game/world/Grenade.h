// The projectile: a sphere studded with short cylinders, scaled by size (y up). The game owns one
// and reuses it for every throw.
#pragma once

#include "engine/scene/VORN_Object.h"
#include "game/world/ModelQuadric.h"

class Grenade : public VORN_LIB::VORN_Object {
public:
    // At the origin, unrotated, unscaled, white, with its quadric.
    Grenade();

    // Emits the body and its 122 studs (duplicates included); the cone is ignored.
    void draw(const VORN_LIB::VORN_OcclusionCone* cone) override;

    double size = 1.0; // the game uses 0.1
    // Every point of the model lies within reach × size of the origin.
    static constexpr double reach = 1.2;
    ModelQuadric quadric; // its spheres; without one the model draws the rest of its shape
};
