// The battlefield as the window draws it: the match's world under four lamps and the light this
// machine's player chose, with the valley's material and texture, the grenade's material, the
// camera looking at it and the red aiming arrow. Made with the window while its GL context is
// current, and gone with it: the camera and the materials before the match whose world they show.
// The valley spans 160 × 80 units (x in [-80, 80], z in [-40, 40]), 5 units high.
#pragma once

#include "engine/render/VORN_Flashlight.h"
#include "engine/render/VORN_Viewport.h"
#include "engine/scene/VORN_Material.h"
#include "game/session/ValleyLight.h"

#include <GL/gl.h>
#include <memory>

class Bitmap;
class Match;

class Battlefield {
public:
    // The standard valley's texture, read from the data folder into a new texture name; throws
    // int (Bitmap::lastFailure() says why) when it cannot be read. The window reads it before the
    // height map, so that a game without its data names the texture first.
    static GLuint standardTexture();

    // Puts the lamps, the materials and the texture (owned from now on) on the match's world and
    // a camera of width × height pixels on it.
    Battlefield(Match& match, GLuint terrainTexture, int width, int height);
    ~Battlefield();
    Battlefield(const Battlefield&) = delete;
    Battlefield& operator=(const Battlefield&) = delete;

    VORN_LIB::VORN_Viewport& viewport() { return *camera; }
    const VORN_LIB::VORN_Viewport& viewport() const { return *camera; }
    using Lamps = VORN_LIB::VORN_Flashlight[4];
    Lamps& lamps() { return lampList; }
    const VORN_LIB::VORN_Material* lampMaterial() const { return lampLook.get(); }
    const VORN_LIB::VORN_Material* terrainMaterial() const { return terrainLook.get(); }
    const GLuint& terrainTexture() const { return texture; }
    GLuint aimArrowList() const { return arrowList; }

    // The valley's texture from a picture of its own, or again the standard one (false, nothing
    // changed, when that cannot be read).
    void showTexture(const Bitmap& rgb);
    bool showStandardTexture();

    // The light the valley is seen in (classic until another is shown).
    void showLight(ViewLight light);
    const ValleyLight& light() const { return *valleyLight; }

    // The aiming arrow at the grenade, turned and scaled as the match aims; in fire mode only.
    void drawAimArrow(const Match& match) const;

private:
    Match& match;
    GLuint texture;
    GLuint arrowList = 0;
    std::unique_ptr<VORN_LIB::VORN_Material> terrainLook;
    std::unique_ptr<VORN_LIB::VORN_Material> lampLook;
    std::unique_ptr<VORN_LIB::VORN_Material> grenadeLook;
    Lamps lampList;
    std::unique_ptr<ValleyLight> valleyLight;
    std::unique_ptr<VORN_LIB::VORN_Viewport> camera;
};
