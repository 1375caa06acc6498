// Test helpers that watch what really reaches OpenGL: geometry captured in feedback mode and turned
// back into eye coordinates, and a scene object that logs the GL state it is drawn with.
#pragma once

#include "engine/scene/VORN_Object.h"

#include <GL/gl.h>

#include <functional>
#include <vector>

struct FeedbackVertex {
    VORN_LIB::VORN_Vector position; // eye coordinates
    float color[4];                 // after lighting, when lighting is on
    float tex[4];                   // after the texture matrix
};

struct FeedbackPrimitive {
    GLenum token; // GL_POINT_TOKEN, GL_LINE_TOKEN, GL_POLYGON_TOKEN, ...
    std::vector<FeedbackVertex> vertices;
};

// Runs draw in feedback mode under an orthographic projection that spans -extent … extent on every
// eye axis (256 × 256 viewport), and returns the primitives with positions mapped back into eye
// space. The projection matrix is restored afterwards.
inline std::vector<FeedbackPrimitive> captureFeedback(double extent,
                                                      const std::function<void()>& draw) {
    static std::vector<GLfloat> buffer(1 << 20);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-extent, extent, -extent, extent, -extent, extent);
    glMatrixMode(GL_MODELVIEW);
    glViewport(0, 0, 256, 256);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint count = glRenderMode(GL_RENDER);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    std::vector<FeedbackPrimitive> primitives;
    GLint i = 0;
    auto readVertex = [&]() {
        FeedbackVertex v;
        const GLfloat* p = &buffer[i];
        v.position =
            VORN_LIB::VORN_Vector((p[0] / 128.0 - 1.0) * extent, (p[1] / 128.0 - 1.0) * extent,
                                  -(2.0 * p[2] - 1.0) * extent);
        for (int k = 0; k < 4; ++k) {
            v.color[k] = p[3 + k];
            v.tex[k] = p[7 + k];
        }
        i += 11;
        return v;
    };
    while (i < count) {
        FeedbackPrimitive primitive;
        primitive.token = static_cast<GLenum>(buffer[i++]);
        int vertices = 0;
        switch (primitive.token) {
        case GL_POLYGON_TOKEN:
            vertices = static_cast<int>(buffer[i++]);
            break;
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN:
            vertices = 2;
            break;
        case GL_PASS_THROUGH_TOKEN:
            ++i;
            break;
        default: // points, bitmaps and pixel rectangles carry one vertex
            vertices = 1;
            break;
        }
        for (int k = 0; k < vertices; ++k)
            primitive.vertices.push_back(readVertex());
        primitives.push_back(primitive);
    }
    return primitives;
}

// What one draw() call saw of the GL state.
struct DrawRecord {
    const VORN_LIB::VORN_Object* object;
    const VORN_LIB::VORN_OcclusionCone* cone;
    GLdouble modelView[16];
    GLdouble color[4];
    GLboolean lighting;
    GLint texture;
};

// Draws one point at its origin and appends a record of every draw() call to its log.
class RecordingObject : public VORN_LIB::VORN_Object {
public:
    explicit RecordingObject(std::vector<DrawRecord>* log = nullptr)
        : VORN_Object(VORN_LIB::VORN_Vector(0, 0, 0), VORN_LIB::VORN_Vector(0, 0, 0),
                      VORN_LIB::VORN_Vector(1, 1, 1), VORN_LIB::VORN_Color(1, 1, 1, 1)),
          log(log) {}

    void draw(const VORN_LIB::VORN_OcclusionCone* cone) override {
        ++draws;
        if (log) {
            DrawRecord r;
            r.object = this;
            r.cone = cone;
            glGetDoublev(GL_MODELVIEW_MATRIX, r.modelView);
            glGetDoublev(GL_CURRENT_COLOR, r.color);
            r.lighting = glIsEnabled(GL_LIGHTING);
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &r.texture);
            log->push_back(r);
        }
        glBegin(GL_POINTS);
        glVertex3d(0, 0, 0);
        glEnd();
    }

    std::vector<DrawRecord>* log;
    int draws = 0;
};
