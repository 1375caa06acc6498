// The battlefield's lamps, materials, texture, camera and aiming arrow: laid on the match's world
// when the window is made, taken off it when the window goes.
#include "game/session/Battlefield.h"

#include "engine/scene/VORN_Shapes.h"
#include "engine/terrain/Bitmap.h"
#include "engine/terrain/TerrainTexture.h"
#include "game/files/DataFiles.h"
#include "game/match/Match.h"
#include "game/rules/Rules.h"

#include <algorithm>

using namespace VORN_LIB;

namespace {
const VORN_Vector origin(0, 0, 0);
const VORN_Vector noRotation(0, 0, 0);
const VORN_Vector unitScale(1, 1, 1);
const VORN_Color white(1, 1, 1, 1);

// Each picture from "../../data" when it is there, else from the installed data folder.
std::string standardTexturePath() {
    return DataFiles().path("valleyTex.bmp").toLocal8Bit().toStdString();
}
} // namespace

GLuint Battlefield::standardTexture() {
    GLuint name = 0;
    loadTerrainTexture(name, standardTexturePath());
    return name;
}

Battlefield::Battlefield(Match& match, GLuint terrainTexture, int width, int height)
    : match(match), texture(terrainTexture), lampList{{origin, noRotation, unitScale, white},
                                                      {origin, noRotation, unitScale, white},
                                                      {origin, noRotation, unitScale, white},
                                                      {origin, noRotation, unitScale, white}} {
    const float lampAmbient[4] = {0.1f, 0.1f, 0.1f, 1};
    const float lampDiffuse[4] = {1, 1, 1, 1};
    const float lampSpecular[4] = {0.6f, 0.6f, 0.6f, 1};
    for (VORN_Flashlight& lamp : lampList) {
        lamp.setColors(lampAmbient, lampDiffuse, lampSpecular);
        lamp.setAttenuation(1, 0, 0.005f);
        lamp.setSpot(0, 180); // a plain point light
        lamp.toggle();
    }

    terrainLook =
        std::make_unique<VORN_Material>(floatColor(0.7f, 0.5f, 0.3f, 1),
                                        floatColor(0.7f, 0.5f, 0.3f, 1), floatColor(0, 0, 0, 1), 0);
    terrainLook->compile();
    lampLook = std::make_unique<VORN_Material>(
        floatColor(0.5f, 0.5f, 0, 1), floatColor(0.5f, 0.5f, 0, 1), floatColor(0, 0, 0, 1), 0);
    lampLook->compile();

    VORN_Scene& scene = match.scene();
    camera = std::make_unique<VORN_Viewport>(&scene);
    // Beyond the valley's edge the ground is as high as the edge, so that an eye out there stays
    // above the rim and never sees the valley from below.
    // (A hair inside the edge, so that rounding never puts the point off the grid.)
    camera->ground = [land = &match.landscape()](double x, double z) {
        const VORN_Vector& middle = land->worldPosition;
        const double halfX = land->sizeX / 2 - 1e-6;
        const double halfZ = land->sizeZ / 2 - 1e-6;
        return land->surfaceHeight(std::clamp(x, middle.x() - halfX, middle.x() + halfX),
                                   std::clamp(z, middle.z() - halfZ, middle.z() + halfZ));
    };

    camera->toggleOutlines();
    camera->setView(VORN_Vector(0, 4, 2), 0, 0, 0);
    camera->distance = -5;
    camera->toggleFog();
    const float fogColor[4] = {0, 0, 0.2f, 0.5f};
    for (int i = 0; i < 4; ++i)
        camera->fogColor[i] = fogColor[i];
    camera->fogDensity = 0.04f;
    camera->toggleTexturing();
    camera->setRelativeRect(0, 0, 1, 1);
    camera->resize(width, height);
    camera->fieldOfView = 45;
    camera->nearPlane = 0.001;
    camera->farPlane = 50;

    valleyLight = std::make_unique<ValleyLight>(scene); // the moon, after the lamps below
    for (int i = 0; i < 4; ++i) {
        VORN_Flashlight& lamp = lampList[i];
        lamp.setRotation(270, 0, 0);
        lamp.setWorldPosition(Rules::lampPlace(i));
        lamp.size = 0.2;
        lamp.bodyRadius = 0.05;
        lamp.material = lampLook.get();
        lamp.setColor(0.5, 0.5, 0, 1);
        lamp.compile();
        scene.children.insert(i, &lamp); // drawn before the valley
    }

    valleyLight->show(ViewLight::Classic, *camera, *terrainLook);
    match.landscape().material = terrainLook.get();
    match.landscape().texture = &texture;

    grenadeLook = std::make_unique<VORN_Material>(floatColor(0, 0, 0, 1), floatColor(0, 0, 0, 1),
                                                  floatColor(1, 1, 1, 1), 30);
    match.grenade().material = grenadeLook.get();
    match.grenade().compile();

    // The red aiming arrow, drawn while aiming, scaled by the throw power; it glows.
    arrowList = glGenLists(1);
    glNewList(arrowList, GL_COMPILE);
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

// The match outlives the battlefield: nothing of it points here any more once this is gone.
Battlefield::~Battlefield() {
    for (VORN_Flashlight& lamp : lampList)
        match.scene().children.removeAll(&lamp);
    match.landscape().material = nullptr;
    match.landscape().texture = nullptr;
    match.grenade().material = nullptr;
    glDeleteLists(arrowList, 1);
    if (texture != 0)
        glDeleteTextures(1, &texture);
}

void Battlefield::showLight(ViewLight chosen) {
    valleyLight->show(chosen, *camera, *terrainLook);
}

void Battlefield::showTexture(const Bitmap& rgb) {
    uploadTexture(texture, rgb.pixels.data(), rgb.width, rgb.height);
}

bool Battlefield::showStandardTexture() {
    try {
        loadTerrainTexture(texture, standardTexturePath());
    } catch (int) {
        return false;
    }
    return true;
}

void Battlefield::drawAimArrow(const Match& m) const {
    glPushMatrix();
    const VORN_Vector& p = m.grenade().worldPosition;
    glTranslated(p.x(), p.y(), p.z());
    glRotated(m.aimYaw(), 0, 1, 0);
    glRotated(m.aimPitch(), 1, 0, 0);
    glScaled(0.7 * m.aimPower(), 0.7 * m.aimPower(), m.aimPower());
    glTranslated(0, 0, -0.3);
    glCallList(arrowList);
    glPopMatrix();
}
