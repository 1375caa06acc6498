// Column-major 4 × 4 transforms built by right multiplication, as the GL matrix stack builds them.
#include "engine/math/VORN_Matrix4.h"

#include <cmath>

namespace VORN_LIB {

namespace {

// Sine and cosine of an angle in degrees; whole quarter turns come out exact, so that a figure
// turned by 90 degrees keeps its axes without a trace of the other ones.
void sinCosDegrees(double degrees, double& s, double& c) {
    double reduced = std::fmod(degrees, 360.0); // exact; not a number stays not a number
    if (reduced < 0)
        reduced += 360.0;
    if (reduced == 0 || reduced == 360.0) {
        s = 0;
        c = 1;
    } else if (reduced == 90.0) {
        s = 1;
        c = 0;
    } else if (reduced == 180.0) {
        s = 0;
        c = -1;
    } else if (reduced == 270.0) {
        s = -1;
        c = 0;
    } else {
        const double radians = reduced * (M_PI / 180.0);
        s = std::sin(radians);
        c = std::cos(radians);
    }
}

} // namespace

VORN_Matrix4::VORN_Matrix4() : m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1} {}

VORN_Matrix4 VORN_Matrix4::fromColumnMajor(const double* values) {
    VORN_Matrix4 r;
    for (int i = 0; i < 16; ++i)
        r.m[i] = values[i];
    return r;
}

VORN_Matrix4& VORN_Matrix4::translate(double x, double y, double z) {
    for (int row = 0; row < 4; ++row)
        m[12 + row] += m[row] * x + m[4 + row] * y + m[8 + row] * z;
    return *this;
}

VORN_Matrix4& VORN_Matrix4::rotate(double degrees, double x, double y, double z) {
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length == 0)
        return *this;
    if (length != 1) {
        x /= length;
        y /= length;
        z /= length;
    }
    double s, c;
    sinCosDegrees(degrees, s, c);

    // r[i][j]: row i, column j of the turn.
    double r[3][3];
    if (y == 0 && z == 0) { // about ±x: built directly, so the untouched axis stays exact
        r[0][0] = 1, r[0][1] = 0, r[0][2] = 0;
        r[1][0] = 0, r[1][1] = c, r[1][2] = -x * s;
        r[2][0] = 0, r[2][1] = x * s, r[2][2] = c;
    } else if (x == 0 && z == 0) { // about ±y
        r[0][0] = c, r[0][1] = 0, r[0][2] = y * s;
        r[1][0] = 0, r[1][1] = 1, r[1][2] = 0;
        r[2][0] = -y * s, r[2][1] = 0, r[2][2] = c;
    } else if (x == 0 && y == 0) { // about ±z
        r[0][0] = c, r[0][1] = -z * s, r[0][2] = 0;
        r[1][0] = z * s, r[1][1] = c, r[1][2] = 0;
        r[2][0] = 0, r[2][1] = 0, r[2][2] = 1;
    } else {
        const double t = 1 - c;
        r[0][0] = x * x * t + c, r[0][1] = x * y * t - z * s, r[0][2] = x * z * t + y * s;
        r[1][0] = y * x * t + z * s, r[1][1] = y * y * t + c, r[1][2] = y * z * t - x * s;
        r[2][0] = x * z * t - y * s, r[2][1] = y * z * t + x * s, r[2][2] = z * z * t + c;
    }

    // Only the first three columns change: column j becomes Σk column k · r[k][j].
    double columns[12];
    for (int j = 0; j < 3; ++j)
        for (int row = 0; row < 4; ++row)
            columns[4 * j + row] = m[row] * r[0][j] + m[4 + row] * r[1][j] + m[8 + row] * r[2][j];
    for (int i = 0; i < 12; ++i)
        m[i] = columns[i];
    return *this;
}

VORN_Matrix4& VORN_Matrix4::scale(double x, double y, double z) {
    for (int row = 0; row < 4; ++row) {
        m[row] *= x;
        m[4 + row] *= y;
        m[8 + row] *= z;
    }
    return *this;
}

VORN_Vector VORN_Matrix4::translation() const {
    return VORN_Vector(m[12], m[13], m[14]);
}

VORN_Matrix VORN_Matrix4::orientation() const {
    return VORN_Matrix(m[0], m[1], m[2], m[4], m[5], m[6], m[8], m[9], m[10]);
}

VORN_Matrix4 operator*(const VORN_Matrix4& a, const VORN_Matrix4& b) {
    VORN_Matrix4 r;
    for (unsigned column = 0; column < 4; ++column)
        for (unsigned row = 0; row < 4; ++row) {
            double sum = 0;
            for (unsigned k = 0; k < 4; ++k)
                sum += a(row, k) * b(k, column);
            r(row, column) = sum;
        }
    return r;
}

} // namespace VORN_LIB
