// The bobbing marker over the tortoise on turn.
#include "game/session/TurnMarker.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

using namespace VORN_LIB;

double TurnMarker::tipHeight(VORN_Clock::Ticks now) {
    const double phase = 2 * M_PI * static_cast<double>(now % period) / period;
    return lowest + bob * 0.5 * (1 - std::cos(phase));
}

void TurnMarker::draw(const VORN_Vector& figure, const VORN_Color& colour, VORN_Clock::Ticks now,
                      double pictureScale) {
    constexpr double halfWidth = 0.14;
    constexpr double height = 0.3;
    const double tip = figure.y() + tipHeight(now);
    const double top = tip + height;
    // The four corners of the square top, then the tip.
    const double corners[4][3] = {{figure.x() - halfWidth, top, figure.z() - halfWidth},
                                  {figure.x() + halfWidth, top, figure.z() - halfWidth},
                                  {figure.x() + halfWidth, top, figure.z() + halfWidth},
                                  {figure.x() - halfWidth, top, figure.z() + halfWidth}};

    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_POLYGON_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    // The four sides in the team's colour, the far ones darker so the shape reads as a solid.
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < 4; ++i) {
        const double shade = i % 2 == 0 ? 1.0 : 0.7;
        glColor4d(colour[0] * shade, colour[1] * shade, colour[2] * shade, 1);
        glVertex3d(figure.x(), tip, figure.z());
        glVertex3dv(corners[i]);
        glVertex3dv(corners[(i + 1) % 4]);
    }
    glEnd();
    glBegin(GL_QUADS);
    glColor4d(colour[0], colour[1], colour[2], 1);
    for (const auto& corner : corners)
        glVertex3dv(corner);
    glEnd();
    // A white edge, so that a dark team colour still stands out against the night.
    glLineWidth(static_cast<float>(std::max(1.0, 2 * pictureScale)));
    glColor4d(1, 1, 1, 1);
    glBegin(GL_LINES);
    for (int i = 0; i < 4; ++i) {
        glVertex3d(figure.x(), tip, figure.z());
        glVertex3dv(corners[i]);
        glVertex3dv(corners[i]);
        glVertex3dv(corners[(i + 1) % 4]);
    }
    glEnd();
    glPopAttrib();
}
