// The owner lookup shared by every collision shape.
#include "engine/physics/VORN_BoundingVolume.h"

#include "engine/physics/VORN_PhysicsContainer.h"

namespace VORN_LIB {

VORN_Object* VORN_BoundingVolume::ownerObject() const {
    if (!ownerIsContainer)
        return static_cast<VORN_Object*>(owner);
    const VORN_PhysicsContainer* container = static_cast<const VORN_PhysicsContainer*>(owner);
    return container ? container->object : nullptr;
}

} // namespace VORN_LIB
