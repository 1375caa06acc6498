// A velocity for one scene object, stopped by the object's collisionDetected() signal.
#include "engine/physics/VORN_PhysicsContainer.h"

#include "engine/scene/VORN_Object.h"

namespace VORN_LIB {

VORN_PhysicsContainer::VORN_PhysicsContainer(double mass, VORN_Object* object,
                                             const VORN_Vector& velocity)
    : object(object), mass(mass), velocity(velocity) {
    // Without an object there is nothing to listen to; the velocity still takes gravity.
    if (object)
        connect(object, &VORN_Object::collisionDetected, this,
                &VORN_PhysicsContainer::collisionDetected);
}

void VORN_PhysicsContainer::collisionDetected() {
    velocity = VORN_Vector();
}

} // namespace VORN_LIB
