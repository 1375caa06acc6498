// Gives one scene object a velocity (world units per second); the object's collisionDetected()
// signal stops it.
#pragma once

#include "engine/math/VORN_Vector.h"

#include <QObject>

namespace VORN_LIB {

class VORN_Object;

class VORN_PhysicsContainer : public QObject {
    Q_OBJECT

public:
    VORN_PhysicsContainer(double mass, VORN_Object* object, const VORN_Vector& velocity);

    VORN_Object* object; // moved object; not owned; may be null
    double mass;         // stored only
    VORN_Vector velocity;

public slots:
    void collisionDetected(); // velocity = (0, 0, 0)
};

} // namespace VORN_LIB
