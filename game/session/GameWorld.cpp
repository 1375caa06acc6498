// The world of the game window: its set-up after the members are constructed, and its teardown.
// Constants: the valley spans 160 × 80 units (x in [-80, 80], z in [-40, 40]), 5 units high.
#include "game/session/Game.h"

#include "engine/scene/VORN_Shapes.h"
#include "engine/terrain/TerrainTexture.h"
#include "game/files/DataFiles.h"
#include "game/rules/Rules.h"
#include "game/world/Player.h"

using namespace VORN_LIB;

namespace {

// The lamps stand above the four corners of the play area.
const VORN_Vector lampPlaces[4] = {VORN_Vector(20, 7, 20), VORN_Vector(-20, 7, 20),
                                   VORN_Vector(20, 7, -20), VORN_Vector(-20, 7, -20)};

} // namespace

void Game::setUpWorld() {
    scene.lighting = true;

    const float lampAmbient[4] = {0.1f, 0.1f, 0.1f, 1};
    const float lampDiffuse[4] = {1, 1, 1, 1};
    const float lampSpecular[4] = {0.6f, 0.6f, 0.6f, 1};
    for (VORN_Flashlight& lamp : lamps) {
        lamp.setColors(lampAmbient, lampDiffuse, lampSpecular);
        lamp.setAttenuation(1, 0, 0.005f);
        lamp.setSpot(0, 180); // a plain point light
        lamp.toggle();
    }

    terrainMaterial = new VORN_Material(floatColor(0.7f, 0.5f, 0.3f, 1),
                                        floatColor(0.7f, 0.5f, 0.3f, 1), floatColor(0, 0, 0, 1), 0);
    terrainMaterial->compile();
    lampMaterial = new VORN_Material(floatColor(0.5f, 0.5f, 0, 1), floatColor(0.5f, 0.5f, 0, 1),
                                     floatColor(0, 0, 0, 1), 0);
    lampMaterial->compile();

    // Each picture from "../../data" when it is there, else from the installed data folder.
    const DataFiles data;
    loadTerrainTexture(terrainTexture, data.path("valleyTex.bmp").toLocal8Bit().toStdString());

    viewport->outlines = true;
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
    addViewport(viewport);

    for (int i = 0; i < 4; ++i) {
        VORN_Flashlight& lamp = lamps[i];
        lamp.setRotation(270, 0, 0);
        lamp.setWorldPosition(lampPlaces[i]);
        lamp.size = 0.2;
        lamp.bodyRadius = 0.05;
        lamp.material = lampMaterial;
        lamp.setColor(0.5, 0.5, 0, 1);
        lamp.compile();
        scene.children.append(&lamp);
    }

    heightMap.load(data.path("valleyDepth.bmp").toLocal8Bit().toStdString());

    landscape.setColor(0.7, 0.5, 0.3, 1);
    landscape.setSize(160, 80, 5, 1, 1);
    landscape.setPosition(0, 1, 0);
    landscape.createFromBitmap(heightMap);
    landscape.material = terrainMaterial;
    landscape.texture = &terrainTexture;
    scene.children.append(&landscape);

    grenadeMaterial = new VORN_Material(floatColor(0, 0, 0, 1), floatColor(0, 0, 0, 1),
                                        floatColor(1, 1, 1, 1), 30);
    grenade.size = 0.1;
    grenade.boundingRadius = Grenade::reach * grenade.size;
    grenade.material = grenadeMaterial;
    grenade.setColor(0, 0, 0, 1);
    grenade.setWorldPosition(0, 6, 0);
    grenade.compile();

    // The red aiming arrow, drawn while aiming, scaled by the throw power.
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
    glBindTexture(GL_TEXTURE_2D, 0);
    drawArrow(0.3, 0.05);
    glColor4f(0.8f, 0, 0, 1);
    glEndList();

    physicsWorld.addGroup(&gravityGroup);
    physicsWorld.maxStep = Rules::longestStep;
    grenadeSphere.movable = true;

    for (VORN_BoundingSphere& sphere : lampSpheres)
        collisions.addVolume(&sphere);
    collisions.addVolume(static_cast<VORN_BoundingVolume*>(&landscape));
}

void Game::tearDownWorld() {
    delete viewport;
    viewport = nullptr;
    delete terrainMaterial;
    delete lampMaterial;
    delete grenadeMaterial;
    terrainMaterial = lampMaterial = grenadeMaterial = nullptr;
    deletePlayers();
    if (aimArrowList != 0)
        glDeleteLists(aimArrowList, 1);
    aimArrowList = 0;
    if (terrainTexture != 0)
        glDeleteTextures(1, &terrainTexture);
    terrainTexture = 0;
    // The remaining members go in reverse order of declaration: grenade parts, the engine's
    // lists, the heightmap, the landscape, lamps 4 to 1 (each switches its light off), the scene.
}

void Game::deletePlayers() {
    if (players) {
        for (unsigned i = 0; i < playerCount; ++i)
            delete players[i];
        delete[] players;
    }
    players = nullptr;
}
