// The figure labels' places in the window: near their figures, off the panels and apart.
#include "game/session/LabelLayout.h"

#include <algorithm>

namespace {

bool meetsAny(const QRect& r, const QVector<QRect>& others) {
    return std::any_of(others.begin(), others.end(),
                       [&](const QRect& o) { return !o.isEmpty() && o.intersects(r); });
}

// Candidate places for a label, nearest first: where it is wanted, then up and down by steps of
// its height, then beside or below each panel it meets.
QVector<QRect> candidates(const QRect& wanted, const QVector<QRect>& panels) {
    QVector<QRect> list{wanted};
    const int step = wanted.height() + 2;
    for (int k = 1; k <= LabelLayout::maxSteps; ++k) {
        list.append(wanted.translated(0, -k * step));
        list.append(wanted.translated(0, k * step));
    }
    for (const QRect& panel : panels) {
        if (!panel.intersects(wanted))
            continue;
        list.append(QRect(QPoint(panel.right() + 2, wanted.top()), wanted.size()));
        list.append(QRect(QPoint(panel.left() - 2 - wanted.width(), wanted.top()), wanted.size()));
        list.append(QRect(QPoint(wanted.left(), panel.bottom() + 2), wanted.size()));
        list.append(QRect(QPoint(wanted.left(), panel.top() - 2 - wanted.height()), wanted.size()));
    }
    return list;
}

} // namespace

QVector<QRect> LabelLayout::place(const QVector<QRect>& wanted, const QVector<QRect>& panels,
                                  const QRect& window) {
    QVector<QRect> placed;
    placed.reserve(wanted.size());
    for (const QRect& label : wanted) {
        // A label partly off the window is kept where it is wanted: it is drawn as far as the
        // window goes, but never over a panel.
        const auto free = [&](const QRect& r) {
            return !meetsAny(r, panels) && (window.contains(r) || r == label);
        };
        const QVector<QRect> places = candidates(label, panels);
        QRect chosen;
        for (const QRect& r : places) // apart from the panels and from the other labels
            if (free(r) && !meetsAny(r, placed)) {
                chosen = r;
                break;
            }
        for (int i = 0; chosen.isNull() && i < places.size(); ++i) // apart from the panels only
            if (free(places[i]))
                chosen = places[i];
        placed.append(chosen);
    }
    return placed;
}
