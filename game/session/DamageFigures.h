// The hit points a blast took, floating up over each hurt tortoise ("-46") and fading, one figure
// for each entry of the blast's damage list. Each rises from where its tortoise was at the blast.
// A word can float up the same way from a point of the valley ("ins aus" where a throw left it).
#pragma once

#include "engine/math/VORN_Vector.h"
#include "engine/scene/VORN_Clock.h"

#include <QString>
#include <QVector>

class DamageFigures {
public:
    static constexpr VORN_LIB::VORN_Clock::Ticks showMs = 2000; // from the blast until gone
    static constexpr double rise = 1.2;  // units a figure floats up while it shows
    static constexpr double start = 0.6; // units above the tortoise's centre where it begins

    struct Shown {
        VORN_LIB::VORN_Vector at; // world position now
        QString text;             // "-46"
        int player;               // whose tortoise, or -1 for a word of no player's
        double opacity;           // 1 at first, fading to 0
    };

    // One hurt tortoise of a blast at clock reading now.
    void add(const VORN_LIB::VORN_Vector& figure, int player, int damage,
             VORN_LIB::VORN_Clock::Ticks now);
    // A word of no player's, floating up from a point.
    void say(const VORN_LIB::VORN_Vector& at, const QString& word, VORN_LIB::VORN_Clock::Ticks now);
    void clear() { figures.clear(); }
    // The figures showing at now, in the order added; those over are dropped.
    QVector<Shown> shown(VORN_LIB::VORN_Clock::Ticks now);

private:
    struct Figure {
        VORN_LIB::VORN_Vector from;
        int player;
        QString text;
        VORN_LIB::VORN_Clock::Ticks added;
    };
    QVector<Figure> figures;
};
