// Three-component vector arithmetic, summed in index order starting from 0.
#include "engine/math/VORN_Vector.h"

#include <cmath>

namespace VORN_LIB {

VORN_Vector::VORN_Vector(double x, double y, double z) {
    (*this)[0] = x;
    (*this)[1] = y;
    (*this)[2] = z;
}

double VORN_Vector::lengthSquared() const {
    return dot(*this, *this);
}

void VORN_Vector::normalize() {
    const double f = 1.0 / std::sqrt(lengthSquared());
    for (unsigned i = 0; i < 3; ++i)
        (*this)[i] *= f;
}

VORN_Vector operator+(const VORN_Vector& a, const VORN_Vector& b) {
    VORN_Vector r(a);
    r += b;
    return r;
}

VORN_Vector operator-(const VORN_Vector& a, const VORN_Vector& b) {
    VORN_Vector r(a);
    r -= b;
    return r;
}

VORN_Vector operator*(const VORN_Vector& v, double s) {
    VORN_Vector r(v);
    for (unsigned i = 0; i < 3; ++i)
        r[i] *= s;
    return r;
}

double dot(const VORN_Vector& a, const VORN_Vector& b) {
    double sum = 0.0;
    for (unsigned i = 0; i < 3; ++i)
        sum += a[i] * b[i];
    return sum;
}

VORN_Vector cross(const VORN_Vector& a, const VORN_Vector& b) {
    return VORN_Vector(a[1] * b[2] - a[2] * b[1], -(a[0] * b[2] - a[2] * b[0]),
                       a[0] * b[1] - a[1] * b[0]);
}

} // namespace VORN_LIB
