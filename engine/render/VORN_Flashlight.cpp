// The lamp body of a flashlight, from two capped cylinders (axis y, centred) turned onto z.
#include "engine/render/VORN_Flashlight.h"

#include "engine/scene/VORN_Shapes.h"

namespace VORN_LIB {

namespace {
const float flashAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
const float flashDiffuse[4] = {0.8f, 0.8f, 0.8f, 1};
const float flashSpecular[4] = {1, 1, 1, 1};
const float flashPosition[4] = {0, 0, 0, 1};
} // namespace

VORN_Flashlight::VORN_Flashlight(const VORN_Vector& position, const VORN_Vector& rotation,
                                 const VORN_Vector& scale, const VORN_Color& color)
    : VORN_Light(position, rotation, scale, color, flashAmbient, flashDiffuse, flashSpecular,
                 flashPosition) {
    size = 1.0;
    bodyRadius = 0.5;
}

void VORN_Flashlight::draw(const VORN_OcclusionCone* /*cone*/) {
    glPushMatrix();
    glTranslated(0, 0, -0.5 * size);
    glTranslated(0, 0, 0.1 * size);
    glPushMatrix();
    glRotated(-90, 1, 0, 0);
    drawCylinder(bodyRadius, 0.2 * size, 1);
    glPopMatrix();
    glTranslated(0, 0, 0.5 * size);
    glRotated(-90, 1, 0, 0);
    drawCylinder(0.6 * bodyRadius, 0.8 * size, 1);
    glPopMatrix();
}

} // namespace VORN_LIB
