// Where the figure labels go in the window: each as near its figure as it can be, never under a
// panel and, where there is room, apart from the labels placed before it. A label is moved up or
// down by steps of its own height, or beside the panel it would fall under; one with no free place
// at all is left out rather than drawn over a panel.
#pragma once

#include <QRect>
#include <QVector>

class LabelLayout {
public:
    // The wanted rectangles (nearest figure first), the panels' rectangles and the window: the
    // placed rectangles in the same order, an empty rectangle for a label left out. None of them
    // meets a panel or leaves the window.
    static QVector<QRect> place(const QVector<QRect>& wanted, const QVector<QRect>& panels,
                                const QRect& window);
    static constexpr int maxSteps = 4; // of a label's height up and down from its place
};
