// 4 × 4 doubles in GL's column-major order: element (row r, column c) is m[4c + r]. The scene's
// world transforms are worked out with it on the processor, without a GL context: translate,
// rotate and scale multiply onto the right of the matrix, as the fixed-function matrix calls do
// to the current matrix, so the same sequence of calls gives the same matrix, in double precision.
#pragma once

#include "engine/math/VORN_Matrix.h"
#include "engine/math/VORN_Vector.h"

namespace VORN_LIB {

class VORN_Matrix4 {
public:
    VORN_Matrix4(); // identity
    // From 16 values in column-major order, as GL hands them out.
    static VORN_Matrix4 fromColumnMajor(const double* m);

    double operator()(unsigned row, unsigned column) const { return m[4 * column + row]; }
    double& operator()(unsigned row, unsigned column) { return m[4 * column + row]; }
    const double* data() const { return m; } // column-major, for glLoadMatrixd and the like

    // this = this · T(x, y, z)
    VORN_Matrix4& translate(double x, double y, double z);
    // this = this · R, R turning by degrees counter-clockwise about the axis (x, y, z) seen from
    // its tip. The axis is normalised first; a zero axis leaves the matrix as it is. Multiples of
    // 90 degrees turn exactly (sine and cosine 0 and ±1).
    VORN_Matrix4& rotate(double degrees, double x, double y, double z);
    // this = this · S(x, y, z)
    VORN_Matrix4& scale(double x, double y, double z);

    // Where the matrix takes the origin: the fourth column's upper three values.
    VORN_Vector translation() const;
    // The upper 3 × 3 part as the scene's orientation: row k is the image of local axis k.
    VORN_Matrix orientation() const;

private:
    double m[16];
};

VORN_Matrix4 operator*(const VORN_Matrix4& a, const VORN_Matrix4& b);

} // namespace VORN_LIB
