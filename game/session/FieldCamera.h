// This window's camera over the battlefield, steered by the player alone: V puts it behind the
// figure on turn, E on the next enemy; the mouse turns it, the wheel zooms, the middle button
// gives the figure's own view. It is locked (none of them work) while a turn is not under way.
// Degrees, world units, widget pixels.
#pragma once

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

    // V: the start view of a turn, behind the figure on turn looking the way it faces. E: the
    // next enemy figure in turn, seen from the side of the figure on turn; the camera follows it
    // until the next key or turn. Both work locked as well.
    void viewBehind();
    void viewNextEnemy();
    // A blast: the camera lets go of the grenade and looks down on the crater from the side it
    // came from, high enough to see over the ridges, until the next turn's view.
    void viewBlast(const VORN_LIB::VORN_Vector& point);
    // V or E while the camera is free: the view it asks for, and true; false for any other key.
    bool key(int key);

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
    double sensitivity = 2.0; // degrees of camera turn per pixel
};
