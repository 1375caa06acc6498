// Four doubles r, g, b, a (nominally 0 … 1): the colour of a scene object, handed to glColor4dv.
#pragma once

#include "engine/math/Vector.h"

namespace VORN_LIB {

class VORN_Color : public Vector<double, 4> {
public:
    VORN_Color() = default;
    VORN_Color(double r, double g, double b, double a) {
        (*this)[0] = r;
        (*this)[1] = g;
        (*this)[2] = b;
        (*this)[3] = a;
    }
    VORN_Color(const Vector<double, 4>& v) : Vector<double, 4>(v) {}
};

} // namespace VORN_LIB
