// The bobbing marker over the tortoise on turn.
#include "game/session/TurnMarker.h"

#include "game/world/TeamShapes.h"

#include <GL/gl.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

using namespace VORN_LIB;

double TurnMarker::tipHeight(VORN_Clock::Ticks now) {
    const double phase = 2 * M_PI * static_cast<double>(now % period) / period;
    return lowest + bob * 0.5 * (1 - std::cos(phase));
}

void TurnMarker::draw(const VORN_Vector& figure, const VORN_Color& colour, VORN_Clock::Ticks now,
                      double pictureScale, int shape) {
    constexpr double halfWidth = 0.14;
    constexpr double height = 0.3;
    const double tip = figure.y() + tipHeight(now);
    const double top = tip + height;
    // The corners of the top: a square, or the team's shape lying flat (its y along -z).
    std::vector<std::array<double, 3>> corners;
    if (shape < 0) {
        corners = {{figure.x() - halfWidth, top, figure.z() - halfWidth},
                   {figure.x() + halfWidth, top, figure.z() - halfWidth},
                   {figure.x() + halfWidth, top, figure.z() + halfWidth},
                   {figure.x() - halfWidth, top, figure.z() + halfWidth}};
    } else {
        const double radius = halfWidth * 1.6;
        for (const TeamShapes::Corner& c : TeamShapes::outline(shape))
            corners.push_back({figure.x() + radius * c.x, top, figure.z() - radius * c.y});
    }
    const int n = static_cast<int>(corners.size());

    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_POLYGON_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    // The sides in the team's colour, every other one darker so the shape reads as a solid.
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < n; ++i) {
        const double shade = i % 2 == 0 ? 1.0 : 0.7;
        glColor4d(colour[0] * shade, colour[1] * shade, colour[2] * shade, 1);
        glVertex3d(figure.x(), tip, figure.z());
        glVertex3dv(corners[i].data());
        glVertex3dv(corners[(i + 1) % n].data());
    }
    glEnd();
    // The top: the square as one quad, a shape as a fan from its middle (every corner of a shape
    // is seen from there).
    glColor4d(colour[0], colour[1], colour[2], 1);
    if (shape < 0) {
        glBegin(GL_QUADS);
        for (const auto& corner : corners)
            glVertex3dv(corner.data());
    } else {
        glBegin(GL_TRIANGLE_FAN);
        glVertex3d(figure.x(), top, figure.z());
        for (int i = 0; i <= n; ++i)
            glVertex3dv(corners[i % n].data());
    }
    glEnd();
    // A white edge, so that a dark team colour still stands out against the night; round a
    // shape's top only, whose many corners would crowd lines down to the tip.
    glLineWidth(static_cast<float>(std::max(1.0, 2 * pictureScale)));
    glColor4d(1, 1, 1, 1);
    glBegin(GL_LINES);
    for (int i = 0; i < n; ++i) {
        if (shape < 0) {
            glVertex3d(figure.x(), tip, figure.z());
            glVertex3dv(corners[i].data());
        }
        glVertex3dv(corners[i].data());
        glVertex3dv(corners[(i + 1) % n].data());
    }
    glEnd();
    glPopAttrib();
}
