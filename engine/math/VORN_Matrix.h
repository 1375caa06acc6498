// 3 × 3 doubles, row by row: the world orientation of a scene object. Taken from a column-major GL
// matrix m as rows (m0, m1, m2), (m4, m5, m6), (m8, m9, m10), so row k is the world image of local
// axis k and M * v gives v's components along the local axes.
#pragma once

#include "engine/math/VORN_Vector.h"

namespace VORN_LIB {

class VORN_Matrix : public Vector<VORN_Vector, 3> {
public:
    VORN_Matrix(); // identity
    VORN_Matrix(double a, double b, double c, double d, double e, double f, double g, double h,
                double i);

    // Basis vector i; index 3 fails in the element access, above 3 throws "Nonsense".
    static VORN_Vector unitVector(unsigned i);

    VORN_Matrix transposed() const;
};

VORN_Vector operator*(const VORN_Matrix& m, const VORN_Vector& v);

} // namespace VORN_LIB
