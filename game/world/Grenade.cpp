// The grenade model: a body sphere, one stud at each pole and twelve rings of ten studs, all at
// 0.85 × size from the centre (y up, degrees). Coinciding studs are drawn all the same.
#include "game/world/Grenade.h"

#include "engine/scene/VORN_Shapes.h"

#include <GL/gl.h>

using namespace VORN_LIB;

Grenade::Grenade()
    : VORN_Object(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0), VORN_Vector(1, 1, 1),
                  VORN_Color(1, 1, 1, 1)) {}

void Grenade::draw(const VORN_OcclusionCone*) {
    const double s = size;

    quadric.sphere(0.7 * s, 15, 15);

    // Pole studs, below and above the body.
    glPushMatrix();
    glTranslated(0, -0.85 * s, 0);
    drawCylinder(0.1 * s, 0.3 * s, 1);
    glTranslated(0, 1.7 * s, 0);
    drawCylinder(0.1 * s, 0.3 * s, 1);
    glPopMatrix();

    // Spikes: each turn about y starts a ring of ten studs turned on about x.
    glPushMatrix();
    for (int ring = 0; ring < 12; ++ring) {
        glRotated(30, 0, 1, 0);
        glPushMatrix();
        for (int stud = 0; stud < 10; ++stud) {
            glRotated(30, 1, 0, 0);
            glPushMatrix();
            glTranslated(0, 0.85 * s, 0);
            drawCylinder(0.1 * s, 0.3 * s, 1);
            glPopMatrix();
        }
        glPopMatrix();
    }
    glPopMatrix();
}
