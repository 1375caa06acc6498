// Pairwise collision passes over the registered volumes.
#include "engine/physics/VORN_CollisionManger.h"

#include "engine/physics/VORN_BoundingVolume.h"
#include "engine/physics/VORN_CollisionHandler.h"

#include <iterator>
#include <memory>

namespace VORN_LIB {

VORN_CollisionManger::VORN_CollisionManger(VORN_CollisionHandler* handler) : handler(handler) {
    if (!handler)
        throw "VORN_CollisionManger::VORN_CollisionManger:bad pointer";
}

void VORN_CollisionManger::addVolume(VORN_BoundingVolume* volume) {
    if (volume)
        volumes.push_back(volume);
}

void VORN_CollisionManger::removeVolume(VORN_BoundingVolume* volume) {
    if (volume)
        volumes.remove(volume);
}

void VORN_CollisionManger::checkCollisions() {
    for (auto i = volumes.begin(); i != volumes.end(); ++i) {
        for (auto j = std::next(i); j != volumes.end(); ++j) {
            const std::unique_ptr<VORN_Contact> contact((*i)->intersect(*j));
            if (contact)
                handler->handleCollision((*i)->ownerObject(), (*j)->ownerObject(), contact.get());
        }
    }
}

} // namespace VORN_LIB
