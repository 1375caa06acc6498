// Where each tortoise's last throw landed, and its ring on the ground.
#include "game/session/ThrowMarks.h"

#include "engine/terrain/VORN_Landscape.h"
#include "game/world/Tortoise.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

using namespace VORN_LIB;

void ThrowMarks::clear() {
    marks.clear();
    lastThrower = nullptr;
}

void ThrowMarks::thrown(const Tortoise* figure) {
    lastThrower = figure;
    if (figure)
        marks[figure] = Mark{figure->worldPosition, std::nullopt};
}

void ThrowMarks::landed(const VORN_Vector& point) {
    const auto found = marks.find(lastThrower);
    if (found != marks.end())
        found->second.landed = point;
    lastThrower = nullptr;
}

std::optional<VORN_Vector> ThrowMarks::markOf(const Tortoise* figure) const {
    const auto found = marks.find(figure);
    if (!figure || found == marks.end() || !found->second.landed)
        return std::nullopt;
    const VORN_Vector& from = found->second.from;
    const VORN_Vector& now = figure->worldPosition;
    if (std::hypot(now.x() - from.x(), now.z() - from.z()) > stillWithin)
        return std::nullopt;
    return found->second.landed;
}

void ThrowMarks::draw(const VORN_Landscape& land, const VORN_Vector& point,
                      const VORN_Color& colour, double pictureScale) {
    // The ground's height, kept inside the valley's grid.
    const VORN_Vector& middle = land.worldPosition;
    const double halfX = land.sizeX / 2 - 1e-6;
    const double halfZ = land.sizeZ / 2 - 1e-6;
    const auto onGround = [&](double x, double z) {
        x = std::clamp(x, middle.x() - halfX, middle.x() + halfX);
        z = std::clamp(z, middle.z() - halfZ, middle.z() + halfZ);
        glVertex3d(x, land.surfaceHeight(x, z) + 0.06, z);
    };
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glLineWidth(static_cast<float>(std::max(1.0, 3 * pictureScale)));
    glColor4d(colour[0], colour[1], colour[2], 1);
    constexpr int segments = 32;
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < segments; ++i) {
        const double a = 2 * M_PI * i / segments;
        onGround(point.x() + ringRadius * std::cos(a), point.z() + ringRadius * std::sin(a));
    }
    glEnd();
    constexpr double arm = ringRadius * 0.5;
    constexpr int steps = 4; // each arm follows the ground in a few steps
    glBegin(GL_LINES);
    for (int i = 0; i < steps; ++i) {
        const double a = -arm + 2 * arm * i / steps, b = -arm + 2 * arm * (i + 1) / steps;
        onGround(point.x() + a, point.z() + a);
        onGround(point.x() + b, point.z() + b);
        onGround(point.x() + a, point.z() - a);
        onGround(point.x() + b, point.z() - b);
    }
    glEnd();
    glPopAttrib();
}
