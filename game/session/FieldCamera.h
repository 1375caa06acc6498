// This window's camera over the battlefield, steered by the player alone: V puts it behind the
// figure on turn, E on the next enemy; the mouse turns it, the wheel zooms, the middle button
// gives the figure's own view. It is locked (none of them work) while a turn is not under way.
// In fire mode it stands behind and above the aiming arrow and turns with the aim; the mouse turns
// it away from the aim's view, and it keeps that angle to the aim, until V gives the aim's view
// back. E looks at an enemy instead, until V. Degrees, world units, widget pixels.
#pragma once

#include "engine/scene/VORN_Clock.h"

#include <QPoint>
#include <Qt>

class Match;
namespace VORN_LIB {
class VORN_Vector;
class VORN_Viewport;
} // namespace VORN_LIB

class FieldCamera {
public:
    FieldCamera(VORN_LIB::VORN_Viewport& viewport, const Match& match);

    // V: the start view of a turn, behind the figure on turn looking the way it faces (in fire
    // mode: the aim's view). E: the next enemy figure in turn, seen from the side of the figure
    // on turn; the camera follows it until the next key or turn. Both work locked as well.
    void viewBehind();
    void viewNextEnemy();
    // A blast: the camera lets go of the grenade and looks down on the crater from the side it
    // came from, high enough to see over the ridges, until the next turn's view.
    void viewBlast(const VORN_LIB::VORN_Vector& point);
    // V or E while the camera is free: the view it asks for, and true; false for any other key.
    bool key(int key);

    // Once a tick: in fire mode, the camera turns toward the aim's view, as far as the time since
    // the last tick takes it (the aim's view is reached smoothly, in about aimSettle seconds).
    void followAim(VORN_LIB::VORN_Clock::Ticks now);
    bool followsAim() const { return aimView; }
    static constexpr double aimSettle = 0.15;
    // The aim's view of an aim: looking the way it points, and tilted down over the field, less
    // so the higher the aim, as a higher throw comes down farther off.
    static double aimViewPitch(double aimPitch);

    // The mouse turns the camera; while it follows the aim, away from the aim's view.
    void mouseMoved(QPoint at);
    void mousePressed(Qt::MouseButton button, QPoint at);
    void wheel(int delta);

    bool locked() const { return isLocked; }
    void lock(bool on) { isLocked = on; }
    // Where the mouse was last seen: each move turns the camera by how far it went from there.
    QPoint lastMouse() const { return mouse; }

private:
    VORN_LIB::VORN_Viewport& viewport;
    const Match& match;
    bool isLocked = true;
    QPoint mouse;
    double sensitivity = 2.0;              // degrees of camera turn per pixel
    bool aimView = false;                  // the camera follows the aim
    bool wasAiming = false;                // fire mode at the last tick
    double viewYaw = 0, viewPitch = 0;     // the aim's view as far as the camera has turned to it
    double turnedYaw = 0, turnedPitch = 0; // how far the mouse turned it away from the aim's view
    VORN_LIB::VORN_Clock::Ticks lastFollow = 0;
};
