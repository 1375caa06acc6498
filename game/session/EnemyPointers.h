// Small arrows at the edge of the picture, one for each enemy tortoise outside it, in its team's
// colour and pointing the way it lies from the middle of the picture: to its side for one beside
// or behind the eye, up for one far off beyond what the picture reaches. Enemies are the living
// tortoises of every player but the one on turn. Placed from the camera's view (world units,
// degrees) on the window's overlay (widget pixels, origin top left, y down); the 3-D picture's
// render scale changes nothing of it, since the picture always fills the window.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QVector>
#include <vector>

class Match;
class QPainter;
namespace VORN_LIB {
class VORN_Viewport;
}

class EnemyPointers {
public:
    static constexpr double margin = 6;  // pixels from the window's edge to an arrow's tip
    static constexpr double length = 18; // pixels from an arrow's tip to its base

    struct Pointer {
        QPointF tip;       // where the arrow points from, at the edge
        QPointF direction; // unit vector toward the tortoise, on the window
        QColor colour;     // of the tortoise's team
        unsigned player;
    };

    // The arrows of this frame for a window of the given size, seen through camera. An arrow
    // whose place at the edge lies on one of the panels moves in along its line, off them.
    void place(const Match& match, const VORN_LIB::VORN_Viewport& camera, QSize window,
               const QVector<QRect>& panels = {});
    void clear() { pointers.clear(); }
    void draw(QPainter& painter) const;
    const std::vector<Pointer>& shown() const { return pointers; }

private:
    std::vector<Pointer> pointers;
};
