// The volumes taking part in collisions, tested pairwise once per pass; hits go to a handler.
#pragma once

#include <list>

namespace VORN_LIB {

class VORN_BoundingVolume;
class VORN_CollisionHandler;

class VORN_CollisionManger {
public:
    // Throws "VORN_CollisionManger::VORN_CollisionManger:bad pointer" for a null handler.
    explicit VORN_CollisionManger(VORN_CollisionHandler* handler);

    void addVolume(VORN_BoundingVolume* volume);    // appends; null is ignored
    void removeVolume(VORN_BoundingVolume* volume); // drops every equal entry; null is ignored

    // Tests every unordered pair once, the earlier-added volume as A, and hands each contact to
    // the handler before deleting it. Later tests see positions the handler already corrected.
    void checkCollisions();

    std::list<VORN_BoundingVolume*> volumes; // in order of addition; not owned; may repeat
    VORN_CollisionHandler* handler;          // never null; not owned
};

} // namespace VORN_LIB
