// Vector, colour and matrix arithmetic, and the checked element access.
#include "engine/math/VORN_Color.h"
#include "engine/math/VORN_Matrix.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

using namespace VORN_LIB;

namespace {

std::string thrownText(void (*action)()) {
    try {
        action();
    } catch (const char* text) {
        return text;
    }
    return "nothing thrown";
}

void expectVector(const VORN_Vector& v, double x, double y, double z) {
    EXPECT_DOUBLE_EQ(v[0], x);
    EXPECT_DOUBLE_EQ(v[1], y);
    EXPECT_DOUBLE_EQ(v[2], z);
}

} // namespace

TEST(Vector, DefaultsToZeroAndSelfAssignmentKeepsValues) {
    VORN_Vector v;
    expectVector(v, 0, 0, 0);
    v = VORN_Vector(1, 2, 3);
    VORN_Vector& alias = v;
    v = alias;
    expectVector(v, 1, 2, 3);
}

TEST(Vector, Arithmetic) {
    const VORN_Vector a(1, 2, 3), b(4, 5, 6);
    expectVector(a + b, 5, 7, 9);
    expectVector(b - a, 3, 3, 3);
    expectVector(a * 2.0, 2, 4, 6);
    EXPECT_DOUBLE_EQ(dot(a, b), 32);
    VORN_Vector c(a);
    c += b;
    c -= VORN_Vector(1, 1, 1);
    expectVector(c, 4, 6, 8);
    expectVector(a, 1, 2, 3); // operands are untouched
}

TEST(Vector, LengthAndNormalize) {
    VORN_Vector v(3, 4, 0);
    EXPECT_DOUBLE_EQ(v.lengthSquared(), 25);
    v.normalize();
    expectVector(v, 0.6, 0.8, 0);
    VORN_Vector zero;
    zero.normalize();
    EXPECT_FALSE(std::isfinite(zero[0])); // unchecked by design: callers guard zero vectors
}

TEST(Vector, CrossIsRightHanded) {
    expectVector(cross(VORN_Vector(1, 0, 0), VORN_Vector(0, 1, 0)), 0, 0, 1);
    expectVector(cross(VORN_Vector(0, 1, 0), VORN_Vector(1, 0, 0)), 0, 0, -1);
    expectVector(cross(VORN_Vector(0, 0, 1), VORN_Vector(1, 0, 0)), 0, 1, 0);
}

TEST(Vector, IndexIsChecked) {
    EXPECT_EQ(thrownText([] {
                  VORN_Vector v;
                  (void)v[3];
              }),
              "Vector::operator[]: bad index");
    EXPECT_EQ(thrownText([] {
                  const VORN_Vector v;
                  (void)v[100];
              }),
              "Vector::operator[]: bad index");
    VORN_Color c(0.1, 0.2, 0.3, 0.4);
    EXPECT_DOUBLE_EQ(c[3], 0.4); // alpha is a valid index on a colour
    EXPECT_EQ(thrownText([] {
                  VORN_Color c;
                  (void)c[4];
              }),
              "Vector::operator[]: bad index");
}

TEST(Vector, FloatColourScalesAlphaToo) {
    const Vector<float, 4> c = floatColor(0.5f, 0.5f, 0.5f, 1.0f) * 0.1f;
    EXPECT_FLOAT_EQ(c[0], 0.05f);
    EXPECT_FLOAT_EQ(c[1], 0.05f);
    EXPECT_FLOAT_EQ(c[2], 0.05f);
    EXPECT_FLOAT_EQ(c[3], 0.1f);
}

TEST(Matrix, DefaultIsIdentity) {
    const VORN_Matrix m;
    expectVector(m * VORN_Vector(1.5, -2, 7), 1.5, -2, 7);
}

TEST(Matrix, UnitVectors) {
    expectVector(VORN_Matrix::unitVector(0), 1, 0, 0);
    expectVector(VORN_Matrix::unitVector(2), 0, 0, 1);
    EXPECT_EQ(thrownText([] { VORN_Matrix::unitVector(3); }), "Vector::operator[]: bad index");
    EXPECT_EQ(thrownText([] { VORN_Matrix::unitVector(4); }), "Nonsense");
}

TEST(Matrix, RowsFromGLMatrixGiveLocalComponents) {
    // Column-major model-view matrix of a 90 degree turn about y.
    const double m[16] = {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    const VORN_Matrix r(m[0], m[1], m[2], m[4], m[5], m[6], m[8], m[9], m[10]);
    const VORN_Vector local = r * VORN_Vector(1, 0, 0);
    EXPECT_NEAR(local[0], 0, 1e-12);
    EXPECT_NEAR(local[1], 0, 1e-12);
    EXPECT_NEAR(local[2], 1, 1e-12);
    expectVector(r.transposed() * local, 1, 0, 0);
}
