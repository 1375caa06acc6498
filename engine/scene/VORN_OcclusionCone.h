// The per-frame view-culling cone: apex at the eye, axis along eye-space -z, cut by the near and
// far planes. Centres are given in the frame of the current GL model-view matrix.
#pragma once

#include "engine/math/VORN_Vector.h"

namespace VORN_LIB {

class VORN_OcclusionCone {
public:
    // halfAngle in radians; throws unless 0 < nearPlane < farPlane.
    VORN_OcclusionCone(double halfAngle, double nearPlane, double farPlane);

    // 0: the sphere lies outside, 1: it may be partly inside, 2: it lies wholly inside.
    // A radius of 0 always answers 1. Reads GL_MODELVIEW_MATRIX once per call.
    int isVisible(VORN_Vector centre, double radius) const;

    double tanAngle; // tan of the half angle
    double secAngle; // 1 / cos of the half angle
    double nearPlane;
    double farPlane;
    double rimDistance; // farPlane / sin of the half angle
};

} // namespace VORN_LIB
