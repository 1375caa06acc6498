// The labels over the battlefield: each figure's "player health" (its player's name where it has
// one, else its number) and the hit points a blast took,
// floating up. Projected at the end of the 3-D pass, with its view still set, where a figure's
// label whose anchor lies behind a hill, a lamp or another figure is left out (the damage figures
// are seen through anything); then drawn on the painter in one font, each kept off the panels and
// apart from the others.
#pragma once

#include "engine/scene/VORN_Clock.h"

#include <QColor>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>
#include <functional>
#include <vector>

class DamageFigures;
class Match;
class QFont;
class QPainter;
namespace VORN_LIB {
class VORN_OffscreenTarget;
}

class FigureLabels {
public:
    // Where the labels go on a window of the given size, from the 3-D picture drawn at drawn
    // through the target; names gives the players' names (empty for one named by its number).
    void project(const Match& match, DamageFigures& damage, VORN_LIB::VORN_Clock::Ticks now,
                 const VORN_LIB::VORN_OffscreenTarget& target, QSize window, QSize drawn,
                 const std::function<QString(int player)>& names = {});
    // With shapes each figure's label begins with its team's symbol (TeamSymbol).
    void draw(QPainter& painter, const QFont& font, const QVector<QRect>& panels,
              const QRect& window, bool shapes = false);

    // The figure labels drawn in the last frame, and where each label went (a null rectangle for
    // one left out), damage figures first.
    int figuresShown() const { return shown; }
    const QVector<QRect>& placed() const { return places; }

private:
    struct Label {
        QPointF place; // where the text's baseline begins, widget pixels
        QString text;
        QColor color;
        bool figure; // a figure's label (else a damage figure)
        int player;  // the figure's player; -1 for a damage figure
    };
    std::vector<Label> labels;
    QVector<QRect> places;
    int shown = 0;
};
