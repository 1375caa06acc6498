// The tortoise model: shell, tail and four legs around a lowered centre, then neck, head and two
// unequal eyes towards −z. Every length is a multiple of size; angles in degrees.
#include "game/world/Tortoise.h"

#include "engine/scene/VORN_Shapes.h"

#include <GL/gl.h>

using namespace VORN_LIB;

Tortoise::Tortoise()
    : VORN_Object(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                  VORN_Color(1, 1, 1, 1)) {}

void Tortoise::draw(const VORN_OcclusionCone*) {
    const double s = size;
    auto sphere = [this](double radius, int detail) { quadric.sphere(radius, detail, detail); };

    // Body: shell, tail and legs hang below and behind the figure's origin.
    glPushMatrix();
    glTranslated(0, -0.2 * s, 0.2 * s);

    glPushMatrix();
    glScaled(0.35, 0.35, 0.45);
    sphere(s, 10);
    glPopMatrix();

    glPushMatrix();
    glTranslated(0, -0.1 * s, 0.45 * s);
    glRotated(90, -1, 0, 0);
    drawCylinder(0.06 * s, 0.3 * s, 1);
    glPopMatrix();

    // Legs on the diagonals: the turn about y accumulates from leg to leg.
    glRotated(45, 0, 1, 0);
    for (int leg = 0; leg < 4; ++leg) {
        glRotated(90, 0, 1, 0);
        glPushMatrix();
        glRotated(135, 1, 0, 0);
        glTranslated(0, 0.5 * s, 0);
        drawCylinder(0.1 * s, 0.3 * s, 1);
        glPopMatrix();
    }
    glPopMatrix();

    // Neck raised forwards, head at its end looking along −z.
    glPushMatrix();
    glTranslated(0, 0, -0.1 * s);

    glRotated(30, -1, 0, 0);
    glTranslated(0, 0.23 * s, 0);
    drawCylinder(0.07 * s, 0.45 * s, 1);

    glTranslated(0, 0.3 * s, 0.07 * s);
    glRotated(60, -1, 0, 0);

    glPushMatrix();
    glScaled(0.2, 0.2, 0.28);
    sphere(s, 8);
    glPopMatrix();

    // The two eyes differ on purpose in place and size.
    glPushMatrix();
    glTranslated(0.09 * s, 0.15 * s, 0);
    glScaled(0.1, 0.07, 0.1);
    sphere(s, 6);
    glPopMatrix();

    glPushMatrix();
    glTranslated(-0.1 * s, 0.15 * s, 0);
    glScaled(0.07, 0.06, 0.07);
    sphere(s, 6);
    glPopMatrix();

    glPopMatrix();
}
