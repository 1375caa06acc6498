// What a collision pass reports each touching pair of volumes to; the game window implements it.
#pragma once

namespace VORN_LIB {

class VORN_Object;
struct VORN_Contact;

class VORN_CollisionHandler {
public:
    virtual ~VORN_CollisionHandler() = default;

    // a and b are the owner objects of the two volumes; the A fields of contact belong to a.
    // The contact belongs to the caller and is valid only during the call. The handler must
    // not add or remove volumes of the manager that is calling it.
    virtual void handleCollision(VORN_Object* a, VORN_Object* b, VORN_Contact* contact) = 0;
};

} // namespace VORN_LIB
