// The physics groups, stepped by the real time (milliseconds of VORN_Clock) since the last step.
#pragma once

#include "engine/scene/VORN_Clock.h"

#include <list>

namespace VORN_LIB {

class VORN_PhysicsGroup;

class VORN_PhysicsWorld {
public:
    void addGroup(VORN_PhysicsGroup* group); // appends; null is ignored

    // Steps every group by the seconds elapsed since lastTicks, at most maxStep when that is
    // positive, then sets lastTicks to now. Two steps in the same millisecond give dt = 0.
    void step();
    // The same up to the given reading of a clock of the owner's (one that may run faster).
    void stepTo(VORN_Clock::Ticks now);

    // Longest step in seconds; a stall beyond it slows the world rather than making it jump.
    // 0 leaves the step unbounded.
    double maxStep = 0;

    // Clock reading of the previous step. The owner sets it once the world is built; left at 0
    // the first step integrates everything since the clock started.
    VORN_Clock::Ticks lastTicks = 0;
    std::list<VORN_PhysicsGroup*> groups; // in order of addition; not owned
};

} // namespace VORN_LIB
