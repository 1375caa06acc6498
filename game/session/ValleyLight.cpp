// The valley's three lights. The classic light is the lamps' alone, as the battlefield sets them
// up. At night a cool moon high over the valley's south-west lights every slope by its angle, so
// that crater walls and floors read; a thinner, moonlit haze stands for the fog; each figure
// glows in a pale shade of its team's colour, far brighter than any ground; and the edge of the
// valley, where a figure is lost, glows as a low band. By day a warm sun and a pale sky.
#include "game/session/ValleyLight.h"

#include "engine/render/VORN_Viewport.h"
#include "engine/scene/VORN_Material.h"
#include "engine/scene/VORN_Scene.h"
#include "engine/terrain/VORN_Landscape.h"
#include "game/rules/Rules.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

using namespace VORN_LIB;

namespace {
struct Look {
    float sky[4];
    float fog[4];
    float fogDensity;
    float terrain[4]; // the valley's ambient and diffuse colour
    bool moonOn;
    float moonAmbient[4];
    float moonDiffuse[4];
    // A figure's own light: base + share × its team's colour, on every channel.
    float glowBase;
    float glowShare;
    // The figures' outline drawn over the black one in their glow's colour, unfogged, so that a
    // far figure, mostly outline, stands out from the ground as much as a near one.
    bool outlineGlows;
    bool edgeShown;
    float edge[3];
};

const Look classicLook = {{0, 0, 0.2f, 1},
                          {0, 0, 0.2f, 0.5f},
                          0.04f,
                          {0.7f, 0.5f, 0.3f, 1},
                          false,
                          {0, 0, 0, 1},
                          {0, 0, 0, 1},
                          0,
                          0,
                          false,
                          false,
                          {0, 0, 0}};
const Look nightLook = {{0, 0, 0.2f, 1},
                        {0.16f, 0.19f, 0.32f, 0.5f},
                        0.01f,
                        {0.75f, 0.6f, 0.42f, 1},
                        true,
                        {0.22f, 0.24f, 0.3f, 1},
                        {0.55f, 0.6f, 0.78f, 1},
                        0.75f,
                        0.25f,
                        true,
                        true,
                        {0.45f, 0.95f, 1.0f}};
const Look brightLook = {{0.55f, 0.72f, 0.92f, 1},
                         {0.62f, 0.75f, 0.9f, 0.5f},
                         0.008f,
                         {0.7f, 0.55f, 0.38f, 1},
                         true,
                         {0.45f, 0.45f, 0.48f, 1},
                         {1.0f, 0.95f, 0.85f, 1},
                         0.1f,
                         0.25f,
                         false,
                         true,
                         {1.0f, 0.9f, 0.2f}};

const Look& lookOf(ViewLight light) {
    switch (light) {
    case ViewLight::Night:
        return nightLook;
    case ViewLight::Bright:
        return brightLook;
    case ViewLight::Classic:
        break;
    }
    return classicLook;
}
} // namespace

ValleyLight::ValleyLight(VORN_Scene& scene) : scene(scene) {
    const float none[4] = {0, 0, 0, 1};
    // A far light (w = 0) from high above the valley's south-west, the same on every slope.
    const float direction[4] = {-0.35f, 1.0f, 0.45f, 0};
    moon = std::make_unique<VORN_Light>(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0),
                                        VORN_Vector(1, 1, 1), VORN_Color(1, 1, 1, 1), none, none,
                                        none, direction);
    moon->radius = 1e9; // never culled: it must send its direction with every frame's view
    scene.children.insert(0, moon.get());
}

ValleyLight::~ValleyLight() {
    scene.children.removeAll(moon.get());
}

void ValleyLight::show(ViewLight chosen, VORN_Viewport& camera, VORN_Material& terrain) {
    light = chosen;
    const Look& look = lookOf(light);
    const float none[4] = {0, 0, 0, 1};
    if (moon->enabled != look.moonOn)
        moon->toggle();
    moon->setColors(look.moonAmbient, look.moonDiffuse, none);
    std::copy(look.fog, look.fog + 4, camera.fogColor);
    camera.fogDensity = look.fogDensity;
    if (camera.displayList != 0)
        camera.compile();
    terrain.ambient = floatColor(look.terrain[0], look.terrain[1], look.terrain[2], 1);
    terrain.diffuse = terrain.ambient;
    terrain.compile();
}

const float* ValleyLight::sky() const {
    return lookOf(light).sky;
}

void ValleyLight::lightFigures(const std::vector<std::unique_ptr<Player>>& players) const {
    const Look& look = lookOf(light);
    for (const std::unique_ptr<Player>& player : players) {
        if (!player || !player->material)
            continue;
        VORN_Material& m = *player->material;
        bool changed = m.listName == 0;
        for (unsigned i = 0; i < 3; ++i) {
            const float glow = static_cast<float>(
                look.glowBase + look.glowShare * std::clamp(player->color[i], 0.0, 1.0));
            changed = changed || m.emission[i] != glow;
            m.emission[i] = glow;
        }
        // The figures' lists call the material's list: recording it again relights them all.
        if (changed)
            m.compile();
        // A glowing outline covers the black one: the outline pass leaves the figures to it.
        for (unsigned slot = 0; slot < player->count; ++slot)
            if (VORN_LIB::VORN_Object* figure = player->figure(slot))
                figure->outlined = !look.outlineGlows;
    }
}

void ValleyLight::outlineFigures(const std::vector<std::unique_ptr<Player>>& players,
                                 float lineWidth, const VORN_Frustum* view) const {
    const Look& look = lookOf(light);
    if (!look.outlineGlows)
        return;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_POLYGON_BIT |
                 GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    // The outline pass again: back faces as lines, a hair nearer than the black ones so
    // that they cover them where they lie.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    glPolygonMode(GL_BACK, GL_LINE);
    glEnable(GL_POLYGON_OFFSET_LINE);
    glPolygonOffset(-1, -1);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_BLEND);
    glDisable(GL_LINE_SMOOTH); // whole pixels: a far figure's few keep their full glow
    glLineWidth(lineWidth);
    for (const std::unique_ptr<Player>& player : players) {
        if (!player)
            continue;
        glColor4f(static_cast<float>(look.glowBase +
                                     look.glowShare * std::clamp(player->color[0], 0.0, 1.0)),
                  static_cast<float>(look.glowBase +
                                     look.glowShare * std::clamp(player->color[1], 0.0, 1.0)),
                  static_cast<float>(look.glowBase +
                                     look.glowShare * std::clamp(player->color[2], 0.0, 1.0)),
                  1);
        for (unsigned slot = 0; slot < player->count; ++slot) {
            VORN_Object* figure = player->figure(slot);
            if (!figure || !scene.children.contains(figure))
                continue; // gone, or not drawn this frame
            glPushMatrix();
            glMultMatrixd(figure->worldMatrix.data());
            GLdouble m[16];
            glGetDoublev(GL_MODELVIEW_MATRIX, m);
            if (!view || !view->excludesObject(m, figure->boundingRadius))
                figure->paint(true, nullptr);
            glPopMatrix();
        }
    }
    glPopAttrib();
}

void ValleyLight::drawEdge(const VORN_Landscape& land, double pictureScale,
                           const VORN_Vector* warned, bool alarm) const {
    const Look& look = lookOf(light);
    if (!look.edgeShown)
        return;
    // Round the play area, a hair inside the grid, every half unit.
    const VORN_Vector& middle = land.worldPosition;
    const double halfX = std::min(Rules::playAreaX, land.sizeX / 2) - 1e-6;
    const double halfZ = std::min(Rules::playAreaZ, land.sizeZ / 2) - 1e-6;
    const double corners[5][2] = {
        {-halfX, -halfZ}, {halfX, -halfZ}, {halfX, halfZ}, {-halfX, halfZ}, {-halfX, -halfZ}};
    struct Point {
        double x, y, z;
        double warning; // 1 at the warned point, fading to 0 at warnedReach from it
    };
    std::vector<Point> round;
    for (int side = 0; side < 4; ++side) {
        const double* from = corners[side];
        const double* to = corners[side + 1];
        const int steps =
            static_cast<int>(std::ceil(std::hypot(to[0] - from[0], to[1] - from[1]) / 0.5));
        for (int s = 0; s < steps; ++s) {
            const double t = double(s) / steps;
            const double x = middle.x() + from[0] + (to[0] - from[0]) * t;
            const double z = middle.z() + from[1] + (to[1] - from[1]) * t;
            const double off = warned ? std::hypot(x - warned->x(), z - warned->z()) : warnedReach;
            round.push_back({x, land.surfaceHeight(x, z) + 0.03, z,
                             std::max(alarm ? 0.7 : 0.0, 1 - off / warnedReach)});
        }
    }
    round.push_back(round.front());

    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_POLYGON_BIT |
                 GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    // A low glowing band, fading upwards, then the bright line at its foot.
    constexpr double bandHeight = 0.35;
    // Near a warned point the edge turns to the warning's red, its band three times as high.
    constexpr float warning[3] = {1.0f, 0.25f, 0.1f};
    const auto colour = [&](const Point& p, float alpha) {
        const float w = static_cast<float>(p.warning);
        glColor4f(look.edge[0] + (warning[0] - look.edge[0]) * w,
                  look.edge[1] + (warning[1] - look.edge[1]) * w,
                  look.edge[2] + (warning[2] - look.edge[2]) * w, alpha);
    };
    glBegin(GL_QUAD_STRIP);
    for (const Point& p : round) {
        colour(p, 0.55f + 0.45f * static_cast<float>(p.warning));
        glVertex3d(p.x, p.y, p.z);
        colour(p, 0);
        glVertex3d(p.x, p.y + bandHeight * (1 + 2 * p.warning), p.z);
    }
    glEnd();
    glDepthMask(GL_TRUE);
    glLineWidth(static_cast<float>(std::max(1.0, 2.5 * pictureScale)));
    glBegin(GL_LINE_STRIP);
    for (const Point& p : round) {
        colour(p, 1);
        glVertex3d(p.x, p.y, p.z);
    }
    glEnd();
    glPopAttrib();
}
