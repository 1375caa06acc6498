// Three doubles: positions, angles in degrees, scale factors, velocities and normals.
// OpenGL's right-handed frame with y up.
#pragma once

#include "engine/math/Vector.h"

#include <QMetaType>

namespace VORN_LIB {

class VORN_Vector : public Vector<double, 3> {
public:
    VORN_Vector() = default;
    VORN_Vector(double x, double y, double z);
    VORN_Vector(const Vector<double, 3>& v) : Vector<double, 3>(v) {}

    double x() const { return (*this)[0]; }
    double y() const { return (*this)[1]; }
    double z() const { return (*this)[2]; }

    double lengthSquared() const; // ((0 + x·x) + y·y) + z·z
    void normalize();             // in place; a zero vector becomes non-finite, unchecked
};

VORN_Vector operator+(const VORN_Vector& a, const VORN_Vector& b);
VORN_Vector operator-(const VORN_Vector& a, const VORN_Vector& b);
VORN_Vector operator*(const VORN_Vector& v, double s);
double dot(const VORN_Vector& a, const VORN_Vector& b);
VORN_Vector cross(const VORN_Vector& a, const VORN_Vector& b); // right-handed a × b

} // namespace VORN_LIB

Q_DECLARE_METATYPE(VORN_LIB::VORN_Vector)
