// Sphere tests: against another sphere (moving or resting), or handed over to the terrain.
// Positions are world positions of the owners' origins; velocities are world units per second.
#include "engine/physics/VORN_BoundingSphere.h"

#include "engine/physics/VORN_PhysicsContainer.h"
#include "engine/scene/VORN_Object.h"

#include <cmath>
#include <utility>

namespace VORN_LIB {

namespace {

// The container's velocity, or rest for a sphere bound directly to an object.
VORN_Vector velocityOf(const VORN_BoundingVolume* volume) {
    if (volume->ownerIsContainer)
        return static_cast<const VORN_PhysicsContainer*>(volume->owner)->velocity;
    return VORN_Vector();
}

// v scaled to length 1; the zero vector stays (0, 0, 0) instead of turning into NaNs. The length
// is taken without squaring, so very long or very short vectors neither overflow nor underflow.
VORN_Vector unitOrZero(const VORN_Vector& v) {
    const double length = std::hypot(v[0], v[1], v[2]);
    if (length == 0.0)
        return VORN_Vector();
    return VORN_Vector(v[0] / length, v[1] / length, v[2] / length);
}

bool isFinite(const VORN_Vector& v) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

} // namespace

VORN_Contact* VORN_BoundingSphere::intersect(VORN_BoundingVolume* other) {
    if (!other || other == this)
        return nullptr;

    if (other->kind == 2) {
        // The terrain answers from its own side; turn its record around so A is this sphere.
        VORN_Contact* contact = other->intersect(this);
        if (!contact)
            return nullptr;
        std::swap(contact->positionA, contact->positionB);
        std::swap(contact->directionA, contact->directionB);
        return contact;
    }
    if (other->kind != 1)
        return nullptr;

    // A volume without an object behind it has no place in the world to test or correct.
    VORN_Object* objectA = ownerObject();
    VORN_Object* objectB = other->ownerObject();
    if (!objectA || !objectB)
        return nullptr;

    const VORN_BoundingSphere* sphere = static_cast<const VORN_BoundingSphere*>(other);
    const VORN_Vector pA = objectA->worldPosition;
    const VORN_Vector pB = objectB->worldPosition;
    const VORN_Vector s = pA - pB;
    const double dist = std::sqrt(s.lengthSquared());
    const double R = radius + sphere->radius;
    if (R < dist)
        return nullptr; // touching counts as overlap

    const VORN_Vector vA = velocityOf(this);
    const VORN_Vector vB = velocityOf(other);
    const VORN_Vector w = vA - vB;
    const VORN_Vector uA = unitOrZero(vA);
    const VORN_Vector uB = unitOrZero(vB);
    const double a = w.lengthSquared();

    if (a != 0.0) {
        // Moving: the earlier time t at which |s + w·t| = R, i.e. when the spheres first touched.
        // Solved along the unit relative direction e = w / |w| for the distance travelled,
        // |s + e·tau| = R with tau = |w|·t, so that neither huge nor tiny speeds overflow.
        const double speed = std::hypot(w[0], w[1], w[2]);
        const VORN_Vector e = unitOrZero(w);
        const double b = 2.0 * dot(e, s);
        const double c = s.lengthSquared() - R * R;
        const double disc = b * b - 4.0 * c;
        if (disc <= 0.0)
            return nullptr;
        const double h = std::sqrt(disc);
        double tau = 0.0;
        if (h - b < 0.0)
            tau = (h - b) / 2.0;
        else if (-b - h < 0.0)
            tau = (-b - h) / 2.0;
        else
            return nullptr;
        // Each object steps back along its own path by the distance it travelled since the
        // first touch (time t = tau / |w|), that is tau times its share of the relative speed, so
        // that the spheres end just touching; an object at rest keeps its place. A pair already
        // moving apart (b > 0: the touch behind them was on the far side of each other) stays
        // where it is. The movable flags play no part here.
        const double back = b > 0.0 ? 0.0 : tau;
        const VORN_Vector positionA = pA + uA * (back * (std::hypot(vA[0], vA[1], vA[2]) / speed));
        const VORN_Vector positionB = pB + uB * (back * (std::hypot(vB[0], vB[1], vB[2]) / speed));
        if (!isFinite(positionA) || !isFinite(positionB))
            return nullptr; // speeds beyond any meaning; leave the objects where they are
        VORN_Contact* contact = new VORN_Contact;
        contact->positionA = positionA;
        contact->positionB = positionB;
        contact->directionA = uA;
        contact->directionB = uB;
        return contact;
    }

    // Resting: push apart along the line of centres by the depth of the overlap. Coincident
    // centres have no such line; they get zero normals and keep their positions.
    const VORN_Vector n = unitOrZero(s);
    const double depth = R - dist;
    VORN_Contact* contact = nullptr;
    if (movable && other->movable) {
        contact = new VORN_Contact;
        contact->positionA = pA + n * (depth / 2.0);
        contact->positionB = pB - n * (depth / 2.0);
    } else if (movable) {
        contact = new VORN_Contact;
        contact->positionA = pA + n * depth;
        contact->positionB = pB;
    } else if (other->movable) {
        contact = new VORN_Contact;
        contact->positionA = pA;
        contact->positionB = pB - n * depth;
    } else {
        return nullptr;
    }
    contact->directionA = n;
    contact->directionB = n * -1.0;
    return contact;
}

} // namespace VORN_LIB
