// Helpers for the terrain tests: pictures built in memory, landscapes made from them, and the
// triangles a drawing call really emits, captured through GL feedback and taken back to eye
// coordinates under a symmetric orthographic projection.
#pragma once

#include "engine/terrain/Bitmap.h"
#include "engine/terrain/VORN_Landscape.h"

#include <GL/gl.h>
#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace terrain_test {

using VORN_LIB::VORN_Landscape;
using VORN_LIB::VORN_Vector;

// Fills a picture of width × height from a function giving (red, green, blue) per (row, column);
// row 0 is the first row in memory.
inline void fillPicture(Bitmap& picture, int width, int height,
                        const std::function<std::array<unsigned char, 3>(int, int)>& rgb) {
    // Set by hand rather than by resize(), so that the tests can make empty pictures too.
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(std::size_t(std::max(width, 0)) * std::size_t(std::max(height, 0)) * 3,
                          0);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            const auto p = rgb(r, c);
            unsigned char* out = picture.pixels.data() + (std::size_t(r) * width + c) * 3;
            out[0] = p[0];
            out[1] = p[1];
            out[2] = p[2];
        }
}

// A grey picture: the same value in all three channels.
inline void fillGrey(Bitmap& picture, int width, int height,
                     const std::function<unsigned char(int, int)>& grey) {
    fillPicture(picture, width, height, [&](int r, int c) {
        const unsigned char g = grey(r, c);
        return std::array<unsigned char, 3>{g, g, g};
    });
}

inline std::unique_ptr<VORN_Landscape> makeLandscape() {
    return std::make_unique<VORN_Landscape>(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0),
                                            VORN_Vector(1, 1, 1), VORN_LIB::VORN_Color(1, 1, 1, 1));
}

// A built landscape: size first, then the picture, as the game does it.
inline std::unique_ptr<VORN_Landscape>
makeLandscape(int width, int height, double sizeX, double sizeZ, double heightScale,
              const std::function<unsigned char(int, int)>& grey) {
    Bitmap picture;
    fillGrey(picture, width, height, grey);
    auto land = makeLandscape();
    land->setSize(sizeX, sizeZ, heightScale, 1, 1);
    land->createFromBitmap(picture);
    return land;
}

using Triangle = std::array<VORN_Vector, 3>;

// Triangles emitted by draw(), in eye coordinates, under glOrtho(-extent … extent) on all three
// axes and the current model-view matrix. Clipped polygons with more corners are fanned.
inline std::vector<Triangle> captureTriangles(double extent, const std::function<void()>& draw,
                                              std::size_t capacity = 1 << 22) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-extent, extent, -extent, extent, -extent, extent);
    glMatrixMode(GL_MODELVIEW);

    std::vector<GLfloat> buffer(capacity);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    const auto eye = [&](const GLfloat* v) {
        const double x = ((v[0] - viewport[0]) / viewport[2] * 2.0 - 1.0) * extent;
        const double y = ((v[1] - viewport[1]) / viewport[3] * 2.0 - 1.0) * extent;
        const double z = -(v[2] * 2.0 - 1.0) * extent;
        return VORN_Vector(x, y, z);
    };

    std::vector<Triangle> triangles;
    if (used < 0) { // overflow: report it as an impossible count
        triangles.resize(capacity);
        return triangles;
    }
    for (GLint i = 0; i < used;) {
        const auto token = GLint(buffer[i++]);
        if (token == GL_POLYGON_TOKEN) {
            const auto corners = GLint(buffer[i++]);
            for (GLint k = 1; k + 1 < corners; ++k) {
                const Triangle t = {eye(&buffer[i]), eye(&buffer[i + 3 * k]),
                                    eye(&buffer[i + 3 * (k + 1)])};
                // Some drivers turn a strip of two vertices into a triangle without area;
                // it covers nothing, so it is not counted.
                if (VORN_LIB::cross(t[1] - t[0], t[2] - t[0]).lengthSquared() > 1e-12)
                    triangles.push_back(t);
            }
            i += 3 * corners;
        } else if (token == GL_PASS_THROUGH_TOKEN || token == GL_POINT_TOKEN ||
                   token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
                   token == GL_COPY_PIXEL_TOKEN) {
            i += token == GL_PASS_THROUGH_TOKEN ? 1 : 3;
        } else { // lines
            i += 6;
        }
    }
    return triangles;
}

// Triangles emitted by draw() seen from straight above, in the frame of the current model-view
// matrix (x, y up, z), within extent of its origin on every axis.
inline std::vector<Triangle> captureFromAbove(double extent, const std::function<void()>& draw) {
    glPushMatrix();
    glRotated(90, 1, 0, 0); // (x, y, z) → eye (x, -z, y): looking down the y axis
    auto triangles = captureTriangles(extent, draw);
    glPopMatrix();
    for (auto& t : triangles)
        for (auto& v : t)
            v = VORN_Vector(v.x(), v.z(), -v.y());
    return triangles;
}

// All shells hanging under a quadtree node, in drawing order.
inline void collectShells(VORN_Landscape::QuadTreeNode& node,
                          std::vector<VORN_Landscape::IndexShell*>& shells) {
    if (auto* leaf = dynamic_cast<VORN_Landscape::QuadTreeLeaf*>(&node)) {
        shells.push_back(&leaf->shell);
        return;
    }
    for (const auto& child : node.children)
        if (child)
            collectShells(*child, shells);
}

inline std::vector<VORN_Landscape::IndexShell*> shellsOf(VORN_Landscape& land) {
    std::vector<VORN_Landscape::IndexShell*> shells;
    if (land.root)
        collectShells(*land.root, shells);
    return shells;
}

} // namespace terrain_test
