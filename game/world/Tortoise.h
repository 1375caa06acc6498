// A player's figure: hit points and a small tortoise model (head towards −z, y up), scaled by
// size and drawn once into the object's display list.
#pragma once

#include "engine/scene/VORN_Object.h"
#include "game/world/ModelQuadric.h"

class Tortoise : public VORN_LIB::VORN_Object {
public:
    // At the origin, unrotated, unscaled, white, with its quadric.
    Tortoise();

    // Emits the model in model units times size; the cone is ignored.
    void draw(const VORN_LIB::VORN_OcclusionCone* cone) override;

    int health = 100;  // lowered by explosions; the figure leaves at zero
    double size = 1.0; // the game uses 0.3
    // Every point of the model lies within reach × size of the origin.
    static constexpr double reach = 1.2;
    ModelQuadric quadric; // its spheres; without one the model draws the rest of its shape
};
