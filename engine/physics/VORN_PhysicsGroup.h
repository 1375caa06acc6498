// A constant acceleration (world units per second squared, y up) and the containers it moves.
#pragma once

#include "engine/math/VORN_Vector.h"

#include <list>

namespace VORN_LIB {

class VORN_PhysicsContainer;

class VORN_PhysicsGroup {
public:
    void add(VORN_PhysicsContainer* container);    // appends; null is ignored
    void remove(VORN_PhysicsContainer* container); // drops every equal entry; null is ignored

    // Semi-implicit Euler over dt seconds: velocity first, then the object moves by the new
    // velocity, expressed in the object's own frame, and its world transform is refreshed.
    void step(double dt);

    VORN_Vector gravity;
    std::list<VORN_PhysicsContainer*> containers; // in order of addition; not owned; may repeat
};

} // namespace VORN_LIB
