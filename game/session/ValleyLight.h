// The light the valley is seen in, as this machine's player chose it: the lamps alone (classic),
// or with a cool moon over the whole valley, the figures glowing in their team's colour and the
// valley's edge drawn as a glowing line (night), or by day under a sun and a pale sky (bright).
// Made with the battlefield while its GL context is current; the moon is one GL light of its own,
// switched off in the classic light.
#pragma once

#include "engine/render/VORN_Light.h"
#include "game/frontend/ViewLight.h"

#include <memory>
#include <vector>

class Player;
namespace VORN_LIB {
class VORN_Frustum;
class VORN_Landscape;
class VORN_Material;
class VORN_Scene;
class VORN_Vector;
class VORN_Viewport;
} // namespace VORN_LIB

class ValleyLight {
public:
    // Puts the moon first into the scene, so that it lights everything after it; classic light.
    explicit ValleyLight(VORN_LIB::VORN_Scene& scene);
    ~ValleyLight();
    ValleyLight(const ValleyLight&) = delete;
    ValleyLight& operator=(const ValleyLight&) = delete;

    // The light on the camera's fog and the valley's material from now on.
    void show(ViewLight light, VORN_LIB::VORN_Viewport& camera, VORN_LIB::VORN_Material& terrain);
    ViewLight shown() const { return light; }
    const VORN_LIB::VORN_Light& moonLight() const { return *moon; } // among the scene's children

    // The sky behind the valley: the picture's clear colour (red, green, blue, alpha).
    const float* sky() const;
    // Each player's figures glow in the team's colour as the light asks (none in the classic
    // light), and where their outline glows the black outline pass leaves them out; set before
    // the picture is drawn, since players come and go with the games.
    void lightFigures(const std::vector<std::unique_ptr<Player>>& players) const;
    // The figures in the scene outlined in their glow's colour, over the outline pass, in lines
    // lineWidth pixels wide; nothing unless the light asks for it. With the frame's view matrix;
    // a figure that the view's planes leave out is not drawn (with no planes, every one is).
    void outlineFigures(const std::vector<std::unique_ptr<Player>>& players, float lineWidth,
                        const VORN_LIB::VORN_Frustum* view) const;
    // The valley's edge as a glowing line over the ground, unless the light is classic; with the
    // picture's line widths scaled by pictureScale.
    // A warned point (the tortoise on turn near the edge) lights the edge up in the warning's
    // colour, brighter and higher, within warnedReach of it. In sudden death (alarm) the whole
    // edge glows in it.
    void drawEdge(const VORN_LIB::VORN_Landscape& land, double pictureScale,
                  const VORN_LIB::VORN_Vector* warned = nullptr, bool alarm = false) const;
    static constexpr double warnedReach = 5;

private:
    VORN_LIB::VORN_Scene& scene;
    ViewLight light = ViewLight::Classic;
    std::unique_ptr<VORN_LIB::VORN_Light> moon;
};
