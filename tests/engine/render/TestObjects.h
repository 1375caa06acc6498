// Small scene objects for the render tests: a cube with outward normals and texture coordinates,
// and an object that records how and under which GL state it was painted.
#pragma once

#include "engine/scene/VORN_Object.h"

#include <GL/gl.h>
#include <vector>

namespace testobjects {

using VORN_LIB::VORN_Color;
using VORN_LIB::VORN_OcclusionCone;
using VORN_LIB::VORN_Vector;

// Emits a cube of half-size h around the origin, counter-clockwise from outside.
inline void drawCube(double h) {
    // Each face: normal, then four corners in counter-clockwise order seen from outside.
    static const double faces[6][3][3] = {
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
        {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    };
    static const double corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    glBegin(GL_QUADS);
    for (const auto& face : faces) {
        const double* n = face[0];
        const double* u = face[1];
        const double* v = face[2];
        glNormal3dv(n);
        for (const auto& c : corners) {
            glTexCoord2d((c[0] + 1) * 2, (c[1] + 1) * 2); // two checker repeats per face
            glVertex3d(h * (n[0] + c[0] * u[0] + c[1] * v[0]),
                       h * (n[1] + c[0] * u[1] + c[1] * v[1]),
                       h * (n[2] + c[0] * u[2] + c[1] * v[2]));
        }
    }
    glEnd();
}

class Cube : public VORN_LIB::VORN_Object {
public:
    explicit Cube(double halfSize)
        : VORN_Object(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                      VORN_Color(1, 1, 1, 1)),
          halfSize(halfSize) {}
    void draw(const VORN_OcclusionCone*) override { drawCube(halfSize); }
    double halfSize;
};

// What a paint call saw.
struct PaintRecord {
    bool geometryOnly;
    bool blend;
    bool depthMask;
    GLint cullFace;
    bool lineSmooth;
    const VORN_OcclusionCone* cone;
};

class RecordingObject : public VORN_LIB::VORN_Object {
public:
    RecordingObject()
        : VORN_Object(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                      VORN_Color(1, 1, 1, 1)) {}
    void paint(bool geometryOnly, const VORN_OcclusionCone* cone) override {
        PaintRecord r{geometryOnly,
                      glIsEnabled(GL_BLEND) == GL_TRUE,
                      true,
                      0,
                      glIsEnabled(GL_LINE_SMOOTH) == GL_TRUE,
                      cone};
        GLboolean mask = GL_TRUE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
        r.depthMask = mask == GL_TRUE;
        glGetIntegerv(GL_CULL_FACE_MODE, &r.cullFace);
        records.push_back(r);
        VORN_Object::paint(geometryOnly, cone);
    }
    std::vector<PaintRecord> records;
};

} // namespace testobjects
