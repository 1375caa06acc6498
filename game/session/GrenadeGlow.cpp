// The grenade's glow, drawn over the 3-D picture where the grenade is.
#include "game/session/GrenadeGlow.h"

#include <GL/gl.h>
#include <cmath>

using namespace VORN_LIB;

void GrenadeGlow::draw(const VORN_Vector& at, VORN_Clock::Ticks now) {
    const double pulse = 0.85 + 0.15 * std::sin(2 * M_PI * static_cast<double>(now % 800) / 800);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT |
                 GL_POINT_BIT);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_POINT_SMOOTH);
    glDisable(GL_DEPTH_TEST);
    glPointSize(static_cast<GLfloat>(haloPixels * pulse));
    glBegin(GL_POINTS);
    glColor4d(1.0, 0.8, 0.2, 0.55);
    glVertex3d(at.x(), at.y(), at.z());
    glEnd();
    glPointSize(corePixels);
    glBegin(GL_POINTS);
    glColor4d(1.0, 1.0, 0.85, 0.95);
    glVertex3d(at.x(), at.y(), at.z());
    glEnd();
    glPopAttrib();
}
