// Sphere collision shape around its owner's world position; kind 1.
#pragma once

#include "engine/physics/VORN_BoundingVolume.h"

namespace VORN_LIB {

class VORN_BoundingSphere : public VORN_BoundingVolume {
public:
    VORN_BoundingSphere(double radius, void* owner)
        : VORN_BoundingVolume(1, owner), radius(radius) {}

    // Against a sphere: moving contacts are moved back along their paths to where they first
    // touched (a pair moving apart stays put), resting overlaps are split by the movable flags.
    // Against the terrain: its answer with A and B swapped.
    VORN_Contact* intersect(VORN_BoundingVolume* other) override;

    double radius;
};

} // namespace VORN_LIB
