// Collision shape of one scene object: a kind code for dispatch (1 sphere, 2 terrain), an owner
// that is an object or a physics container, and two flags set by the owner after construction.
#pragma once

#include "engine/physics/VORN_Contact.h"

namespace VORN_LIB {

class VORN_Object;

class VORN_BoundingVolume {
public:
    VORN_BoundingVolume(int kind, void* owner) : kind(kind), owner(owner) {}
    virtual ~VORN_BoundingVolume() = default;

    // A new contact owned by the caller, or null when the volumes do not touch.
    virtual VORN_Contact* intersect(VORN_BoundingVolume* other) = 0;

    // The object behind owner: owner itself, or the container's object.
    VORN_Object* ownerObject() const;

    int kind;
    void* owner;                   // a VORN_Object*, or a VORN_PhysicsContainer* when flagged
    bool ownerIsContainer = false; // the container's velocity takes part in sphere tests
    bool movable = false;          // a resting overlap may push this volume's object
};

} // namespace VORN_LIB
