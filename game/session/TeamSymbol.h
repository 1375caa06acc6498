// A team's shape as a small symbol on the overlay: filled, with a dark edge that reads on any
// colour and in grey. Before a figure's label and on the strength pie's slices.
#pragma once

#include <QColor>
#include <QPointF>

class QPainter;

class TeamSymbol {
public:
    // The player's shape (TeamShapes) around centre, radius pixels from it at most.
    static void draw(QPainter& painter, int player, QPointF centre, double radius,
                     const QColor& fill);
};
