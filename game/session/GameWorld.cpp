// What the game window draws: the match's world with its materials and texture, the lamps, the
// camera and the aiming arrow; set up after the members are constructed, and torn down.
// The valley spans 160 × 80 units (x in [-80, 80], z in [-40, 40]), 5 units high.
#include "game/session/Game.h"

#include "game/hosting/JoinedMatch.h"
#include "game/hosting/ValleyService.h"

#include "engine/scene/VORN_Shapes.h"
#include "engine/terrain/TerrainTexture.h"
#include "game/files/DataFiles.h"
#include "game/rules/Rules.h"
#include "game/world/Player.h"

#include <algorithm>

using namespace VORN_LIB;

void Game::setUpWorld() {

    const float lampAmbient[4] = {0.1f, 0.1f, 0.1f, 1};
    const float lampDiffuse[4] = {1, 1, 1, 1};
    const float lampSpecular[4] = {0.6f, 0.6f, 0.6f, 1};
    for (VORN_Flashlight& lamp : lamps) {
        lamp.setColors(lampAmbient, lampDiffuse, lampSpecular);
        lamp.setAttenuation(1, 0, 0.005f);
        lamp.setSpot(0, 180); // a plain point light
        lamp.toggle();
    }

    terrainMaterial =
        std::make_unique<VORN_Material>(floatColor(0.7f, 0.5f, 0.3f, 1),
                                        floatColor(0.7f, 0.5f, 0.3f, 1), floatColor(0, 0, 0, 1), 0);
    terrainMaterial->compile();
    lampMaterial = std::make_unique<VORN_Material>(
        floatColor(0.5f, 0.5f, 0, 1), floatColor(0.5f, 0.5f, 0, 1), floatColor(0, 0, 0, 1), 0);
    lampMaterial->compile();

    // Each picture from "../../data" when it is there, else from the installed data folder.
    const DataFiles data;
    loadTerrainTexture(terrainTexture, data.path("valleyTex.bmp").toLocal8Bit().toStdString());

    heightMap.load(data.path("valleyDepth.bmp").toLocal8Bit().toStdString());
    match = std::make_unique<Match>(heightMap);
    valleys = std::make_unique<ValleyService>(heightMap);
    joined = std::make_unique<JoinedMatch>(*match, *valleys);
    joined->drawingCurrent = [this] { makeCurrent(); };
    VORN_Scene& scene = match->scene();
    viewport = std::make_unique<VORN_Viewport>(&scene);
    // Beyond the valley's edge the ground is as high as the edge, so that an eye out there stays
    // above the rim and never sees the valley from below.
    // (A hair inside the edge, so that rounding never puts the point off the grid.)
    viewport->ground = [land = &match->landscape()](double x, double z) {
        const VORN_Vector& middle = land->worldPosition;
        const double halfX = land->sizeX / 2 - 1e-6;
        const double halfZ = land->sizeZ / 2 - 1e-6;
        return land->surfaceHeight(std::clamp(x, middle.x() - halfX, middle.x() + halfX),
                                   std::clamp(z, middle.z() - halfZ, middle.z() + halfZ));
    };

    viewport->toggleOutlines();
    viewport->setView(VORN_Vector(0, 4, 2), 0, 0, 0);
    viewport->distance = -5;
    viewport->toggleFog();
    const float fogColor[4] = {0, 0, 0.2f, 0.5f};
    for (int i = 0; i < 4; ++i)
        viewport->fogColor[i] = fogColor[i];
    viewport->fogDensity = 0.04f;
    viewport->toggleTexturing();
    viewport->setRelativeRect(0, 0, 1, 1);
    viewport->resize(width(), height());
    viewport->fieldOfView = 45;
    viewport->nearPlane = 0.001;
    viewport->farPlane = 50;
    addViewport(viewport.get());

    for (int i = 0; i < 4; ++i) {
        VORN_Flashlight& lamp = lamps[i];
        lamp.setRotation(270, 0, 0);
        lamp.setWorldPosition(Rules::lampPlace(i));
        lamp.size = 0.2;
        lamp.bodyRadius = 0.05;
        lamp.material = lampMaterial.get();
        lamp.setColor(0.5, 0.5, 0, 1);
        lamp.compile();
        scene.children.insert(i, &lamp); // drawn before the valley
    }

    match->landscape().material = terrainMaterial.get();
    match->landscape().texture = &terrainTexture;

    grenadeMaterial = std::make_unique<VORN_Material>(
        floatColor(0, 0, 0, 1), floatColor(0, 0, 0, 1), floatColor(1, 1, 1, 1), 30);
    match->grenade().material = grenadeMaterial.get();
    match->grenade().compile();

    // The red aiming arrow, drawn while aiming, scaled by the throw power; it glows.
    aimArrowList = glGenLists(1);
    glNewList(aimArrowList, GL_COMPILE);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT);
    glColor4f(0.1f, 0, 0, 1);
    glColorMaterial(GL_FRONT, GL_DIFFUSE);
    glColor4f(0.8f, 0, 0, 1);
    glColorMaterial(GL_FRONT, GL_SPECULAR);
    glColor4f(1, 1, 1, 1);
    glDisable(GL_COLOR_MATERIAL);
    glMaterialf(GL_FRONT, GL_SHININESS, 40);
    // A red glow of its own, so that the arrow shows at night far from the lamps.
    const float glow[4] = {0.75f, 0.08f, 0, 1};
    const float noGlow[4] = {0, 0, 0, 1};
    glMaterialfv(GL_FRONT, GL_EMISSION, glow);
    glBindTexture(GL_TEXTURE_2D, 0);
    drawArrow(0.3, 0.05);
    glMaterialfv(GL_FRONT, GL_EMISSION, noGlow);
    glColor4f(0.8f, 0, 0, 1);
    glEndList();
}

void Game::tearDownWorld() {
    viewport.reset();
    terrainMaterial.reset();
    lampMaterial.reset();
    grenadeMaterial.reset();
    joined.reset();
    match.reset(); // the figures' lists go while the context is current
    if (aimArrowList != 0)
        glDeleteLists(aimArrowList, 1);
    aimArrowList = 0;
    if (terrainTexture != 0)
        glDeleteTextures(1, &terrainTexture);
    terrainTexture = 0;
}
