// Helpers for the physics tests: plain scene objects placed in the world (y up, no parent, no
// rotation unless a test sets one) and a vector comparison with a readable failure message.
#pragma once

#include "engine/scene/VORN_Object.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

// A parentless object at world position (x, y, z) with its world cache up to date (needs GL).
inline std::unique_ptr<VORN_LIB::VORN_Object> makeObjectAt(double x, double y, double z) {
    using VORN_LIB::VORN_Color;
    using VORN_LIB::VORN_Vector;
    auto object = std::make_unique<VORN_LIB::VORN_Object>(
        VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1), VORN_Color(1, 1, 1, 1));
    object->setPosition(x, y, z);
    return object;
}

// World positions are worked out in double precision; the default allows for rounding only.
inline ::testing::AssertionResult vectorNear(const VORN_LIB::VORN_Vector& v, double x, double y,
                                             double z, double tolerance = 1e-12) {
    if (std::fabs(v.x() - x) <= tolerance && std::fabs(v.y() - y) <= tolerance &&
        std::fabs(v.z() - z) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << v.x() << ", " << v.y() << ", " << v.z()
                                         << ") is not (" << x << ", " << y << ", " << z << ")";
}

inline bool allFinite(const VORN_LIB::VORN_Vector& v) {
    return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}
