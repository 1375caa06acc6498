// The wind of the turn on the screen: a small panel at the top centre with an arrow that points
// where the wind blows as seen by the camera (up is away from the viewer), and its strength from
// 0 to 10, where 10 is the strongest wind of a strong-wind game. Drawn only in a game with wind.
#pragma once

#include "engine/math/VORN_Vector.h"

#include <QPointF>
#include <QString>

class QPainter;

class WindArrow {
public:
    static constexpr int width = 180;
    static constexpr int height = 64;

    // The panel at the top centre of a window windowWidth pixels wide. right and back are the
    // camera's x and z axes in the world.
    static void draw(QPainter& painter, int windowWidth, const VORN_LIB::VORN_Vector& wind,
                     const VORN_LIB::VORN_Vector& right, const VORN_LIB::VORN_Vector& back);

    // The strength shown: 0 … 10, rounded.
    static int strengthShown(const VORN_LIB::VORN_Vector& wind);
    // The text beside the arrow: "wind 4".
    static QString label(const VORN_LIB::VORN_Vector& wind);
    // Where the arrow points on the screen (x right, y down), a unit vector; (0, 0) in still air.
    static QPointF direction(const VORN_LIB::VORN_Vector& wind, const VORN_LIB::VORN_Vector& right,
                             const VORN_LIB::VORN_Vector& back);
};
