// The view's clip volume as six planes for exact culling: the four sides of the picture, widened
// by a margin in pixels for wide and smoothed lines, and the near and far planes. A point p lies
// inside a plane (a, b, c, d) when a·x + b·y + c·z + d ≥ 0. Built in eye space (the eye at the
// origin looking along -z, y up); inFrame() takes the planes into the frame of a model-view matrix
// (column-major, as OpenGL gives it).
#pragma once

#include "engine/math/VORN_Vector.h"

namespace VORN_LIB {

class VORN_Frustum {
public:
    // The volume of gluPerspective(fieldOfView in degrees, aspect, nearPlane, farPlane) on a
    // picture of width × height pixels, every side pushed out by marginPixels, the near plane
    // pulled 1 % towards the eye and the far plane pushed 1 % away (OpenGL clips with single
    // precision; the margins make sure nothing it keeps is judged outside).
    VORN_Frustum(double fieldOfView, double aspect, double nearPlane, double farPlane, double width,
                 double height, double marginPixels);

    // The same volume in the frame whose points the model-view matrix m takes into eye space.
    VORN_Frustum inFrame(const double m[16]) const;

    // True when no point of the box from low to high can lie inside: the box's corner farthest
    // along some plane's normal is still outside that plane. A box that lies outside only across
    // a corner of the volume is kept; a box with low above high counts as outside.
    bool excludesBox(const VORN_Vector& low, const VORN_Vector& high) const;
    // True when the sphere lies wholly outside one of the planes.
    bool excludesSphere(const VORN_Vector& centre, double radius) const;
    // True when the sphere of an object's radius about the origin of the frame that the
    // model-view matrix m takes into eye space lies wholly outside (the radius grows with the
    // frame's longest scaled axis).
    bool excludesObject(const double m[16], double radius) const;

    // The frustum of the frame a viewport is drawing now, for culling during its passes; null
    // outside a viewport's frame or when the viewport culls by its cone only. Not owned.
    static const VORN_Frustum* drawing();

    // Makes a frustum the one drawing() gives for as long as the scope lives, and gives back the
    // one before when it ends, however it ends (an exception in a pass included).
    class DrawingScope {
    public:
        explicit DrawingScope(const VORN_Frustum* frustum);
        ~DrawingScope();
        DrawingScope(const DrawingScope&) = delete;
        DrawingScope& operator=(const DrawingScope&) = delete;

    private:
        const VORN_Frustum* before;
    };

    double planes[6][4]; // right, left, top, bottom, near, far; normals point inwards
};

} // namespace VORN_LIB
