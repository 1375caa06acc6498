// Gravity integration for a list of physics containers.
#include "engine/physics/VORN_PhysicsGroup.h"

#include "engine/physics/VORN_PhysicsContainer.h"
#include "engine/scene/VORN_Object.h"

namespace VORN_LIB {

void VORN_PhysicsGroup::add(VORN_PhysicsContainer* container) {
    if (container)
        containers.push_back(container);
}

void VORN_PhysicsGroup::remove(VORN_PhysicsContainer* container) {
    if (container)
        containers.remove(container);
}

void VORN_PhysicsGroup::step(double dt) {
    const VORN_Vector g = gravity * dt;
    for (VORN_PhysicsContainer* container : containers) {
        container->velocity += g;
        VORN_Object* object = container->object;
        if (!object)
            continue;
        // The local position lives in the object's rotated frame: row i of the world
        // orientation is local axis i, so M * d gives the world move in local components.
        const VORN_Vector d = container->velocity * dt;
        object->position += object->worldOrientation * d;
        object->updateTransform(true);
    }
}

} // namespace VORN_LIB
