// Frustum planes and the box and sphere tests against them. Eye space: the eye at the origin
// looking along -z; the depth of a point is -z. Matrices are column-major.
#include "engine/scene/VORN_Frustum.h"

#include <algorithm>
#include <cmath>

namespace VORN_LIB {

namespace {

const VORN_Frustum* drawingFrustum = nullptr;

// Unit normal, so that the plane's value at a point is its distance in eye units.
void setPlane(double plane[4], double a, double b, double c, double d) {
    const double length = std::sqrt(a * a + b * b + c * c);
    plane[0] = a / length;
    plane[1] = b / length;
    plane[2] = c / length;
    plane[3] = d / length;
}

} // namespace

VORN_Frustum::VORN_Frustum(double fieldOfView, double aspect, double nearPlane, double farPlane,
                           double width, double height, double marginPixels) {
    // Half the picture's height and width at depth 1, each widened by the margin: the picture's
    // edge lies at 1 in normalised device coordinates, the margin at 2·margin/size beyond it.
    const double top =
        std::tan(fieldOfView * M_PI / 360.0) * (1.0 + 2.0 * marginPixels / std::fabs(height));
    const double right = std::tan(fieldOfView * M_PI / 360.0) * std::fabs(aspect) *
                         (1.0 + 2.0 * marginPixels / std::fabs(width));
    setPlane(planes[0], -1, 0, -right, 0);            // x ≤ right · depth
    setPlane(planes[1], 1, 0, -right, 0);             // x ≥ -right · depth
    setPlane(planes[2], 0, -1, -top, 0);              // y ≤ top · depth
    setPlane(planes[3], 0, 1, -top, 0);               // y ≥ -top · depth
    setPlane(planes[4], 0, 0, -1, -0.99 * nearPlane); // depth ≥ near
    setPlane(planes[5], 0, 0, 1, 1.01 * farPlane);    // depth ≤ far
}

VORN_Frustum VORN_Frustum::inFrame(const double m[16]) const {
    // A point p of the frame lies at m·p in eye space, so the plane π there is πᵀ·m here.
    VORN_Frustum result(*this);
    for (int k = 0; k < 6; ++k)
        for (int j = 0; j < 4; ++j)
            result.planes[k][j] = planes[k][0] * m[4 * j] + planes[k][1] * m[4 * j + 1] +
                                  planes[k][2] * m[4 * j + 2] + planes[k][3] * m[4 * j + 3];
    return result;
}

bool VORN_Frustum::excludesBox(const VORN_Vector& low, const VORN_Vector& high) const {
    const double lx = low.x(), ly = low.y(), lz = low.z();
    const double hx = high.x(), hy = high.y(), hz = high.z();
    if (!(lx <= hx && ly <= hy && lz <= hz))
        return true;
    for (const auto& p : planes) {
        const double x = p[0] >= 0 ? hx : lx;
        const double y = p[1] >= 0 ? hy : ly;
        const double z = p[2] >= 0 ? hz : lz;
        if (p[0] * x + p[1] * y + p[2] * z + p[3] < 0)
            return true;
    }
    return false;
}

bool VORN_Frustum::excludesSphere(const VORN_Vector& centre, double radius) const {
    const double x = centre.x(), y = centre.y(), z = centre.z();
    for (const auto& p : planes) {
        const double length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
        if (p[0] * x + p[1] * y + p[2] * z + p[3] < -radius * length)
            return true;
    }
    return false;
}

bool VORN_Frustum::excludesObject(const double m[16], double radius) const {
    // The sphere in eye space: its centre is the matrix's translation.
    double longest = 0;
    for (int axis = 0; axis < 3; ++axis) {
        const double* a = m + 4 * axis;
        longest = std::max(longest, a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
    }
    return excludesSphere(VORN_Vector(m[12], m[13], m[14]), radius * std::sqrt(longest));
}

const VORN_Frustum* VORN_Frustum::drawing() {
    return drawingFrustum;
}

VORN_Frustum::DrawingScope::DrawingScope(const VORN_Frustum* frustum) : before(drawingFrustum) {
    drawingFrustum = frustum;
}

VORN_Frustum::DrawingScope::~DrawingScope() {
    drawingFrustum = before;
}

} // namespace VORN_LIB
