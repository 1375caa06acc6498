// Orientation matrix: identity by default, rows from a GL matrix, matrix times vector.
#include "engine/math/VORN_Matrix.h"

namespace VORN_LIB {

VORN_Matrix::VORN_Matrix() {
    for (unsigned i = 0; i < 3; ++i)
        (*this)[i] = unitVector(i);
}

VORN_Matrix::VORN_Matrix(double a, double b, double c, double d, double e, double f, double g,
                         double h, double i) {
    (*this)[0] = VORN_Vector(a, b, c);
    (*this)[1] = VORN_Vector(d, e, f);
    (*this)[2] = VORN_Vector(g, h, i);
}

VORN_Vector VORN_Matrix::unitVector(unsigned i) {
    if (i > 3)
        throw "Nonsense";
    VORN_Vector v;
    v[i] = 1.0;
    return v;
}

VORN_Matrix VORN_Matrix::transposed() const {
    const VORN_Matrix& m = *this;
    return VORN_Matrix(m[0][0], m[1][0], m[2][0], m[0][1], m[1][1], m[2][1], m[0][2], m[1][2],
                       m[2][2]);
}

VORN_Vector operator*(const VORN_Matrix& m, const VORN_Vector& v) {
    VORN_Vector r;
    for (unsigned k = 0; k < 3; ++k) {
        double sum = 0.0;
        for (unsigned j = 0; j < 3; ++j)
            sum += m[k][j] * v[j];
        r[k] = sum;
    }
    return r;
}

} // namespace VORN_LIB
