// The result of a collision test: corrected world positions and unit directions for both sides.
#pragma once

#include "engine/math/VORN_Vector.h"

namespace VORN_LIB {

struct VORN_Contact {
    VORN_Vector positionA;  // world position to give the object of the tested volume (A)
    VORN_Vector positionB;  // world position to give the object of the argument volume (B)
    VORN_Vector directionA; // separation normal (resting) or direction of motion (moving)
    VORN_Vector directionB;
};

} // namespace VORN_LIB
