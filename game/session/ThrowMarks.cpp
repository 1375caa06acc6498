// Each player's last throw: the points of its flight and where it landed, drawn as dots and a
// ring on the ground.
#include "game/session/ThrowMarks.h"

#include "engine/terrain/VORN_Landscape.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

using namespace VORN_LIB;

void ThrowMarks::clear() {
    marks.clear();
    flying = -1;
}

void ThrowMarks::thrown(int player) {
    flying = player;
    marks[player] = Mark{};
}

void ThrowMarks::flew(const VORN_Vector& at) {
    const auto found = marks.find(flying);
    if (found == marks.end())
        return;
    std::vector<VORN_Vector>& path = found->second.path;
    if (path.size() < mostDots &&
        (path.empty() || (at - path.back()).lengthSquared() >= dotSpacing * dotSpacing))
        path.push_back(at);
}

void ThrowMarks::landed(const VORN_Vector& point) {
    const auto found = marks.find(flying);
    if (found != marks.end()) {
        found->second.landed = point;
        found->second.path.push_back(point);
    }
    flying = -1;
}

std::optional<VORN_Vector> ThrowMarks::markOf(int player) const {
    const auto found = marks.find(player);
    return found == marks.end() ? std::nullopt : found->second.landed;
}

const std::vector<VORN_Vector>& ThrowMarks::pathOf(int player) const {
    static const std::vector<VORN_Vector> none;
    const auto found = marks.find(player);
    return found == marks.end() ? none : found->second.path;
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

void ThrowMarks::drawPath(const std::vector<VORN_Vector>& path, const VORN_Color& colour,
                          double pictureScale) {
    if (path.empty())
        return;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_POINT_BIT | GL_COLOR_BUFFER_BIT |
                 GL_DEPTH_BUFFER_BIT);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_POINT_SMOOTH);
    glDepthMask(GL_FALSE); // faint: what lies behind a dot stays as it is
    glPointSize(static_cast<float>(std::max(1.0, 5 * pictureScale)));
    // The team's colour a little toward white, so that a dark one shows against the night sky.
    const auto lighter = [](double c) { return 0.65 * c + 0.35; };
    glColor4d(lighter(colour[0]), lighter(colour[1]), lighter(colour[2]), 0.7);
    glBegin(GL_POINTS);
    for (const VORN_Vector& p : path)
        glVertex3d(p.x(), p.y(), p.z());
    glEnd();
    glPopAttrib();
}
