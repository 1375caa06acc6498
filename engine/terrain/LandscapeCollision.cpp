// The terrain as a collision volume: spheres against the grid's triangles, and surface queries.
// Each cell (X, Y) is split along P00–P11 into T1 = (P00, P10, P11) and T2 = (P01, P00, P11), the
// same split the strips draw. World ↔ local goes through the cached world orientation M.
#include "engine/physics/VORN_BoundingSphere.h"
#include "engine/terrain/VORN_Landscape.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace VORN_LIB {

VORN_Vector closestPointOnTriangle(const VORN_Vector& p, const VORN_Vector& a, const VORN_Vector& b,
                                   const VORN_Vector& c) {
    const VORN_Vector q = a - b;
    const VORN_Vector r = c - b;
    const double s1 = dot(p - b, q) / q.lengthSquared();
    const double s2 = dot(p - b, r) / r.lengthSquared();
    if (s1 < 0 && s2 < 0)
        return b;

    const VORN_Vector e = c - a;
    const double s3 = dot(p - a, e) / e.lengthSquared();
    if (s1 > 1 && s3 < 0)
        return a;
    if (s2 > 1 && s3 > 1)
        return c;
    if (0 <= s1 && s1 <= 1 && 0 <= s2 && s2 <= 1)
        return b + q * s1 + r * s2;

    const VORN_Vector n = cross(q, r);
    if (dot(cross(a - p, b - p), n) > 0)
        return b + q * s1;
    if (dot(cross(c - p, a - p), n) > 0)
        return a + e * s3;
    return b + r * s2;
}

VORN_Contact* VORN_Landscape::intersect(VORN_BoundingVolume* other) {
    if (!other || !grid || other->kind != 1)
        return nullptr;
    const auto* sphere = dynamic_cast<const VORN_BoundingSphere*>(other);
    const VORN_Object* object = sphere ? sphere->ownerObject() : nullptr;
    if (!object)
        return nullptr;

    const double r = sphere->radius;
    const VORN_Vector worldCentre = object->worldPosition;
    const VORN_Vector centre = toLocal(worldCentre);
    const VORN_Matrix back = worldOrientation.transposed();
    const Footprint area = footprint(centre, r);

    bool touching = false;
    double nearest = 0.0;
    VORN_Vector contact;
    VORN_Vector normal;
    const auto consider = [&](const VORN_Vector& a, const VORN_Vector& b, const VORN_Vector& c,
                              const VORN_Vector& up) {
        const VORN_Vector q = closestPointOnTriangle(centre, a, b, c);
        const double dist = std::sqrt((centre - q).lengthSquared());
        if (dist < r && (!touching || dist < nearest)) {
            touching = true;
            nearest = dist;
            contact = q;
            normal = up * (1.0 / std::sqrt(up.lengthSquared()));
        }
    };

    if (area.rowLow < area.rowHigh) {
        for (std::uint32_t x = area.rowLow; x < area.rowHigh; ++x) {
            for (std::uint32_t y = area.columnLow; y < area.columnHigh; ++y) {
                const VORN_Vector p00 = localCorner(x, y);
                const VORN_Vector p10 = localCorner(x + 1, y);
                const VORN_Vector p01 = localCorner(x, y + 1);
                const VORN_Vector p11 = localCorner(x + 1, y + 1);
                consider(p00, p10, p11, cross(p00 - p10, p11 - p10));
                consider(p01, p00, p11, cross(p01 - p00, p11 - p00));
            }
        }
    }

    if (touching) {
        const VORN_Vector toContact = back * (contact - centre);
        const VORN_Vector worldContact = back * contact + worldPosition;
        const VORN_Vector worldNormal = back * normal;
        VORN_Vector corrected = worldContact + worldNormal * r;
        // Pushed along a steep normal the centre may still end up below the surface.
        const VORN_Vector surface = surfacePoint(corrected);
        if (surface.y() + r > corrected.y())
            corrected[1] = surface.y() + r;
        return new (std::nothrow) VORN_Contact{VORN_Vector(), corrected, worldNormal, toContact};
    }

    // No triangle within reach: lift a centre that has sunk below the surface straight up.
    VORN_Vector lifted = worldCentre;
    lifted[1] = 0.0;
    const VORN_Vector surface = surfacePoint(lifted);
    if (!(surface.y() + r > worldCentre.y()))
        return nullptr;
    lifted[1] = surface.y() + r;
    return new (std::nothrow)
        VORN_Contact{VORN_Vector(), lifted, VORN_Vector(), worldCentre - lifted};
}

VORN_Vector VORN_Landscape::surfacePoint(const VORN_Vector& world) const {
    return worldOrientation.transposed() * localSurfacePoint(toLocal(world)) + worldPosition;
}

VORN_Vector VORN_Landscape::localSurfacePoint(const VORN_Vector& p) const {
    const VORN_Vector outside(0.0, -heightScale, 0.0);
    if (!grid)
        return outside;
    const double dx = sizeX / (columns - 1);
    const double dz = sizeZ / (rows - 1);
    const std::uint32_t row = indexFrom(std::floor((sizeZ / 2 - p.z()) / dz));
    const std::uint32_t column = indexFrom(std::floor((sizeX / 2 + p.x()) / dx));
    if (row > rows - 2 || column > columns - 2)
        return outside;

    const VORN_Vector a = localCorner(row + 1, column);
    const VORN_Vector b = localCorner(row, column);
    const VORN_Vector c = localCorner(row, column + 1);
    const VORN_Vector d = localCorner(row + 1, column + 1);

    // Projections onto two edges in three dimensions: the plane of the chosen triangle.
    const double u = dot(p - a, b - a) / (b - a).lengthSquared();
    const double v = dot(p - a, d - a) / (d - a).lengthSquared();
    if (0 <= u && u <= 1 && 0 <= v && v <= 1)
        return a + (b - a) * u + (d - a) * v;
    const double u2 = dot(p - b, c - b) / (c - b).lengthSquared();
    const double v2 = dot(p - b, d - b) / (d - b).lengthSquared();
    return b + (c - b) * u2 + (d - b) * v2;
}

double VORN_Landscape::surfaceHeight(double x, double z) const {
    const double base = worldPosition.y();
    if (!grid || rows < 2 || columns < 2)
        return base - heightScale;
    const double gx = (x - worldPosition.x() + sizeX / 2) / (sizeX / (columns - 1));
    const double gz = (sizeZ / 2 - (z - worldPosition.z())) / (sizeZ / (rows - 1));
    if (!(gx >= 0 && gz >= 0 && gx <= columns - 1 && gz <= rows - 1))
        return base - heightScale;
    const std::uint32_t column = std::min(static_cast<std::uint32_t>(gx), columns - 2);
    const std::uint32_t row = std::min(static_cast<std::uint32_t>(gz), rows - 2);
    const double fx = gx - column;
    const double fz = gz - row;
    const double h00 = height(row, column);
    const double h10 = height(row + 1, column);
    const double h01 = height(row, column + 1);
    const double h11 = height(row + 1, column + 1);
    const double h = fz >= fx ? h00 + (h10 - h00) * (fz - fx) + (h11 - h00) * fx
                              : h00 + (h01 - h00) * (fx - fz) + (h11 - h00) * fz;
    return base + heightScale * h;
}

} // namespace VORN_LIB
