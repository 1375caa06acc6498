// Real-time stepping of the physics groups.
#include "engine/physics/VORN_PhysicsWorld.h"

#include "engine/physics/VORN_PhysicsGroup.h"

namespace VORN_LIB {

void VORN_PhysicsWorld::addGroup(VORN_PhysicsGroup* group) {
    if (group)
        groups.push_back(group);
}

void VORN_PhysicsWorld::step() {
    stepTo(VORN_Clock::now());
}

void VORN_PhysicsWorld::stepTo(VORN_Clock::Ticks now) {
    double dt = static_cast<double>(now - lastTicks) * 0.001;
    if (maxStep > 0 && dt > maxStep)
        dt = maxStep;
    for (VORN_PhysicsGroup* group : groups)
        group->step(dt);
    lastTicks = now;
}

} // namespace VORN_LIB
