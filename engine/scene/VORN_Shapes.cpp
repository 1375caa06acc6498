// The capped cylinder from a cosine table built on first use, and the arrow from one GLU quadric
// shared for the whole process. Angles are walked counter-clockwise seen from +y.
#include "engine/scene/VORN_Shapes.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace VORN_LIB {

namespace {

constexpr int segments = 12;
const double twoPi = 8.0 * std::atan(1.0);

struct CosineTable {
    double c[segments]; // cos of i · 2π / 12
    double s[segments]; // -sin of i · 2π / 12
    CosineTable() {
        for (int i = 0; i < segments; ++i) {
            const double theta = i * twoPi / segments;
            c[i] = std::cos(theta);
            s[i] = -std::sin(theta);
        }
    }
};

const CosineTable& cosineTable() {
    static const CosineTable table;
    return table;
}

// Needs no GL context; lives until the process ends.
GLUquadric* arrowQuadric() {
    static GLUquadric* const quadric = gluNewQuadric();
    return quadric;
}

} // namespace

void drawCylinder(double radius, double height, double textureScale) {
    const CosineTable& table = cosineTable();
    const double r = radius;
    const double t = textureScale;
    const double y = height / 2.0;

    // Top cap.
    glBegin(GL_TRIANGLE_FAN);
    glNormal3d(0.0, 1.0, 0.0);
    glTexCoord2d(0.0, 0.0);
    glVertex3d(0.0, y, 0.0);
    for (int i = 0; i < segments; ++i) {
        glTexCoord2d(t * r * table.c[i], t * r * table.s[i]);
        glVertex3d(r * table.c[i], y, r * table.s[i]);
    }
    glTexCoord2d(0.0, t);
    glVertex3d(r, y, 0.0);
    glEnd();

    // Bottom cap, walked the other way round so that it faces down.
    glBegin(GL_TRIANGLE_FAN);
    glNormal3d(0.0, -1.0, 0.0);
    glTexCoord2d(0.0, 0.0);
    glVertex3d(0.0, -y, 0.0);
    for (int i = segments - 1; i >= 0; --i) {
        glTexCoord2d(t * r * table.c[i], t * r * table.s[i]);
        glVertex3d(r * table.c[i], -y, r * table.s[i]);
    }
    glTexCoord2d(t * r * table.c[segments - 1], t * r * table.s[segments - 1]);
    glVertex3d(r * table.c[segments - 1], -y, r * table.s[segments - 1]);
    glEnd();

    // Side.
    const double step = t * twoPi * r / segments;
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i < segments; ++i) {
        glNormal3d(table.c[i], 0.0, table.s[i]);
        glTexCoord2d(i * step, 1.0);
        glVertex3d(r * table.c[i], y, r * table.s[i]);
        glTexCoord2d(i * step, 0.0);
        glVertex3d(r * table.c[i], -y, r * table.s[i]);
    }
    glNormal3d(table.c[0], 0.0, table.s[0]);
    glTexCoord2d(0.0, t);
    glVertex3d(r * table.c[0], y, r * table.s[0]);
    glTexCoord2d(0.0, 0.0);
    glVertex3d(r * table.c[0], -y, r * table.s[0]);
    glEnd();
}

void drawArrow(double length, double radius) {
    GLUquadric* quadric = arrowQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluQuadricNormals(quadric, GLU_SMOOTH);
    gluQuadricTexture(quadric, GL_TRUE);

    glPushMatrix();
    glTranslated(0.0, 0.0, length / 2.0);
    gluDisk(quadric, 0.0, radius / 2.0, segments, 2); // tail cap
    glTranslated(0.0, 0.0, -0.75 * length);
    gluCylinder(quadric, radius / 2.0, radius / 2.0, 0.75 * length, segments, 2); // shaft
    gluDisk(quadric, radius / 2.0, radius, segments, 2); // back of the head
    glTranslated(0.0, 0.0, -0.25 * length);
    gluCylinder(quadric, 0.0, radius, 0.25 * length, segments, 2); // head, tip at -length/2
    glPopMatrix();
}

} // namespace VORN_LIB
