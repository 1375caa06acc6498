// The hit points a blast took, floating up over each hurt tortoise and fading.
#include "game/session/DamageFigures.h"

#include <algorithm>

using namespace VORN_LIB;

void DamageFigures::add(const VORN_Vector& figure, int player, int damage, VORN_Clock::Ticks now) {
    figures.append({figure, player, QStringLiteral("-%1").arg(damage), now});
}

void DamageFigures::say(const VORN_Vector& at, const QString& word, VORN_Clock::Ticks now) {
    figures.append({at, -1, word, now});
}

QVector<DamageFigures::Shown> DamageFigures::shown(VORN_Clock::Ticks now) {
    figures.erase(std::remove_if(figures.begin(), figures.end(),
                                 [now](const Figure& f) { return now - f.added >= showMs; }),
                  figures.end());
    QVector<Shown> list;
    list.reserve(figures.size());
    for (const Figure& f : figures) {
        const double age = double(std::max<VORN_Clock::Ticks>(0, now - f.added)) / showMs;
        // Quick at first, slowing as it rises; fully there for the first half.
        const double up = start + rise * (1 - (1 - age) * (1 - age));
        list.append(
            {f.from + VORN_Vector(0, up, 0), f.text, f.player, std::min(1.0, 2 * (1 - age))});
    }
    return list;
}
