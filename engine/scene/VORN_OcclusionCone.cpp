// View-culling cone test. Angles in radians; the centre is taken through the current GL model-view
// matrix (column-major) into eye space, where the cone opens along -z from the eye.
#include "engine/scene/VORN_OcclusionCone.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace VORN_LIB {

VORN_OcclusionCone::VORN_OcclusionCone(double halfAngle, double nearPlane, double farPlane)
    : tanAngle(std::tan(halfAngle)), secAngle(1.0 / std::cos(halfAngle)), nearPlane(nearPlane),
      farPlane(farPlane), rimDistance(farPlane / std::sin(halfAngle)) {
    // Written as a negation so that NaN planes are refused as well.
    if (!(nearPlane > 0 && nearPlane < farPlane))
        throw "VORN_OcclusionCone::VORN_OcclusionCone: senseless parameters";
}

int VORN_OcclusionCone::isVisible(VORN_Vector centre, double radius) const {
    if (radius == 0)
        return 1;

    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    const VORN_Vector c(m[0] * centre[0] + m[4] * centre[1] + m[8] * centre[2] + m[12],
                        m[1] * centre[0] + m[5] * centre[1] + m[9] * centre[2] + m[13],
                        m[2] * centre[0] + m[6] * centre[1] + m[10] * centre[2] + m[14]);

    const double distSquared = c.lengthSquared();
    if (std::sqrt(distSquared) - radius > rimDistance)
        return 0;

    const double h = -c[2]; // depth along the viewing direction (0, 0, -1)
    if (h + radius < nearPlane)
        return 0;
    if (h - radius > farPlane)
        return 0;

    // Distance from the axis; clamped so that rounding on the axis cannot produce a NaN.
    const double q = std::sqrt(std::max(0.0, distSquared - h * h));
    // Distance from the mantle, negative inside: (q - h·tan) is measured across the axis, and the
    // mantle leans by the half angle, so the true distance is that times its cosine. Anything
    // larger would cull spheres that still reach into the corners of the picture.
    const double s = (q - h * tanAngle) / secAngle;
    if (s - radius >= 0)
        return 0;
    if (s + radius < 0)
        return 2;
    return 1;
}

} // namespace VORN_LIB
